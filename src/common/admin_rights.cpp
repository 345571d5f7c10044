#include "common/admin_rights.h"

#include "common/bounded_string.h"
#include "common/system_library.h"

namespace {

// The local Administrators group, S-1-5-32-544, laid out as a SID with two
// subauthorities.
struct AdministratorsSid {
    BYTE revision;
    BYTE subAuthorityCount;
    SID_IDENTIFIER_AUTHORITY authority;
    DWORD subAuthority[2];
};

bool IsAdministrator() {
    // Windows 2000 and later have the check; its token is the thread's (the
    // process's when none is impersonated), its groups those enabled.
    using CheckMembershipFn = BOOL(WINAPI*)(HANDLE, PSID, PBOOL);
    HMODULE advapi = GetModuleHandleA("advapi32.dll");
    auto check = advapi != nullptr ? ProcAddress<CheckMembershipFn>(advapi, "CheckTokenMembership") : nullptr;
    if (check == nullptr) return true;  // an older NT: the write probes decide
    AdministratorsSid admins = {SID_REVISION, 2, SECURITY_NT_AUTHORITY,
                                {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS}};
    BOOL member = FALSE;
    if (!check(nullptr, &admins, &member)) return true;  // no answer: no refusal
    return member != FALSE;
}

bool MayWriteKey(HKEY root, const char* subKey) {
    HKEY key = nullptr;
    const LONG rc = RegOpenKeyExA(root, subKey, 0, KEY_CREATE_SUB_KEY | KEY_SET_VALUE, &key);
    if (rc == ERROR_SUCCESS) RegCloseKey(key);
    return rc != ERROR_ACCESS_DENIED;
}

bool MayWriteFolder(const char* folder) {
    // No FILE_SHARE_DELETE: 95/98/Me reject it. A sharing violation comes
    // only after the access check has passed, so it is no refusal.
    HANDLE dir = CreateFileA(folder, FILE_ADD_FILE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (dir != INVALID_HANDLE_VALUE) {
        CloseHandle(dir);
        return true;
    }
    return GetLastError() != ERROR_ACCESS_DENIED;
}

}  // namespace

const AdminRightsProbe g_SystemRightsProbe = {IsAdministrator, MayWriteKey, MayWriteFolder};

bool HasAdminRights(DWORD version, HKEY root, const char* subKey, const char* folder,
                    const AdminRightsProbe& probe) {
    if ((version & 0x80000000) != 0) return true;  // 95/98/Me
    return probe.pfnIsAdministrator() && probe.pfnMayWriteKey(root, subKey) && probe.pfnMayWriteFolder(folder);
}

bool ProcessHasAdminRights() {
    char windowsDir[kPathChars] = "";
    const UINT len = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    if (len == 0 || len >= sizeof windowsDir) windowsDir[0] = '\0';  // no folder: nothing to refuse
    return HasAdminRights(GetVersion(), HKEY_LOCAL_MACHINE, "Software", windowsDir, g_SystemRightsProbe);
}
