// The click-through agreement page: the user reads the text and accepts it
// with "Yes" (the sheet's Next button) or leaves with "No" (its Cancel).
#pragma once

#include <string>

#include "framework/property_sheet.h"

class CLicenseDlg : public CPropertyPage {
public:
    CLicenseDlg();

    std::string m_strNextText;    // the sheet's own captions, restored on leaving
    std::string m_strCancelText;

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnQueryCancel() override;
};

// The agreement text: strings 57345-57352 joined and completed with the
// company's names.
std::string LoadAgreementText();
