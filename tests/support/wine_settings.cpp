#include "wine_settings.h"

#include <windows.h>
#include <shlwapi.h>

#include <utility>

namespace {
std::string AppDefaultsKey(const std::string& exeName) {
    return "Software\\Wine\\AppDefaults\\" + exeName;
}
}  // namespace

bool SetProgramWindowsVersion(const std::string& exeName, const std::string& version) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, AppDefaultsKey(exeName).c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG rc = RegSetValueExA(key, "Version", 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(version.c_str()),
                                   static_cast<DWORD>(version.size() + 1));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
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
