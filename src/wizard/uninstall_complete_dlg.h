// The last page of both removal wizards: restart now or later.
#pragma once

#include "framework/property_sheet.h"
#include "wizard/side_picture.h"

class CUninstallCompleteDlg : public CPropertyPage {
public:
    CUninstallCompleteDlg();

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnWizardFinish() override;

private:
    CSidePicture m_sidePicture;
};
