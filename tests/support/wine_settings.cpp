#include "wine_settings.h"

#include <windows.h>
#include <shlwapi.h>

#include <utility>

namespace {
std::string AppDefaultsKey(const std::string& exeName) {
    return "Software\\Wine\\AppDefaults\\" + exeName;
}

bool SetString(const std::string& path, const std::string& name, const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LONG rc = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}
}  // namespace

bool SetProgramWindowsVersion(const std::string& exeName, const std::string& version) {
    return SetString(AppDefaultsKey(exeName), "Version", version);
}

bool PreferNativeLibrary(const std::string& exeName, const std::string& library) {
    return SetString(AppDefaultsKey(exeName) + "\\DllOverrides", library, "native,builtin");
}

void ClearProgramWindowsVersion(const std::string& exeName) {
    SHDeleteKeyA(HKEY_CURRENT_USER, AppDefaultsKey(exeName).c_str());
}

ScopedWindowsVersion::ScopedWindowsVersion(std::string exeName, const std::string& version)
    : m_exeName(std::move(exeName)), m_bOk(SetProgramWindowsVersion(m_exeName, version)) {}

ScopedWindowsVersion::~ScopedWindowsVersion() { ClearProgramWindowsVersion(m_exeName); }

std::string EnvironmentPath(const char* name) {
    char value[MAX_PATH] = "";
    const DWORD len = GetEnvironmentVariableA(name, value, sizeof value);
    return (len > 0 && len < sizeof value) ? std::string(value) : std::string();
}
