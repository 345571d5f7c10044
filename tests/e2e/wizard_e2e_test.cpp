// The install and removal wizards as a user walks them, in the real setup
// program under Wine.
#include <gtest/gtest.h>

#include <string>

#include "temp_tree.h"
#include "wine_settings.h"
#include "wizard_driver.h"

namespace {

const char kWelcome[] = "Welcome";
const char kAgreement[] = "Software License Agreement";
const char kDestination[] = "Choose Destination Location";
const char kPicker[] = "Choose Directoty";
const char kRemoving[] = "Remove Programs From Your Computer";
const char kComplete[] = "Uninstall Complete";

std::string DefaultDestination() { return WindowsDir().substr(0, 1) + ":\\Pixmoor-USB 300 plus"; }

// The Choose Directory dialog's answer to a typed path.
HWND PickDirectory(WizardSession& wizard, const std::string& path) {
    EXPECT_TRUE(PressButton(wizard.m_sheet, ids::kBrowse));
    HWND picker = wizard.Dialog(kPicker);
    if (picker == nullptr) return nullptr;
    EXPECT_TRUE(SetControlText(picker, ids::kPickerPath, path));
    EXPECT_TRUE(PressButton(picker, IDOK));
    return picker;
}

class WizardE2E : public ::testing::Test {
protected:
    void TearDown() override { RemoveTree(DefaultDestination()); }

    void WalkToDestination(WizardSession& wizard) {
        ASSERT_TRUE(wizard.Start("\"" + CdImageDir() + "\\setup.exe\"", kWelcome))
            << DescribeVisibleWindows();
        ASSERT_TRUE(wizard.Press(ids::kNext, kAgreement));
        ASSERT_TRUE(wizard.Press(ids::kNext, kDestination));
    }

    TempTree m_tree;
};

}  // namespace

