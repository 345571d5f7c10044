// setup's removal wizard on a machine with the traces of earlier versions
// and with other makers' files and keys beside them. CTest runs these in a
// fresh prefix per Windows version (VANTRELL_WINVER), in order.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dirty_machine.h"
#include "temp_tree.h"
#include "wine_settings.h"
#include "wizard_driver.h"

namespace {

std::string SystemDir() {
    char dir[MAX_PATH] = "";
    GetSystemDirectoryA(dir, sizeof dir);
    return dir;
}

class UninstallE2E : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string version = EnvironmentPath("VANTRELL_WINVER");
        ASSERT_FALSE(version.empty()) << "VANTRELL_WINVER names the scenario's Windows";
        m_version = std::make_unique<ScopedWindowsVersion>("uninstal.exe", version);
        ASSERT_TRUE(m_version->ok());
        m_dirs = {WindowsDir(), SystemDir(), WindowsDir().substr(0, 2) + "\\Program Files\\Pixmoor-USB 300 plus",
                  version != "win98"};
        m_machine = SetupRemovalMachine(m_dirs);
        m_program = TestDriveRoot() + "uninstall run\\uninstal.exe";
        ASSERT_TRUE(CopyInto(CdImageDir() + "\\setup.exe", m_program));
    }

    // The uninstall program started for the product directory, walked to its end.
    void RunRemovalWizard() {
        if (m_dirs.ntLine) {
            // The NT line finds the product directory where the install recorded it.
            WritePrivateProfileStringA("DestPath", "DestPath", m_dirs.installDir.c_str(), "vantrell.ini");
        }
        ChildProcess uninstall;
        ASSERT_TRUE(uninstall.Start("\"" + m_program + "\" " + m_dirs.installDir));
        std::string failure;
        ASSERT_TRUE(FinishRemovalWizardWithoutRestart(uninstall.Id(), failure)) << failure;
        ASSERT_TRUE(uninstall.WaitForExit(60000)) << "Finish ends the uninstall program";
    }

    static std::string Joined(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) text += "\n  " + line;
        return text;
    }

    std::unique_ptr<ScopedWindowsVersion> m_version;
    MachineDirs m_dirs;
    DirtyMachine m_machine;
    std::string m_program;
};

}  // namespace

TEST_F(UninstallE2E, RemovesEveryFamilyTraceAndKeepsEveryBystander) {
    std::string failure;
    ASSERT_TRUE(SeedMachine(m_machine, failure)) << failure;
    std::size_t traces = 0;
    for (const SeedFile& file : m_machine.files) traces += file.fate == Fate::Removed;
    for (const SeedValue& value : m_machine.registry) traces += value.fate == Fate::Removed;
    ASSERT_EQ(traces, CheckMachine(m_machine).size()) << "before the pass only the traces are reported";

    RunRemovalWizard();

    const std::vector<std::string> problems = CheckMachine(m_machine);
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems:" << Joined(problems);
    EXPECT_FALSE(DirectoryExists(m_dirs.installDir)) << "the emptied product directory goes";
    char dovrex[16] = "unset";
    GetPrivateProfileStringA("drivers", "MsVideo.Dovrex", "unset", dovrex, sizeof dovrex, "system.ini");
    EXPECT_STREQ("", dovrex) << "the entry stays, naming no driver";
}

TEST_F(UninstallE2E, ASecondPassEndsInTheSameCleanState) {
    RunRemovalWizard();
    const std::vector<std::string> problems = CheckMachine(m_machine);
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems:" << Joined(problems);
}

TEST_F(UninstallE2E, PassesKilledPartWayLeaveWhatTheNextPassFinishes) {
    std::string failure;
    ASSERT_TRUE(SeedMachine(m_machine, failure)) << failure;
    if (m_dirs.ntLine) {
        WritePrivateProfileStringA("DestPath", "DestPath", m_dirs.installDir.c_str(), "vantrell.ini");
    }
    // The pass starts 1.5 s after the page appears; end it at points spread
    // over its run (fixed, so that a failure can be repeated).
    for (DWORD killAfterMs : {1700u, 2300u, 3100u}) {
        ChildProcess uninstall;
        ASSERT_TRUE(uninstall.Start("\"" + m_program + "\" " + m_dirs.installDir));
        ASSERT_NE(nullptr, WaitForDialog("Remove Programs From Your Computer", uninstall.Id(), kWindowTimeoutMs));
        Sleep(killAfterMs);
        uninstall.Kill();
    }
    RunRemovalWizard();
    const std::vector<std::string> problems = CheckMachine(m_machine);
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems:" << Joined(problems);
}
