// Drives setup's wizards through their real windows: the sheet (whose
// title follows its page), its buttons and the small dialogs.
#pragma once

#include <string>

#include "e2e_env.h"

// Identifiers of the sheet's buttons and of the pages' controls.
namespace ids {
constexpr int kBack = 12323;
constexpr int kNext = 12324;
constexpr int kFinish = 12325;
constexpr int kCancel = 2;
constexpr int kWelcomeText = 1020;
constexpr int kLicenseText = 1000;
constexpr int kLicenseQuestion = 1019;
constexpr int kBrowse = 1001;
constexpr int kDestination = 1002;
constexpr int kDestIntro = 1017;
constexpr int kDestCancelNote = 1018;
constexpr int kJapaneseNote = 1022;
constexpr int kPickerPath = 1088;
constexpr int kUninstallDone = 1014;
constexpr int kProgressBar = 1007;
constexpr int kRestartYes = 1015;
constexpr int kRestartNo = 1016;
constexpr int kMessageText = 0xFFFF;
}  // namespace ids

// A running setup whose wizard the test walks.
class WizardSession {
public:
    // Starts program (with arguments) and waits for the sheet showing firstPage;
    // the current directory is the CD image unless currentDir names another.
    bool Start(const std::string& commandLine, const std::string& firstPage,
               const std::vector<std::pair<std::string, std::string>>& environment = {},
               const std::string& currentDir = "");

    // Clicks a sheet or page button and waits for the page titled nextPage ("" : no wait).
    bool Press(int buttonId, const std::string& nextPage = "");
    // Waits for a dialog of setup's titled title, e.g. "Exit Setup" or "Setup".
    HWND Dialog(const std::string& title);
    // Clicks a button of a dialog and waits until that dialog is gone.
    bool Answer(HWND dialog, int buttonId);

    std::string Text(int controlId) const { return ControlText(m_sheet, controlId); }
    // The program's frame: its window titled "Setup" that is no dialog.
    HWND Frame() const;
    std::string Title() const { return WindowText(m_sheet); }

    HWND m_sheet = nullptr;
    ChildProcess m_process;
};

// The titles the drivers wait for, in the language the programs speak.
struct WizardTitles {
    const char* welcome;
    const char* agreement;
    const char* destination;
    const char* picker;
    const char* removal;
    const char* complete;
};
extern const WizardTitles kEnglishTitles;

// Waits for the removal wizard of process processId, lets its pass complete,
// goes on to the restart page and finishes with "No, I will restart my
// computer later."; false (with the reason) when a step did not happen.
bool FinishRemovalWizardWithoutRestart(DWORD processId, std::string& failure,
                                       const WizardTitles& titles = kEnglishTitles);

// A whole install from the CD image in cdDir: walks the wizard (with a
// destination, typed into the directory picker as a user would, and
// created when setup asks), waits until the registration has run while the
// companion installer is open, then closes the companion, which ends
// setup; false (with the reason) when a step did not happen.
bool InstallWithDefaults(const std::string& cdDir, std::string& failure);
bool InstallInto(const std::string& cdDir, const std::string& destinationUtf8, const WizardTitles& titles,
                 std::string& failure);

// uninstal.exe from the CD in cdDir with no directory, as a shortcut whose
// working folder is elsewhere starts it: OK to the question, then every
// removal wizard that comes up (the launcher's and its copy's) is walked
// to its end without a restart, and the launcher and every frame titled
// "Setup" are gone; false (with the reason) when a step did not happen.
bool UninstallFromLauncher(const std::string& cdDir, std::string& failure);