TEST_F(WizardE2E, InstallWizardWalksToTheDestinationAndItsDirectoryPicker) {
    WizardSession wizard;
    ASSERT_TRUE(wizard.Start("\"" + CdImageDir() + "\\setup.exe\"", kWelcome)) << DescribeVisibleWindows();
    EXPECT_EQ("Welcome to the Vantrell Pixmoor-USB 300 plus Setup program. This program will "
              "install Vantrell Pixmoor-USB 300 plus on your computer.",
              wizard.Text(ids::kWelcomeText));
    ASSERT_TRUE(WaitUntil([&] { return !IsControlEnabled(wizard.m_sheet, ids::kBack); }, 5000))
        << "Back is disabled on the first page";
    // Every modal window is owned, so nothing behind it can be clicked: the
    // wizard by the frame, which it disables.
    ASSERT_NE(nullptr, wizard.Frame());
    EXPECT_EQ(wizard.Frame(), GetWindow(wizard.m_sheet, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(wizard.Frame()));
    const std::string nextCaption = wizard.Text(ids::kNext);
    const std::string cancelCaption = wizard.Text(ids::kCancel);

    // Agreement: "Yes" and "No" stand in for Next and Cancel.
    ASSERT_TRUE(wizard.Press(ids::kNext, kAgreement));
    EXPECT_EQ("Yes", wizard.Text(ids::kNext));
    EXPECT_EQ("No", wizard.Text(ids::kCancel));
    const std::string agreement = wizard.Text(ids::kLicenseText);
    EXPECT_EQ(0u, agreement.find("END-USER SOFTWARE LICENSE AGREEMENT")) << agreement;
    EXPECT_NE(std::string::npos, agreement.find("between you (an individual or a single entity) and Orvanto Inc."));
    EXPECT_NE(std::string::npos, agreement.find("owned by ORVANTO or its suppliers"));
    EXPECT_EQ(std::string::npos, agreement.find("%s"));
    EXPECT_NE(std::string::npos,
              wizard.Text(ids::kLicenseQuestion).find("To install Pixmoor-USB 300 plus, you must"));

    // "No" asks to exit, over the wizard; Resume stays on the agreement with its captions.
    ASSERT_TRUE(wizard.Press(ids::kCancel));
    HWND exitSetup = wizard.Dialog("Exit Setup");
    EXPECT_EQ(wizard.m_sheet, GetWindow(exitSetup, GW_OWNER));
    ASSERT_TRUE(wizard.Answer(exitSetup, IDOK));
    EXPECT_EQ(kAgreement, wizard.Title());
    EXPECT_EQ("Yes", wizard.Text(ids::kNext));
    EXPECT_EQ("No", wizard.Text(ids::kCancel));

    // Back restores the sheet's own captions; so does "Yes".
    ASSERT_TRUE(wizard.Press(ids::kBack, kWelcome));
    EXPECT_EQ(nextCaption, wizard.Text(ids::kNext));
    EXPECT_EQ(cancelCaption, wizard.Text(ids::kCancel));
    ASSERT_TRUE(wizard.Press(ids::kNext, kAgreement));
    ASSERT_TRUE(wizard.Press(ids::kNext, kDestination));
    EXPECT_EQ(nextCaption, wizard.Text(ids::kNext));
    EXPECT_EQ(cancelCaption, wizard.Text(ids::kCancel));
    EXPECT_TRUE(IsControlEnabled(wizard.m_sheet, ids::kBack));

    // Destination: the product folder on the Windows drive.
    EXPECT_EQ(DefaultDestination(), wizard.Text(ids::kDestination));
    EXPECT_EQ("Setup will install Pixmoor-USB 300 plus  in the following directory.",
              wizard.Text(ids::kDestIntro));
    EXPECT_EQ("You can choose not to install Pixmoor-USB 300 plus by clicking Cancel to exit Setup.",
              wizard.Text(ids::kDestCancelNote));

    // A directory that does not exist: No leaves nothing behind.
    const std::string chosen = m_tree.Path("Camera Software");
    HWND picker = PickDirectory(wizard, chosen);
    ASSERT_NE(nullptr, picker);
    EXPECT_EQ(wizard.m_sheet, GetWindow(picker, GW_OWNER));
    HWND question = wizard.Dialog("Setup");
    ASSERT_NE(nullptr, question) << DescribeVisibleWindows();
    EXPECT_EQ(picker, GetWindow(question, GW_OWNER)) << "the question comes over the picker";
    EXPECT_NE(std::string::npos, ControlText(question, ids::kMessageText).find("does not exist."));
    ASSERT_TRUE(wizard.Answer(question, IDNO));
    EXPECT_FALSE(DirectoryExists(chosen));
    EXPECT_TRUE(IsWindow(picker)) << "the picker stays open";

    // Yes creates it, and the page shows it.
    ASSERT_TRUE(SetControlText(picker, ids::kPickerPath, chosen));
    ASSERT_TRUE(PressButton(picker, IDOK));
    ASSERT_TRUE(wizard.Answer(wizard.Dialog("Setup"), IDYES));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(picker); }, kWindowTimeoutMs));
    EXPECT_TRUE(DirectoryExists(chosen));
    EXPECT_EQ(chosen, wizard.Text(ids::kDestination));

    // An invalid path is refused with its message; the picker stays and changes nothing.
    for (const char* bad : {"Q:\\no drive\\here", "relative\\dir"}) {
        picker = PickDirectory(wizard, bad);
        ASSERT_NE(nullptr, picker);
        HWND invalid = wizard.Dialog("Setup");
        ASSERT_NE(nullptr, invalid);
        EXPECT_NE(std::string::npos,
                  ControlText(invalid, ids::kMessageText).find("is invalid, incomplete or write protected."))
            << bad;
        ASSERT_TRUE(wizard.Answer(invalid, IDOK));
        EXPECT_TRUE(IsWindow(picker));
        ASSERT_TRUE(wizard.Answer(picker, IDCANCEL));
        EXPECT_EQ(chosen, wizard.Text(ids::kDestination));
    }

    // Next would install into this prefix (the install scenarios walk it on
    // a clean machine); here Exit Setup leaves, taking the empty chosen directory.
    ASSERT_TRUE(wizard.Press(ids::kCancel));
    ASSERT_TRUE(wizard.Answer(wizard.Dialog("Exit Setup"), IDCANCEL));
    EXPECT_TRUE(wizard.m_process.WaitForExit(kWindowTimeoutMs));
    EXPECT_FALSE(DirectoryExists(chosen));
}

