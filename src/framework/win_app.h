// Application object: one static instance per program. The framework's
// entry point fills the command line and executable name, calls InitInstance
// and, when that returns TRUE, runs the message loop until the main window
// is gone.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // TRUE: continue with the main window and the message loop.
    virtual BOOL InitInstance() = 0;
    virtual int Run();
    // After InitInstance's FALSE or the message loop: the process's exit code.
    virtual int ExitInstance() { return m_nExitCode; }

    // Names the registry key of the program's settings (stored, never written).
    void SetRegistryKey(const char* keyWord) { m_strRegistryKey = keyWord; }

    static CWinApp* Current();

    HINSTANCE m_hInstance = nullptr;
    std::string m_strCmdLine;   // everything after the program name
    std::string m_strExeName;   // module file name without extension
    std::string m_strRegistryKey;
    int m_nExitCode = 0;        // the process's exit code (kExitDone and the like)
    CWnd* m_pMainWnd = nullptr;
};

// Shared start of every program: fills the application object and runs it.
int RunApplication(HINSTANCE hInstance, const char* cmdLine);

// Module file name without directory and extension.
std::string ExecutableNameFromPath(const std::string& modulePath);
