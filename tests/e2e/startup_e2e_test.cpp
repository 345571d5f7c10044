// setup's start-up as a user meets it: the CD image's programs started for
// real under the Windows versions that change their behaviour.
#include <gtest/gtest.h>

#include <string>

#include "e2e_env.h"
#include "wizard_driver.h"
#include "temp_tree.h"
#include "wine_settings.h"

namespace {

constexpr int kMessageBoxText = 0xFFFF;

struct VisibleCount { DWORD processId; int windows; };

// EnumWindows wants a __stdcall function on i686, which a lambda is not.
BOOL CALLBACK CountVisibleWindow(HWND window, LPARAM param) {
    auto* c = reinterpret_cast<VisibleCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == c->processId && IsWindowVisible(window)) ++c->windows;
    return TRUE;
}

// The visible top-level windows of one process.
int VisibleWindowsOf(DWORD processId) {
    VisibleCount count = {processId, 0};
    EnumWindows(CountVisibleWindow, reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

class StartupE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(CdImageDir().empty()) << "VANTRELL_CDIMAGE is not set";
        m_setup = CdImageDir() + "\\setup.exe";
        ASSERT_TRUE(FileExists(m_setup)) << m_setup;
        // The launcher is started from here, as a shortcut or a command
        // prompt may start it: it must find itself beside itself instead.
        m_elsewhere = m_tree.Path("elsewhere");
        ASSERT_TRUE(MakeDirs(m_elsewhere));
        DeleteFileA(RelocatedCopy().c_str());
    }
    void TearDown() override { DeleteFileA(RelocatedCopy().c_str()); }

    static std::string RelocatedCopy() { return WindowsDir() + "\\uninstal.exe"; }

    // Starts the launcher, checks its question and answers it.
    void AnswerLauncher(ChildProcess& launcher, const std::string& program, int button) {
        ASSERT_TRUE(launcher.Start("\"" + program + "\"", m_elsewhere));
        HWND question = WaitForWindow("Confirm File Deletion", launcher.Id(), kWindowTimeoutMs);
        ASSERT_NE(nullptr, question) << DescribeVisibleWindows();
        EXPECT_EQ("This will remove Pixmoor-USB 300 plus. Make sure you are not running "
                  "Pixmoor-USB 300 plus Application.",
                  ControlText(question, kMessageBoxText));
        ASSERT_TRUE(PressButton(question, button));
    }

    // The process of the copy the launcher started: the one with a frame
    // "Setup" that is not the launcher's; 0 when none comes.
    static DWORD RelocatedProcess(DWORD launcherId, DWORD timeoutMs) {
        DWORD found = 0;
        WaitUntil([&] {
            for (const TopWindow& w : ListTopLevelWindows()) {
                if (w.title == "Setup" && w.processId != launcherId) found = w.processId;
            }
            return found != 0;
        }, timeoutMs);
        return found;
    }

    void CloseFrame(ChildProcess& process, HWND frame) {
        PostMessageA(frame, WM_CLOSE, 0, 0);
        EXPECT_TRUE(process.WaitForExit(kWindowTimeoutMs)) << "WM_CLOSE must end the program";
    }

    TempTree m_tree;
    std::string m_setup;
    std::string m_elsewhere;
};

}  // namespace

TEST_F(StartupE2E, FrameIsShownToInstallAndHiddenToUninstallWhateverTheNameCase) {
    struct Case { const char* name; const char* args; bool visible; };
    const Case cases[] = {
        {"setup.exe", "", true},          {"SETUP.EXE", "", true},
        {"Setup.Exe", "", true},          {"uninstal.exe", " C:\\Pixmoor", false},
        {"UNINSTAL.EXE", " C:\\Pixmoor", false}, {"Uninstal.Exe", " C:\\Pixmoor", false},
    };
    int folder = 0;
    for (const Case& c : cases) {
        const std::string program = m_tree.Path("cd" + std::to_string(++folder) + "\\" + c.name);
        ASSERT_TRUE(CopyInto(m_setup, program));
        ChildProcess process;
        HWND frame = StartAndFindFrame(process, "\"" + program + "\"" + c.args);
        ASSERT_NE(nullptr, frame) << c.name << ": no frame. " << DescribeVisibleWindows();
        EXPECT_EQ(c.visible, IsWindowVisible(frame) != 0) << c.name;
        CloseFrame(process, frame);
    }
}

