// The stand-alone uninstaller as a user meets it: installed by setup and
// started from its Start Menu item, it asks, relocates into Windows\Temp
// and removes the product there; started with a folder it removes at once.
// CTest runs these in a fresh prefix per Windows version (VANTRELL_WINVER),
// in order.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dirty_machine.h"
#include "machine_snapshot.h"
#include "temp_tree.h"
#include "trace_report_check.h"
#include "wine_settings.h"
#include "wizard_driver.h"

namespace {

const char kRemovalPage[] = "Remove Programs From Your Computer";
const char kQuestion[] = "Confirm File Deletion";
const char kOtherEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Other Camera";

std::string Destination() { return WindowsDir().substr(0, 2) + "\\Pixmoor-USB 300 plus"; }
std::string TempCopy() { return WindowsDir() + "\\Temp\\DRVSWEEP.exe"; }
std::string SystemDir() {
    char dir[MAX_PATH] = "";
    GetSystemDirectoryA(dir, sizeof dir);
    return dir;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += "\n  " + line;
    return text;
}

std::string DriversEntry(const char* name) {
    char value[64] = "unset";
    GetPrivateProfileStringA("drivers", name, "unset", value, sizeof value, "system.ini");
    return value;
}

// The system's list of installed programs as Wine's own tool prints it,
// "KEY|||DisplayName" a line.
std::string ProgramList(const std::string& file) {
    DeleteFileA(file.c_str());
    ChildProcess list;
    const std::string command = "\"" + SystemDir() + "\\cmd.exe\" /c \"\"" + SystemDir() +
                                "\\uninstaller.exe\" --list > \"" + file + "\"\"";
    if (!list.Start(command) || !list.WaitForExit(kWindowTimeoutMs)) return "(the list did not run)";
    std::string text;
    ReadFileBytes(file, text);
    return text;
}

// Nobody holds the file: a program started from it has ended.
bool FileIsFree(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

const char kProductListed[] = "Pixmoor-USB 300 plus|||Pixmoor-USB 300 plus";

// Whether the still-image registration of the install is there: its
// marked image-class instance and its kernel service.
bool HasMarkedImageInstance() {
    for (int n = 0; n < 10; ++n) {
        const std::string path = "System\\CurrentControlSet\\Services\\Class\\Image\\000" + std::to_string(n);
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
        const bool marked = RegQueryValueExA(key, "Flg", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        RegCloseKey(key);
        if (marked) return true;
    }
    return false;
}

bool HasScannerService() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\OMSCAN", 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// The bar's right end, inside its frame: red only at 100%.
bool BarIsFull(HWND sheet) {
    HWND bar = FindControl(sheet, ids::kProgressBar);
    RECT rect;
    if (bar == nullptr || !GetWindowRect(bar, &rect)) return false;
    return ScreenPixel(rect.right - 3, (rect.top + rect.bottom) / 2) == RGB(255, 0, 0);
}

class DrvSweepE2E : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string version = EnvironmentPath("VANTRELL_WINVER");
        ASSERT_FALSE(version.empty()) << "VANTRELL_WINVER names the scenario's Windows";
        m_ntLine = version != "win98" && version != "winme";
        for (const char* program : {"setup.exe", "DRVSWEEP.exe"}) {
            m_versions.push_back(std::make_unique<ScopedWindowsVersion>(program, version));
            ASSERT_TRUE(m_versions.back()->ok());
        }
        m_record = WindowsDir() + "\\Temp\\planted.log";
        DeleteFileA(m_record.c_str());
    }

    // Starts the uninstaller and answers its question.
    void StartAndAnswer(ChildProcess& process, const std::string& program, int button,
                        const std::vector<std::pair<std::string, std::string>>& environment = {}) {
        const std::string folder = program.substr(0, program.find_last_of('\\'));
        ASSERT_TRUE(process.Start("\"" + program + "\"", folder, environment));
        HWND question = WaitForDialog(kQuestion, process.Id(), kWindowTimeoutMs);
        ASSERT_NE(nullptr, question) << DescribeVisibleWindows();
        EXPECT_EQ("This will remove Pixmoor-USB 300 plus. Make sure you are not running "
                  "Pixmoor-USB 300 plus Application.",
                  ControlText(question, ids::kMessageText));
        ASSERT_TRUE(PressButton(question, button));
        EXPECT_TRUE(process.WaitForExit(kWindowTimeoutMs)) << "the started copy always ends after the answer";
    }

    // The product removed from the system's list of installed programs, as
    // a user does there: the uninstaller asks, and OK.
    void RemoveFromProgramList() {
        ChildProcess fromList;
        ASSERT_TRUE(fromList.Start("\"" + SystemDir() + "\\uninstaller.exe\" --remove \"Pixmoor-USB 300 plus\""));
        HWND question = WaitForDialog(kQuestion, 0, kWindowTimeoutMs);
        ASSERT_NE(nullptr, question) << DescribeVisibleWindows();
        ASSERT_TRUE(PressButton(question, IDOK));
        EXPECT_TRUE(fromList.WaitForExit(kWindowTimeoutMs));
    }

    // Walks the removal wizard of whichever process shows it; checks the
    // bar is full when the pass is done.
    void FinishRemovalWizard() {
        HWND sheet = WaitForDialog(kRemovalPage, 0, kWindowTimeoutMs);
        ASSERT_NE(nullptr, sheet) << DescribeVisibleWindows();
        DWORD processId = 0;
        GetWindowThreadProcessId(sheet, &processId);
        ASSERT_TRUE(WaitUntil([&] { return IsControlVisible(sheet, ids::kUninstallDone); }, kWindowTimeoutMs));
        EXPECT_TRUE(WaitUntil([&] { return BarIsFull(sheet); }, 5000)) << "the bar ends at 100%";
        std::string failure;
        ASSERT_TRUE(FinishRemovalWizardWithoutRestart(processId, failure)) << failure;
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, kWindowTimeoutMs));
    }

    MachineDirs Dirs(const std::string& installDir) const {
        return {WindowsDir(), SystemDir(), installDir, m_ntLine};
    }

    std::vector<std::unique_ptr<ScopedWindowsVersion>> m_versions;
    bool m_ntLine = true;
    std::string m_record;
};

}  // namespace

