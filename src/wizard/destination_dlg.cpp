#include "wizard/destination_dlg.h"

#include <vector>

#include "common/bounded_string.h"
#include "common/product_profile.h"
#include "common/system_library.h"
#include "common/text_format.h"
#include "common/version_library.h"
#include "product/product_folder.h"
#include "resources/setup/resource.h"
#include "wizard/choose_directory.h"
#include "wizard/exit_setup_dlg.h"

CDestinationDlg* g_pDestinationDlg = nullptr;

namespace {
constexpr int kJapanese = 17;
}  // namespace

CDestinationDlg::CDestinationDlg(ProductFolder& folder) : CPropertyPage(IDD_DESTINATION), m_folder(folder) {
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
    std::string shown = m_folder.Path();
    DDX_Text(dx, IDC_DESTINATION, shown);
    m_folder.Set(shown);
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

    SetDlgItemText(IDC_DESTINATION, m_folder.Path());
    return TRUE;
}

BOOL CDestinationDlg::OnQueryCancel() {
    if (!QueryExitSetup(GetSheet())) return FALSE;
    // The directory picker may have left the process inside the directory,
    // and a current directory cannot be removed: step out of it first.
    char windows[kPathChars] = "";
    if (GetWindowsDirectoryA(windows, sizeof windows) > 0) SetCurrentDirectoryA(windows);
    RemoveDirectoryA(m_folder.c_str());  // only an empty directory goes
    return TRUE;
}

LRESULT CDestinationDlg::OnWizardNext() {
    // The install makes the folder (and logs it) once the wizard has ended.
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
    if (ShowChooseDirectoryDialog(GetSheet(), m_folder.Path(), ChooseDirectoryHook) != IDOK) return;
    SetDlgItemText(IDC_DESTINATION, m_folder.Path());
}

UINT_PTR CALLBACK ChooseDirectoryHook(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    CDestinationDlg* page = g_pDestinationDlg;
    if (page == nullptr) return 0;
    if (msg == WM_INITDIALOG) {
        SetDlgItemTextA(hDlg, IDC_FD_PATH, page->m_folder.c_str());
        return 0;
    }
    if (msg != WM_COMMAND || wParam != IDOK) return 0;

    const std::string path = GetWindowTextString(GetDlgItem(hDlg, IDC_FD_PATH));
    if (!AcceptChosenDirectory(path, g_DirectoryPrompts)) return 1;
    page->m_folder.Set(path);
    return 0;
}
