// Still-image device registration: a first install's entries byte for byte,
// instance numbering, the second install and the full device list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/reg_key.h"
#include "registry_sandbox.h"
#include "stillimage/still_image_registration.h"
#include "temp_tree.h"

namespace {

const std::string kClass = "System\\CurrentControlSet\\Services\\Class\\Image\\";
const std::string kRoot = "Enum\\Root\\Image\\";
const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kApps = "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications";
const std::string kService = "System\\CurrentControlSet\\Services\\OMSCAN";
const std::string kClsid = "CLSID\\{C3A80962-28B1-11D1-ACAD-00A02438AD48}";
const char* const kDevice = "USB Still Image Device";

std::vector<std::string> g_messages;
void Capture(const char* text) { g_messages.push_back(text); }
const RegistrationPrompts kCapture = {Capture};

std::string Padded(const std::string& text, std::size_t bytes) { return text + std::string(bytes - text.size(), '\0'); }
std::string Le(unsigned v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

bool Exists(const std::string& path, HKEY root = HKEY_LOCAL_MACHINE) { return RegKeyExists(root, path.c_str()); }
bool HasValue(const std::string& path, const char* name) {
    RegKey key;
    return key.Open(HKEY_LOCAL_MACHINE, path.c_str()) && key.QueryRaw(name, nullptr, 0);
}
void MakeKey(const std::string& path, const char* value = nullptr) {
    RegKey key;
    ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, path.c_str())) << path;
    if (value != nullptr) {
        ASSERT_TRUE(key.SetString(value, "1"));
    }
}
// Checks a value's type and every stored byte.
void ExpectValue(const std::string& path, const char* name, DWORD type, const std::string& bytes,
                 HKEY root = HKEY_LOCAL_MACHINE) {
    RegKey key;
    char data[512];
    DWORD gotType = 0, size = 0;
    ASSERT_TRUE(key.Open(root, path.c_str()) && key.QueryRaw(name, data, sizeof data, &gotType, &size)) << name;
    EXPECT_EQ(type, gotType) << name;
    EXPECT_EQ(bytes, std::string(data, size)) << name;
}

// Twacker.ini has no directory, so it lands in the prefix's real Windows
// directory: keep what was there and put it back afterwards.
struct TwackerGuard {
    TwackerGuard() {
        char dir[MAX_PATH];
        GetWindowsDirectoryA(dir, sizeof dir);
        path = std::string(dir) + "\\Twacker.ini";
        had = ReadFileBytes(path, saved);
        DeleteFileA(path.c_str());
    }
    ~TwackerGuard() {
        DeleteFileA(path.c_str());
        if (had) WriteFileBytes(path, saved);
    }
    std::string path, saved;
    bool had = false;
};

}  // namespace

TEST(StillImageRegistration, FirstInstallWritesEveryEntryWithExactTypesAndBytes) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    TempTree tree;
    TwackerGuard twacker;
    const std::string win = tree.WindowsDir();
    MakeKey(kRun);
    MakeKey(kApps, "Other Camera");
    const std::string controlIni = win + "\\control.ini";
    ASSERT_TRUE(WriteFileBytes(controlIni, "[don't load]\r\nsticpl.cpl=no\r\nother.cpl=no\r\n"));
    g_messages.clear();

    RegisterStillImageDevice(win.c_str(), kCapture);

    EXPECT_TRUE(g_messages.empty());
    ExpectValue(kClass + "0000", "DeviceType", REG_DWORD, Le(2));
    ExpectValue(kClass + "0000", "HardwareConfig", REG_BINARY, std::string(1, '\x01'));
    ExpectValue(kClass + "0000\\DeviceData", "ICMProfile", REG_BINARY, Padded("sRGB Color Space Profile.icm", 30));
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE}) {
        const std::string key = (root == HKEY_CLASSES_ROOT ? "" : "Software\\CLASSES\\") + kClsid;
        ExpectValue(key + "\\InProcServer32", "", REG_SZ, Padded(win + "\\SYSTEM\\omcamusd.dll", win.size() + 21), root);
    }
    ExpectValue(kRun, "ScanRegistry", REG_SZ, Padded(win + "\\scanregw.exe /autorun", win.size() + 23));

    ExpectValue(kRoot + "0000", "Capabilities", REG_BINARY, Le(0x14));
    ExpectValue(kRoot + "0000", "Class", REG_SZ, Padded("Image", 32));
    ExpectValue(kRoot + "0000", "Driver", REG_SZ, Padded("Image\\0000", 32));
    ExpectValue(kApps, kDevice, REG_SZ, Padded(win + "\\omcamcap.exe /StiDevice:%1 /StiEvent:%2", 256));
    EXPECT_TRUE(HasValue(kApps, "Other Camera"));
    ExpectValue(kService, "ErrorControl", REG_BINARY, Le(1));
    ExpectValue(kService, "Start", REG_BINARY, Le(2));

    char text[MAX_PATH] = "";
    GetPrivateProfileStringA("don't load", "sticpl.cpl", "gone", text, sizeof text, controlIni.c_str());
    EXPECT_STREQ("gone", text);
    GetPrivateProfileStringA("don't load", "other.cpl", "", text, sizeof text, controlIni.c_str());
    EXPECT_STREQ("no", text);
    GetPrivateProfileStringA("SourceControl", "src", "", text, sizeof text, twacker.path.c_str());
    EXPECT_EQ(win + "\\default.src", text);
}

