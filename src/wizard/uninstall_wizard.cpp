#include "wizard/uninstall_wizard.h"

#include "cleanup/removal_pass.h"
#include "common/product_profile.h"
#include "common/product_run.h"
#include "framework/resource_text.h"
#include "resources/setup/resource.h"
#include "wizard/uninstall_complete_dlg.h"
#include "wizard/uninstall_dlg.h"

void RunRemovalSheet(CRemovalProgressPage& progress) {
    CUninstallCompleteDlg complete;
    CPropertySheet sheet(g_Product.szProductName);
    sheet.m_psh.dwFlags |= PSH_WIZARD;
    sheet.AddPage(&progress);
    sheet.AddPage(&complete);
    sheet.DoModal();
}

void RunSetupUninstallWizard(const ProductRun& run, const char* sourceDir) {
    SetupRemoval removal(MakeRemovalContext(run.Folders(""), sourceDir != nullptr ? sourceDir : "",
                                            LoadResString(IDS_OEM_DEVICE_DESCRIPTION)));
    CUninstallDlg progress(removal);
    RunRemovalSheet(progress);
}