TEST_F(WizardE2E, ExitSetupOnTheDestinationPageRemovesOnlyAnEmptyDestination) {
    for (bool withFile : {false, true}) {
        ASSERT_TRUE(MakeDirs(DefaultDestination()));
        if (withFile) {
            ASSERT_TRUE(WriteFileBytes(DefaultDestination() + "\\keep.txt", "user data"));
        }
        WizardSession wizard;
        WalkToDestination(wizard);
        // Another program's window of the frame's title, above it.
        ForeignWindow other("Setup");
        ASSERT_TRUE(wizard.Press(ids::kCancel));
        ASSERT_TRUE(wizard.Answer(wizard.Dialog("Exit Setup"), IDCANCEL));
        EXPECT_TRUE(wizard.m_process.WaitForExit(kWindowTimeoutMs)) << "Exit Setup ends setup";
        EXPECT_TRUE(other.StillOpen()) << "Exit Setup closed another program's window titled \"Setup\"";
        EXPECT_EQ(withFile, DirectoryExists(DefaultDestination())) << "with file: " << withFile;
        RemoveTree(DefaultDestination());
    }
}

TEST_F(WizardE2E, UninstallWizardRunsItsPassAndFinishesWithoutRestart) {
    const std::string program = m_tree.Path("cd\\uninstal.exe");
    ASSERT_TRUE(CopyInto(CdImageDir() + "\\setup.exe", program));
    WizardSession wizard;
    ASSERT_TRUE(wizard.Start("\"" + program + "\" C:\\Pixmoor", kRemoving)) << DescribeVisibleWindows();
    for (int id : {ids::kBack, ids::kNext, ids::kCancel}) {
        EXPECT_FALSE(IsControlVisible(wizard.m_sheet, id)) << "button " << id;
    }
    EXPECT_FALSE(IsControlVisible(wizard.m_sheet, ids::kUninstallDone));
    ASSERT_TRUE(WaitUntil([&] { return IsControlVisible(wizard.m_sheet, ids::kUninstallDone); },
                          kWindowTimeoutMs));
    EXPECT_EQ("Uninstall completed.", wizard.Text(ids::kUninstallDone));
    ASSERT_TRUE(WaitUntil([&] { return IsControlEnabled(wizard.m_sheet, ids::kNext) &&
                                       IsControlVisible(wizard.m_sheet, ids::kNext); }, 5000));

    // DRVSWEEP started while this removal runs removes nothing: it does not
    // even place its copy in Temp.
    const std::string sweep = m_tree.Path("product\DRVSWEEP.EXE");
    const std::string tempCopy = WindowsDir() + "\Temp\DRVSWEEP.EXE";
    const std::string log = m_tree.Path("second.log");
    ASSERT_TRUE(CopyInto(CdImageDir() + "\\..\\drvsweep.exe", sweep));
    DeleteFileA(tempCopy.c_str());
    ChildProcess second;
    ASSERT_TRUE(second.Start("\"" + sweep + "\" /S /LOG=\"" + log + "\""));
    ASSERT_TRUE(second.WaitForExit(kWindowTimeoutMs));
    EXPECT_EQ(1618u, second.ExitCode());
    std::string logText;
    EXPECT_TRUE(ReadFileBytes(log, logText) && logText.find("already running") != std::string::npos) << logText;
    EXPECT_FALSE(FileExists(tempCopy));
    EXPECT_TRUE(FileExists(sweep));

    // The bar is full: red up to its right end.
    HWND bar = FindControl(wizard.m_sheet, ids::kProgressBar);
    ASSERT_NE(nullptr, bar);
    RECT rect;
    GetWindowRect(bar, &rect);
    EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(rect.right - 3, rect.bottom - 3));

    ASSERT_TRUE(wizard.Press(ids::kNext, kComplete));
    EXPECT_TRUE(IsButtonChecked(wizard.m_sheet, ids::kRestartYes)) << "restart is preselected";
    EXPECT_TRUE(IsControlVisible(wizard.m_sheet, ids::kFinish));
    for (int id : {ids::kBack, ids::kNext, ids::kCancel}) {
        EXPECT_FALSE(IsControlVisible(wizard.m_sheet, id)) << "button " << id;
    }

    HWND later = FindControl(wizard.m_sheet, ids::kRestartNo);
    ASSERT_NE(nullptr, later);
    SendMessageA(later, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsButtonChecked(wizard.m_sheet, ids::kRestartNo); }, 5000));
    EXPECT_FALSE(IsButtonChecked(wizard.m_sheet, ids::kRestartYes));
    ASSERT_TRUE(PressButton(wizard.m_sheet, ids::kFinish));
    EXPECT_TRUE(wizard.m_process.WaitForExit(kWindowTimeoutMs)) << "Finish closes the sheet and the frame";
    EXPECT_EQ(3010u, wizard.m_process.ExitCode()) << "done, and the restart that finishes it is left for later";
}

