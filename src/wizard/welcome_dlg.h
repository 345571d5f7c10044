// First page of the install wizard.
#pragma once

#include "framework/property_sheet.h"
#include "wizard/side_picture.h"

class CWelcomeDlg : public CPropertyPage {
public:
    CWelcomeDlg();

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnQueryCancel() override;

private:
    CSidePicture m_sidePicture;
};
