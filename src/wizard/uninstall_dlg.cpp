#include "wizard/uninstall_dlg.h"

#include "resources/setup/resource.h"

CUninstallDlg::CUninstallDlg(RemovalRun& run) : CRemovalProgressPage(IDD_UNINSTALL, run) {}
