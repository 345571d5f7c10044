// Window object: ties a C++ object to an HWND so that messages reach
// virtual handlers. Derived classes override WindowProc and switch on the
// messages they handle, passing the rest to Default.
#pragma once

#include <windows.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::PostMessageA(m_hWnd, msg, wParam, lParam);
    }
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageA(m_hWnd, msg, wParam, lParam);
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs) { return ::SetTimer(m_hWnd, id, elapseMs, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    std::string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::string& text) { ::SetDlgItemTextA(m_hWnd, id, text.c_str()); }

    // The object attached to a window created through this framework.
    static CWnd* FromHandle(HWND hWnd);

    HWND m_hWnd = nullptr;

private:
    int m_nDispatchDepth = 0;
    bool m_bDeletePending = false;

protected:
    // Handles one message; the default passes it to DefaultProc.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The platform's default handling for this kind of window.
    virtual LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Last message the window receives; frames delete themselves here
    // (through DeleteWhenUnwound).
    virtual void PostNcDestroy() {}
    // Deletes the object once no message handler of it is running any more:
    // a window may be destroyed by a message that a handler's own modal
    // loop dispatched, and that handler still returns through the object.
    void DeleteWhenUnwound() { m_bDeletePending = true; }

    void Attach(HWND hWnd);
    void Detach();

public:
    // Window procedure of every class registered through the framework.
    static LRESULT CALLBACK StdWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

// Text of any window, whatever its length.
std::string GetWindowTextString(HWND hWnd);
