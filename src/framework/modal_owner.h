// The owner of a modal window: a dialog, property sheet, file dialog or
// message box run with no parent is owned by the program's main window, or
// by the window of the program that is active over it (the wizard, when
// Exit Setup opens from it: the main window's last active popup), as the
// application framework the programs are written against does it. The
// owner is disabled while the modal window runs, so nothing behind it can
// be clicked.
//
// Owned windows are also exempt from a rule of the window manager that
// would otherwise hide them: in a program started with a show command (the
// launchers start their copies with SW_HIDE), the first show of a
// top-level window that is unowned, captioned and not system-modal uses
// that command instead of its own.
#pragma once

#include <windows.h>

class CModalOwner {
public:
    // parent: the top-level window the caller names as owner; nullptr: the
    // main window's last active popup. With neither, in a program started hidden, a stand-in
    // that is never shown owns the window, for as long as this object lives.
    explicit CModalOwner(HWND parent);
    ~CModalOwner();
    CModalOwner(const CModalOwner&) = delete;
    CModalOwner& operator=(const CModalOwner&) = delete;

    HWND Get() const { return m_hWnd; }
    // Whether the owner is one the user cannot see (a hidden frame, the
    // stand-in): the owned window then needs a taskbar button of its own.
    bool IsHidden() const { return m_hWnd != nullptr && !IsWindowVisible(m_hWnd); }

private:
    HWND m_hWnd = nullptr;
    HWND m_hStandIn = nullptr;
};

// MessageBoxA owned as above.
int AppMessageBox(const char* text, const char* caption, UINT type);
