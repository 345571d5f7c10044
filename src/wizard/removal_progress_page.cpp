#include "wizard/removal_progress_page.h"

#include "common/exit_codes.h"
#include "framework/win_app.h"

#include "common/percent_bar.h"
#include "resources/setup/resource.h"
#include "wizard/wizard_buttons.h"

namespace {
constexpr UINT_PTR kStartTimer = 102;
constexpr UINT kStartDelayMs = 1500;
}  // namespace

BOOL CRemovalProgressPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_sidePicture.Fit(m_hWnd);
    HideSheetButtons(GetSheet());
    m_nPercent = 0;
    SetTimer(kStartTimer, kStartDelayMs);
    return TRUE;
}

LRESULT CRemovalProgressPage::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
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

void CRemovalProgressPage::SetPercent(unsigned int percent) {
    m_nPercent = percent;
    const RECT bar = BarRect(m_hWnd, IDC_PROGRESS_BAR);
    InvalidateRect(m_hWnd, &bar, TRUE);
}

void CRemovalProgressPage::RunUninstall() {
    m_run.Run(*this);
    ShowCompleted();
}

void CRemovalProgressPage::OnStep(unsigned int done, unsigned int total, bool repaint) {
    if (repaint && total != 0) SetPercent(done * 100 / total);
}

void CRemovalProgressPage::ShowCompleted() {
    // Done: the restart the last page offers is what finishes the removal.
    CWinApp::Current()->m_nExitCode = kExitRestartNeeded;
    ::ShowWindow(GetDlgItem(IDC_UNINSTALL_DONE), SW_SHOW);
    HWND next = ::GetDlgItem(GetSheet(), kIdNext);
    if (next != nullptr) ::ShowWindow(next, SW_SHOW);
    PostWizardButtons(GetSheet(), PSWIZB_NEXT);
}
