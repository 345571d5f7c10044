// DRVSWEEP's removal sequence: files and folders over a seeded tree, the
// registry rows on a sandbox and the OEM INF matches.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/reg_key.h"
#include "drvsweep/sweep_removal.h"
#include "drvsweep/sweep_tables.h"
#include "hklm_keys.h"
#include "registry_sandbox.h"
#include "temp_tree.h"
#include "wine_settings.h"

namespace {

using Strings = std::vector<std::string>;

struct RecordedSteps : RemovalProgress {
    void OnStep(unsigned int done, unsigned int total, bool repaint) override {
        EXPECT_EQ(steps.size() + 1, done);
        EXPECT_EQ(kSweepTotalSteps, total);
        steps.push_back(repaint);
    }
    std::vector<bool> steps;
    RemovalSteps counter{*this, kSweepTotalSteps};
};

struct ScopedCurrentDirectory {
    ScopedCurrentDirectory() { GetCurrentDirectoryA(sizeof sz, sz); }
    ~ScopedCurrentDirectory() { SetCurrentDirectoryA(sz); }
    char sz[MAX_PATH] = "";
};

// A Windows-like tree and a product folder at the root of its drive. The
// tree lies on the test drive when one is given, so the root is the test's
// own; the root's product folder is only ever one this fixture made.
class SweepFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string drive = EnvironmentPath("VANTRELL_DRIVE");
        m_base = drive.empty() ? m_tree.Root() : drive + "\\sweep-unit-" + std::to_string(GetCurrentProcessId());
        m_rootFolder = m_base.substr(0, 2) + "\\" + kSweepProductFolder;
        if (DirectoryExists(m_rootFolder)) GTEST_SKIP() << m_rootFolder << " exists and is not the test's";
        m_bOwnRootFolder = true;
        m_windows = m_base + "\\WINDOWS";
        m_system = m_windows + "\\SYSTEM";
        m_inf = m_windows + "\\INF";
    }
    void TearDown() override {
        SetCurrentDirectoryA(m_cwd.sz);
        if (m_bOwnRootFolder) RemoveTree(m_rootFolder);
        if (m_base != m_tree.Root()) RemoveTree(m_base);
    }
    SweepContext Context(int nt, const std::string& source) const {
        return SweepContext{m_windows.c_str(), m_system.c_str(), m_inf.c_str(), source, nt};
    }
    void Put(const Strings& paths) {
        for (const std::string& path : paths) {
            ASSERT_TRUE(MakeDirs(path.substr(0, path.find_last_of('\\'))) && WriteFileBytes(path, "x")) << path;
        }
    }
    std::string At(const std::string& relative) const { return m_base + "\\" + relative; }

    ScopedCurrentDirectory m_cwd;
    TempTree m_tree;
    std::string m_base, m_rootFolder, m_windows, m_system, m_inf;
    bool m_bOwnRootFolder = false;
};

// The [drivers] entries of system.ini that the pass empties, put back afterwards.
const char* const kDriverEntries[] = {"MSVideo.Sepalo", "MSVideo.Dovrex", "MSVideo.VFWWDM"};
std::string DriverEntry(const char* name) {
    char text[512];
    GetPrivateProfileStringA("drivers", name, "<absent>", text, sizeof text, "system.ini");
    return text;
}
struct ScopedDriverEntries {
    ScopedDriverEntries() { for (const char* name : kDriverEntries) saved.push_back(DriverEntry(name)); }
    ~ScopedDriverEntries() {
        for (std::size_t i = 0; i < saved.size(); ++i) {
            WritePrivateProfileStringA("drivers", kDriverEntries[i], saved[i] == "<absent>" ? nullptr : saved[i].c_str(),
                                       "system.ini");
        }
    }
    Strings saved;
};

}  // namespace

