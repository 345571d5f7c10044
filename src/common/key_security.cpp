#include "common/key_security.h"

#include "common/reg_key.h"
#include "common/system_library.h"

namespace {

// Bound at run time: the call is an NT one, and the programs start on
// Windows 95 too.
using GetKeySecurityFn = LONG(WINAPI*)(HKEY, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR, LPDWORD);

GetKeySecurityFn GetKeySecurity() {
    HMODULE advapi = GetModuleHandleA("advapi32.dll");
    return advapi != nullptr ? ProcAddress<GetKeySecurityFn>(advapi, "RegGetKeySecurity") : nullptr;
}

bool SetDacl(HKEY root, const char* path, PSECURITY_DESCRIPTOR descriptor) {
    if (path == nullptr || path[0] == '\0') return false;
    RegKey key;
    if (!key.Open(root, path, WRITE_DAC)) return false;
    return RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
}

}  // namespace

bool ReadKeyRights(HKEY root, const char* path, KeyRights& rights) {
    const GetKeySecurityFn getSecurity = GetKeySecurity();
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
    SECURITY_DESCRIPTOR sd;
    if (!InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION)) return false;
    // Present and null: every account gets every access.
    if (!SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE)) return false;
    return SetDacl(root, path, &sd);
}

bool IsOpenKeyRights(const KeyRights& rights) {
    // Read from the self-relative layout itself, so that no further NT-only
    // import is needed.
    if (rights.size() < sizeof(SECURITY_DESCRIPTOR_RELATIVE)) return false;
    const auto* sd = reinterpret_cast<const SECURITY_DESCRIPTOR_RELATIVE*>(rights.data());
    return (sd->Control & SE_DACL_PRESENT) != 0 && sd->Dacl == 0;
}
