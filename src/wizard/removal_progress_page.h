// What both uninstallers' progress pages share: no buttons, a red bar, the
// removal run 1.5 s after the page appears, and at its end "Uninstall
// completed." with the Next button.
#pragma once

#include "framework/property_sheet.h"
#include "wizard/side_picture.h"

class CRemovalProgressPage : public CPropertyPage {
public:
    explicit CRemovalProgressPage(UINT templateId) : CPropertyPage(templateId) {}

    // The removal itself; the page calls it from its start timer.
    virtual void RunUninstall() = 0;

    // Sets the bar's percentage and invalidates the bar.
    void SetPercent(unsigned int percent);

    unsigned int m_nPercent = 0;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void ShowCompleted();

private:
    CSidePicture m_sidePicture;
};
