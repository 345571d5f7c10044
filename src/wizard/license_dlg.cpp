#include "wizard/license_dlg.h"

#include "common/product_profile.h"
#include "common/text_format.h"
#include "framework/resource_text.h"
#include "resources/setup/resource.h"
#include "wizard/exit_setup_dlg.h"

CLicenseDlg::CLicenseDlg() : CPropertyPage(IDD_LICENSE) {}

std::string LoadAgreementText() {
    std::string format;
    for (UINT id = IDS_LICENSE_1; id <= IDS_LICENSE_8; ++id) format += LoadResString(id);
    return FormatText(format, {g_Product.szCompanyName, g_Product.szCompanyShortName,
                               g_Product.szCompanyShortName, g_Product.szCompanyShortName,
                               g_Product.szCompanyShortName});
}

BOOL CLicenseDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    SetDlgItemText(IDC_LICENSE_TEXT, LoadAgreementText());
    SetDlgItemText(IDC_LICENSE_QUESTION,
                   FormatText(GetDlgItemText(IDC_LICENSE_QUESTION), {g_Product.szProductName}));
    return TRUE;
}

BOOL CLicenseDlg::OnSetActive() {
    HWND sheet = GetSheet();
    m_strNextText = GetWindowTextString(::GetDlgItem(sheet, kIdNext));
    m_strCancelText = GetWindowTextString(::GetDlgItem(sheet, IDCANCEL));
    ::SetDlgItemTextA(sheet, kIdNext, LoadResString(IDS_YES).c_str());
    ::SetDlgItemTextA(sheet, IDCANCEL, LoadResString(IDS_NO).c_str());
    return CPropertyPage::OnSetActive();
}

BOOL CLicenseDlg::OnKillActive() {
    HWND sheet = GetSheet();
    ::SetDlgItemTextA(sheet, kIdNext, m_strNextText.c_str());
    ::SetDlgItemTextA(sheet, IDCANCEL, m_strCancelText.c_str());
    return CPropertyPage::OnKillActive();
}

BOOL CLicenseDlg::OnQueryCancel() { return QueryExitSetup(GetSheet()); }
