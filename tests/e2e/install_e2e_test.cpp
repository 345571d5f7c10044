// The install from the CD image on a clean machine, driven through setup's
// real windows: the wizard, the copy, the program group, the companion
// installer, the still-image registration and the codec fix-ups. CTest runs
// these in a fresh prefix per Windows version (VANTRELL_WINVER), in order.
#include <gtest/gtest.h>

#include <string>

#include "expected_registration.h"
#include "installed_product.h"
#include "machine_snapshot.h"
#include "temp_tree.h"
#include "wine_settings.h"
#include "wizard_driver.h"

namespace {

const char kCompanionTitle[] = "Pictavo Companion Setup";
const char kRegisteredApps[] = "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications";
const char kServiceKey[] = "System\\CurrentControlSet\\Services\\OMSCAN";
const char kMarkerKey[] = "Software\\VantrellTests";
const char kUninstallEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pixmoor-USB 300 plus";

std::string WindowsVersion() { return EnvironmentPath("VANTRELL_WINVER"); }
bool OnNtLine() { return WindowsVersion() != "win98"; }
std::string SystemDir() {
    char dir[MAX_PATH] = "";
    GetSystemDirectoryA(dir, sizeof dir);
    return dir;
}
std::string Destination() { return WindowsDir().substr(0, 2) + "\\Pixmoor-USB 300 plus"; }

bool KeyExists(const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

void SetString(const std::string& key, const std::string& name, const std::string& value) {
    HKEY handle = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &handle, nullptr));
    RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
}

void DeleteValue(const std::string& key, const std::string& name) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return;
    RegDeleteValueA(handle, name.c_str());
    RegCloseKey(handle);
}

std::string Profile(const char* section, const char* key, const std::string& file) {
    char value[MAX_PATH] = "";
    GetPrivateProfileStringA(section, key, "(none)", value, sizeof value, file.c_str());
    return value;
}

std::string GroupFolder() { return ProgramGroupFolder("Pixmoor-USB 300 plus"); }

class InstallE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(WindowsVersion().empty()) << "VANTRELL_WINVER names the scenario's Windows";
        m_version = std::make_unique<ScopedWindowsVersion>("setup.exe", WindowsVersion());
        ASSERT_TRUE(m_version->ok());
        // A real machine has this key; the still-image registration adds to it.
        SetString(kRegisteredApps, "Other Vendor Scanner", "C:\\other\\scan.exe");
        // The capture filter that regsvr32 registers, and the encoder to rename.
        ASSERT_TRUE(CopyInto(HelpersDir() + "\\htm1_rec.ax", SystemDir() + "\\htm1_rec.ax"));
        DeleteValue(kMarkerKey, "CaptureFilter");
    }

    // Walks the wizard with the default destination, from the CD image in cdDir.
    void StartInstall(WizardSession& setup, const std::string& cdDir) {
        ASSERT_TRUE(setup.Start("\"" + cdDir + "\\setup.exe\"", "Welcome")) << DescribeVisibleWindows();
        ASSERT_TRUE(setup.Press(ids::kNext, "Software License Agreement"));
        ASSERT_TRUE(setup.Press(ids::kNext, "Choose Destination Location"));
        ASSERT_TRUE(PressButton(setup.m_sheet, ids::kNext));
    }

    // Waits for the companion installer and for setup's last step (the
    // capture filter's registration), then ends the companion like a user.
    void FinishWithCompanion(WizardSession& setup) {
        HWND companion = WaitForWindow(kCompanionTitle, 0, 60000);
        ASSERT_NE(nullptr, companion) << DescribeVisibleWindows();
        DWORD type = 0;
        std::string marker;
        EXPECT_TRUE(WaitUntil([&] { return ReadValue(HKEY_LOCAL_MACHINE, kMarkerKey, "CaptureFilter", type, marker); },
                              30000))
            << "regsvr32 never registered the capture filter";
        EXPECT_TRUE(setup.m_process.IsRunning()) << "setup waits for the companion installer";
        // A helper window the companion's kind leaves behind, titled as the frame.
        ForeignWindow helper("Setup");
        PostMessageA(companion, WM_CLOSE, 0, 0);
        EXPECT_TRUE(setup.m_process.WaitForExit(kWindowTimeoutMs)) << "the companion's end closes setup";
        EXPECT_TRUE(helper.StillOpen()) << "setup closed another program's window titled \"Setup\"";
    }

    // After a stopped copy setup ends within seconds, as after Exit Setup,
    // leaving no window and having run none of the steps after the copy.
    void ExpectEndedWithoutLaterSteps(WizardSession& setup) {
        ASSERT_TRUE(setup.m_process.WaitForExit(5000)) << "setup stays after a stopped copy";
        for (const TopWindow& window : ListTopLevelWindows()) {
            EXPECT_NE(setup.m_process.Id(), window.processId) << "left over: " << window.title;
        }
        EXPECT_EQ(nullptr, WaitForWindow(kCompanionTitle, 0, 0)) << "nothing after a failed copy";
        EXPECT_TRUE(GroupFolder().empty());
        EXPECT_FALSE(FileExists(Destination() + "\\DRVSWEEP.EXE"));
        DWORD type = 0;
        std::string value;
        EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, kMarkerKey, "CaptureFilter", type, value));
        EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, kRegisteredApps, "USB Still Image Device", type, value))
            << "no still-image registration after a stopped copy";
    }

    // Installs from cdDir until the copy's error box, whose message names
    // the uninstaller as the file that cannot be read; nullptr without it.
    HWND StartUntilCopyError(WizardSession& setup, const std::string& cdDir) {
        StartInstall(setup, cdDir);
        HWND error = setup.Dialog("Setup");
        if (error != nullptr) {
            EXPECT_EQ("Cannot read source file " + cdDir + "\\drvsweep.ex_.", ControlText(error, ids::kMessageText));
            // Over the copy dialog, which the frame owns.
            HWND copy = GetWindow(error, GW_OWNER);
            EXPECT_TRUE(copy != nullptr && GetWindow(copy, GW_OWNER) == setup.Frame() && setup.Frame() != nullptr);
        }
        return error;
    }

    std::unique_ptr<ScopedWindowsVersion> m_version;
};

}  // namespace

