#include "framework/file_dialog.h"

#include "common/system_library.h"
#include "framework/modal_owner.h"

namespace {

using FileDialogFn = BOOL(WINAPI*)(LPOPENFILENAMEA);

// The common dialog library (and the shell libraries it brings) is bound
// when a dialog is first shown, not at start-up, where it would only delay
// the first window.
FileDialogFn Entry(bool open) {
    static HMODULE module = LoadSystemLibrary("comdlg32.dll");
    if (module == nullptr) return nullptr;
    return ProcAddress<FileDialogFn>(module, open ? "GetOpenFileNameA" : "GetSaveFileNameA");
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* defaultExt, const char* fileName,
                         DWORD flags, HWND parent)
    : m_bOpenFileDialog(bOpenFileDialog) {
    BoundedString<kPathChars>(fileName != nullptr ? fileName : "").CopyTo(m_szFileName);
    m_ofn = {};
    m_ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    m_ofn.hwndOwner = parent;
    m_ofn.hInstance = GetModuleHandleA(nullptr);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrDefExt = defaultExt;
    m_ofn.Flags = flags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal() {
    if (m_ofn.lpfnHook != nullptr) m_ofn.Flags |= OFN_ENABLEHOOK;
    const FileDialogFn show = Entry(m_bOpenFileDialog != FALSE);
    if (show == nullptr) return IDCANCEL;
    // The dialog disables its owner while it runs.
    const CModalOwner owner(m_ofn.hwndOwner);
    m_ofn.hwndOwner = owner.Get();
    return show(&m_ofn) ? IDOK : IDCANCEL;
}
