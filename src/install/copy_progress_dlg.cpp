#include "install/copy_progress_dlg.h"

#include "common/message_queue.h"
#include "common/percent_bar.h"
#include "common/system_library.h"
#include "common/version_library.h"
#include "framework/modal_owner.h"
#include "install/file_tables.h"
#include "install/next_disk_dlg.h"
#include "resources/setup/resource.h"
#include "wizard/exit_setup_dlg.h"

namespace {
constexpr UINT_PTR kStartTimer = 101;
constexpr UINT kStartDelayMs = 50;
constexpr DWORD kClosingPauseMs = 100;

// The multimedia timer, bound here rather than at start-up, where loading
// its library would only delay the first window.
DWORD MultimediaTime() {
    using TimeFn = DWORD(WINAPI*)();
    static const TimeFn time = [] {
        HMODULE module = LoadSystemLibrary("winmm.dll");
        return module != nullptr ? ProcAddress<TimeFn>(module, "timeGetTime") : nullptr;
    }();
    return time != nullptr ? time() : GetTickCount();
}
}  // namespace

CCopyProgressDlg::CCopyProgressDlg(const FolderSet& folders, const char* programDir)
    : CDialog(IDD_COPY_PROGRESS), m_folders(folders), m_strProgramDir(programDir) {}

BOOL CCopyProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_dwCopiedBytes = 0;
    m_nPercent = 0;
    m_bCancelled = 0;
    RECT rect;
    GetWindowRect(m_hWnd, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    // Near the bottom of the screen, below the wizard's place.
    SetWindowPos(m_hWnd, HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 GetSystemMetrics(SM_CYSCREEN) - (height * 6) / 5, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetTimer(kStartTimer, kStartDelayMs);
    return TRUE;
}

LRESULT CCopyProgressDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        if (wParam == kStartTimer) {
            KillTimer(kStartTimer);
            CopyFiles();
            return TRUE;
        }
        break;
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_LBUTTONDOWN:
        SetCursor(LoadCursor(nullptr, IDC_SIZE));
        break;
    default:
        break;
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

void CCopyProgressDlg::OnPaint() {
    PaintBarOfControl(m_hWnd, IDC_PROGRESS_BAR, m_nPercent, RGB(0, 255, 0));
}

void CCopyProgressDlg::CopyFiles() {
    const CopyJob job = {g_pFileTable,
                         g_nFileCount,
                         m_folders,
                         m_strProgramDir,
                         GetDlgItemText(IDC_COPY_FROM),
                         GetDlgItemText(IDC_COPY_TO),
                         InstallFileVersion};
    m_bCancelled = ::CopyFiles(job, *this) ? 0 : 1;

    const DWORD start = MultimediaTime();
    while (MultimediaTime() - start < kClosingPauseMs) {
    }
    EndDialog(m_bCancelled ? IDCANCEL : IDOK);
}

ErrorAnswer CCopyProgressDlg::OnError(const std::string& message) {
    switch (AppMessageBox(message.c_str(), "Setup", MB_ICONWARNING | MB_ABORTRETRYIGNORE)) {
    case IDABORT: return ErrorAnswer::Abort;
    case IDRETRY: return ErrorAnswer::Retry;
    default: return ErrorAnswer::Ignore;
    }
}

NextDiskAnswer CCopyProgressDlg::OnNextDisk(std::string& sourceDir) {
    CNextDiskDlg prompt;
    prompt.m_nDisk = 2;
    prompt.m_strPath = sourceDir;
    WritePrivateProfileStringA("src", "src", sourceDir.c_str(), "temp.ini");
    if (prompt.DoModal() == IDOK) {
        sourceDir = prompt.m_strPath;
        return NextDiskAnswer::UseDirectory;
    }
    CExitSetupDlg question(m_hWnd);
    return question.DoModal() == IDOK ? NextDiskAnswer::Resume : NextDiskAnswer::ExitSetup;
}

void CCopyProgressDlg::OnRow(const std::string& fromLine, const std::string& toLine) {
    SetDlgItemText(IDC_COPY_FROM, fromLine);
    SetDlgItemText(IDC_COPY_TO, toLine);
}

void CCopyProgressDlg::OnProgress(DWORD copiedBytes, unsigned int percent) {
    m_dwCopiedBytes = copiedBytes;
    m_nPercent = percent;
    const RECT bar = BarRect(m_hWnd, IDC_PROGRESS_BAR);
    InvalidateRect(m_hWnd, &bar, TRUE);
    DrainMessageQueue();
}
