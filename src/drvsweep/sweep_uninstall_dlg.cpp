#include "drvsweep/sweep_uninstall_dlg.h"

#include "common/percent_bar.h"
#include "frame/main_frame.h"
#include "resources/drvsweep/resource.h"
#include "wizard/wizard_buttons.h"

namespace drvsweep {
namespace {
constexpr UINT_PTR kStartTimer = 102;
constexpr UINT kStartDelayMs = 1500;
}  // namespace

CUninstallDlg::CUninstallDlg(const CMainFrame& frame, int bNtPaths)
    : CPropertyPage(IDD_UNINSTALL), m_frame(frame), m_bNtPaths(bNtPaths) {}

BOOL CUninstallDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    HideSheetButtons(GetSheet());
    m_nPercent = 0;
    SetTimer(kStartTimer, kStartDelayMs);
    return TRUE;
}

LRESULT CUninstallDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kStartTimer) {
        KillTimer(kStartTimer);
        RunUninstall();
        return TRUE;
    }
    if (msg == WM_PAINT) {
        PaintBarOfControl(m_hWnd, IDC_PROGRESS_BAR, m_nPercent, RGB(255, 0, 0));
        return TRUE;
    }
    return CPropertyPage::WindowProc(msg, wParam, lParam);
}

void CUninstallDlg::OnStep(bool bInvalidate) {
    ++m_nStep;
    if (!bInvalidate) return;
    m_nPercent = m_nStep * 100 / m_nTotalSteps;
    const RECT bar = BarRect(m_hWnd, IDC_PROGRESS_BAR);
    InvalidateRect(m_hWnd, &bar, TRUE);
}

void CUninstallDlg::RunUninstall() {
    SweepContext context;
    context.szWindowsDir = m_frame.m_szWindowsDir;
    context.szSystemDir = m_frame.m_szSystemDir;
    context.szInfDir = m_frame.m_szInfDir;
    context.strSourceDir = m_strSourceDir;
    context.bNtPaths = m_bNtPaths;
    SweepRemoveFiles(context, *this);
    SweepRemoveSourceDir(context);
    SweepDeleteProgramGroups();
    SweepRemoveOemInfs(context.szWindowsDir);
    SweepRemoveRegistryEntries(context, *this);
    ShowCompleted();
}

void CUninstallDlg::ShowCompleted() {
    ::ShowWindow(GetDlgItem(IDC_UNINSTALL_DONE), SW_SHOW);
    HWND next = ::GetDlgItem(GetSheet(), kIdNext);
    if (next != nullptr) ::ShowWindow(next, SW_SHOW);
    PostWizardButtons(GetSheet(), PSWIZB_NEXT);
}

}  // namespace drvsweep
