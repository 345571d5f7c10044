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
        m_record = m_tree.Path("record.txt");
        SetEnvironmentVariableA("VANTRELL_RECORD", m_record.c_str());
        DeleteFileA(RelocatedCopy().c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableA("VANTRELL_RECORD", nullptr);
        DeleteFileA(RelocatedCopy().c_str());
    }

    static std::string RelocatedCopy() { return WindowsDir() + "\\uninstal.exe"; }

    // A current directory holding a stand-in uninstall program larger than
    // 655,360 bytes that records the command line it was started with.
    std::string PrepareRecorderFolder() {
        std::string recorder;
        EXPECT_TRUE(ReadFileBytes(HelpersDir() + "\\argrecorder.exe", recorder));
        m_recorderBytes = recorder + std::string(700000, 'R');
        const std::string folder = m_tree.Path("current dir");
        EXPECT_TRUE(MakeDirs(folder));
        EXPECT_TRUE(WriteFileBytes(folder + "\\uninstal.exe", m_recorderBytes));
        return folder;
    }

    std::string Recorded(DWORD timeoutMs) {
        std::string text;
        WaitUntil([&] { return ReadFileBytes(m_record, text) && !text.empty(); }, timeoutMs);
        return text;
    }

    // Starts the launcher, checks its question and answers it.
    void AnswerLauncher(ChildProcess& launcher, const std::string& program, int button,
                        const std::string& currentDir) {
        ASSERT_TRUE(launcher.Start("\"" + program + "\"", currentDir));
        HWND question = WaitForWindow("Confirm File Deletion", launcher.Id(), kWindowTimeoutMs);
        ASSERT_NE(nullptr, question) << DescribeVisibleWindows();
        EXPECT_EQ("This will remove Pixmoor-USB 300 plus. Make sure you are not running "
                  "Pixmoor-USB 300 plus Application.",
                  ControlText(question, kMessageBoxText));
        ASSERT_TRUE(PressButton(question, button));
    }

    void CloseFrame(ChildProcess& process, HWND frame) {
        PostMessageA(frame, WM_CLOSE, 0, 0);
        EXPECT_TRUE(process.WaitForExit(kWindowTimeoutMs)) << "WM_CLOSE must end the program";
    }

    TempTree m_tree;
    std::string m_setup;
    std::string m_record;
    std::string m_recorderBytes;
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
    const std::string folder = PrepareRecorderFolder();
    const std::string program = m_tree.Path("cd\\uninstal.exe");
    ASSERT_TRUE(CopyInto(m_setup, program));
    ChildProcess launcher;
    AnswerLauncher(launcher, program, IDCANCEL, folder);
    EXPECT_TRUE(launcher.WaitForExit(kWindowTimeoutMs));
    EXPECT_FALSE(FileExists(RelocatedCopy()));
    EXPECT_EQ("", Recorded(1000));
}

TEST_F(StartupE2E, LauncherOnXpRelocatesFromDriveRootsAndFoldersAndKeepsAHiddenFrame) {
    ScopedWindowsVersion xp("uninstal.exe", "winxp");
    ASSERT_TRUE(xp.ok());
    const std::string folder = PrepareRecorderFolder();
    const std::string root = TestDriveRoot();
    ASSERT_EQ("P:\\", root);
    struct Case { std::string program; std::string expectedDir; };
    const Case cases[] = {
        {root + "uninstal.exe", "P:"},
        {root + "CD\\uninstal.exe", "P:\\CD"},
        {root + "Pixmoor CD\\Disk 1\\uninstal.exe", "P:\\Pixmoor CD\\Disk 1"},
    };
    for (const Case& c : cases) {
        DeleteFileA(m_record.c_str());
        DeleteFileA(RelocatedCopy().c_str());
        ASSERT_TRUE(CopyInto(m_setup, c.program)) << c.program;
        ChildProcess launcher;
        AnswerLauncher(launcher, c.program, IDOK, folder);
        EXPECT_EQ(c.expectedDir + "\n", Recorded(kWindowTimeoutMs)) << c.program;
        std::string copy;
        EXPECT_TRUE(ReadFileBytes(RelocatedCopy(), copy) && copy == m_recorderBytes)
            << "the copy in the Windows directory must be whole: " << copy.size() << " of "
            << m_recorderBytes.size();

        HWND frame = WaitForWindow("Setup", launcher.Id(), kWindowTimeoutMs);
        ASSERT_NE(nullptr, frame) << "the launcher goes on with its own uninstall wizard";
        EXPECT_FALSE(IsWindowVisible(frame));
        std::string failure;
        EXPECT_TRUE(FinishRemovalWizardWithoutRestart(launcher.Id(), failure)) << failure;
        EXPECT_TRUE(launcher.WaitForExit(kWindowTimeoutMs));
        DeleteFileA(c.program.c_str());
    }
}

TEST_F(StartupE2E, LauncherOn98OnlyStartsTheCopy) {
    ScopedWindowsVersion win98("uninstal.exe", "win98");
    ASSERT_TRUE(win98.ok());
    const std::string folder = PrepareRecorderFolder();
    const std::string program = m_tree.Path("Pixmoor CD\\uninstal.exe");
    ASSERT_TRUE(CopyInto(m_setup, program));
    ChildProcess launcher;
    AnswerLauncher(launcher, program, IDOK, folder);
    EXPECT_TRUE(launcher.WaitForExit(kWindowTimeoutMs)) << "on 98 the launcher ends by itself";
    EXPECT_EQ(m_tree.Path("Pixmoor CD") + "\n", Recorded(kWindowTimeoutMs));
}

TEST_F(StartupE2E, LauncherWithoutItsProgramInstallsOnXpAndEndsOn98) {
    const std::string empty = m_tree.Path("empty");
    ASSERT_TRUE(MakeDirs(empty));
    const std::string program = m_tree.Path("cd\\uninstal.exe");
    ASSERT_TRUE(CopyInto(m_setup, program));
    {
        ScopedWindowsVersion xp("uninstal.exe", "winxp");
        ChildProcess launcher;
        AnswerLauncher(launcher, program, IDOK, empty);
        HWND frame = WaitForWindow("Setup", launcher.Id(), kWindowTimeoutMs);
        ASSERT_NE(nullptr, frame) << DescribeVisibleWindows();
        EXPECT_TRUE(IsWindowVisible(frame)) << "falls into install mode";
        CloseFrame(launcher, frame);
    }
    {
        ScopedWindowsVersion win98("uninstal.exe", "win98");
        ChildProcess launcher;
        AnswerLauncher(launcher, program, IDOK, empty);
        EXPECT_TRUE(launcher.WaitForExit(kWindowTimeoutMs));
    }
    EXPECT_FALSE(FileExists(RelocatedCopy()));
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
