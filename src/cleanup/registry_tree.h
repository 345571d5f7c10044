// Deletion of a registry key with everything below it, after opening the
// key's access rights (device keys of Windows 2000/XP refuse deletion under
// their default rights).
#pragma once

#include <windows.h>

#include <string>

// Subkey names are taken into a 255-character buffer (254 and the zero);
// a longer name does not enumerate and is treated like no subkey there.
constexpr DWORD kSubKeyNameChars = 255;

// Name of the subkey of HKEY_LOCAL_MACHINE\path at index; false past the
// end, when the key cannot be opened or the name does not fit.
bool SubKeyAt(const char* path, DWORD index, char (&name)[kSubKeyNameChars]);
// The same below another root key.
bool SubKeyAt(HKEY root, const char* path, DWORD index, char (&name)[kSubKeyNameChars]);

// Deletes HKEY_LOCAL_MACHINE\path with all its subkeys. Always ends: a
// subkey that refuses deletion is passed over and the walk goes on with
// its siblings.
void DeleteRegistryTree(const std::string& path);
// The same below another root key (the uninstaller's tables name theirs).
void DeleteRegistryTree(HKEY root, const std::string& path);

// Writes a present, null DACL onto HKEY_LOCAL_MACHINE\path (every account,
// every access); false when the key cannot be opened or secured.
bool OpenKeySecurity(const std::string& path);
bool OpenKeySecurity(HKEY root, const std::string& path);
