// The install and removal an administrator runs without the user: setup /S
// from the CD image into a folder with a blank, and the stand-alone
// uninstaller through the list entry's quiet removal command. Nothing of
// ours may show a window; the exit codes and the logs tell what happened.
// CTest runs these in a fresh prefix per Windows version (VANTRELL_WINVER).
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "expected_registration.h"
#include "temp_tree.h"
#include "wine_settings.h"
#include "wizard_driver.h"

namespace {

const char kCompanionTitle[] = "Pictavo Companion Setup";
const char kMarkerKey[] = "Software\\VantrellTests";
const char kRegisteredApps[] = "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications";
const char kUninstallEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pixmoor-USB 300 plus";
constexpr DWORD kExitDone = 0;
constexpr DWORD kExitBadCommandLine = 87;
constexpr DWORD kExitFailed = 1603;
constexpr DWORD kExitRestartNeeded = 3010;

std::string SystemDir() {
    char dir[MAX_PATH] = "";
    GetSystemDirectoryA(dir, sizeof dir);
    return dir;
}
std::string Destination() { return WindowsDir().substr(0, 2) + "\\Cam Dir"; }
// On the test drive, so that the logs stay in the build folder to read.
std::string LogDir() { return TestDriveRoot() + "admin logs"; }

bool KeyExists(const char* key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

std::string EntryText(const char* name) {
    DWORD type = 0;
    std::string bytes;
    if (!ReadValue(HKEY_LOCAL_MACHINE, kUninstallEntry, name, type, bytes) || type != REG_SZ) return "(none)";
    return bytes.c_str();
}

// A string of a program's version resource, in its language-neutral block.
std::string VersionText(const std::string& program, const char* name) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &handle);
    std::vector<char> data(size);
    char* text = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\000004b0\\") + name;
    if (size == 0 || !GetFileVersionInfoA(program.c_str(), 0, size, data.data()) ||
        !VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) {
        return "(none)";
    }
    return text;
}

// The log's item lines ("  kind  path ... outcome"), in order.
std::vector<std::string> ItemLines(const std::string& log) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = log.substr(start, end - start);
        if (line.compare(0, 2, "  ") == 0) lines.push_back(line);
    }
    return lines;
}

// The index of the first item line that starts with the kind and holds text.
std::size_t ItemAt(const std::vector<std::string>& lines, const std::string& kind, const std::string& text) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].compare(2, kind.size(), kind) == 0 && lines[i].find(text) != std::string::npos) return i;
    }
    return std::string::npos;
}

// Watches the screen while a run goes on: any visible window that was not
// there before it started. The companion's is the other vendor's; the
// shell's folder window of the new program group, its answer to the
// program manager's CreateGroup, may show for a moment before setup closes
// it (the test looks whether it stayed).
class WindowWatch {
public:
    WindowWatch() {
        for (const TopWindow& window : ListTopLevelWindows()) {
            if (window.visible) m_before.insert(window.hWnd);
        }
    }
    void Look(DWORD companionId = 0) {
        for (const TopWindow& window : ListTopLevelWindows()) {
            if (window.visible && !m_before.count(window.hWnd) && window.title != kCompanionTitle &&
                window.className != "ExplorerWClass" && (companionId == 0 || window.processId != companionId)) {
                m_shown.insert(window.title + " (" + window.className + ")");
            }
        }
    }
    std::string Shown() const {
        std::string all;
        for (const std::string& title : m_shown) all += " [" + title + "]";
        return all;
    }

private:
    std::set<HWND> m_before;
    std::set<std::string> m_shown;
};

class UnattendedE2E : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string version = EnvironmentPath("VANTRELL_WINVER");
        ASSERT_FALSE(version.empty()) << "VANTRELL_WINVER names the scenario's Windows";
        m_ntLine = version != "win98" && version != "winme";
        for (const char* program : {"setup.exe", "DRVSWEEP.exe"}) {
            m_versions.push_back(std::make_unique<ScopedWindowsVersion>(program, version));
            ASSERT_TRUE(m_versions.back()->ok());
        }
        ASSERT_TRUE(MakeDirs(LogDir()));
        // A real machine has this key; the still-image registration adds to it.
        HKEY apps = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, kRegisteredApps, &apps));
        RegCloseKey(apps);
        ASSERT_TRUE(CopyInto(HelpersDir() + "\\htm1_rec.ax", SystemDir() + "\\htm1_rec.ax"));
        ASSERT_TRUE(WriteFileBytes(SystemDir() + "\\h2_enc.dll", "encoder"));
    }

    // Runs a command without a window of its own and returns its exit code;
    // STILL_ACTIVE when it did not end in time.
    DWORD Run(const std::string& commandLine, WindowWatch& watch) {
        ChildProcess process;
        if (!process.Start(commandLine)) return STILL_ACTIVE;
        for (int i = 0; i < 600 && !process.WaitForExit(100); ++i) watch.Look();
        return process.WaitForExit(0) ? process.ExitCode() : STILL_ACTIVE;
    }

    bool NothingInstalled() const {
        return !DirectoryExists(Destination()) && EntryText("DisplayName") == "(none)" &&
               ProgramGroupFolder("Pixmoor-USB 300 plus").empty();
    }

    std::vector<std::unique_ptr<ScopedWindowsVersion>> m_versions;
    bool m_ntLine = true;
};

}  // namespace

