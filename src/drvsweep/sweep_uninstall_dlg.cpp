#include "drvsweep/sweep_uninstall_dlg.h"

#include "resources/drvsweep/resource.h"

namespace drvsweep {

CUninstallDlg::CUninstallDlg(RemovalRun& run) : CRemovalProgressPage(IDD_UNINSTALL, run) {}

}  // namespace drvsweep
