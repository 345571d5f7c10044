#include "framework/win_app.h"

#include "common/path_chars.h"
#include "common/system_library.h"
#include "framework/common_controls.h"
#include "framework/resource_language.h"

namespace {
CWinApp* g_pApp = nullptr;

void PrepareCommonControls() { comctl::Init(); }
}

CWinApp::CWinApp() { g_pApp = this; }

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

CWinApp* CWinApp::Current() { return g_pApp; }

int CWinApp::Run() {
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        // A modal loop that ran inside that message (a dialog, a DDE
        // transaction) may have swallowed the quit message that the main
        // window's end posted: its end alone ends the program.
        if (m_pMainWnd == nullptr) break;
    }
    // The steps say how the program ends; the quit message carries nothing.
    return m_nExitCode;
}

std::string ExecutableNameFromPath(const std::string& modulePath) {
    const std::size_t slash = FindLastSeparator(modulePath, "\\/:");
    std::string name = slash == std::string::npos ? modulePath : modulePath.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.resize(dot);
    return name;
}

int RunApplication(HINSTANCE hInstance, const char* cmdLine) {
    CWinApp* app = CWinApp::Current();
    if (app == nullptr) return 1;

    // Before the first library load: none may come from the program's folder.
    RestrictLibrarySearchPath();

    char modulePath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    app->m_hInstance = hInstance;
    app->m_strCmdLine = cmdLine != nullptr ? cmdLine : "";
    app->m_strExeName = ExecutableNameFromPath(modulePath);
    // Before the first text is loaded: none may come out as question marks.
    UseShowableResourceLanguage(hInstance);

    if (!app->InitInstance()) return app->ExitInstance();
    // The wizards need the common-controls library. It is loaded here, once
    // the first window has been shown and painted and while it waits for its
    // timer: not before (the window would come later), and not at the next
    // idle moment, which comes late enough to hold up that timer.
    PrepareCommonControls();
    app->m_nExitCode = app->Run();
    return app->ExitInstance();
}
