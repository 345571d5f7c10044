// The stand-alone uninstaller's start: its OS flag, and the copy it places
// in the Temp folder with the command line that starts that copy.
#include <gtest/gtest.h>

#include <string>

#include "drvsweep/drvsweep_app.h"
#include "drvsweep/self_relocation.h"
#include "temp_tree.h"
#include "ui_driver.h"
#include "wine_settings.h"

TEST(DrvSweepStartTest, WindowsMeCountsWith98AndEverySystemElseWithNt) {
    EXPECT_EQ(0, DrvSweepNtPathsFlag(0xC0000A04));   // 98
    EXPECT_EQ(0, DrvSweepNtPathsFlag(0xC0005A04));   // Me
    EXPECT_EQ(1, DrvSweepNtPathsFlag(0xC3B60004));   // 95
    EXPECT_EQ(1, DrvSweepNtPathsFlag(0x08930005));   // 2000
    EXPECT_EQ(1, DrvSweepNtPathsFlag(0x0A280105));   // XP
    EXPECT_EQ(1, DrvSweepNtPathsFlag(0x00005A05));   // minor 90 on the NT line
    EXPECT_EQ(1, DrvSweepNtPathsFlag(0x05000A04));   // minor 10 with top byte 5
}

TEST(DrvSweepStartTest, TheTempCopyIsStartedWithTheFolderItCameFromWhole) {
    RelocationPaths paths =
        MakeRelocationPaths("C:\\Program Files\\Pixmoor-USB 300 plus\\DRVSWEEP.EXE", "DRVSWEEP", "C:\\WINDOWS");
    EXPECT_EQ("C:\\Program Files\\Pixmoor-USB 300 plus\\", paths.strSourceDir);
    EXPECT_EQ("DRVSWEEP.exe", paths.strFileName);
    EXPECT_EQ("C:\\WINDOWS\\Temp", paths.strTempDir);
    BoundedString<kPathChars> line;
    ASSERT_TRUE(BuildTempCopyCommandLine(paths, line));
    EXPECT_STREQ("\"C:\\WINDOWS\\Temp\\DRVSWEEP.exe\" C:\\Program Files\\Pixmoor-USB 300 plus\\", line.c_str());

    EXPECT_EQ("D:\\", MakeRelocationPaths("D:\\Uninst.exe", "Uninst", "C:\\WINDOWS").strSourceDir)
        << "a drive root keeps its backslash";
    EXPECT_EQ("AB", MakeRelocationPaths("ABC.EXE", "ABC", "C:\\WINDOWS").strSourceDir);

    paths.strSourceDir = "C:\\" + std::string(240, 'x') + "\\";
    EXPECT_FALSE(BuildTempCopyCommandLine(paths, line)) << "a cut folder must never be started";
}

TEST(DrvSweepStartTest, CopySelfToTempReplacesTheCopyOfAnEarlierRun) {
    TempTree tree;
    const std::string source = tree.Path("product");
    ASSERT_TRUE(MakeDirs(source));
    std::string program;
    ASSERT_TRUE(ReadFileBytes(EnvironmentPath("VANTRELL_HELPERS") + "\\argrecorder.exe", program));
    ASSERT_TRUE(WriteFileBytes(source + "\\DRVSWEEP.exe", program));
    const RelocationPaths paths = MakeRelocationPaths(source + "\\DRVSWEEP.exe", "DRVSWEEP", tree.WindowsDir().c_str());

    // A copy left by an earlier run, of another version: replaced whatever its version.
    ASSERT_TRUE(MakeDirs(tree.WindowsDir() + "\\Temp"));
    ASSERT_TRUE(WriteFileBytes(tree.WindowsDir() + "\\Temp\\DRVSWEEP.exe", "earlier uninstaller"));
    const DWORD first = CopySelfToTemp(paths);
    EXPECT_EQ(0u, first & (VIF_SRCOLD | VIF_CANNOTCREATE | VIF_CANNOTREADSRC | VIF_OUTOFMEMORY)) << std::hex << first;
    std::string copied;
    ASSERT_TRUE(ReadFileBytes(tree.WindowsDir() + "\\Temp\\DRVSWEEP.exe", copied));
    EXPECT_TRUE(copied == program);
}

namespace {

DWORD WINAPI LetGoAfterAMoment(LPVOID held) {
    Sleep(600);
    return CloseHandle(static_cast<HANDLE>(held));
}

}  // namespace