TEST_F(DrvSweepE2E, InstalledUninstallerAsksRelocatesAndRemovesTheProductAndItsListEntry) {
    std::string failure;
    ASSERT_TRUE(InstallWithDefaults(CdImageDir(), failure)) << failure;
    const std::string group = ProgramGroupFolder("Pixmoor-USB 300 plus");
    ASSERT_FALSE(group.empty()) << "setup made no Start Menu group";
    const std::string program = Destination() + "\\DRVSWEEP.EXE";
    ASSERT_TRUE(FileExists(program));
    const HKEY user = m_ntLine ? HKEY_CURRENT_USER : HKEY_USERS;
    const std::string userKey = std::string(m_ntLine ? "" : ".Default\\") + "Software\\Vantrell\\USB Marlix";
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(user, userKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                             nullptr));
    RegCloseKey(key);

    EXPECT_TRUE(HasMarkedImageInstance());
    EXPECT_TRUE(HasScannerService());

    // Cancel changes nothing: no copy in Temp, another maker's read-only
    // INF file keeps its flag, nothing is removed.
    DeleteFileA(TempCopy().c_str());
    const std::string otherInf = WindowsDir() + "\\inf\\othercam.inf";
    ASSERT_TRUE(WriteFileBytes(otherInf, "[Version]\r\n"));
    ASSERT_TRUE(SetFileAttributesA(otherInf.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        ChildProcess first;
        StartAndAnswer(first, program, IDCANCEL);
    }
    Sleep(2000);
    EXPECT_FALSE(FileExists(TempCopy())) << "nothing is copied before the user's OK";
    EXPECT_EQ(DWORD(FILE_ATTRIBUTE_READONLY), GetFileAttributesA(otherInf.c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(otherInf.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(otherInf.c_str());
    EXPECT_EQ(nullptr, WaitForDialog(kRemovalPage, 0, 0));
    EXPECT_TRUE(FileExists(program));
    EXPECT_TRUE(DirectoryExists(group));

    // OK, with the uninstaller started from the system's list of installed
    // programs: the copy in Temp removes the product, and its entry.
    const std::string listFile = WindowsDir() + "\\Temp\\program list.txt";
    HKEY other = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, kOtherEntry, &other));
    // The list shows only entries that name an uninstaller.
    for (const auto& value : {std::make_pair("DisplayName", std::string("Other Camera")),
                              std::make_pair("UninstallString", std::string("C:\\Other\\uninst.exe"))}) {
        RegSetValueExA(other, value.first, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.second.c_str()),
                       static_cast<DWORD>(value.second.size() + 1));
    }
    RegCloseKey(other);
    std::string listed = ProgramList(listFile);
    EXPECT_NE(std::string::npos, listed.find(kProductListed)) << listed;
    RemoveFromProgramList();
    ASSERT_FALSE(HasFatalFailure());
    FinishRemovalWizard();
    EXPECT_TRUE(WaitForWindowGone("Setup", 0, kWindowTimeoutMs)) << "Finish ends the relocated copy";
    EXPECT_FALSE(DirectoryExists(Destination())) << "the product folder goes with its files";
    EXPECT_FALSE(DirectoryExists(group)) << "the Start Menu group goes";
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(user, userKey.c_str(), 0, KEY_READ, &key)) << "the per-user key goes";
    for (const char* entry : {"MSVideo.Sepalo", "MSVideo.Dovrex", "MSVideo.VFWWDM"}) {
        EXPECT_EQ("", DriversEntry(entry)) << entry << " stays, naming no driver";
    }
    EXPECT_TRUE(FileExists(TempCopy())) << "nothing deletes the copy in Temp";
    EXPECT_FALSE(HasMarkedImageInstance()) << "the install's image-class instance goes with its subkeys";
    EXPECT_FALSE(HasScannerService()) << "the install's OMSCAN service goes";
    listed = ProgramList(listFile);
    EXPECT_EQ(std::string::npos, listed.find("Pixmoor-USB 300 plus|||")) << listed;
    EXPECT_NE(std::string::npos, listed.find("Other Camera")) << "another program's entry stays: " << listed;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kOtherEntry);

    // The copy left in Temp, started there as the one in the product folder
    // was, once the copy that removed has ended: it asks and, being where
    // the relocation puts it, removes.
    ASSERT_TRUE(WaitUntil([&] { return FileIsFree(TempCopy()); }, kWindowTimeoutMs));
    ChildProcess leftInTemp;
    ASSERT_TRUE(leftInTemp.Start("\"" + TempCopy() + "\"", WindowsDir() + "\\Temp"));
    HWND question = WaitForDialog(kQuestion, leftInTemp.Id(), kWindowTimeoutMs);
    ASSERT_NE(nullptr, question) << DescribeVisibleWindows();
    ASSERT_TRUE(PressButton(question, IDOK));
    FinishRemovalWizard();
    EXPECT_TRUE(leftInTemp.WaitForExit(kWindowTimeoutMs));
    EXPECT_EQ(3010u, leftInTemp.ExitCode());
}

