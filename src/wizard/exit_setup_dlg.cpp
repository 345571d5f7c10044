#include "wizard/exit_setup_dlg.h"

#include "frame/main_frame.h"
#include "resources/setup/resource.h"

CExitSetupDlg::CExitSetupDlg(HWND parent) : CDialog(IDD_EXIT_SETUP, parent) {}

BOOL QueryExitSetup(HWND owner) {
    CExitSetupDlg dialog(owner);
    if (dialog.DoModal() == IDOK) return FALSE;  // Resume
    HWND frame = FindMainFrame();
    if (frame != nullptr) PostMessageA(frame, WM_CLOSE, 0, 0);
    return TRUE;
}
