// "Setup Needs The Next Disk": asks where the files of the next disk are.
#pragma once

#include <string>

#include "common/bounded_string.h"
#include "framework/dialog.h"

class CNextDiskDlg : public CDialog {
public:
    CNextDiskDlg();
    ~CNextDiskDlg() override;

    int m_nDisk = 2;
    char m_szBrowsePath[kPathChars];
    std::string m_strPath;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnBrowse();
};

// The disk label reads "Disk 2." in every language, in its ANSI code page:
// its second-to-last byte is the disk number, which becomes disk's (one
// digit). A label of fewer than two bytes stays as it is.
void PutDiskNumber(std::string& label, int disk);

// The one prompt on screen; the browse hook reaches it through this.
extern CNextDiskDlg* g_pNextDiskDlg;

UINT_PTR CALLBACK NextDiskBrowseHook(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