TEST_F(DrvSweepE2E, ARemovalEndedPartWayIsFinishedFromTheListOfInstalledPrograms) {
    std::string failure;
    ASSERT_TRUE(InstallWithDefaults(CdImageDir(), failure)) << failure;
    const std::string group = ProgramGroupFolder("Pixmoor-USB 300 plus");
    // A file of an earlier version whose row comes right after the
    // uninstaller's own: once it is gone the pass is past that row.
    const std::string marker = Destination() + "\\feedback.EXE";
    ASSERT_TRUE(WriteFileBytes(marker, "earlier version"));

    // Started from the list, OK, and the removing copy ended as soon as the
    // pass has passed the uninstaller's row.
    RemoveFromProgramList();
    ASSERT_FALSE(HasFatalFailure());
    HWND sheet = WaitForDialog(kRemovalPage, 0, kWindowTimeoutMs);
    ASSERT_NE(nullptr, sheet) << DescribeVisibleWindows();
    DWORD processId = 0;
    GetWindowThreadProcessId(sheet, &processId);
    const DWORD start = GetTickCount();
    while (FileExists(marker) && GetTickCount() - start < kWindowTimeoutMs) Sleep(1);
    ASSERT_FALSE(FileExists(marker)) << "the pass did not start";
    HANDLE removing = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
    ASSERT_NE(nullptr, removing);
    TerminateProcess(removing, 1);
    CloseHandle(removing);
    ASSERT_TRUE(WaitForWindowGone("Setup", 0, kWindowTimeoutMs));

    // The entry still starts a removal, which finishes the work.
    const std::string listFile = WindowsDir() + "\\Temp\\program list.txt";
    ASSERT_NE(std::string::npos, ProgramList(listFile).find(kProductListed)) << "the entry is there to finish with";
    RemoveFromProgramList();
    ASSERT_FALSE(HasFatalFailure()) << "the entry names a program that is gone";
    FinishRemovalWizard();
    EXPECT_TRUE(WaitForWindowGone("Setup", 0, kWindowTimeoutMs));
    EXPECT_FALSE(DirectoryExists(Destination())) << "the product folder goes with its files";
    EXPECT_FALSE(group.empty() || DirectoryExists(group)) << "the Start Menu group goes";
    EXPECT_FALSE(HasMarkedImageInstance());
    EXPECT_FALSE(HasScannerService());
    EXPECT_EQ(std::string::npos, ProgramList(listFile).find("Pixmoor-USB 300 plus|||"));
}