TEST_F(StartupE2E, LauncherCancelCopiesAndStartsNothing) {
    const std::string program = m_tree.Path("cd\\uninstal.exe");
    ASSERT_TRUE(CopyInto(m_setup, program));
    ChildProcess launcher;
    AnswerLauncher(launcher, program, IDCANCEL);
    EXPECT_TRUE(launcher.WaitForExit(kWindowTimeoutMs));
    EXPECT_FALSE(FileExists(RelocatedCopy()));
    EXPECT_EQ(0u, RelocatedProcess(launcher.Id(), 1000));
}

TEST_F(StartupE2E, LauncherOnXpRelocatesFromDriveRootsAndFoldersAndKeepsAHiddenFrame) {
    ScopedWindowsVersion xp("uninstal.exe", "winxp");
    ASSERT_TRUE(xp.ok());
    const std::string root = TestDriveRoot();
    ASSERT_EQ("P:\\", root);
    for (const std::string& program : {root + "uninstal.exe", root + "CD\\uninstal.exe",
                                       root + "Pixmoor CD\\Disk 1\\uninstal.exe"}) {
        DeleteFileA(RelocatedCopy().c_str());
        ASSERT_TRUE(CopyInto(m_setup, program)) << program;
        ChildProcess launcher;
        AnswerLauncher(launcher, program, IDOK);
        HWND frame = WaitForWindow("Setup", launcher.Id(), kWindowTimeoutMs);
        ASSERT_NE(nullptr, frame) << "the launcher goes on with its own uninstall wizard";
        EXPECT_FALSE(IsWindowVisible(frame));
        std::string programBytes, copy;
        ASSERT_TRUE(ReadFileBytes(program, programBytes));
        EXPECT_TRUE(ReadFileBytes(RelocatedCopy(), copy) && copy == programBytes)
            << "the copy in the Windows directory is the program beside the launcher, whole: " << copy.size()
            << " of " << programBytes.size();
        const DWORD relocated = RelocatedProcess(launcher.Id(), kWindowTimeoutMs);
        ASSERT_NE(0u, relocated) << "the copy runs its own hidden wizard; " << DescribeVisibleWindows();
        for (DWORD process : {launcher.Id(), relocated}) {
            std::string failure;
            EXPECT_TRUE(FinishRemovalWizardWithoutRestart(process, failure)) << failure;
        }
        EXPECT_TRUE(launcher.WaitForExit(kWindowTimeoutMs));
        EXPECT_TRUE(WaitForWindowGone("Setup", 0, kWindowTimeoutMs));
        DeleteFileA(program.c_str());
    }
}

TEST_F(StartupE2E, LauncherOn98OnlyStartsTheCopyForItsFolderWhole) {
    ScopedWindowsVersion win98("uninstal.exe", "win98");
    ASSERT_TRUE(win98.ok());
    const std::string folder = m_tree.Path("Pixmoor CD");
    const std::string program = folder + "\\uninstal.exe";
    ASSERT_TRUE(CopyInto(m_setup, program));
    // A file the 98 removal takes from the folder it was started for: gone
    // only when that folder arrived whole, blanks included.
    ASSERT_TRUE(WriteFileBytes(folder + "\\Feedback.exe", "earlier version"));
    ChildProcess launcher;
    AnswerLauncher(launcher, program, IDOK);
    EXPECT_TRUE(launcher.WaitForExit(kWindowTimeoutMs)) << "on 98 the launcher ends by itself";
    const DWORD relocated = RelocatedProcess(launcher.Id(), kWindowTimeoutMs);
    ASSERT_NE(0u, relocated) << DescribeVisibleWindows();
    std::string failure;
    EXPECT_TRUE(FinishRemovalWizardWithoutRestart(relocated, failure)) << failure;
    EXPECT_TRUE(WaitForWindowGone("Setup", 0, kWindowTimeoutMs));
    EXPECT_FALSE(FileExists(folder + "\\Feedback.exe"));
}