TEST(StillImageRegistration, NewInstanceFollowsUnmarkedOnesAndTheDriverNamesIt) {
    TempTree tree;
    TwackerGuard twacker;
    for (int taken : {2, 9}) {
        RegistrySandbox sandbox;
        ASSERT_TRUE(sandbox.ok());
        for (int n = 0; n < taken; ++n) MakeKey(kClass + "000" + std::to_string(n), "DriverDesc");
        RegisterStillImageDevice(tree.WindowsDir().c_str(), kCapture);

        const std::string mine = "000" + std::to_string(taken);
        EXPECT_TRUE(HasValue(kClass + mine, "Flg")) << taken;
        EXPECT_FALSE(HasValue(kClass + "0000", "Flg")) << taken;
        // After nine foreign instances the reference still names ours.
        ExpectValue(kRoot + "0000", "Driver", REG_SZ, Padded("Image\\" + mine, 32));
        EXPECT_FALSE(Exists(kRun)) << "opened, never created";
        EXPECT_FALSE(Exists(kApps)) << "opened, never created";
        EXPECT_TRUE(Exists(kService));
    }
}

TEST(StillImageRegistration, SecondInstallAddsOnlyDeviceApplicationAndService) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    TempTree tree;
    TwackerGuard twacker;
    MakeKey(kRun);
    MakeKey(kApps);
    RegisterStillImageDevice(tree.WindowsDir().c_str(), kCapture);
    ASSERT_TRUE(HasValue(kClass + "0000", "Flg"));

    // Take away what the second install must not write again, and what it must.
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (kClsid + "\\InProcServer32").c_str());
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CLASSES_ROOT, kClsid.c_str()));
    RegKey run, apps;
    ASSERT_TRUE(run.Open(HKEY_LOCAL_MACHINE, kRun.c_str(), KEY_ALL_ACCESS));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteValueA(run.Get(), "StillImageMonitor"));
    ASSERT_TRUE(apps.Open(HKEY_LOCAL_MACHINE, kApps.c_str(), KEY_ALL_ACCESS));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteValueA(apps.Get(), kDevice));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, kService.c_str()));
    ASSERT_TRUE(DeleteFileA(twacker.path.c_str()));
    g_messages.clear();

    RegisterStillImageDevice(tree.WindowsDir().c_str(), kCapture);

    EXPECT_TRUE(g_messages.empty());
    EXPECT_FALSE(Exists(kClass + "0001"));
    ExpectValue(kRoot + "0001", "Driver", REG_SZ, Padded("Image\\0000", 32));
    EXPECT_TRUE(HasValue(kApps, kDevice));
    EXPECT_TRUE(HasValue(kService, "ImagePath"));
    EXPECT_FALSE(Exists(kClsid, HKEY_CLASSES_ROOT));
    EXPECT_FALSE(HasValue(kRun, "StillImageMonitor"));
    EXPECT_FALSE(FileExists(twacker.path));
}

TEST(StillImageRegistration, FullDeviceListShowsTheMessageOnceAndWritesNoApplicationOrService) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    TempTree tree;
    TwackerGuard twacker;
    MakeKey(kApps);
    for (int n = 0; n < 10; ++n) MakeKey(kRoot + "000" + std::to_string(n));
    g_messages.clear();

    RegisterStillImageDevice(tree.WindowsDir().c_str(), kCapture);

    ASSERT_EQ(1u, g_messages.size());
    EXPECT_EQ("The ENUM list is full, can't add new driver", g_messages[0]);
    EXPECT_FALSE(HasValue(kApps, kDevice));
    EXPECT_FALSE(Exists(kService));
    EXPECT_FALSE(HasValue(kRoot + "0000", "Driver"));
    EXPECT_TRUE(HasValue(kClass + "0000", "Flg")) << "the class instance comes before the check";
}

TEST(StillImageRegistration, ApplicationCommandThatWouldNotFitIsNotWrittenCut) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    TwackerGuard twacker;
    MakeKey(kApps);
    // 216 + 40 characters leave no room for the zero in 256 bytes; 215 fit.
    for (std::size_t length : {216u, 215u}) {
        RegisterStillImageDevice(("C:\\" + std::string(length - 3, 'w')).c_str(), kCapture);
        EXPECT_EQ(length == 215u, HasValue(kApps, kDevice)) << length;
    }
}
