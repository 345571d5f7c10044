#include "cleanup/registry_tree.h"

#include <cstring>

#include "common/bounded_string.h"

SubKeyScan::SubKeyScan(HKEY root, const char* path, RemovalSink& sink) : m_key(sink) {
    m_bEnded = !m_key.Open(root, path, KEY_READ);
}

bool SubKeyScan::At(DWORD index, char (&name)[kSubKeyNameChars]) {
    if (m_bEnded || !m_key.IsOpen()) return false;
    DWORD len = kSubKeyNameChars;
    const LONG rc = m_key.SubKey(index, name, &len);
    // A key deleted under the scan reads as ended too.
    if (rc == ERROR_NO_MORE_ITEMS || rc == ERROR_KEY_DELETED) m_bEnded = true;
    return rc == ERROR_SUCCESS;
}

bool OpenKeySecurity(const std::string& path, RemovalSink& sink) {
    return sink.OpenKeySecurity(HKEY_LOCAL_MACHINE, path.c_str());
}

void DeleteRegistryTree(const std::string& path, RemovalSink& sink) {
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, path, sink);
}

void DeleteRegistryTree(HKEY root, const std::string& path, RemovalSink& sink) {
    // An empty path would name the root key itself, and a path that
    // does not fit the program's path buffers is never cut to one that does.
    if (path.empty() || path.size() + 1 > kPathChars) return;

    // The subkeys go first, leaves upwards: NT deletes only keys without
    // subkeys. The walk takes the subkey at `index`; when that one is still
    // there after its own deletion (access denied, a path too long to
    // build), the walk steps past it, so it ends whether or not deletions
    // succeed and the siblings after a stubborn key still go.
    DWORD index = 0;
    char name[kSubKeyNameChars];
    SubKeyScan scan(root, path.c_str(), sink);
    while (scan.At(index, name)) {
        PathString child(path.c_str());
        child.AppendName(name);
        if (child.ok()) DeleteRegistryTree(root, child.c_str(), sink);

        char after[kSubKeyNameChars];
        if (scan.At(index, after) && std::strcmp(after, name) == 0) ++index;
    }
    scan.Close();

    // Device keys of Windows 2000/XP refuse deletion under their default
    // rights; failure here (Windows 98 has no key security) changes nothing.
    sink.OpenKeySecurity(root, path.c_str());
    sink.DeleteKey(root, path.c_str());
}
