// The uninstall launcher's relocation: which copy is made, what is started
// and how the process goes on, on both OS lines.
#include <gtest/gtest.h>

#include <string>

#include "app/uninstall_launcher.h"
#include "temp_tree.h"
#include "ui_driver.h"
#include "wine_settings.h"

namespace {

class RelocateUninstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_record = m_tree.Path("record.txt");
        SetEnvironmentVariableA("VANTRELL_RECORD", m_record.c_str());
        std::string recorder;
        ASSERT_TRUE(ReadFileBytes(EnvironmentPath("VANTRELL_HELPERS") + "\\argrecorder.exe", recorder))
            << "VANTRELL_HELPERS must name the folder with argrecorder.exe";
        // Padded past the 655,360 bytes a single fixed-size read would take.
        m_program = recorder + std::string(700000, 'P');
        m_source = m_tree.Path("cwd\\uninstal.exe");
        ASSERT_TRUE(MakeDirs(m_tree.Path("cwd")));
        ASSERT_TRUE(WriteFileBytes(m_source, m_program));
    }
    void TearDown() override { SetEnvironmentVariableA("VANTRELL_RECORD", nullptr); }

    LauncherContext Context(int bNtPaths, const char* programDir, const std::string& windowsDir) {
        m_windowsDir = windowsDir;
        return {bNtPaths, programDir, m_windowsDir.c_str(), m_source.c_str()};
    }
    // The command line the started copy received, or "" when none started in time.
    std::string RecordedCommandLine(DWORD timeoutMs) {
        std::string text;
        WaitUntil([&] { return ReadFileBytes(m_record, text) && !text.empty(); }, timeoutMs);
        return text;
    }

    TempTree m_tree;
    std::string m_record;
    std::string m_program;
    std::string m_source;
    std::string m_windowsDir;
};

}  // namespace

TEST_F(RelocateUninstallerTest, CopiesWholeAndStartsTheCopyWithTheProgramDirectory) {
    // Read-only, as every file on a CD. The copy must not be: the next
    // start from the CD, this loop's second round, writes over it.
    ASSERT_TRUE(SetFileAttributesA(m_source.c_str(), FILE_ATTRIBUTE_READONLY));
    for (int bNtPaths : {1, 0}) {
        DeleteFileA(m_record.c_str());
        const LauncherContext context = Context(bNtPaths, "C:\\Pixmoor CD\\disk 1", m_tree.WindowsDir());
        const LauncherOutcome expected =
            bNtPaths ? LauncherOutcome::ContinueUninstall : LauncherOutcome::EndProcess;
        EXPECT_EQ(expected, RelocateUninstaller(context)) << "bNtPaths " << bNtPaths;

        std::string copy;
        ASSERT_TRUE(ReadFileBytes(m_tree.WindowsDir() + "\\uninstal.exe", copy));
        EXPECT_TRUE(copy == m_program) << "copy has " << copy.size() << " of " << m_program.size();
        EXPECT_EQ(0u, GetFileAttributesA((m_tree.WindowsDir() + "\\uninstal.exe").c_str()) & FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ("C:\\Pixmoor CD\\disk 1\n", RecordedCommandLine(10000));
    }
}

TEST_F(RelocateUninstallerTest, MissingProgramEndsOn98AndInstallsElsewhere) {
    ASSERT_TRUE(DeleteFileA(m_source.c_str()));
    EXPECT_EQ(LauncherOutcome::EndProcess, RelocateUninstaller(Context(0, "D:", m_tree.WindowsDir())));
    EXPECT_EQ(LauncherOutcome::ContinueInstall,
              RelocateUninstaller(Context(1, "D:", m_tree.WindowsDir())));
    EXPECT_FALSE(FileExists(m_tree.WindowsDir() + "\\uninstal.exe"));
}

TEST_F(RelocateUninstallerTest, NothingStartsWhenTheCopyOrItsCommandLineFails) {
    // The copy cannot be created: the process still goes on as after a copy.
    const std::string noWindows = m_tree.Path("no-such-windows");
    EXPECT_EQ(LauncherOutcome::ContinueUninstall, RelocateUninstaller(Context(1, "D:", noWindows)));
    EXPECT_EQ(LauncherOutcome::EndProcess, RelocateUninstaller(Context(0, "D:", noWindows)));

    // A program directory too long for the command line is never started cut.
    const std::string longDir = "D:\\" + std::string(500, 'x');
    EXPECT_EQ(LauncherOutcome::ContinueUninstall,
              RelocateUninstaller(Context(1, longDir.c_str(), m_tree.WindowsDir())));
    EXPECT_EQ("", RecordedCommandLine(1500));
}

TEST(RelocatedCommandLine, AppendsTheDirectoryAfterOneBlankUnquoted) {
    BoundedString<kPathChars * 2> line;
    ASSERT_TRUE(BuildRelocatedCommandLine("C:\\WINDOWS", "E:", line));
    EXPECT_STREQ("C:\\WINDOWS\\uninstal E:", line.c_str());
    BoundedString<kPathChars * 2> tooLong;
    EXPECT_FALSE(BuildRelocatedCommandLine("C:\\WINDOWS", std::string(520, 'x').c_str(), tooLong));
}
