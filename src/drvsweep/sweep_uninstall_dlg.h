// The stand-alone uninstaller's progress page: no buttons, a red bar, and
// its removal sequence run 1.5 s after the page appears.
#pragma once

#include "wizard/removal_progress_page.h"

namespace drvsweep {

class CUninstallDlg : public CRemovalProgressPage {
public:
    explicit CUninstallDlg(RemovalRun& run);
};

}  // namespace drvsweep
