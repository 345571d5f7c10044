// The common file dialog. setup uses it in the old (non-Explorer) style
// with a template of its own and a hook, as a directory picker.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "common/bounded_string.h"

class CFileDialog {
public:
    // An open (bOpenFileDialog) or save dialog with the file-name field
    // preset to fileName; callers adjust m_ofn before DoModal.
    CFileDialog(BOOL bOpenFileDialog, const char* defaultExt, const char* fileName, DWORD flags,
                HWND parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK or IDCANCEL.
    INT_PTR DoModal();

    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    char m_szFileName[kPathChars];
};
