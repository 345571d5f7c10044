#include "wizard/uninstall_dlg.h"

#include "common/message_queue.h"
#include "common/percent_bar.h"
#include "framework/resource_text.h"
#include "resources/setup/resource.h"
#include "wizard/wizard_buttons.h"

namespace {
constexpr UINT_PTR kStartTimer = 102;
constexpr UINT kStartDelayMs = 1500;
}  // namespace

CUninstallDlg::CUninstallDlg(const FolderSet& folders) : CPropertyPage(IDD_UNINSTALL), m_folders(folders) {}

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
    PaintBarOfControl(m_hWnd, IDC_PROGRESS_BAR, m_nPercent, RGB(255, 0, 0));
}

void CUninstallDlg::SetPercent(unsigned int percent) {
    m_nPercent = percent;
    const RECT bar = BarRect(m_hWnd, IDC_PROGRESS_BAR);
    InvalidateRect(m_hWnd, &bar, TRUE);
    DrainMessageQueue();
}

void CUninstallDlg::RunUninstall() {
    RemovalContext context;
    context.szWindowsDir = m_folders.szWindowsDir;
    context.szSystemDir = m_folders.szSystemDir;
    context.szInfDir = m_folders.szInfDir;
    context.bNtPaths = m_folders.bNtPaths;
    context.strSourceDir = m_strSourceDir;
    context.strDeviceDescription = LoadResString(IDS_OEM_DEVICE_DESCRIPTION);
    RunRemovalPass(context, *this);
    ShowCompleted();
}

void CUninstallDlg::ShowCompleted() {
    ::ShowWindow(GetDlgItem(IDC_UNINSTALL_DONE), SW_SHOW);
    HWND next = ::GetDlgItem(GetSheet(), kIdNext);
    if (next != nullptr) ::ShowWindow(next, SW_SHOW);
    PostWizardButtons(GetSheet(), PSWIZB_NEXT);
}
