#include "wizard/uninstall_wizard.h"

#include "common/product_profile.h"
#include "frame/main_frame.h"
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
    CUninstallDlg progress(frame.Folders(""));
    progress.m_strSourceDir = sourceDir != nullptr ? sourceDir : "";
    RunRemovalSheet(progress);
}
