#include "wizard/install_wizard.h"

#include "common/product_profile.h"
#include "framework/idle_task.h"
#include "wizard/destination_dlg.h"
#include "wizard/license_dlg.h"
#include "wizard/welcome_dlg.h"

void (*g_pfnInstallWizardShown)() = nullptr;

int RunInstallWizard(ProductFolder& folder) {
    CWelcomeDlg welcome;
    CLicenseDlg license;
    CDestinationDlg destinationPage(folder);
    CPropertySheet sheet(g_Product.szProductName);
    sheet.AddPage(&welcome);
    sheet.AddPage(&license);
    sheet.AddPage(&destinationPage);
    sheet.m_psh.dwFlags |= PSH_WIZARD;
    if (g_pfnInstallWizardShown != nullptr) RunWhenIdle(g_pfnInstallWizardShown);
    return static_cast<int>(sheet.DoModal());
}
