// "Exit Setup": the question every install page asks when the user cancels.
#pragma once

#include "framework/dialog.h"

class CExitSetupDlg : public CDialog {
public:
    explicit CExitSetupDlg(HWND parent = nullptr);
};

// Cancel handling of the install pages: TRUE when the user chose to leave
// (the frame has then been asked to close), FALSE to stay on the page.
BOOL QueryExitSetup(HWND owner);