TEST_F(InstallE2E, FirstInstallCopiesGroupsRegistersAndEndsWithTheCompanion) {
    ASSERT_TRUE(WriteFileBytes(SystemDir() + "\\h2_enc.dll", "encoder one"));
    WritePrivateProfileStringA("don't load", "sticpl.cpl", "no", (WindowsDir() + "\\control.ini").c_str());

    // The wizard's log names the folder it makes, as the unattended install's does.
    const std::string logFile = TestDriveRoot() + "wizard install.log";
    DeleteFileA(logFile.c_str());
    WizardSession setup;
    ASSERT_TRUE(setup.Start("\"" + CdImageDir() + "\\setup.exe\" /LOG=\"" + logFile + "\"", "Welcome"))
        << DescribeVisibleWindows();
    // A second double-click while the wizard shows, with another program in
    // front, starts no second install.
    ForeignWindow inFront("Another program");
    SetForegroundWindow(inFront.m_hWnd);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == inFront.m_hWnd; }, 5000));
    ChildProcess second;
    ASSERT_TRUE(second.Start("\"" + CdImageDir() + "\\setup.exe\"", CdImageDir()));
    ASSERT_TRUE(second.WaitForExit(kWindowTimeoutMs)) << DescribeVisibleWindows();
    EXPECT_EQ(1618u, second.ExitCode()) << "another installation is already in progress";
    // The window given up handles its deactivation on this thread.
    EXPECT_TRUE(WaitUntil([&] { return inFront.StillOpen() && GetForegroundWindow() == setup.m_sheet; }, 5000))
        << "the running wizard is brought to the front";
    ASSERT_TRUE(setup.Press(ids::kNext, "Software License Agreement"));
    ASSERT_TRUE(setup.Press(ids::kNext, "Choose Destination Location"));
    ASSERT_TRUE(PressButton(setup.m_sheet, ids::kNext));
    FinishWithCompanion(setup);

    std::string installed;
    std::string original;
    ASSERT_TRUE(ReadFileBytes(Destination() + "\\DRVSWEEP.EXE", installed));
    ASSERT_TRUE(ReadFileBytes(CdImageDir() + "\\..\\drvsweep.exe", original));
    EXPECT_TRUE(installed == original) << "DRVSWEEP.EXE is the expanded uninstaller";
    EXPECT_EQ(OnNtLine() ? Destination() : "(none)", Profile("DestPath", "DestPath", "vantrell.ini"));
    std::string log;
    ASSERT_TRUE(ReadFileBytes(logFile, log));
    const std::size_t folderLine = log.find(Destination() + "  installed");
    const std::size_t recordLine = log.find("vantrell.ini  (DestPath)  installed");
    const std::size_t fileLine = log.find(Destination() + "\\DRVSWEEP.EXE  installed");
    EXPECT_TRUE(folderLine < fileLine && fileLine != std::string::npos) << log;
    EXPECT_EQ(OnNtLine(), recordLine > folderLine && recordLine < fileLine) << log;

    ExpectProductRegistered(Destination(), OnNtLine());
    DWORD type = 0;
    std::string other;
    EXPECT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, kRegisteredApps, "Other Vendor Scanner", type, other));
    EXPECT_EQ("(none)", Profile("don't load", "sticpl.cpl", WindowsDir() + "\\control.ini"));
    EXPECT_EQ(WindowsDir() + "\\default.src", Profile("SourceControl", "src", "Twacker.ini"));

    std::string encoder;
    EXPECT_TRUE(ReadFileBytes(SystemDir() + "\\hmpv2_enc.dll", encoder) && encoder == "encoder one");
}

