// setup's removal wizard on a machine with the traces of earlier versions
// and with other makers' files and keys beside them. CTest runs these in a
// fresh prefix per Windows version (VANTRELL_WINVER), in order.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "dirty_machine.h"
#include "machine_snapshot.h"
#include "temp_tree.h"
#include "trace_report_check.h"
#include "wine_settings.h"
#include "wizard_driver.h"

namespace {

const char kStillImageApps[] = "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications";

std::string SystemDir() {
    char dir[MAX_PATH] = "";
    GetSystemDirectoryA(dir, sizeof dir);
    return dir;
}

// The key's DACL as the system gives it; empty when it cannot be read.
std::string KeyDacl(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, READ_CONTROL, &key) != ERROR_SUCCESS) return "";
    std::string dacl(4096, '\0');
    DWORD size = static_cast<DWORD>(dacl.size());
    const LONG rc = RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, &dacl[0], &size);
    RegCloseKey(key);
    dacl.resize(rc == ERROR_SUCCESS ? size : 0);
    return dacl;
}

std::string ProgramsFolder() {
    char dir[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, dir);
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

    // The uninstall program started for the product directory (or for
    // `folder`), walked to its end.
    void RunRemovalWizard(const std::string& folder = std::string()) {
        const std::string dir = folder.empty() ? m_dirs.installDir : folder;
        if (m_dirs.ntLine) {
            // The NT line finds the product directory where the install recorded it.
            WritePrivateProfileStringA("DestPath", "DestPath", dir.c_str(), "vantrell.ini");
        }
        // Hidden, as the launcher starts its copy.
        ChildProcess uninstall;
        ASSERT_TRUE(uninstall.Start("\"" + m_program + "\" " + dir, "", {}, true));
        std::string failure;
        ASSERT_TRUE(FinishRemovalWizardWithoutRestart(uninstall.Id(), failure)) << failure;
        ASSERT_TRUE(uninstall.WaitForExit(60000)) << "Finish ends the uninstall program";
    }

    // What the removal and the report look at; this Wine keeps
    // CurrentControlSet as keys of its own, beside ControlSet001, and the
    // seed adds ControlSet002.
    MachineSnapshot Snapshot() const {
        return SnapshotOfMachine({m_dirs.installDir, ProgramsFolder()},
                                 {"System\\CurrentControlSet", "System\\ControlSet002"});
    }

    // setup /traces=FILE, run as `program`, into the test drive's `name`
    // (kept there for a look); the report it wrote.
    std::string RunReport(const std::string& program, const char* name) {
        return RunTraceReport(program, TestDriveRoot() + name);
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
    const std::string rightsBefore = m_dirs.ntLine ? KeyDacl(kStubbornInstance) : "";
    ASSERT_EQ(m_dirs.ntLine, !rightsBefore.empty());

    RunRemovalWizard();

    const std::vector<std::string> problems = CheckMachine(m_machine);
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems:" << Joined(problems);
    EXPECT_TRUE(rightsBefore == KeyDacl(kStubbornInstance)) << "a key that stays keeps its own rights";
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

TEST_F(UninstallE2E, AFolderThatResolvesToARootOrTheWindowsFolderLosesNothing) {
    // Files of the names the tables delete from the product folder, the
    // user's own, where such folders resolve.
    const std::string windows = WindowsDir();
    const std::string root = windows.substr(0, 3);
    std::vector<std::string> userFiles;
    for (const char* name : {"Feedback.exe", "USBCAM.HLP", "USBCAM.GID", "USBCAM.EXE", "UNINSTAL.EXE", "DRVSWEEP.EXE"}) {
        userFiles.push_back(root + name);
    }
    // (The Windows folder's UNINSTAL.EXE and USBCAM.EXE are table rows of their own.)
    for (const char* name : {"Feedback.exe", "USBCAM.HLP", "USBCAM.GID", "DRVSWEEP.EXE"}) {
        userFiles.push_back(windows + "\\" + name);
    }
    for (const std::string& file : userFiles) ASSERT_TRUE(WriteFileBytes(file, "the user's own")) << file;

    for (const std::string& folder : {root + ".", root + "Pixmoor-USB 300 plus\\..", root + "/",
                                      windows + "\\..\\..", windows, windows + "\\system32\\..",
                                      std::string("Pixmoor-USB 300 plus")}) {
        RunRemovalWizard(folder);
        ASSERT_FALSE(HasFatalFailure()) << folder;
        for (const std::string& file : userFiles) EXPECT_TRUE(FileExists(file)) << file << " lost to " << folder;
    }
    for (const std::string& file : userFiles) DeleteFileA(file.c_str());
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

// Where the report and the removal disagree on these machines, each with its
// reason; every one listed must be seen, so the list stays exact.
const std::vector<ReportDifference> kDifferences = {};

TEST_F(UninstallE2E, TraceReportListsWhatTheRemovalThenTakes) {
    std::string failure;
    ASSERT_TRUE(SeedMachine(m_machine, failure)) << failure;
    // A program group from an earlier install: the program manager's folder.
    const std::string group = ProgramsFolder() + "\\Pixmoor-USB 300 plus";
    ASSERT_TRUE(MakeDirs(group));
    ASSERT_TRUE(WriteFileBytes(group + "\\Uninstall Pixmoor-USB 300 plus.lnk", "seeded"));
    if (m_dirs.ntLine) WritePrivateProfileStringA("DestPath", "DestPath", m_dirs.installDir.c_str(), "vantrell.ini");
    WritePrivateProfileStringA("drivers", "MsVideo.Dovrex", "dovrex.drv", "system.ini");
    // A table's key with a key below: 2000/XP delete neither, 95/98/Me both.
    HKEY below = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VANTRELL\\USB CAM\\Settings", &below));
    RegCloseKey(below);
    // The report finds the product directory as the uninstall does: on the
    // 98 line it is the folder the program runs from.
    const std::string version = EnvironmentPath("VANTRELL_WINVER");
    ScopedWindowsVersion reportVersion("setup.exe", version);
    ASSERT_TRUE(reportVersion.ok());
    const std::string program = m_dirs.ntLine ? CdImageDir() + "\\setup.exe" : m_dirs.installDir + "\\setup.exe";
    ASSERT_TRUE(m_dirs.ntLine || CopyInto(CdImageDir() + "\\setup.exe", program));

    const MachineSnapshot before = Snapshot();
    const DWORD reportStart = GetTickCount();
    const std::string report = RunReport(program, "traces before.txt");
    const DWORD reportMs = GetTickCount() - reportStart;
    EXPECT_TRUE(Snapshot().ChangesSince(before).empty())
        << "the report deletes and writes nothing";
    const DWORD removalStart = GetTickCount();
    RunRemovalWizard();
    const DWORD removalMs = GetTickCount() - removalStart;
    const std::vector<std::string> changes = Snapshot().ChangesSince(before);

    const std::vector<ReportItem> items = ReportSection(report, "Uninstall");
    const std::vector<ReportItem> purge = ReportSection(report, "Install");
    for (const std::vector<ReportItem>* section : {&items, &purge}) {
        std::set<std::string> lines;
        for (const ReportItem& item : *section) {
            EXPECT_TRUE(lines.insert(Line(item)).second) << "listed twice: " << Line(item);
        }
    }
    // The install's purge of earlier still-image entries finds the seed's.
    const std::string windows = WindowsDir();
    const std::vector<std::string> expectedPurge =
        m_dirs.ntLine ? std::vector<std::string>{
                            "registry key HKLM\\System\\ControlSet001\\Services\\class\\Image\\0002",
                            "registry key HKLM\\System\\CurrentControlSet\\Services\\OVT511",
                            "file " + windows + "\\TWAIN_32\\OvtTwn.DS",
                            "file " + windows + "\\TWAIN_32\\OVT\\USB\\OMScanDs.DS",
                        }
                      : std::vector<std::string>{
                            "device instance HKLM\\Enum\\Root\\Image\\0002",
                            "registry value " + std::string("HKLM\\") + kStillImageApps +
                                " (value \"Vantrell Still Image Capture\")",
                            "registry value " + std::string("HKLM\\") + kStillImageApps +
                                " (value \"WDM Still Image Capture\")",
                            "registry key HKLM\\System\\CurrentControlSet\\Services\\OMSCAN",
                            "registry subtree HKLM\\SOFTWARE\\VANTRELL\\USB CAM (with 1 key below)",
                            "file " + windows + "\\INF\\Other\\VantrellUSB-SCAN.INF",
                        };
    std::vector<std::string> purgeLines;
    for (const ReportItem& item : purge) purgeLines.push_back(Line(item));
    EXPECT_EQ(expectedPurge, purgeLines) << report;
    std::printf("trace report: %u items, %lu ms; removal wizard %lu ms\n", static_cast<unsigned>(items.size()),
                static_cast<unsigned long>(reportMs), static_cast<unsigned long>(removalMs));
    const std::string mismatches = ReportMismatches(items, changes, kDifferences);
    EXPECT_TRUE(mismatches.empty()) << mismatches << "\nreport:\n" << report;

    const std::string second = RunReport(program, "traces after.txt");
    EXPECT_TRUE(ReportSection(second, "Uninstall").empty()) << second;
    EXPECT_TRUE(ReportSection(second, "Install").empty()) << second;
}
