// A registry key's access rights (its DACL): read, opened to every account
// for a deletion, and put back. Windows 95/98/Me keep no key security:
// there every call fails and changes nothing.
#pragma once

#include <windows.h>

#include <vector>

// A self-relative security descriptor as RegGetKeySecurity gives it.
using KeyRights = std::vector<BYTE>;

// The key's DACL; false when the key cannot be opened or the system keeps
// no key security.
bool ReadKeyRights(HKEY root, const char* path, KeyRights& rights);

// Writes rights (from ReadKeyRights) back onto the key.
bool WriteKeyRights(HKEY root, const char* path, const KeyRights& rights);

// Writes a present, null DACL onto the key: every account, every access.
bool WriteOpenKeyRights(HKEY root, const char* path);

// True when rights hold a present, null DACL: open to everyone already.
bool IsOpenKeyRights(const KeyRights& rights);
