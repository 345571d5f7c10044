#include "framework/wnd.h"

#include "framework/win_app.h"

namespace {
const char kObjectProp[] = "VantrellFrameworkWnd";
}

std::string GetWindowTextString(HWND hWnd) {
    const int len = GetWindowTextLengthA(hWnd);
    std::string text(static_cast<std::size_t>(len > 0 ? len : 0) + 1, '\0');
    const int got = GetWindowTextA(hWnd, &text[0], len + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

std::string CWnd::GetDlgItemText(int id) const {
    HWND item = ::GetDlgItem(m_hWnd, id);
    return item != nullptr ? GetWindowTextString(item) : std::string();
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    return hWnd != nullptr ? static_cast<CWnd*>(GetPropA(hWnd, kObjectProp)) : nullptr;
}

void CWnd::Attach(HWND hWnd) {
    m_hWnd = hWnd;
    SetPropA(hWnd, kObjectProp, this);
}

void CWnd::Detach() {
    if (m_hWnd != nullptr) RemovePropA(m_hWnd, kObjectProp);
    m_hWnd = nullptr;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(msg, wParam, lParam);
}

LRESULT CWnd::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandle(hWnd);
    if (wnd == nullptr && msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        wnd = static_cast<CWnd*>(cs->lpCreateParams);
        if (wnd != nullptr) wnd->Attach(hWnd);
    }
    if (wnd == nullptr) return DefWindowProcA(hWnd, msg, wParam, lParam);

    ++wnd->m_nDispatchDepth;
    const LRESULT result = wnd->WindowProc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        wnd->Detach();
        CWinApp* app = CWinApp::Current();
        // Closing the main window ends the program, as the message loop owner expects.
        if (app != nullptr && app->m_pMainWnd == wnd) {
            app->m_pMainWnd = nullptr;
            PostQuitMessage(0);
        }
        wnd->PostNcDestroy();
    }
    if (--wnd->m_nDispatchDepth == 0 && wnd->m_bDeletePending) delete wnd;
    return result;
}
