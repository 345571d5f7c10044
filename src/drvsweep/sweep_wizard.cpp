#include "drvsweep/sweep_wizard.h"

#include "common/product_run.h"
#include "drvsweep/sweep_removal.h"
#include "drvsweep/sweep_uninstall_dlg.h"
#include "wizard/uninstall_wizard.h"

void RunDrvSweepWizard(const ProductRun& run, const char* sourceDir) {
    SweepRemoval removal(SweepContext{run.WindowsDir(), run.SystemDir(), run.InfDir(),
                                      sourceDir != nullptr ? sourceDir : "", run.NtPaths()});
    drvsweep::CUninstallDlg progress(removal);
    RunRemovalSheet(progress);
}