TEST_F(StartupE2E, TraceReportWithoutAWritableFileSaysWhyAndEndsWithAnError) {
    // The first report of a machine without the product, as a reference.
    const std::string written = m_tree.Path("report.txt");
    ChildProcess good;
    ASSERT_TRUE(good.Start("\"" + m_setup + "\" /TRACES=\"" + written + "\""));
    ASSERT_TRUE(good.WaitForExit(kWindowTimeoutMs)) << DescribeVisibleWindows();
    EXPECT_EQ(0u, good.ExitCode());
    std::string report;
    EXPECT_TRUE(ReadFileBytes(written, report) && report.find("== Uninstall") != std::string::npos) << report;

    const std::string readOnly = m_tree.Path("kept.txt");
    ASSERT_TRUE(WriteFileBytes(readOnly, "kept"));
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    struct Case { std::string args; const char* message; DWORD exitCode; };
    const Case cases[] = {
        {"/traces", "setup /traces=FILE", 1},
        {"/traces=", "setup /traces=FILE", 1},
        {"/traces=\"" + m_tree.Path("no such folder\\report.txt") + "\"", "no such folder\\report.txt", 2},
        {"/traces=" + readOnly, "kept.txt", 2},
    };
    for (const Case& c : cases) {
        ChildProcess setup;
        ASSERT_TRUE(setup.Start("\"" + m_setup + "\" " + c.args));
        HWND box = WaitForDialog("Setup", setup.Id(), kWindowTimeoutMs);
        ASSERT_NE(nullptr, box) << c.args << DescribeVisibleWindows();
        EXPECT_NE(std::string::npos, ControlText(box, kMessageBoxText).find(c.message)) << c.args;
        EXPECT_EQ(1, VisibleWindowsOf(setup.Id())) << "the box alone, no frame: " << c.args;
        ASSERT_TRUE(PressButton(box, IDOK));
        ASSERT_TRUE(setup.WaitForExit(kWindowTimeoutMs)) << c.args;
        EXPECT_EQ(c.exitCode, setup.ExitCode()) << c.args;
    }
    std::string kept;
    EXPECT_TRUE(ReadFileBytes(readOnly, kept) && kept == "kept");
    EXPECT_FALSE(DirectoryExists(m_tree.Path("no such folder")));
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(StartupE2E, AProgramStartedHiddenStillShowsItsMessageBoxes) {
    // Started as the launchers start their copies: on a real system the
    // first unowned captioned window of such a process is shown hidden, and
    // a box nobody can see would hold the program for ever.
    struct Case { std::string program; const char* args; const char* caption; DWORD exitCode; };
    const Case cases[] = {
        {m_setup, "/traces", "Setup", 1},
        {CdImageDir() + "\\..\\drvsweep.exe", "/X", "Pixmoor-USB 300 plus", 87},
    };
    for (const Case& c : cases) {
        ChildProcess program;
        ASSERT_TRUE(program.Start("\"" + c.program + "\" " + c.args, m_elsewhere, {}, true));
        HWND box = WaitForDialog(c.caption, program.Id(), kWindowTimeoutMs);
        ASSERT_NE(nullptr, box) << c.program << DescribeVisibleWindows();
        EXPECT_TRUE(IsWindowVisible(box));
        EXPECT_EQ("", WindowsAHiddenStartHides(program.Id())) << c.program;
        ASSERT_TRUE(PressButton(box, IDOK));
        ASSERT_TRUE(program.WaitForExit(kWindowTimeoutMs)) << c.program;
        EXPECT_EQ(c.exitCode, program.ExitCode()) << c.program << " " << c.args;
    }
}
