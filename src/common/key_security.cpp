#include "common/key_security.h"

#include <cstring>
#include <initializer_list>

#include "common/reg_key.h"
#include "common/system_library.h"

namespace {

// The NT-only calls are bound at run time: the programs start on
// Windows 95 too, whose ADVAPI32 lacks them.
using GetKeySecurityFn = LONG(WINAPI*)(HKEY, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR, LPDWORD);
using InitializeSidFn = BOOL(WINAPI*)(PSID, PSID_IDENTIFIER_AUTHORITY, BYTE);
using GetSidSubAuthorityFn = PDWORD(WINAPI*)(PSID, DWORD);
using GetLengthSidFn = DWORD(WINAPI*)(PSID);
using InitializeAclFn = BOOL(WINAPI*)(PACL, DWORD, DWORD);
using AddAccessAllowedAceFn = BOOL(WINAPI*)(PACL, DWORD, DWORD, PSID);

template <typename Fn>
Fn SecurityCall(const char* name) {
    HMODULE advapi = GetModuleHandleA("advapi32.dll");
    return advapi != nullptr ? ProcAddress<Fn>(advapi, name) : nullptr;
}

// SIDs and ACLs are made of DWORDs and must be aligned as such.
struct SidBuffer {
    DWORD words[SECURITY_MAX_SID_SIZE / sizeof(DWORD)];
    PSID Get() { return words; }
};
struct OpenDacl {
    DWORD words[32];  // the two entries take 52 bytes
    PACL Get() { return reinterpret_cast<PACL>(words); }
};

// A well-known SID of the NT authority, from its relative ids.
bool MakeNtSid(std::initializer_list<DWORD> rids, SidBuffer& sid) {
    const auto initializeSid = SecurityCall<InitializeSidFn>("InitializeSid");
    const auto subAuthority = SecurityCall<GetSidSubAuthorityFn>("GetSidSubAuthority");
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    if (initializeSid == nullptr || subAuthority == nullptr ||
        !initializeSid(sid.Get(), &nt, static_cast<BYTE>(rids.size()))) {
        return false;
    }
    DWORD index = 0;
    for (DWORD rid : rids) *subAuthority(sid.Get(), index++) = rid;
    return true;
}

// The removal runs as an administrator (or as SYSTEM); nobody else gains
// a right on the key while it waits for its deletion.
bool BuildOpenDacl(OpenDacl& dacl) {
    SidBuffer admins, system;
    if (!MakeNtSid({SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS}, admins) ||
        !MakeNtSid({SECURITY_LOCAL_SYSTEM_RID}, system)) {
        return false;
    }
    const auto lengthSid = SecurityCall<GetLengthSidFn>("GetLengthSid");
    const auto initializeAcl = SecurityCall<InitializeAclFn>("InitializeAcl");
    const auto addAllowed = SecurityCall<AddAccessAllowedAceFn>("AddAccessAllowedAce");
    if (lengthSid == nullptr || initializeAcl == nullptr || addAllowed == nullptr) return false;
    const DWORD aceHead = sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD);
    const DWORD size = sizeof(ACL) + 2 * aceHead + lengthSid(admins.Get()) + lengthSid(system.Get());
    return size <= sizeof dacl.words && initializeAcl(dacl.Get(), size, ACL_REVISION) &&
           addAllowed(dacl.Get(), ACL_REVISION, KEY_ALL_ACCESS, admins.Get()) &&
           addAllowed(dacl.Get(), ACL_REVISION, KEY_ALL_ACCESS, system.Get());
}

bool SetDacl(HKEY root, const char* path, PSECURITY_DESCRIPTOR descriptor) {
    if (path == nullptr || path[0] == '\0') return false;
    RegKey key;
    if (!key.Open(root, path, WRITE_DAC)) return false;
    return RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
}

}  // namespace

bool ReadKeyRights(HKEY root, const char* path, KeyRights& rights) {
    const auto getSecurity = SecurityCall<GetKeySecurityFn>("RegGetKeySecurity");
    if (getSecurity == nullptr || path == nullptr || path[0] == '\0') return false;
    RegKey key;
    if (!key.Open(root, path, READ_CONTROL)) return false;
    DWORD size = 0;
    if (getSecurity(key.Get(), DACL_SECURITY_INFORMATION, nullptr, &size) != ERROR_INSUFFICIENT_BUFFER ||
        size < sizeof(SECURITY_DESCRIPTOR_RELATIVE)) {
        return false;
    }
    rights.assign(size, 0);
    return getSecurity(key.Get(), DACL_SECURITY_INFORMATION, rights.data(), &size) == ERROR_SUCCESS;
}

bool WriteKeyRights(HKEY root, const char* path, const KeyRights& rights) {
    if (rights.size() < sizeof(SECURITY_DESCRIPTOR_RELATIVE)) return false;
    return SetDacl(root, path, const_cast<BYTE*>(rights.data()));
}

bool WriteOpenKeyRights(HKEY root, const char* path) {
    OpenDacl dacl;
    SECURITY_DESCRIPTOR sd;
    return BuildOpenDacl(dacl) && InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) &&
           SetSecurityDescriptorDacl(&sd, TRUE, dacl.Get(), FALSE) && SetDacl(root, path, &sd);
}

bool IsOpenKeyRights(const KeyRights& rights) {
    // Read from the self-relative layout itself: the entries compared byte
    // for byte, whatever room the stored list has left after them.
    if (rights.size() < sizeof(SECURITY_DESCRIPTOR_RELATIVE)) return false;
    SECURITY_DESCRIPTOR_RELATIVE sd;
    std::memcpy(&sd, rights.data(), sizeof sd);
    if ((sd.Control & SE_DACL_PRESENT) == 0 || sd.Dacl == 0 || sd.Dacl > rights.size() - sizeof(ACL)) return false;
    OpenDacl open;
    if (!BuildOpenDacl(open)) return false;
    ACL stored;
    std::memcpy(&stored, rights.data() + sd.Dacl, sizeof stored);
    const DWORD entries = open.Get()->AclSize - sizeof(ACL);
    return stored.AceCount == open.Get()->AceCount && entries <= rights.size() - sd.Dacl - sizeof(ACL) &&
           std::memcmp(rights.data() + sd.Dacl + sizeof(ACL), open.Get() + 1, entries) == 0;
}
