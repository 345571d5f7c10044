#include "common/reg_key.h"

namespace {
// The registry answers with a code, not the thread's last error: a failure
// is put there too, for callers that log why.
bool Succeeded(LONG result) {
    if (result != ERROR_SUCCESS) SetLastError(static_cast<DWORD>(result));
    return result == ERROR_SUCCESS;
}
}  // namespace

bool RegKey::Open(HKEY root, const char* subKey, REGSAM access) {
    Close();
    if (RegOpenKeyExA(root, subKey, 0, access, &m_hKey) == ERROR_SUCCESS) return true;
    m_hKey = nullptr;
    return false;
}

bool RegKey::Create(HKEY root, const char* subKey, REGSAM access) {
    Close();
    if (Succeeded(RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                  &m_hKey, nullptr))) {
        return true;
    }
    m_hKey = nullptr;
    return false;
}

void RegKey::Close() {
    if (m_hKey != nullptr) {
        RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}

bool RegKey::QueryRaw(const char* name, void* buffer, DWORD bufferSize, DWORD* type,
                      DWORD* size) const {
    if (m_hKey == nullptr) return false;
    DWORD got = bufferSize;
    const LONG rc = RegQueryValueExA(m_hKey, name, nullptr, type,
                                     static_cast<BYTE*>(buffer), &got);
    if (size != nullptr) *size = got;
    return rc == ERROR_SUCCESS;
}

bool RegKey::QueryString(const char* name, std::string& out) const {
    if (m_hKey == nullptr) return false;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(m_hKey, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    std::string buffer(size + 1, '\0');
    if (RegQueryValueExA(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]),
                         &size) != ERROR_SUCCESS) {
        return false;
    }
    buffer.resize(size);
    const std::size_t end = buffer.find('\0');
    if (end != std::string::npos) buffer.resize(end);
    out = buffer;
    return true;
}

bool RegKey::QueryDword(const char* name, DWORD& out) const {
    DWORD type = 0;
    DWORD size = 0;
    DWORD value = 0;
    if (!QueryRaw(name, &value, sizeof value, &type, &size)) return false;
    if (type != REG_DWORD || size != sizeof value) return false;
    out = value;
    return true;
}

bool RegKey::SetString(const char* name, const std::string& value) {
    return m_hKey != nullptr &&
           Succeeded(RegSetValueExA(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                    static_cast<DWORD>(value.size() + 1)));
}

bool RegKey::SetDword(const char* name, DWORD value) {
    return m_hKey != nullptr &&
           Succeeded(RegSetValueExA(m_hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value));
}

bool RegKey::SetBinary(const char* name, const void* data, DWORD size) {
    return m_hKey != nullptr &&
           RegSetValueExA(m_hKey, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size) ==
               ERROR_SUCCESS;
}

bool RegKey::EnumSubKey(DWORD index, std::string& name) const {
    if (m_hKey == nullptr) return false;
    char buffer[256];
    DWORD len = sizeof buffer;
    if (RegEnumKeyExA(m_hKey, index, buffer, &len, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    name.assign(buffer, len);
    return true;
}

bool RegKeyExists(HKEY root, const char* subKey) {
    RegKey key;
    return key.Open(root, subKey);
}

const char* RegistryRootName(HKEY root) {
    if (root == HKEY_LOCAL_MACHINE) return "HKLM";
    if (root == HKEY_CURRENT_USER) return "HKCU";
    if (root == HKEY_USERS) return "HKU";
    if (root == HKEY_CLASSES_ROOT) return "HKCR";
    return "HKEY";
}
