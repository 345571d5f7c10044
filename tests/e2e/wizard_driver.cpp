#include "wizard_driver.h"

#include "expected_registration.h"

bool WizardSession::Start(const std::string& commandLine, const std::string& firstPage,
                          const std::vector<std::pair<std::string, std::string>>& environment,
                          const std::string& currentDir) {
    if (!m_process.Start(commandLine, currentDir.empty() ? CdImageDir() : currentDir, environment)) return false;
    m_sheet = WaitForDialog(firstPage, m_process.Id(), kWindowTimeoutMs);
    return m_sheet != nullptr;
}

bool WizardSession::Press(int buttonId, const std::string& nextPage) {
    if (!PressButton(m_sheet, buttonId)) return false;
    return nextPage.empty() || WaitForTitle(m_sheet, nextPage, kWindowTimeoutMs);
}

HWND WizardSession::Dialog(const std::string& title) {
    return WaitForDialog(title, m_process.Id(), kWindowTimeoutMs);
}

HWND WizardSession::Frame() const {
    for (const TopWindow& w : ListTopLevelWindows()) {
        if (w.processId == m_process.Id() && w.title == "Setup" && w.className != "#32770") return w.hWnd;
    }
    return nullptr;
}

bool WizardSession::Answer(HWND dialog, int buttonId) {
    if (dialog == nullptr || !PressButton(dialog, buttonId)) return false;
    return WaitUntil([&] { return !IsWindow(dialog); }, kWindowTimeoutMs);
}

const WizardTitles kEnglishTitles = {
    "Welcome", "Software License Agreement", "Choose Destination Location", "Choose Directoty",
    "Remove Programs From Your Computer", "Uninstall Complete",
};

namespace {

// Every removal wizard runs in a copy that its launcher started hidden (or,
// the XP launcher's own, could be): a window that a real system would keep
// hidden there is one the user never sees.
bool ShownDespiteAHiddenStart(DWORD processId, std::string& failure) {
    const std::string hidden = WindowsAHiddenStartHides(processId);
    if (hidden.empty()) return true;
    failure = "started hidden, a real system would have kept hidden:" + hidden;
    return false;
}

}  // namespace

bool FinishRemovalWizardWithoutRestart(DWORD processId, std::string& failure, const WizardTitles& titles) {
    HWND sheet = WaitForDialog(titles.removal, processId, kWindowTimeoutMs);
    if (sheet == nullptr) {
        failure = "no removal wizard; " + DescribeVisibleWindows();
        return false;
    }
    if (!ShownDespiteAHiddenStart(processId, failure)) return false;
    if (!WaitUntil([&] { return IsControlVisible(sheet, ids::kNext) && IsControlEnabled(sheet, ids::kNext); },
                   kWindowTimeoutMs)) {
        failure = "the removal pass never offered Next";
        return false;
    }
    if (!PressButton(sheet, ids::kNext) || !WaitForTitle(sheet, titles.complete, kWindowTimeoutMs)) {
        failure = "Next did not lead to the restart page";
        return false;
    }
    if (!ShownDespiteAHiddenStart(processId, failure)) return false;
    HWND later = FindControl(sheet, ids::kRestartNo);
    if (later == nullptr) {
        failure = "no restart-later choice";
        return false;
    }
    SendMessageA(later, BM_CLICK, 0, 0);
    if (!IsButtonChecked(sheet, ids::kRestartNo) || !PressButton(sheet, ids::kFinish)) {
        failure = "could not finish with restart later";
        return false;
    }
    return true;
}

bool InstallWithDefaults(const std::string& cdDir, std::string& failure) {
    return InstallInto(cdDir, "", kEnglishTitles, failure);
}

namespace {

// Browse, the destination typed into the picker, OK, and Yes when setup
// offers to create it.
bool PickDestination(WizardSession& setup, const std::string& destination, const WizardTitles& titles) {
    if (!PressButton(setup.m_sheet, ids::kBrowse)) return false;
    HWND picker = setup.Dialog(titles.picker);
    if (picker == nullptr || !SetControlText(picker, ids::kPickerPath, destination) || !PressButton(picker, IDOK)) {
        return false;
    }
    HWND create = setup.Dialog("Setup");
    return create != nullptr && setup.Answer(create, IDYES) &&
           WaitUntil([&] { return setup.Text(ids::kDestination) == destination; }, kWindowTimeoutMs);
}

}  // namespace

bool InstallInto(const std::string& cdDir, const std::string& destinationUtf8, const WizardTitles& titles,
                 std::string& failure) {
    WizardSession setup;
    if (!setup.Start("\"" + cdDir + "\\setup.exe\"", titles.welcome, {}, cdDir) ||
        !setup.Press(ids::kNext, titles.agreement) || !setup.Press(ids::kNext, titles.destination) ||
        (!destinationUtf8.empty() && !PickDestination(setup, destinationUtf8, titles)) ||
        !PressButton(setup.m_sheet, ids::kNext)) {
        failure = "the install wizard did not go through; " + DescribeVisibleWindows();
        return false;
    }
    HWND companion = WaitForWindow("Pictavo Companion Setup", 0, 60000);
    if (companion == nullptr) {
        failure = "no companion installer; " + DescribeVisibleWindows();
        return false;
    }
    // The registration's last values, then the codec fix-ups' pauses.
    DWORD type = 0;
    std::string command;
    if (!WaitUntil([&] { return ReadValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                          "ScanRegistry", type, command); },
                   30000)) {
        failure = "the still-image registration did not run";
        return false;
    }
    Sleep(3000);
    PostMessageA(companion, WM_CLOSE, 0, 0);
    if (!setup.m_process.WaitForExit(kWindowTimeoutMs)) {
        failure = "setup did not end with the companion installer";
        return false;
    }
    return true;
}

bool UninstallFromLauncher(const std::string& cdDir, std::string& failure) {
    ChildProcess launcher;
    if (!launcher.Start("\"" + cdDir + "\\uninstal.exe\"", WindowsDir())) {
        failure = "uninstal.exe did not start";
        return false;
    }
    HWND question = WaitForWindow("Confirm File Deletion", launcher.Id(), kWindowTimeoutMs);
    if (question == nullptr || !PressButton(question, IDOK)) {
        failure = "no question to confirm; " + DescribeVisibleWindows();
        return false;
    }
    int wizards = 0;
    for (HWND sheet;
         (sheet = WaitForDialog(kEnglishTitles.removal, 0, wizards == 0 ? kWindowTimeoutMs : 5000)) != nullptr;) {
        DWORD processId = 0;
        GetWindowThreadProcessId(sheet, &processId);
        if (!FinishRemovalWizardWithoutRestart(processId, failure)) return false;
        if (!WaitUntil([&] { return !IsWindow(sheet); }, kWindowTimeoutMs)) {
            failure = "a removal wizard stayed after Finish";
            return false;
        }
        ++wizards;
    }
    if (wizards == 0) {
        failure = "the confirmed launcher led into no removal pass; " + DescribeVisibleWindows();
        return false;
    }
    if (!launcher.WaitForExit(kWindowTimeoutMs) || !WaitForWindowGone("Setup", 0, kWindowTimeoutMs)) {
        failure = "the launcher or a frame stayed; " + DescribeVisibleWindows();
        return false;
    }
    return true;
}
