#include "framework/frame_wnd.h"

#include <map>
#include <string>
#include <tuple>

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
    using Key = std::tuple<UINT, HCURSOR, HBRUSH, HICON>;
    static std::map<Key, std::string> registered;
    const Key key(classStyle, cursor, background, icon);
    auto found = registered.find(key);
    if (found != registered.end()) return found->second.c_str();

    char name[64];
    FormatInto(name, "VantrellWnd:%u", static_cast<unsigned>(registered.size()));
    WNDCLASSA wc = {};
    wc.style = classStyle;
    wc.lpfnWndProc = CWnd::StdWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (RegisterClassA(&wc) == 0) return nullptr;
    return registered.emplace(key, name).first->second.c_str();
}
