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
    return TRUE;
}
