#include "drvsweep/sweep_wizard.h"

#include "drvsweep/drvsweep_app.h"
#include "drvsweep/sweep_uninstall_dlg.h"
#include "wizard/uninstall_wizard.h"

void RunDrvSweepWizard(CMainFrame& frame, const char* sourceDir) {
    drvsweep::CUninstallDlg progress(frame, DrvSweepApp().m_bNtPaths);
    progress.m_strSourceDir = sourceDir != nullptr ? sourceDir : "";
    RunRemovalSheet(progress);
}
