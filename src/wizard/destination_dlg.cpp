#include "wizard/destination_dlg.h"

#include <vector>

#include "common/product_profile.h"
#include "common/system_library.h"
#include "common/version_library.h"
#include "common/text_format.h"
#include "resources/setup/resource.h"
#include "wizard/choose_directory.h"
#include "wizard/exit_setup_dlg.h"

CDestinationDlg* g_pDestinationDlg = nullptr;

namespace {
constexpr int kJapanese = 17;
}  // namespace

std::string DefaultDestination(const char* windowsDir, const char* productName) {
    std::string destination = std::string("C:\\") + productName;
    if (windowsDir != nullptr && windowsDir[0] != '\0') destination[0] = windowsDir[0];
    return destination;
}

CDestinationDlg::CDestinationDlg() : CPropertyPage(IDD_DESTINATION) {
    m_szDestination[0] = '\0';
    m_strDestination = std::string("C:\\") + g_Product.szProductName;
    g_pDestinationDlg = this;
}

CDestinationDlg::~CDestinationDlg() {
    if (g_pDestinationDlg == this) g_pDestinationDlg = nullptr;
}

int CDestinationDlg::GetSystemLanguage() {
    char system[kPathChars];
    const UINT len = GetSystemDirectoryA(system, sizeof system);
    char path[kPathChars];
    if (len == 0 || len >= sizeof system || !JoinPath(system, "USER.EXE", path)) return 0;
    DWORD handle = 0;
    const DWORD size = FileVersionInfoSize(path, &handle);
    if (size == 0) return 0;
    std::vector<char> info(size + 100, '\0');
    if (!FileVersionInfo(path, size, info.data())) return 0;
    void* value = nullptr;
    UINT valueLen = 0;
    if (!QueryVersionValue(info.data(), "\\VarFileInfo\\Translation", &value, &valueLen) ||
        value == nullptr || valueLen == 0) {
        return 0;
    }
    return static_cast<signed char>(*static_cast<const char*>(value));
}

void CDestinationDlg::DoDataExchange(CDataExchange& dx) {
    DDX_Text(dx, IDC_DESTINATION, m_strDestination);
}

BOOL CDestinationDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_sidePicture.Fit(m_hWnd);
    const char* product = g_Product.szProductName;
    // Only the Japanese page carries this note. Its placeholder is filled
    // on a Japanese system, and also wherever the Japanese page is what the
    // user sees, so that no raw placeholder ever shows.
    const bool japaneseUi = PRIMARYLANGID(UserUiLanguage()) == LANG_JAPANESE;
    if (GetDlgItem(IDC_DEST_JAPANESE_NOTE) != nullptr &&
        (GetSystemLanguage() == kJapanese || japaneseUi)) {
        SetDlgItemText(IDC_DEST_JAPANESE_NOTE,
                       FormatText(GetDlgItemText(IDC_DEST_JAPANESE_NOTE), {product}));
    }
    SetDlgItemText(IDC_DEST_INTRO, FormatText(GetDlgItemText(IDC_DEST_INTRO), {product}));
    SetDlgItemText(IDC_DEST_CANCEL_NOTE, FormatText(GetDlgItemText(IDC_DEST_CANCEL_NOTE), {product}));

    char windows[kPathChars] = "";
    GetWindowsDirectoryA(windows, sizeof windows);
    if (!m_strDestination.empty() && windows[0] != '\0') m_strDestination[0] = windows[0];
    BoundedString<kPathChars>(m_strDestination.c_str()).CopyTo(m_szDestination);
    SetDlgItemText(IDC_DESTINATION, m_strDestination);
    return TRUE;
}

BOOL CDestinationDlg::OnQueryCancel() {
    if (!QueryExitSetup(GetSheet())) return FALSE;
    // The directory picker may have left the process inside the directory,
    // and a current directory cannot be removed: step out of it first.
    char windows[kPathChars] = "";
    if (GetWindowsDirectoryA(windows, sizeof windows) > 0) SetCurrentDirectoryA(windows);
    RemoveDirectoryA(m_szDestination);  // only an empty directory goes
    return TRUE;
}

LRESULT CDestinationDlg::OnWizardNext() {
    CreateDirectoryA(m_szDestination, nullptr);
    if (m_pSheet != nullptr) m_pSheet->EndDialog(IDOK);
    // There is no page after this one: stay while the sheet closes.
    return -1;
}

BOOL CDestinationDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_BROWSE && HIWORD(wParam) == BN_CLICKED) {
        OnBrowse();
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

void CDestinationDlg::OnBrowse() {
    if (ShowChooseDirectoryDialog(GetSheet(), m_strDestination, ChooseDirectoryHook) != IDOK) return;
    m_strDestination = m_szDestination;
    SetDlgItemText(IDC_DESTINATION, m_strDestination);
}

UINT_PTR CALLBACK ChooseDirectoryHook(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    CDestinationDlg* page = g_pDestinationDlg;
    if (page == nullptr) return 0;
    if (msg == WM_INITDIALOG) {
        SetDlgItemTextA(hDlg, IDC_FD_PATH, page->m_strDestination.c_str());
        return 0;
    }
    if (msg != WM_COMMAND || wParam != IDOK) return 0;

    const std::string path = GetWindowTextString(GetDlgItem(hDlg, IDC_FD_PATH));
    if (!AcceptChosenDirectory(path, g_DirectoryPrompts)) return 1;
    BoundedString<kPathChars>(path.c_str()).CopyTo(page->m_szDestination);
    return 0;
}