TEST_F(SweepFilesTest, RowsDeleteTheirFilesAndFoldersGoOnlyWhenEmpty) {
    for (int nt : {1, 0}) {
        const std::string drivers = m_windows + (nt ? "\\SYSTEM\\Drivers" : "\\SYSTEM32\\Drivers");
        const std::string otherDrivers = m_windows + (nt ? "\\SYSTEM32\\Drivers" : "\\SYSTEM\\Drivers");
        const Strings gone = {m_inf + "\\Other\\VMUSBVM31B.INF", m_inf + "\\Config.set", drivers + "\\usbvm31b.SYS",
                              m_windows + "\\TWAIN_32\\DE301r\\ZU31zTWN.DS", m_windows + "\\TWAIN_32\\DE301r\\ZU31zTXP.DS",
                              At("Product\\UNINSTAL.EXE"), m_rootFolder + "\\feedback.EXE"};
        // The uninstaller's own file goes last of the whole removal.
        const std::string ownFile = At("Product\\DRVSWEEP.EXE");
        Strings kept = {m_inf + "\\KEEP.INF", otherDrivers + "\\usbvm31b.SYS", At("Product\\notes.txt"),
                        At("ProductUNINSTAL.EXE")};
        // The second time both folders hold something else and stay.
        if (!nt) kept.insert(kept.end(), {m_windows + "\\TWAIN_32\\DE301r\\mine.txt", m_rootFolder + "\\mine.txt"});
        Put(gone);
        Put(kept);
        Put({ownFile});
        ASSERT_TRUE(MakeDirs(m_windows + "\\OvtCam"));
        ASSERT_TRUE(SetFileAttributesA(gone[0].c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_APP + 7, 0, 0));

        RecordedSteps progress;
        // Without its trailing backslash the directory still gets one before each name.
        SweepRemoveFiles(Context(nt, At("Product")), progress.counter);

        for (const std::string& path : gone) EXPECT_FALSE(FileExists(path)) << path;
        for (const std::string& path : kept) EXPECT_TRUE(FileExists(path)) << path;
        EXPECT_TRUE(FileExists(ownFile));
        EXPECT_EQ(nt == 1, !DirectoryExists(m_windows + "\\TWAIN_32\\DE301r")) << nt;
        EXPECT_EQ(nt == 1, !DirectoryExists(m_rootFolder)) << nt;
        EXPECT_FALSE(DirectoryExists(m_windows + "\\OvtCam"));
        EXPECT_EQ(std::vector<bool>(20, true), progress.steps);
        MSG msg;
        EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_APP + 7, WM_APP + 7, PM_REMOVE)) << "the queue is drained";

        SetCurrentDirectoryA(At("Product").c_str());
        SweepRemoveSourceDir(Context(nt, At("Product\\")));
        EXPECT_TRUE(DirectoryExists(At("Product"))) << "not while it holds a file";
        DeleteFileA(At("Product\\notes.txt").c_str());
        SweepRemoveProgramFile(Context(nt, At("Product\\")));
        EXPECT_FALSE(DirectoryExists(At("Product"))) << "the uninstaller's own file goes, then the folder";
    }
}

TEST_F(SweepFilesTest, SourceDirectoryThatIsNoFolderBelowARootIsNotUsed) {
    const std::string drive = EnvironmentPath("VANTRELL_DRIVE");
    // The root of the test drive may take a file of ours; any other root not.
    const std::string rootFile = drive.empty() ? "" : drive + "\\DRVSWEEP.EXE";
    const bool ownRootFile = !rootFile.empty() && !FileExists(rootFile);
    const Strings files = {At("Current\\UNINSTAL.EXE"), At("Current\\Product\\DRVSWEEP.EXE")};
    Put(files);
    if (ownRootFile) Put({rootFile});

    for (const std::string& source : {std::string(), std::string("Product\\"), std::string("..\\Current\\"),
                                      m_base.substr(0, 3), At("Current\\..\\..\\..\\..\\..\\..\\..\\..\\")}) {
        SetCurrentDirectoryA(At("Current").c_str());
        RecordedSteps progress;
        SweepRemoveFiles(Context(1, source), progress.counter);
        SweepRemoveSourceDir(Context(1, source));
        for (const std::string& path : files) EXPECT_TRUE(FileExists(path)) << source << ": " << path;
        EXPECT_TRUE(!ownRootFile || FileExists(rootFile)) << source;
        EXPECT_EQ(20u, progress.steps.size()) << "the bar moves all the same";
    }
    if (ownRootFile) DeleteFileA(rootFile.c_str());
}

