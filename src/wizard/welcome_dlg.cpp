#include "wizard/welcome_dlg.h"

#include "common/product_profile.h"
#include "common/text_format.h"
#include "resources/setup/resource.h"
#include "wizard/exit_setup_dlg.h"
#include "wizard/wizard_buttons.h"

CWelcomeDlg::CWelcomeDlg() : CPropertyPage(IDD_WELCOME) {}

BOOL CWelcomeDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_sidePicture.Fit(m_hWnd);
    const std::string text =
        FormatText(GetDlgItemText(IDC_WELCOME_TEXT), {g_Product.szBrandWord, g_Product.szProductName,
                                                      g_Product.szBrandWord, g_Product.szProductName});
    SetDlgItemText(IDC_WELCOME_TEXT, text);
    return TRUE;
}

BOOL CWelcomeDlg::OnSetActive() {
    PostWizardButtons(GetSheet(), PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

BOOL CWelcomeDlg::OnKillActive() {
    // The later pages never set the buttons: Back and Next stay enabled there.
    PostWizardButtons(GetSheet(), PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnKillActive();
}

BOOL CWelcomeDlg::OnQueryCancel() { return QueryExitSetup(GetSheet()); }