TEST_F(DrvSweepE2E, AFolderOnTheCommandLineRemovesAtOnceAndKeepsEveryBystander) {
    // A folder with blanks, passed unquoted: it must arrive whole.
    const std::string installDir = WindowsDir().substr(0, 2) + "\\Program Files\\Pixmoor-USB 300 plus";
    const DirtyMachine machine = SweepRemovalMachine(Dirs(installDir));
    std::string failure;
    ASSERT_TRUE(SeedMachine(machine, failure)) << failure;
    std::size_t traces = 0;
    for (const SeedFile& file : machine.files) traces += file.fate == Fate::Removed;
    for (const SeedValue& value : machine.registry) traces += value.fate == Fate::Removed;
    ASSERT_EQ(traces, CheckMachine(machine).size()) << "before the pass only the traces are reported";

    // The report, from the product folder, lists what the removal then takes.
    const std::string reporter = installDir + "\\DRVSWEEP.EXE";
    ASSERT_TRUE(CopyInto(CdImageDir() + "\\..\\drvsweep.exe", reporter));
    const std::vector<std::string> folders = {installDir, WindowsDir().substr(0, 3) + "Pixmoor-USB 300 plus"};
    const std::vector<std::string> keys = {"System\\CurrentControlSet", "System\\ControlSet002"};
    const MachineSnapshot before = SnapshotOfMachine(folders, keys);
    const std::string report = RunTraceReport(reporter, TestDriveRoot() + "sweep traces.txt");
    EXPECT_TRUE(SnapshotOfMachine(folders, keys).ChangesSince(before).empty()) << "the report deletes nothing";

    const std::string program = TestDriveRoot() + "sweep run\\DRVSWEEP.exe";
    ASSERT_TRUE(CopyInto(CdImageDir() + "\\..\\drvsweep.exe", program));
    ChildProcess sweep;
    // Hidden, as the first copy starts the one in Temp.
    ASSERT_TRUE(sweep.Start("\"" + program + "\" " + installDir + "\\", "", {}, true));
    EXPECT_EQ(nullptr, WaitForDialog(kQuestion, sweep.Id(), 3000)) << "a command line skips the question";
    FinishRemovalWizard();
    EXPECT_TRUE(sweep.WaitForExit(kWindowTimeoutMs));

    const std::vector<std::string> problems = CheckMachine(machine);
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems:" << Joined(problems);
    const std::vector<ReportItem> items = ReportSection(report, "Uninstall");
    EXPECT_LT(20u, items.size()) << report;
    const std::string mismatches = ReportMismatches(items, SnapshotOfMachine(folders, keys).ChangesSince(before), {});
    EXPECT_TRUE(mismatches.empty()) << mismatches << "\nreport:\n" << report;
    EXPECT_FALSE(DirectoryExists(installDir)) << "the emptied folder from the command line goes";
    EXPECT_FALSE(DirectoryExists(WindowsDir().substr(0, 3) + "Pixmoor-USB 300 plus"));
    EXPECT_FALSE(DirectoryExists(WindowsDir() + "\\TWAIN_32\\DE301r"));
}

