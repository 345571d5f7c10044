#include "drvsweep/sweep_uninstall_dlg.h"

#include "frame/main_frame.h"
#include "resources/drvsweep/resource.h"

namespace drvsweep {

CUninstallDlg::CUninstallDlg(const CMainFrame& frame, int bNtPaths)
    : CRemovalProgressPage(IDD_UNINSTALL), m_frame(frame), m_bNtPaths(bNtPaths) {}

void CUninstallDlg::OnStep(bool bInvalidate) {
    ++m_nStep;
    // The probe's step counts without a repaint of its own.
    if (bInvalidate) SetPercent(m_nStep * 100 / m_nTotalSteps);
}

void CUninstallDlg::RunUninstall() {
    SweepContext context;
    context.szWindowsDir = m_frame.m_szWindowsDir;
    context.szSystemDir = m_frame.m_szSystemDir;
    context.szInfDir = m_frame.m_szInfDir;
    context.strSourceDir = m_strSourceDir;
    context.bNtPaths = m_bNtPaths;
    RunSweepRemoval(context, *this);
    SweepRemoveProgramFile(context);
    ShowCompleted();
}

}  // namespace drvsweep
