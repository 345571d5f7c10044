// Redirects the process's predefined registry roots (HKLM, HKCU, HKCR,
// HKU) into fresh keys of a per-test sandbox, so tests never touch the
// registry the rest of the machine sees. Removed again on destruction.
#pragma once

#include <windows.h>

#include <string>

class RegistrySandbox {
public:
    RegistrySandbox();
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    bool ok() const { return m_bOk; }

private:
    static constexpr int kRoots = 4;
    HKEY m_redirected[kRoots] = {};
    std::string m_sandboxPath;   // below the real HKEY_CURRENT_USER
    bool m_bOk = false;
};
