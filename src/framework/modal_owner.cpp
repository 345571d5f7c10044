#include "framework/modal_owner.h"

#include "framework/win_app.h"
#include "framework/wnd.h"

namespace {

HWND MainWindowPopup() {
    const CWinApp* app = CWinApp::Current();
    const HWND main = app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->m_hWnd : nullptr;
    return main != nullptr ? GetLastActivePopup(main) : nullptr;
}

bool StartedHidden() {
    STARTUPINFOA startup;  // filled whole
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 && startup.wShowWindow == SW_HIDE;
}

}  // namespace

CModalOwner::CModalOwner(HWND parent) {
    m_hWnd = parent != nullptr ? parent : MainWindowPopup();
    if (m_hWnd != nullptr || !StartedHidden()) return;
    // No caption: the start-up command is not spent on it, and it never shows.
    m_hStandIn = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    m_hWnd = m_hStandIn;
}

CModalOwner::~CModalOwner() {
    if (m_hStandIn != nullptr) DestroyWindow(m_hStandIn);
}

int AppMessageBox(const char* text, const char* caption, UINT type) {
    const CModalOwner owner(nullptr);
    // A box over an owner nobody sees comes to the front by itself.
    if (owner.IsHidden()) type |= MB_SETFOREGROUND;
    return MessageBoxA(owner.Get(), text, caption, type);
}
