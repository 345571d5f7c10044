// Per-program Wine settings for end-to-end runs: the Windows version a
// program of the CD image sees, chosen by its executable name.
#pragma once

#include <string>

// Makes programs named exeName (for example "setup.exe") see this Windows
// version: "win95", "win98", "winme", "win2k" or "winxp".
bool SetProgramWindowsVersion(const std::string& exeName, const std::string& version);
void ClearProgramWindowsVersion(const std::string& exeName);

// Makes programs named exeName load library (e.g. "comctl32") from a DLL
// file found in their search path before Wine's own; cleared with the
// program's version setting.
bool PreferNativeLibrary(const std::string& exeName, const std::string& library);

// Sets the version for one scope of a test and clears it afterwards.
class ScopedWindowsVersion {
public:
    ScopedWindowsVersion(std::string exeName, const std::string& version);
    ~ScopedWindowsVersion();
    ScopedWindowsVersion(const ScopedWindowsVersion&) = delete;
    ScopedWindowsVersion& operator=(const ScopedWindowsVersion&) = delete;
    bool ok() const { return m_bOk; }

private:
    std::string m_exeName;
    bool m_bOk;
};

// A folder given to the tests through the environment, in Windows form.
std::string EnvironmentPath(const char* name);
