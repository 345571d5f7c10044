// What both uninstallers' progress pages share: no buttons, a red bar, the
// removal run 1.5 s after the page appears, and at its end "Uninstall
// completed." with the Next button.
#pragma once

#include "cleanup/removal_progress.h"
#include "framework/property_sheet.h"
#include "wizard/side_picture.h"

class CRemovalProgressPage : public CPropertyPage, private RemovalProgress {
public:
    // run: the removal, assembled by whoever runs the wizard.
    CRemovalProgressPage(UINT templateId, RemovalRun& run) : CPropertyPage(templateId), m_run(run) {}

    // The removal; the page calls it from its start timer. Moves the bar and
    // ends with "Uninstall completed." and the Next button.
    void RunUninstall();

    // Sets the bar's percentage and invalidates the bar.
    void SetPercent(unsigned int percent);

    unsigned int m_nPercent = 0;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void ShowCompleted();

private:
    void OnStep(unsigned int done, unsigned int total, bool repaint) override;

    RemovalRun& m_run;
    CSidePicture m_sidePicture;
};
