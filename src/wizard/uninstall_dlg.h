// setup's removal progress page: no buttons, a painted bar, and the
// removal pass run 1.5 s after the page appears.
#pragma once

#include "wizard/removal_progress_page.h"

class CUninstallDlg : public CRemovalProgressPage {
public:
    explicit CUninstallDlg(RemovalRun& run);
};
