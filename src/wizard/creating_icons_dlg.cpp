#include "wizard/creating_icons_dlg.h"

#include "resources/setup/resource.h"

CCreatingIconsDlg::CCreatingIconsDlg() : CDialog(IDD_CREATING_ICONS) {}

BOOL CCreatingIconsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    RECT parent;
    RECT own;
    HWND owner = m_hParent != nullptr ? m_hParent : GetDesktopWindow();
    GetWindowRect(owner, &parent);
    GetWindowRect(m_hWnd, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    SetWindowPos(m_hWnd, nullptr, parent.left + (parent.right - parent.left - width) / 2,
                 parent.top + (parent.bottom - parent.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PaintNow();
    return TRUE;
}

void CCreatingIconsDlg::PaintNow() {
    // The program group is built on this thread as soon as the notice
    // exists, and its conversation with the program manager dispatches no
    // paint messages: the notice is shown and painted, its icon and text
    // included, before creation returns (the dialog manager would only show
    // it after this handler). Should the redraw fail, the notice paints
    // when messages next flow, as it would have anyway.
    ::ShowWindow(m_hWnd, SW_SHOWNA);
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}