TEST_F(DrvSweepE2E, TheRelocatedCopyLoadsNoLibraryAndStartsNoProgramFromItsFolder) {
    // Libraries and attrib.exe placed where the copies run, with Wine told
    // to prefer a DLL found there over its own.
    const std::string folder = TestDriveRoot() + "planted";
    const std::string program = folder + "\\DRVSWEEP.exe";
    ASSERT_TRUE(CopyInto(CdImageDir() + "\\..\\drvsweep.exe", program));
    for (const std::string& where : {folder, WindowsDir() + "\\Temp"}) {
        for (const char* library : {"comctl32", "uxtheme"}) {
            ASSERT_TRUE(CopyInto(HelpersDir() + "\\planted.dll", where + "\\" + library + ".dll"));
            ASSERT_TRUE(PreferNativeLibrary("DRVSWEEP.exe", library));
        }
        ASSERT_TRUE(CopyInto(HelpersDir() + "\\argrecorder.exe", where + "\\attrib.exe"));
    }
    const std::vector<std::pair<std::string, std::string>> environment = {{"VANTRELL_RECORD", m_record}};
    {
        ChildProcess first;
        StartAndAnswer(first, program, IDOK, environment);
    }
    FinishRemovalWizard();
    EXPECT_TRUE(WaitForWindowGone("Setup", 0, kWindowTimeoutMs));
    std::string record;
    ReadFileBytes(m_record, record);
    EXPECT_EQ("", record) << "a planted library or program ran";
}

TEST_F(DrvSweepE2E, AProgramPlantedInTempUnderItsNameNeverRuns) {
    // Placed beforehand, read-only, so that the version installer cannot
    // replace it; the copy in Temp of an earlier scenario's removal may
    // still be ending, its file in use.
    ASSERT_TRUE(WaitUntil([&] { return CopyInto(HelpersDir() + "\\argrecorder.exe", TempCopy()); }, kWindowTimeoutMs));
    ASSERT_TRUE(SetFileAttributesA(TempCopy().c_str(), FILE_ATTRIBUTE_READONLY));
    std::string plantedBytes;
    ASSERT_TRUE(ReadFileBytes(TempCopy(), plantedBytes));
    const std::string program = TestDriveRoot() + "planted temp\\DRVSWEEP.exe";
    ASSERT_TRUE(CopyInto(CdImageDir() + "\\..\\drvsweep.exe", program));

    ChildProcess sweep;
    ASSERT_TRUE(sweep.Start("\"" + program + "\"", TestDriveRoot() + "planted temp", {{"VANTRELL_RECORD", m_record}}));
    HWND question = WaitForDialog(kQuestion, sweep.Id(), kWindowTimeoutMs);
    ASSERT_NE(nullptr, question) << DescribeVisibleWindows();
    ASSERT_TRUE(PressButton(question, IDOK));
    HWND box = WaitForDialog("Pixmoor-USB 300 plus", sweep.Id(), kWindowTimeoutMs);
    ASSERT_NE(nullptr, box) << DescribeVisibleWindows();
    const std::string message = ControlText(box, ids::kMessageText);
    EXPECT_EQ(0u, message.find("The removal cannot start: " + TempCopy() + " could not be put in place.")) << message;
    ASSERT_TRUE(PressButton(box, IDOK));
    EXPECT_TRUE(sweep.WaitForExit(kWindowTimeoutMs));

    Sleep(1000);
    std::string record;
    ReadFileBytes(m_record, record);
    EXPECT_EQ("", record) << "the planted program ran";
    EXPECT_EQ(nullptr, WaitForDialog(kRemovalPage, 0, 0));
    std::string stays;
    EXPECT_TRUE(ReadFileBytes(TempCopy(), stays) && stays == plantedBytes);
    SetFileAttributesA(TempCopy().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(TempCopy().c_str());
}
