#include "framework/file_dialog.h"

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
    const BOOL ok = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}
