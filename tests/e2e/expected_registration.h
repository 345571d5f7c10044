// What the still-image registration leaves in the registry of a clean
// machine, written down value by value with type and bytes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ExpectedValue {
    HKEY root;
    std::string key;
    std::string name;      // "" : the default value
    DWORD type;
    std::string bytes;     // exactly as stored
};

// The values of a first registration on a clean machine whose Windows
// directory is windowsDir; fixedLengths: whether padded strings keep their
// padding (the NT line) or end at their first zero (the 98 line).
std::vector<ExpectedValue> ExpectedRegistration(const std::string& windowsDir, bool fixedLengths);

// The registry value as stored, or false when it is missing.
bool ReadValue(HKEY root, const std::string& key, const std::string& name, DWORD& type, std::string& bytes);
