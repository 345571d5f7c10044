#include "wizard/uninstall_complete_dlg.h"

#include "resources/setup/resource.h"
#include "wizard/restart.h"
#include "wizard/wizard_buttons.h"

CUninstallCompleteDlg::CUninstallCompleteDlg() : CPropertyPage(IDD_UNINSTALL_COMPLETE) {}

BOOL CUninstallCompleteDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_sidePicture.Fit(m_hWnd);
    HideSheetButtons(GetSheet());
    CheckRadioButton(m_hWnd, IDC_RESTART_YES, IDC_RESTART_NO, IDC_RESTART_YES);
    return TRUE;
}

BOOL CUninstallCompleteDlg::OnSetActive() {
    PostWizardButtons(GetSheet(), PSWIZB_FINISH);
    return CPropertyPage::OnSetActive();
}

BOOL CUninstallCompleteDlg::OnWizardFinish() {
    if (IsDlgButtonChecked(m_hWnd, IDC_RESTART_YES) == BST_CHECKED) RestartComputer(g_RestartCalls);
    return TRUE;  // the sheet closes whether or not a restart started
}
