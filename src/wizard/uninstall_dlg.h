// setup's removal progress page: no buttons, a painted bar, and the
// removal pass run 1.5 s after the page appears.
#pragma once

#include <string>

#include "cleanup/removal_pass.h"
#include "common/locations.h"
#include "wizard/removal_progress_page.h"

class CUninstallDlg : public CRemovalProgressPage, private RemovalProgress {
public:
    // folders: the frame's Windows, system and INF directories and the OS flag.
    explicit CUninstallDlg(const FolderSet& folders);

    // The removal pass; moves the bar and ends with "Uninstall completed."
    // and the Next button.
    void RunUninstall() override;

    std::string m_strSourceDir;   // the directory the launcher passed

private:
    // The bar repaints after every file row.
    void OnFileRowDone(unsigned int percent) override;

    FolderSet m_folders;
};
