#include "registry_sandbox.h"

#include <shlwapi.h>

#include <cstdio>

namespace {

const HKEY kPredefinedRoots[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_CLASSES_ROOT, HKEY_USERS};
const char* const kRootNames[] = {"HKLM", "HKCU", "HKCR", "HKU"};

}  // namespace

RegistrySandbox::RegistrySandbox() {
    static int counter = 0;
    char path[128];
    std::snprintf(path, sizeof path, "Software\\VantrellTests\\Sandbox-%lu-%d",
                  GetCurrentProcessId(), ++counter);
    m_sandboxPath = path;

    m_bOk = true;
    for (int i = 0; i < kRoots; ++i) {
        const std::string sub = m_sandboxPath + "\\" + kRootNames[i];
        if (RegCreateKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &m_redirected[i], nullptr) != ERROR_SUCCESS) {
            m_redirected[i] = nullptr;
            m_bOk = false;
        }
    }
    for (int i = 0; i < kRoots && m_bOk; ++i) {
        if (RegOverridePredefKey(kPredefinedRoots[i], m_redirected[i]) != ERROR_SUCCESS) m_bOk = false;
    }
}

RegistrySandbox::~RegistrySandbox() {
    for (int i = 0; i < kRoots; ++i) RegOverridePredefKey(kPredefinedRoots[i], nullptr);
    for (HKEY key : m_redirected) {
        if (key != nullptr) RegCloseKey(key);
    }
    SHDeleteKeyA(HKEY_CURRENT_USER, m_sandboxPath.c_str());
}
