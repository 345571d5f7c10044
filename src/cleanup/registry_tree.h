// Deletion of a registry key with everything below it, after opening the
// key's access rights (device keys of Windows 2000/XP refuse deletion under
// their default rights).
#pragma once

#include <windows.h>

#include <string>

#include "traces/removal_sink.h"

// Subkey names are taken into a 255-character buffer (254 and the zero);
// a longer name does not enumerate and is treated like no subkey there.
constexpr DWORD kSubKeyNameChars = 255;

// The subkeys of one key, read by index through one handle that stays open
// for the whole scan. Deletions made meanwhile, through any handle or path,
// show at once: index i names what opening the key anew would name.
class SubKeyScan {
public:
    SubKeyScan(HKEY root, const char* path, RemovalSink& sink = TheMachine());

    // Name of the subkey at index; false past the end, when the key could
    // not be opened or the name does not fit.
    bool At(DWORD index, char (&name)[kSubKeyNameChars]);
    // True once the key could not be opened or an index past its last
    // subkey was asked for. Scans only delete, so no later index has one.
    bool Ended() const { return m_bEnded; }
    // Lets go of the key, so that it can be deleted itself.
    void Close() { m_key.Close(); }

private:
    SinkKey m_key;
    bool m_bEnded = false;
};

// Deletes HKEY_LOCAL_MACHINE\path with all its subkeys. Always ends: a
// subkey that refuses deletion is passed over and the walk goes on with
// its siblings.
void DeleteRegistryTree(const std::string& path, RemovalSink& sink = TheMachine());
// The same below another root key (the uninstaller's tables name theirs).
void DeleteRegistryTree(HKEY root, const std::string& path, RemovalSink& sink = TheMachine());

// Opens the rights of HKEY_LOCAL_MACHINE\path for its deletion (see
// RemovalSink::OpenKeySecurity); false when they cannot be read or written.
bool OpenKeySecurity(const std::string& path, RemovalSink& sink = TheMachine());
