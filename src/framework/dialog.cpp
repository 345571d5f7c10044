#include "framework/dialog.h"

#include "framework/modal_owner.h"

void DDX_Text(CDataExchange& dx, int id, std::string& value) {
    if (dx.m_bSaveAndValidate) {
        value = dx.m_pDlgWnd->GetDlgItemText(id);
    } else {
        dx.m_pDlgWnd->SetDlgItemText(id, value);
    }
}

INT_PTR CDialog::DoModal() {
    // The dialog manager disables the owner while the dialog runs.
    const CModalOwner owner(m_hParent);
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate), owner.Get(),
                           StdDlgProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create(HWND parent) {
    m_hParent = parent;
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate), parent,
                              StdDlgProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate != FALSE);
    DoDataExchange(dx);
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CDialog::DefaultProc(UINT, WPARAM, LPARAM) { return FALSE; }

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    default:
        return DefaultProc(msg, wParam, lParam);
    }
}

INT_PTR CALLBACK CDialog::StdDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* dialog = static_cast<CDialog*>(CWnd::FromHandle(hWnd));
    if (dialog == nullptr && msg == WM_INITDIALOG) dialog = reinterpret_cast<CDialog*>(lParam);
    return Dispatch(dialog, hWnd, msg, wParam, lParam);
}

INT_PTR CDialog::Dispatch(CDialog* dialog, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (dialog == nullptr) return FALSE;
    if (dialog->m_hWnd == nullptr) dialog->Attach(hWnd);
    const LRESULT result = dialog->WindowProc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        dialog->Detach();
        dialog->PostNcDestroy();
    }
    return result;
}
