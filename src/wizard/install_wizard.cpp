#include "wizard/install_wizard.h"

#include "common/product_profile.h"
#include "wizard/destination_dlg.h"
#include "wizard/license_dlg.h"
#include "wizard/welcome_dlg.h"

int RunInstallWizard(std::string& destination) {
    CWelcomeDlg welcome;
    CLicenseDlg license;
    CDestinationDlg destinationPage;
    CPropertySheet sheet(g_Product.szProductName);
    sheet.AddPage(&welcome);
    sheet.AddPage(&license);
    sheet.AddPage(&destinationPage);
    sheet.m_psh.dwFlags |= PSH_WIZARD;
    const int result = static_cast<int>(sheet.DoModal());
    if (result == IDOK) destination = destinationPage.m_strDestination;
    return result;
}