TEST_F(InstallE2E, SecondInstallAddsOnlyWhatARegisteredMachineLacks) {
    ASSERT_TRUE(KeyExists("System\\CurrentControlSet\\Services\\Class\\Image\\0000")) << "runs after the first";
    ASSERT_TRUE(WriteFileBytes(SystemDir() + "\\h2_enc.dll", "encoder two"));
    ASSERT_TRUE(WriteFileBytes(SystemDir() + "\\hmpv2_enc.dll", "older encoder"));

    WizardSession setup;
    StartInstall(setup, CdImageDir());
    FinishWithCompanion(setup);

    EXPECT_FALSE(KeyExists("System\\CurrentControlSet\\Services\\Class\\Image\\0001"))
        << "no second class instance";
    DWORD type = 0;
    std::string driver;
    if (OnNtLine()) {
        ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, "Enum\\Root\\Image\\0001", "Driver", type, driver))
            << "one more root-enumerated device";
        EXPECT_EQ(std::string("Image\\0000") + std::string(22, '\0'), driver);
        EXPECT_FALSE(KeyExists("Enum\\Root\\Image\\0002"));
    } else {
        // On 98 the purge first removes the earlier device and its class instance.
        EXPECT_TRUE(KeyExists("Enum\\Root\\Image\\0000"));
        EXPECT_FALSE(KeyExists("Enum\\Root\\Image\\0001"));
    }
    std::string encoder;
    EXPECT_TRUE(ReadFileBytes(SystemDir() + "\\hmpv2_enc.dll", encoder) && encoder == "encoder two")
        << "an existing second name is overwritten by a copy";
    EXPECT_TRUE(FileExists(SystemDir() + "\\h2_enc.dll"));
}

TEST_F(InstallE2E, PurgeRemovesEarlierEntriesAndLeavesLookalikes) {
    // The instance scan of this system's table, and its neighbours.
    const std::string base = OnNtLine() ? "System\\ControlSet001\\Services\\class\\Image\\" : "Enum\\Root\\Image\\";
    const std::string classBase = "System\\CurrentControlSet\\Services\\Class\\Image\\";
    SetString(base + "0005", "HardwareID", "OMSCAN");
    SetString(base + "0005", "Driver", "Image\\0007");
    SetString(classBase + "0007", "DriverDesc", "earlier camera");
    SetString(base + "0006", "HardwareID", "OMSCAN");          // no Driver: only the instance goes
    SetString(base + "0008", "HardwareID", "omscan");          // another letter case stays
    SetString(base + "0009", "HardwareID", "OMSCAN2");         // more characters stay
    SetString(base + "0010", "HardwareID", "OMSCAN");          // beyond the ten names: stays
    SetString("SOFTWARE\\VANTRELL\\USB CAM", "Version", "2.0");
    const std::string inf = WindowsDir() + "\\INF";
    const std::string earlierInf = inf + (OnNtLine() ? "\\OVTCAMP.INF" : "\\OVTCAM.INF");
    ASSERT_TRUE(WriteFileBytes(earlierInf, "[Version]"));
    ASSERT_TRUE(CopyInto(HelpersDir() + "\\argrecorder.exe", WindowsDir() + "\\TWAIN_32\\OvtTwn.DS"));
    ASSERT_TRUE(WriteFileBytes(inf + "\\bystander.inf", "[Version]"));

    // Nothing changes before the last question is answered: Exit Setup on
    // each page leaves the machine as it was, the earlier entries included.
    const auto machine = [] {
        return SnapshotOfMachine({WindowsDir().substr(0, 3) + "Pixmoor-USB 300 plus"}, {"System\\CurrentControlSet"});
    };
    const MachineSnapshot before = machine();
    const char* const pages[] = {"Welcome", "Software License Agreement", "Choose Destination Location"};
    for (int last = 0; last < 3; ++last) {
        WizardSession leaving;
        ASSERT_TRUE(leaving.Start("\"" + CdImageDir() + "\\setup.exe\"", pages[0])) << DescribeVisibleWindows();
        for (int page = 1; page <= last; ++page) ASSERT_TRUE(leaving.Press(ids::kNext, pages[page]));
        ASSERT_TRUE(leaving.Press(ids::kCancel));
        ASSERT_TRUE(leaving.Answer(leaving.Dialog("Exit Setup"), IDCANCEL));
        ASSERT_TRUE(leaving.m_process.WaitForExit(kWindowTimeoutMs));
        std::string changes;
        for (const std::string& change : machine().ChangesSince(before)) {
            if (!IsWineNoise(change)) changes += "\n  " + change;
        }
        EXPECT_EQ("", changes) << "Exit Setup on " << pages[last];
    }

    WizardSession setup;
    StartInstall(setup, CdImageDir());
    FinishWithCompanion(setup);

    EXPECT_FALSE(KeyExists(base + "0005"));
    EXPECT_FALSE(KeyExists(classBase + "0007"));
    EXPECT_FALSE(KeyExists(base + "0006"));
    EXPECT_TRUE(KeyExists(base + "0008"));
    EXPECT_TRUE(KeyExists(base + "0009"));
    EXPECT_TRUE(KeyExists(base + "0010"));
    EXPECT_FALSE(KeyExists("SOFTWARE\\VANTRELL\\USB CAM"));
    EXPECT_FALSE(FileExists(earlierInf));
    EXPECT_FALSE(FileExists(WindowsDir() + "\\TWAIN_32\\OvtTwn.DS"));
    EXPECT_TRUE(FileExists(inf + "\\bystander.inf"));
}

