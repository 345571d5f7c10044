#include "wizard/uninstall_dlg.h"

#include "common/message_queue.h"
#include "common/percent_bar.h"
#include "resources/setup/resource.h"
#include "wizard/wizard_buttons.h"

namespace {
constexpr UINT_PTR kStartTimer = 102;
constexpr UINT kStartDelayMs = 1500;
}  // namespace

CUninstallDlg::CUninstallDlg() : CPropertyPage(IDD_UNINSTALL) {}

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
        OnPaint();
        return TRUE;
    }
    return CPropertyPage::WindowProc(msg, wParam, lParam);
}

void CUninstallDlg::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    PaintPercentBar(dc, BarRect(m_hWnd, IDC_PROGRESS_BAR), m_nPercent, RGB(255, 0, 0));
    EndPaint(m_hWnd, &ps);
}

void CUninstallDlg::SetPercent(unsigned int percent) {
    m_nPercent = percent;
    Invalidate();
    DrainMessageQueue();
}

void CUninstallDlg::RunUninstall() {
    // NOT YET REMOVING ANYTHING: the removal tables and their pass over
    // files, program group, OEM INF copies and registry arrive with the
    // cleanup step. Until then the page only completes its bar.
    SetPercent(100);
    ShowCompleted();
}

void CUninstallDlg::ShowCompleted() {
    ::ShowWindow(GetDlgItem(IDC_UNINSTALL_DONE), SW_SHOW);
    HWND next = ::GetDlgItem(GetSheet(), kIdNext);
    if (next != nullptr) ::ShowWindow(next, SW_SHOW);
    PostWizardButtons(GetSheet(), PSWIZB_NEXT);
}
