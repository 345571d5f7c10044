// Deletion of a registry key with everything below it, after opening the
// key's access rights (device keys of Windows 2000/XP refuse deletion under
// their default rights).
#pragma once

#include <string>

// Deletes HKEY_LOCAL_MACHINE\path with all its subkeys. Always ends: a
// subkey that refuses deletion is passed over and the walk goes on with
// its siblings.
void DeleteRegistryTree(const std::string& path);

// Writes a present, null DACL onto HKEY_LOCAL_MACHINE\path (every account,
// every access); false when the key cannot be opened or secured.
bool OpenKeySecurity(const std::string& path);
