// HKEY_LOCAL_MACHINE shorthands for registry tests (used inside a
// RegistrySandbox, so they touch only the sandbox).
#pragma once

#include <string>
#include <utility>
#include <vector>

using StringValues = std::vector<std::pair<const char*, const char*>>;

bool HklmKeyExists(const std::string& path);
bool HklmHasValue(const std::string& path, const char* name);
// Creates the key with string values ("" names the default value); false on failure.
bool MakeHklmKey(const std::string& path, const StringValues& values = {});
