// "Setup is creating icons": a modeless notice over the frame while the
// program group is built.
#pragma once

#include "framework/dialog.h"

class CCreatingIconsDlg : public CDialog {
public:
    CCreatingIconsDlg();

protected:
    BOOL OnInitDialog() override;

private:
    void PaintNow();
};
