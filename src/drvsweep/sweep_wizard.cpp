#include "drvsweep/sweep_wizard.h"

#include "common/product_profile.h"
#include "drvsweep/drvsweep_app.h"
#include "drvsweep/sweep_uninstall_dlg.h"
#include "frame/main_frame.h"
#include "wizard/uninstall_complete_dlg.h"

void RunDrvSweepWizard(CMainFrame& frame, const char* sourceDir) {
    drvsweep::CUninstallDlg progress(frame, DrvSweepApp().m_bNtPaths);
    CUninstallCompleteDlg complete;
    progress.m_strSourceDir = sourceDir != nullptr ? sourceDir : "";
    CPropertySheet sheet(g_Product.szProductName);
    sheet.m_psh.dwFlags |= PSH_WIZARD;
    sheet.AddPage(&progress);
    sheet.AddPage(&complete);
    sheet.DoModal();
}
