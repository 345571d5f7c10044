// The copy window: what is being copied, a green bar, and the prompts of
// the copy loop.
#pragma once

#include <windows.h>

#include <string>

#include "framework/dialog.h"
#include "install/copy_engine.h"

class CMainFrame;

class CCopyProgressDlg : public CDialog, private CopyObserver {
public:
    // The frame's directories with the product folder, and the program
    // directory the files come from.
    CCopyProgressDlg(const FolderSet& folders, const char* programDir);

    DWORD m_dwCopiedBytes = 0;
    unsigned int m_nPercent = 0;
    int m_bCancelled = 0;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CopyFiles();
    void OnPaint();

    ErrorAnswer OnError(const std::string& message) override;
    NextDiskAnswer OnNextDisk(std::string& sourceDir) override;
    void OnRow(const std::string& fromLine, const std::string& toLine) override;
    void OnProgress(DWORD copiedBytes, unsigned int percent) override;

    FolderSet m_folders;
    std::string m_strProgramDir;
};
