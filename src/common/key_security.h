// A registry key's access rights (its DACL): read, opened for a deletion
// to the local Administrators group and SYSTEM alone, and put back.
// Windows 95/98/Me keep no key security: there every call fails and
// changes nothing.
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

// Writes the DACL a deletion needs: full access for the local
// Administrators group and for SYSTEM, no entry for anyone else.
bool WriteOpenKeyRights(HKEY root, const char* path);

// True when rights hold exactly the DACL WriteOpenKeyRights writes.
bool IsOpenKeyRights(const KeyRights& rights);
