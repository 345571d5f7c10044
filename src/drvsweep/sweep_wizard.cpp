#include "drvsweep/sweep_wizard.h"

#include "drvsweep/drvsweep_app.h"
#include "drvsweep/sweep_removal.h"
#include "drvsweep/sweep_uninstall_dlg.h"
#include "frame/main_frame.h"
#include "wizard/uninstall_wizard.h"

void RunDrvSweepWizard(CMainFrame& frame, const char* sourceDir) {
    SweepRemoval removal(SweepContext{frame.m_szWindowsDir, frame.m_szSystemDir, frame.m_szInfDir,
                                      sourceDir != nullptr ? sourceDir : "", DrvSweepApp().m_bNtPaths});
    drvsweep::CUninstallDlg progress(removal);
    RunRemovalSheet(progress);
}