TEST_F(InstallE2E, FullEnumListIsReportedAndStopsTheRegistration) {
    for (int n = 0; n < 10; ++n) {
        SetString("Enum\\Root\\Image\\000" + std::to_string(n), "HardwareID", "OTHER DEVICE");
    }
    HKEY services = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services", 0,
                                           KEY_ALL_ACCESS, &services));
    RegDeleteKeyA(services, "OMSCAN");
    RegCloseKey(services);
    DeleteValue(kRegisteredApps, "USB Still Image Device");

    WizardSession setup;
    StartInstall(setup, CdImageDir());
    HWND message = setup.Dialog("Setup");
    ASSERT_NE(nullptr, message) << DescribeVisibleWindows();
    EXPECT_EQ("The ENUM list is full, can't add new driver", ControlText(message, ids::kMessageText));
    ASSERT_TRUE(setup.Answer(message, IDOK));
    FinishWithCompanion(setup);

    EXPECT_FALSE(KeyExists(kServiceKey));
    DWORD type = 0;
    std::string app;
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, kRegisteredApps, "USB Still Image Device", type, app));

    // Free the list again for the scenarios after this one.
    HKEY image = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Enum\\Root\\Image", 0, KEY_ALL_ACCESS, &image));
    for (int n = 0; n < 10; ++n) RegDeleteKeyA(image, ("000" + std::to_string(n)).c_str());
    RegCloseKey(image);
}

TEST_F(InstallE2E, CopyErrorsStopTheInstallOrRetryWhenTheSourceIsBack) {
    const std::string cd = TestDriveRoot() + "broken cd";
    RemoveTree(cd);
    for (const char* file : {"setup.exe", "USBDE301r.INF", "PICTAVO\\setup.exe"}) {
        ASSERT_TRUE(CopyInto(CdImageDir() + "\\" + file, cd + "\\" + file)) << file;
    }
    std::string compressed;
    ASSERT_TRUE(ReadFileBytes(CdImageDir() + "\\drvsweep.ex_", compressed));
    const std::string group = GroupFolder();
    if (!group.empty()) RemoveTree(group);
    DeleteFileA((Destination() + "\\DRVSWEEP.EXE").c_str());

    // A truncated uninstaller, then a missing one: the message, and Abort
    // ends setup there, listing nothing among the installed programs.
    DeleteValue(kRegisteredApps, "USB Still Image Device");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallEntry);
    ASSERT_TRUE(WriteFileBytes(cd + "\\drvsweep.ex_", compressed.substr(0, 40)));
    for (int missing = 0; missing < 2; ++missing) {
        if (missing) DeleteFileA((cd + "\\drvsweep.ex_").c_str());
        WizardSession setup;
        HWND error = StartUntilCopyError(setup, cd);
        ASSERT_NE(nullptr, error) << DescribeVisibleWindows();
        ASSERT_TRUE(setup.Answer(error, IDABORT));
        ExpectEndedWithoutLaterSteps(setup);
        EXPECT_FALSE(KeyExists(kUninstallEntry)) << "an aborted copy lists no program";
    }

    // A missing uninstaller that comes back: Retry installs it and goes on.
    {
        WizardSession setup;
        HWND error = StartUntilCopyError(setup, cd);
        ASSERT_NE(nullptr, error) << DescribeVisibleWindows();
        ASSERT_TRUE(WriteFileBytes(cd + "\\drvsweep.ex_", compressed));
        ASSERT_TRUE(setup.Answer(error, IDRETRY));
        FinishWithCompanion(setup);
        EXPECT_TRUE(FileExists(Destination() + "\\DRVSWEEP.EXE"));
        EXPECT_FALSE(GroupFolder().empty());
        EXPECT_TRUE(KeyExists(kUninstallEntry));
    }
}
