#include "cleanup/registry_tree.h"

#include <cstring>

#include "common/bounded_string.h"
#include "common/reg_key.h"

SubKeyScan::SubKeyScan(HKEY root, const char* path) { m_bEnded = !m_key.Open(root, path, KEY_READ); }

bool SubKeyScan::At(DWORD index, char (&name)[kSubKeyNameChars]) {
    if (m_bEnded || !m_key.IsOpen()) return false;
    DWORD len = kSubKeyNameChars;
    const LONG rc = RegEnumKeyExA(m_key.Get(), index, name, &len, nullptr, nullptr, nullptr, nullptr);
    // A key deleted under the scan reads as ended too.
    if (rc == ERROR_NO_MORE_ITEMS || rc == ERROR_KEY_DELETED) m_bEnded = true;
    return rc == ERROR_SUCCESS;
}

bool OpenKeySecurity(const std::string& path) { return OpenKeySecurity(HKEY_LOCAL_MACHINE, path); }

bool OpenKeySecurity(HKEY root, const std::string& path) {
    if (path.empty()) return false;
    SECURITY_DESCRIPTOR sd;
    if (!InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION)) return false;
    // Present and null: every account gets every access.
    if (!SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE)) return false;
    RegKey key;
    if (!key.Open(root, path.c_str(), WRITE_DAC)) return false;
    return RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, &sd) == ERROR_SUCCESS;
}

void DeleteRegistryTree(const std::string& path) { DeleteRegistryTree(HKEY_LOCAL_MACHINE, path); }

void DeleteRegistryTree(HKEY root, const std::string& path) {
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
    SubKeyScan scan(root, path.c_str());
    while (scan.At(index, name)) {
        PathString child(path.c_str());
        child.AppendName(name);
        if (child.ok()) DeleteRegistryTree(root, child.c_str());

        char after[kSubKeyNameChars];
        if (scan.At(index, after) && std::strcmp(after, name) == 0) ++index;
    }
    scan.Close();

    // Device keys of Windows 2000/XP refuse deletion under their default
    // rights; failure here (Windows 98 has no key security) changes nothing.
    OpenKeySecurity(root, path);
    RegDeleteKeyA(root, path.c_str());
}