TEST_F(UnattendedE2E, WrongOptionsAnUnwritableLogAndAMissingFileEndWithTheirCodes) {
    const std::string setup = "\"" + CdImageDir() + "\\setup.exe\"";
    const std::string log = LogDir() + "\\refused.log";
    WindowWatch watch;
    const std::pair<const char*, DWORD> cases[] = {
        {" /S /LOG=\"%L\" /Quiet", kExitBadCommandLine},   // an unknown option
        {" /S /LOG=\"%L\" /D=Cam Dir", kExitBadCommandLine},  // a relative DIR
        {" /S /LOG=\"%L\" /D=C:\\a /D=C:\\b", kExitBadCommandLine},
        {" /S /D=C:\\", kExitBadCommandLine},            // a drive's root
        {" /S /S", kExitBadCommandLine},
        {" /S /LOG=\"C:\\no such folder\\install.log\"", kExitFailed},
    };
    for (const auto& wrong : cases) {
        std::string options = wrong.first;
        const std::size_t at = options.find("%L");
        if (at != std::string::npos) options.replace(at, 2, log);
        DeleteFileA(log.c_str());
        EXPECT_EQ(wrong.second, Run(setup + options, watch)) << options;
        EXPECT_FALSE(FileExists(log)) << options << ": nothing is written";
        EXPECT_TRUE(NothingInstalled()) << options;
    }
    EXPECT_EQ("", watch.Shown()) << "nothing may be shown with /S";

    // DRVSWEEP's wrong and repeated options: refused before anything, its
    // copy in Temp included.
    const std::string sweep = TestDriveRoot() + "sweep options\\DRVSWEEP.EXE";
    const std::string tempCopy = WindowsDir() + "\\Temp\\DRVSWEEP.EXE";
    ASSERT_TRUE(CopyInto(CdImageDir() + "\\..\\drvsweep.exe", sweep));
    for (const char* wrong : {" /S /LOG=\"%L\" /Quiet", " /S /S", " /S /LOG=\"%L\" /LOG=\"%L\""}) {
        std::string options = wrong;
        for (std::size_t at; (at = options.find("%L")) != std::string::npos;) options.replace(at, 2, log);
        DeleteFileA(log.c_str());
        DeleteFileA(tempCopy.c_str());
        EXPECT_EQ(kExitBadCommandLine, Run("\"" + sweep + "\"" + options, watch)) << options;
        EXPECT_FALSE(FileExists(log) || FileExists(tempCopy)) << options << ": nothing is written";
    }
    EXPECT_EQ("", watch.Shown()) << "nothing may be shown with /S";

    // A CD copy without the uninstaller: the copy error that would ask
    // (here the next-disk prompt) ends the install, which says why.
    const std::string cd = TestDriveRoot() + "broken cd";
    for (const char* file : {"setup.exe", "USBDE301r.INF", "PICTAVO\\setup.exe"}) {
        ASSERT_TRUE(CopyInto(CdImageDir() + "\\" + file, cd + "\\" + file)) << file;
    }
    EXPECT_EQ(kExitFailed, Run("\"" + cd + "\\setup.exe\" /S /LOG=\"" + log + "\"", watch));
    std::string text;
    ASSERT_TRUE(ReadFileBytes(log, text));
    EXPECT_NE(std::string::npos, text.find("failed: Cannot read source file " + cd + "\\drvsweep.ex_.")) << text;
    EXPECT_EQ("Exit code: 1603\r\n", text.substr(text.size() - 17)) << text;
    EXPECT_EQ("(none)", EntryText("DisplayName")) << "a failed copy lists no program";
    EXPECT_EQ("", watch.Shown()) << "nothing may be shown with /S";
}

