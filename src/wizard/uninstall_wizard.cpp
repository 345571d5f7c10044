#include "wizard/uninstall_wizard.h"

#include "cleanup/removal_pass.h"
#include "common/product_profile.h"
#include "frame/main_frame.h"
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

void RunSetupUninstallWizard(CMainFrame& frame, const char* sourceDir) {
    SetupRemoval removal(MakeRemovalContext(frame.Folders(""), sourceDir != nullptr ? sourceDir : "",
                                            LoadResString(IDS_OEM_DEVICE_DESCRIPTION)));
    CUninstallDlg progress(removal);
    RunRemovalSheet(progress);
}