TEST(SweepRegistry, ProbeRowsAndPerUserKeyOnASandbox) {
    const std::string image = "Enum\\Root\\Image\\", classImage = "System\\CurrentControlSet\\Services\\Class\\Image\\";
    const std::string apps = "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications";
    const std::string usb = "SYSTEM\\ControlSet001\\Enum\\USB\\Vid_0ac8&Pid_0302";
    const ScopedDriverEntries entries;
    for (int nt : {1, 0}) {
        RegistrySandbox sandbox;
        ASSERT_TRUE(sandbox.ok());
        for (const auto& key : std::vector<std::pair<std::string, StringValues>>{
                 {image + "0000", {{"HardwareID", "OMSCAN"}, {"Driver", "Image\\0003"}}},
                 {image + "0001", {{"HardwareID", "omscan"}}},
                 {image + "0002", {{"HardwareID", "OMSCAN"}, {"Driver", "{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0004"}}},
                 {image + "0010", {{"HardwareID", "OMSCAN"}}},
                 {classImage + "0003", {}}, {classImage + "0004", {}},
                 {apps, {{"WDM Still Image Capture", "x"}, {"VGA USB Still Image Capture", "x"}, {"Kodak Imaging", "x"}}},
                 {usb + "\\5&1&0&1\\Device Parameters", {}}, {"SOFTWARE\\ZSMC\\USBCAMERA\\Settings", {}},
                 {"SOFTWARE\\ZSMC\\Other", {}}, {"Enum\\USB\\Vid_0ac8&Pid_0303", {}}}) {
            ASSERT_TRUE(MakeHklmKey(key.first, key.second)) << key.first;
        }
        RegKey user;
        ASSERT_TRUE(user.Create(HKEY_CURRENT_USER, "Software\\Vantrell\\USB Marlix"));
        ASSERT_TRUE(user.Create(HKEY_USERS, ".Default\\Software\\Vantrell\\USB Marlix"));
        user.Close();

        RecordedSteps progress;
        SweepRemoveRegistryEntries(SweepContext{"C:\\windows", "C:\\windows\\system32", "C:\\windows\\inf", "", nt},
                                   progress.counter);

        std::vector<bool> expected(23, true);
        expected[0] = false;  // the probe's step does not repaint
        EXPECT_EQ(expected, progress.steps);
        EXPECT_EQ(kSweepTotalSteps, g_nSweepFileCount + progress.steps.size());
        for (const std::string& key : {image + "0000", classImage + "0003", image + "0002", usb,
                                       std::string("SOFTWARE\\ZSMC\\USBCAMERA")}) {
            EXPECT_FALSE(HklmKeyExists(key)) << key;
        }
        for (const std::string& key : {image + "0001", image + "0010", classImage + "0004",
                                       std::string("SOFTWARE\\ZSMC\\Other"), std::string("Enum\\USB\\Vid_0ac8&Pid_0303")}) {
            EXPECT_TRUE(HklmKeyExists(key)) << key;
        }
        EXPECT_FALSE(HklmHasValue(apps, "WDM Still Image Capture") || HklmHasValue(apps, "VGA USB Still Image Capture"));
        EXPECT_TRUE(HklmHasValue(apps, "Kodak Imaging"));
        EXPECT_EQ(nt == 0, RegKeyExists(HKEY_CURRENT_USER, "Software\\Vantrell\\USB Marlix")) << nt;
        EXPECT_EQ(nt == 1, RegKeyExists(HKEY_USERS, ".Default\\Software\\Vantrell\\USB Marlix")) << nt;
        for (const char* name : kDriverEntries) EXPECT_EQ("", DriverEntry(name)) << name;
    }
}

TEST(SweepOemInf, ExactMatchesGoWithTheirPnfAcrossAllHundredNumbers) {
    TempTree tree;
    const std::string inf = tree.WindowsDir() + "\\INF\\";
    const auto plant = [&](int n, const std::string& line) {
        const std::string name = inf + "oem" + std::to_string(n);
        ASSERT_TRUE(WriteFileBytes(name + ".inf", "[Version]\r\nClass=Image\r\n\r\n[Strings]\r\n" + line + "\r\n"));
        ASSERT_TRUE(WriteFileBytes(name + ".PNF", "PNF"));
    };
    plant(0, "USB\\VID_0AC8&PID_0302.DeviceDesc=\"USB PC Camera 301P\"");
    plant(5, "USB\\VID_0AC8&PID_0302.DeviceDesc=\"Pixmoor-USB 300 plus\"");
    plant(61, "USB\\VID_0AC8&PID_0302.DeviceDesc=VideoCAM Web V2");
    plant(99, "TAS5130C=\"ChipConfig\\SupportSensor\\TAS5130C\"");
    plant(42, "USB\\VID_0AC8&PID_0302.DeviceDesc=\"pixmoor-usb 300 plus\"");
    plant(43, "TAS5130=\"ChipConfig\\SupportSensor\\TAS5130C\"");
    plant(100, "TAS5130C=\"ChipConfig\\SupportSensor\\TAS5130C\"");
    ASSERT_TRUE(SetFileAttributesA((inf + "oem5.inf").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));

    RemoveOemInfByString(tree.WindowsDir().c_str(), "NoSuchKey", "");
    EXPECT_TRUE(FileExists(inf + "oem0.inf")) << "an empty value matches nothing";
    SweepRemoveOemInfs(tree.WindowsDir().c_str());

    for (int n : {0, 5, 61, 99, 42, 43, 100}) {
        const bool kept = n == 42 || n == 43 || n == 100;
        for (const char* extension : {".inf", ".PNF"}) {
            EXPECT_EQ(kept, FileExists(inf + "oem" + std::to_string(n) + extension)) << n << extension;
        }
    }
}