TEST(DrvSweepStartTest, TheTempCopyStartsOnceAScannerHoldingItLetsGoAndNotWhileItHoldsOn) {
    TempTree tree;
    const std::string source = tree.Path("product");
    ASSERT_TRUE(MakeDirs(source));
    std::string program;
    ASSERT_TRUE(ReadFileBytes(EnvironmentPath("VANTRELL_HELPERS") + "\\argrecorder.exe", program));
    const std::string self = source + "\\DRVSWEEP.exe";
    ASSERT_TRUE(WriteFileBytes(self, program));
    const RelocationPaths paths = MakeRelocationPaths(self, "DRVSWEEP", tree.WindowsDir().c_str());
    const DWORD installed = CopySelfToTemp(paths);
    ASSERT_EQ(0u, InstallResultError(installed)) << std::hex << installed;
    const std::string record = tree.Path("record.txt");
    SetEnvironmentVariableA("VANTRELL_RECORD", record.c_str());

    // Held unshared, as an on-access virus scanner holds a fresh file.
    const std::string copy = paths.strTempDir + "\\" + paths.strFileName;
    const auto hold = [&] {
        return CreateFileA(copy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    BoundedString<kPathChars> line;
    DWORD reason = 0;
    const HANDLE heldThroughout = hold();
    ASSERT_NE(INVALID_HANDLE_VALUE, heldThroughout);
    EXPECT_FALSE(LaunchTempCopy(paths, installed, self.c_str(), "", line, nullptr, reason));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), reason) << "it gives up in the end";
    CloseHandle(heldThroughout);

    const HANDLE heldAMoment = hold();
    ASSERT_NE(INVALID_HANDLE_VALUE, heldAMoment);
    DWORD threadId = 0;
    const HANDLE scanner = CreateThread(nullptr, 0, LetGoAfterAMoment, heldAMoment, 0, &threadId);
    ASSERT_NE(nullptr, scanner);
    const bool started = LaunchTempCopy(paths, installed, self.c_str(), "", line, nullptr, reason);
    WaitForSingleObject(scanner, INFINITE);
    CloseHandle(scanner);
    EXPECT_TRUE(started) << "reason " << reason;
    std::string text;
    EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(record, text) && !text.empty(); }, 10000));
    EXPECT_EQ(paths.strSourceDir + "\n", text) << "one start, of the copy held before";
    SetEnvironmentVariableA("VANTRELL_RECORD", nullptr);
}

TEST(DrvSweepStartTest, AProgramPlantedInTempThatIsNotThisOneIsNeverStarted) {
    TempTree tree;
    const std::string source = tree.Path("product");
    ASSERT_TRUE(MakeDirs(source));
    ASSERT_TRUE(MakeDirs(tree.WindowsDir() + "\\Temp"));
    std::string program;
    ASSERT_TRUE(ReadFileBytes(EnvironmentPath("VANTRELL_HELPERS") + "\\argrecorder.exe", program));
    // This program differs from the planted one by a byte after its image.
    const std::string self = source + "\\DRVSWEEP.exe";
    ASSERT_TRUE(WriteFileBytes(self, program + "!"));
    const RelocationPaths paths = MakeRelocationPaths(self, "DRVSWEEP", tree.WindowsDir().c_str());
    const std::string planted = paths.strTempDir + "\\" + paths.strFileName;
    ASSERT_TRUE(WriteFileBytes(planted, program));
    ASSERT_TRUE(SetFileAttributesA(planted.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string record = tree.Path("record.txt");
    SetEnvironmentVariableA("VANTRELL_RECORD", record.c_str());

    // The version installer cannot replace it and says so; had it claimed
    // success, the comparison still finds another program there.
    const DWORD installed = CopySelfToTemp(paths);
    ASSERT_NE(0u, InstallResultError(installed)) << std::hex << installed;
    for (const DWORD result : {installed, DWORD(0)}) {
        BoundedString<kPathChars> line;
        DWORD reason = 0;
        EXPECT_FALSE(LaunchTempCopy(paths, result, self.c_str(), "", line, nullptr, reason)) << std::hex << result;
        EXPECT_EQ(result != 0 ? InstallResultError(result) : DWORD(ERROR_FILE_EXISTS), reason) << std::hex << result;
    }
    Sleep(1000);
    std::string text;
    EXPECT_FALSE(ReadFileBytes(record, text) && !text.empty()) << "the planted program ran: " << text;
    SetEnvironmentVariableA("VANTRELL_RECORD", nullptr);
    SetFileAttributesA(planted.c_str(), FILE_ATTRIBUTE_NORMAL);
}
