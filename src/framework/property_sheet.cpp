#include "framework/property_sheet.h"

#include "framework/common_controls.h"
#include "framework/modal_owner.h"

BOOL CPropertyPage::OnSetActive() {
    // The first activation follows OnInitDialog, which already filled the controls.
    if (m_bFirstSetActive) {
        m_bFirstSetActive = false;
    } else {
        UpdateData(FALSE);
    }
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

LRESULT CPropertyPage::OnNotify(const NMHDR& header) {
    switch (header.code) {
    case PSN_SETACTIVE:
        return OnSetActive() ? 0 : -1;
    case PSN_KILLACTIVE:
        return OnKillActive() ? FALSE : TRUE;
    case PSN_QUERYCANCEL:
        return OnQueryCancel() ? FALSE : TRUE;
    case PSN_WIZNEXT:
        return OnWizardNext();
    case PSN_WIZBACK:
        return OnWizardBack();
    case PSN_WIZFINISH:
        if (!OnWizardFinish()) return TRUE;
        if (m_pSheet != nullptr) m_pSheet->m_nResult = kIdFinish;
        return FALSE;
    default:
        return 0;
    }
}

LRESULT CPropertyPage::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == GetSheet()) {
            SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, OnNotify(*header));
            return TRUE;
        }
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

INT_PTR CALLBACK CPropertyPage::StdPageProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* page = static_cast<CPropertyPage*>(CWnd::FromHandle(hWnd));
    if (page == nullptr && msg == WM_INITDIALOG) {
        page = reinterpret_cast<CPropertyPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
    }
    return Dispatch(page, hWnd, msg, wParam, lParam);
}

namespace {

// Extended styles the next sheet's template gets: the callback has no
// parameter of its own, and one sheet is created at a time.
DWORD g_dwSheetExStyle = 0;

// Centres the sheet on the screen (its owner, the frame, fills the screen
// or is hidden), with the extended styles above.
int CALLBACK PrepareSheet(HWND, UINT msg, LPARAM lParam) {
    if (msg == PSCB_PRECREATE && lParam != 0) {
        auto* words = reinterpret_cast<WORD*>(lParam);
        if (words[0] == 1 && words[1] == 0xFFFF) {
            auto* fields = reinterpret_cast<DWORD*>(words + 2);  // extended: help id, ex-style, style
            fields[1] |= g_dwSheetExStyle;
            fields[2] |= DS_CENTER;
        } else {
            reinterpret_cast<DLGTEMPLATE*>(lParam)->style |= DS_CENTER;
            reinterpret_cast<DLGTEMPLATE*>(lParam)->dwExtendedStyle |= g_dwSheetExStyle;
        }
    }
    return 0;
}

}  // namespace

CPropertySheet::CPropertySheet(const char* caption, HWND parent) : m_strCaption(caption) {
    m_psh = {};
    m_psh.dwSize = PROPSHEETHEADERA_V1_SIZE;
    m_psh.hwndParent = parent;
    m_psh.hInstance = GetModuleHandleA(nullptr);
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    page->m_pSheet = this;
    m_pages.push_back(page);
}

INT_PTR CPropertySheet::DoModal() {
    comctl::Init();  // loaded once; usually already, while the frame waited
    std::vector<HPROPSHEETPAGE> handles;
    for (CPropertyPage* page : m_pages) {
        PROPSHEETPAGEA psp = {};
        psp.dwSize = PROPSHEETPAGEA_V1_SIZE;
        psp.hInstance = GetModuleHandleA(nullptr);
        psp.pszTemplate = MAKEINTRESOURCEA(page->m_nIDTemplate);
        psp.pfnDlgProc = CPropertyPage::StdPageProc;
        psp.lParam = reinterpret_cast<LPARAM>(page);
        HPROPSHEETPAGE handle = comctl::CreatePropertySheetPage(&psp);
        if (handle == nullptr) return -1;
        handles.push_back(handle);
    }
    const CModalOwner owner(m_psh.hwndParent);
    PROPSHEETHEADERA psh = m_psh;
    psh.hwndParent = owner.Get();
    psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPSHEETPAGE) | PSH_MODELESS | PSH_USECALLBACK;
    psh.pfnCallback = PrepareSheet;
    // An owned window has no taskbar button unless it asks for one; over a
    // hidden frame the sheet is all the user has of the program.
    g_dwSheetExStyle = owner.IsHidden() ? WS_EX_APPWINDOW : 0;
    psh.pszCaption = m_strCaption.c_str();
    psh.nPages = static_cast<UINT>(handles.size());
    psh.phpage = handles.data();

    m_bEnded = false;
    m_nResult = IDCANCEL;
    const INT_PTR created = comctl::PropertySheet(&psh);
    if (created == 0 || created == -1) return -1;
    m_hWnd = reinterpret_cast<HWND>(created);

    // The modal loop of the sheet: it ends when the sheet has no page left
    // (Finish or Cancel) or a page called EndDialog. The result stays
    // IDCANCEL unless Finish or EndDialog set another.
    if (owner.Get() != nullptr) EnableWindow(owner.Get(), FALSE);
    MSG msg;
    while (!m_bEnded && PropSheet_GetCurrentPageHwnd(m_hWnd) != nullptr) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            // The program is ending: leave the quit message to the main loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!PropSheet_IsDialogMessage(m_hWnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (owner.Get() != nullptr) EnableWindow(owner.Get(), TRUE);
    DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    return m_nResult;
}

void CPropertySheet::EndDialog(INT_PTR result) {
    m_nResult = result;
    m_bEnded = true;
    // Wake the loop, which waits for the next message.
    if (m_hWnd != nullptr) PostMessageA(m_hWnd, WM_NULL, 0, 0);
}
