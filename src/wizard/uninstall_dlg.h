// setup's removal progress page: no buttons, a painted bar, and the
// removal pass run 1.5 s after the page appears.
#pragma once

#include <string>

#include "cleanup/removal_pass.h"
#include "common/locations.h"
#include "framework/property_sheet.h"

class CUninstallDlg : public CPropertyPage, private RemovalProgress {
public:
    // folders: the frame's Windows, system and INF directories and the OS flag.
    explicit CUninstallDlg(const FolderSet& folders);

    // The removal pass; moves the bar and ends with "Uninstall completed."
    // and the Next button.
    void RunUninstall();

    // Sets the bar's percentage and repaints it.
    void SetPercent(unsigned int percent);

    std::string m_strSourceDir;   // the directory the launcher passed
    unsigned int m_nPercent = 0;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void ShowCompleted();
    void OnFileRowDone(unsigned int percent) override { SetPercent(percent); }

    FolderSet m_folders;
};
