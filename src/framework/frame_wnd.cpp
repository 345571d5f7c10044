#include "framework/frame_wnd.h"

#include "common/text_format.h"

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA&) { return TRUE; }

BOOL CFrameWnd::Create(const char* className, const char* title, DWORD style, const RECT& rect,
                       DWORD exStyle) {
    CREATESTRUCTA cs = {};
    cs.lpszClass = className;
    cs.lpszName = title;
    cs.style = style;
    cs.dwExStyle = exStyle;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hInstance = GetModuleHandleA(nullptr);
    if (!PreCreateWindow(cs)) return FALSE;
    HWND hWnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, this);
    m_bCreated = hWnd != nullptr;
    return m_bCreated;
}

const char* RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    // The name carries the values, so the system's class list is the only
    // record: the same values find their class registered already.
    // Handles of the window manager and of GDI have 32 significant bits on
    // every target.
    auto number = [](const void* handle) { return static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(handle)); };
    static char name[96];
    FormatInto(name, "VantrellWnd:%x:%lx:%lx:%lx", classStyle, number(cursor), number(background), number(icon));
    WNDCLASSA wc = {};
    wc.style = classStyle;
    wc.lpfnWndProc = CWnd::StdWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (RegisterClassA(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    return name;
}
