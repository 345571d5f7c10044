// The stand-alone uninstaller's progress page: no buttons, a red bar, and
// its removal sequence run 1.5 s after the page appears.
#pragma once

#include <string>

#include "drvsweep/sweep_removal.h"
#include "wizard/removal_progress_page.h"

class CMainFrame;

namespace drvsweep {

class CUninstallDlg : public CRemovalProgressPage, private SweepProgress {
public:
    // The frame gives the Windows, system and INF folders; the OS flag is the program's.
    CUninstallDlg(const CMainFrame& frame, int bNtPaths);

    // The removal sequence, in its order; ends with "Uninstall completed."
    // and the Next button.
    void RunUninstall() override;

    std::string m_strSourceDir;   // the relocated copy's command line
    unsigned int m_nStep = 0;
    unsigned int m_nTotalSteps = kSweepTotalSteps;

private:
    void OnStep(bool bInvalidate) override;

    const CMainFrame& m_frame;
    int m_bNtPaths;
};

}  // namespace drvsweep
