#include "frame/main_frame.h"

#include <cstring>

#include "common/bounded_string.h"
#include "common/product_profile.h"
#include "common/single_run.h"
#include "frame/frame_title.h"

char g_szTitle[64] = "";

namespace {

constexpr COLORREF kBackground = RGB(0, 0, 96);
constexpr int kPictureWidth = 640;
constexpr int kPictureHeight = 480;
constexpr UINT kFrameTimerMs = 50;
constexpr UINT kIconId = 128;

HFONT CreateTitleFont() {
    return CreateFontA(36, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FF_ROMAN | DEFAULT_PITCH, "Times New Roman");
}

}  // namespace

HWND FindMainFrame() {
    // Other programs have windows titled "Setup" too (the companion's own
    // helpers often outlive it): only this process's window is the frame.
    const DWORD self = GetCurrentProcessId();
    HWND window = nullptr;
    for (int i = 0; i < 1000; ++i) {
        window = FindWindowExA(nullptr, window, nullptr, g_Product.szFrameTitle);
        if (window == nullptr) break;
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == self) return window;
    }
    return nullptr;
}

CMainFrame::CMainFrame(const FrameSettings& settings) : m_settings(settings) {
    m_szSoftwareVersion[0] = '\0';

    const char* className =
        RegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                         CreateSolidBrush(kBackground),
                         LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kIconId)));
    Create(className, g_Product.szFrameTitle, WS_POPUP, WindowRect());
}

RECT CMainFrame::WindowRect() const {
    const int border = GetSystemMetrics(SM_CXBORDER);
    RECT rect;
    rect.left = rect.top = -border;
    if (m_settings.bScreenSized) {
        rect.right = rect.left + GetSystemMetrics(SM_CXSCREEN) + 3 * border;
        rect.bottom = rect.top + GetSystemMetrics(SM_CYSCREEN) + 3 * border;
    } else {
        rect.right = rect.left + GetSystemMetrics(SM_CXMAXIMIZED);
        rect.bottom = rect.top + GetSystemMetrics(SM_CYMAXIMIZED);
    }
    return rect;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.hMenu = nullptr;
    if (m_settings.bToolWindow) cs.dwExStyle |= WS_EX_TOOLWINDOW;
    return CFrameWnd::PreCreateWindow(cs);
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        if (DefaultProc(msg, wParam, lParam) == -1) return -1;
        return OnCreate();
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return DefaultProc(msg, wParam, lParam);
    case WM_DESTROY:
        OnDestroy();
        return DefaultProc(msg, wParam, lParam);
    default:
        return DefaultProc(msg, wParam, lParam);
    }
}

int CMainFrame::OnCreate() {
    // A second start of the product's programs brings this run's window
    // to the front by it.
    SetPropA(m_hWnd, kRunWindowProperty, reinterpret_cast<HANDLE>(1));
    m_font = CreateTitleFont();
    if (m_settings.nBitmapId != 0) {
        m_bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_settings.nBitmapId));
        m_bBitmapLoaded = m_bitmap != nullptr ? 1 : 0;
    }
    ReadSoftwareVersion(m_settings.szProgramDir, g_Product.szProductInf, m_szSoftwareVersion);
    BuildFrameTitle(m_settings.szTitleStart, m_szSoftwareVersion, g_szTitle);
    SetTimer(m_settings.bUninstall ? kUninstallTimer : kInstallTimer, kFrameTimerMs);
    return 0;
}

void CMainFrame::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    if (m_bBitmapLoaded) {
        RECT rect;
        GetWindowRect(m_hWnd, &rect);
        BITMAP info = {};
        GetObjectA(m_bitmap, sizeof info, &info);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, m_bitmap);
        const int left = (rect.right - rect.left - kPictureWidth) / 2;
        const int top = (rect.bottom - rect.top - kPictureHeight) / 2;
        StretchBlt(dc, left, top, kPictureWidth, kPictureHeight, memory, 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    HGDIOBJ oldFont = SelectObject(dc, m_font);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 12, 8, g_szTitle, static_cast<int>(std::strlen(g_szTitle)));
    SelectObject(dc, oldFont);
    EndPaint(m_hWnd, &ps);
}

void CMainFrame::OnTimer(UINT_PTR id) {
    // Each timer is killed before its work, which runs modally in here:
    // every road runs once per process.
    if (id != kInstallTimer && id != kUninstallTimer) return;
    KillTimer(id);
    if (m_settings.pRun != nullptr) m_settings.pRun->Start(*this);
    // The removal wizard's end is the program's; the install closes the
    // frame itself when it ends.
    if (id == kUninstallTimer && m_hWnd != nullptr) PostMessage(WM_CLOSE);
}

CMainFrame* OpenMainFrame(const FrameSettings& settings, int showCommand) {
    auto* frame = new CMainFrame(settings);
    if (frame->m_hWnd == nullptr) {
        delete frame;
        return nullptr;
    }
    frame->ShowWindow(showCommand);
    frame->UpdateWindow();
    return frame;
}

void CMainFrame::OnDestroy() {
    RemovePropA(m_hWnd, kRunWindowProperty);
    if (m_bBitmapLoaded) DeleteObject(m_bitmap);
    if (m_font != nullptr) DeleteObject(m_font);
    m_bitmap = nullptr;
    m_font = nullptr;
    m_bBitmapLoaded = 0;
}
