#include "install/next_disk_dlg.h"

#include "framework/wnd.h"
#include "resources/setup/resource.h"
#include "wizard/choose_directory.h"

CNextDiskDlg* g_pNextDiskDlg = nullptr;

CNextDiskDlg::CNextDiskDlg() : CDialog(IDD_NEXT_DISK), m_strPath("A:\\") {
    m_szBrowsePath[0] = '\0';
    g_pNextDiskDlg = this;
}

CNextDiskDlg::~CNextDiskDlg() {
    if (g_pNextDiskDlg == this) g_pNextDiskDlg = nullptr;
}

void CNextDiskDlg::DoDataExchange(CDataExchange& dx) { DDX_Text(dx, IDC_DISK_PATH, m_strPath); }

void PutDiskNumber(std::string& label, int disk) {
    if (label.size() >= 2) label[label.size() - 2] = static_cast<char>('0' + disk % 10);
}

BOOL CNextDiskDlg::OnInitDialog() {
    std::string caption = GetDlgItemText(IDC_DISK_NAME);
    PutDiskNumber(caption, m_nDisk);
    SetDlgItemText(IDC_DISK_NAME, caption);

    char path[256] = "";
    GetPrivateProfileStringA("src", "src", "C:\\TEMP", path, sizeof path, "temp.ini");
    m_strPath = path;
    return CDialog::OnInitDialog();  // shows m_strPath in the edit
}

BOOL CNextDiskDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_BROWSE && HIWORD(wParam) == BN_CLICKED) {
        OnBrowse();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CNextDiskDlg::OnBrowse() {
    if (ShowChooseDirectoryDialog(m_hWnd, m_strPath, NextDiskBrowseHook) != IDOK) return;
    m_strPath = m_szBrowsePath;
    SetDlgItemText(IDC_DISK_PATH, m_strPath);
}

UINT_PTR CALLBACK NextDiskBrowseHook(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND && wParam == IDOK && g_pNextDiskDlg != nullptr) {
        // A path too long for the buffer is not taken cut: the old one stays.
        const std::string path = GetWindowTextString(GetDlgItem(hDlg, IDC_FD_PATH));
        BoundedString<kPathChars> bounded(path.c_str());
        if (bounded.ok()) bounded.CopyTo(g_pNextDiskDlg->m_szBrowsePath);
    }
    return 0;
}