TEST_F(WizardE2E, SetupLoadsNoLibraryPlantedBesideIt) {
    // A copied CD with libraries under the names setup loads by name, and
    // Wine told to prefer a DLL found there over its own.
    struct ClearOverrides {
        ~ClearOverrides() { ClearProgramWindowsVersion("setup.exe"); }
    } clearOverrides;
    const std::string cd = m_tree.Path("copied cd");
    for (const char* file : {"setup.exe", "USBDE301r.INF"}) {
        ASSERT_TRUE(CopyInto(CdImageDir() + "\\" + file, cd + "\\" + file));
    }
    for (const char* library : {"ddraw", "dinput", "d3d8", "comctl32", "comdlg32", "winmm"}) {
        ASSERT_TRUE(CopyInto(HelpersDir() + "\\planted.dll", cd + "\\" + library + ".dll"));
        ASSERT_TRUE(PreferNativeLibrary("setup.exe", library));
    }
    const std::string record = m_tree.Path("planted.log");

    // Past the Welcome page (the DirectX probe) to the directory picker
    // (the common dialog library), then out.
    WizardSession wizard;
    ASSERT_TRUE(wizard.Start("\"" + cd + "\\setup.exe\"", kWelcome, {{"VANTRELL_RECORD", record}}, cd))
        << DescribeVisibleWindows();
    ASSERT_TRUE(wizard.Press(ids::kNext, kAgreement));
    ASSERT_TRUE(wizard.Press(ids::kNext, kDestination));
    ASSERT_TRUE(PressButton(wizard.m_sheet, ids::kBrowse));
    HWND picker = wizard.Dialog(kPicker);
    ASSERT_NE(nullptr, picker) << DescribeVisibleWindows();
    ASSERT_TRUE(wizard.Answer(picker, IDCANCEL));
    ASSERT_TRUE(wizard.Press(ids::kCancel));
    ASSERT_TRUE(wizard.Answer(wizard.Dialog("Exit Setup"), IDCANCEL));
    EXPECT_TRUE(wizard.m_process.WaitForExit(kWindowTimeoutMs));
    std::string loaded;
    ReadFileBytes(record, loaded);
    EXPECT_EQ("", loaded) << "a planted library was loaded";
}