TEST_F(UnattendedE2E, SilentInstallIntoAFolderWithABlankThenQuietRemovalFromTheListEntry) {
    const std::string cd = CdImageDir();
    const std::string installLog = LogDir() + "\\install.log";
    WindowWatch watch;
    ChildProcess setup;
    ASSERT_TRUE(setup.Start("\"" + cd + "\\setup.exe\" /S /LOG=\"" + installLog + "\" /D=" + Destination()));
    // The companion is the other vendor's program, with its own window.
    HWND companion = nullptr;
    for (int i = 0; i < 600 && companion == nullptr; ++i) {
        watch.Look();
        companion = WaitForWindow(kCompanionTitle, 0, 100);
    }
    ASSERT_NE(nullptr, companion) << DescribeVisibleWindows();
    DWORD type = 0;
    std::string marker;
    EXPECT_TRUE(WaitUntil(
        [&] {
            watch.Look();
            return ReadValue(HKEY_LOCAL_MACHINE, kMarkerKey, "CaptureFilter", type, marker);
        },
        30000))
        << "regsvr32 never registered the capture filter";
    EXPECT_TRUE(setup.IsRunning()) << "setup waits for the companion installer";
    PostMessageA(companion, WM_CLOSE, 0, 0);
    ASSERT_TRUE(setup.WaitForExit(kWindowTimeoutMs));
    EXPECT_EQ(kExitDone, setup.ExitCode());
    EXPECT_EQ("", watch.Shown()) << "setup /S showed windows";
    for (const TopWindow& window : ListTopLevelWindows()) {
        EXPECT_FALSE(window.visible && window.title == "Pixmoor-USB 300 plus")
            << "the group's folder window stays on the desktop (" << window.className << ")";
    }

    // What the wizard installs, into the folder of /D=.
    std::string installed, original;
    ASSERT_TRUE(ReadFileBytes(Destination() + "\\DRVSWEEP.EXE", installed));
    ASSERT_TRUE(ReadFileBytes(cd + "\\..\\drvsweep.exe", original));
    EXPECT_TRUE(installed == original) << "DRVSWEEP.EXE is the expanded uninstaller";
    EXPECT_TRUE(FileExists(ProgramGroupFolder("Pixmoor-USB 300 plus") + "\\Uninstall Pixmoor-USB 300 plus.lnk"));
    for (const ExpectedValue& value : ExpectedRegistration(WindowsDir(), m_ntLine)) {
        std::string bytes;
        EXPECT_TRUE(ReadValue(value.root, value.key, value.name, type, bytes) && type == value.type &&
                    bytes == value.bytes)
            << value.key << " : " << value.name;
    }
    const std::string uninstaller = Destination() + "\\DRVSWEEP.EXE";
    EXPECT_EQ(Destination(), EntryText("InstallLocation"));
    EXPECT_EQ("\"" + uninstaller + "\" /S", EntryText("QuietUninstallString"));

    // Both programs say what they are as the list entry does.
    for (const std::string& program : {cd + "\\setup.exe", uninstaller}) {
        EXPECT_EQ("Vantrell", VersionText(program, "CompanyName")) << program;
        EXPECT_EQ(EntryText("DisplayName"), VersionText(program, "ProductName")) << program;
        EXPECT_EQ(EntryText("DisplayVersion"), VersionText(program, "FileVersion")) << program;
    }
    EXPECT_EQ("setup.exe", VersionText(cd + "\\setup.exe", "OriginalFilename"));
    EXPECT_EQ("DRVSWEEP.EXE", VersionText(uninstaller, "OriginalFilename"));

    // The log: each item once, in the order of the steps, the exit code last.
    std::string log;
    ASSERT_TRUE(ReadFileBytes(installLog, log));
    const std::vector<std::string> items = ItemLines(log);
    EXPECT_EQ(items.size(), std::set<std::string>(items.begin(), items.end()).size()) << log;
    const std::size_t folder = ItemAt(items, "directory", Destination());
    const std::size_t file = ItemAt(items, "file", uninstaller + "  installed");
    const std::size_t entry = ItemAt(items, "registry value", "QuietUninstallString)  installed");
    const std::size_t group = ItemAt(items, "program group", "Pixmoor-USB 300 plus  installed");
    const std::size_t service = ItemAt(items, "registry value", "OMSCAN  (ImagePath)  installed");
    const std::size_t encoder = ItemAt(items, "file", SystemDir() + "\\hmpv2_enc.dll  installed");
    EXPECT_TRUE(folder < file && file < entry && entry < group && group < service && service < encoder) << log;
    EXPECT_EQ(std::string::npos, log.find("failed")) << log;
    EXPECT_EQ("Exit code: 0\r\n", log.substr(log.size() - 14)) << log;

    // The quiet removal, as a deployment tool runs it from the entry.
    const std::string removalLog = LogDir() + "\\removal.log";
    const std::string quiet = EntryText("QuietUninstallString");
    EXPECT_EQ(kExitRestartNeeded, Run(quiet + " /LOG=\"" + removalLog + "\"", watch));
    EXPECT_EQ("", watch.Shown()) << "DRVSWEEP /S showed windows";
    // The copy in Temp deletes the program file once the copy started from
    // the entry has ended with its exit code, and then ends the log.
    EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(removalLog, log) && log.find("Exit code: 3010") != std::string::npos; },
                          kWindowTimeoutMs))
        << log;
    EXPECT_TRUE(NothingInstalled()) << "the folder, the group and the entry go";
    EXPECT_FALSE(KeyExists("System\\CurrentControlSet\\Services\\OMSCAN"));
    const std::vector<std::string> removed = ItemLines(log);
    EXPECT_NE(std::string::npos, ItemAt(removed, "file", WindowsDir() + "\\Temp\\DRVSWEEP.exe  installed")) << log;
    EXPECT_LT(ItemAt(removed, "registry key", "Pixmoor-USB 300 plus  removed"), ItemAt(removed, "file", uninstaller + "  removed"))
        << "the program file goes last: " << log;
    EXPECT_EQ(std::string::npos, log.find("failed")) << log;
    EXPECT_EQ("Exit code: 3010\r\n", log.substr(log.size() - 17)) << log;
}
