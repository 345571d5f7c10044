// Still-image device registration: the entries of a first install with
// their exact types and bytes, instance numbering, the second install and
// the full device list.
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
const std::string kApps =
    "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications";
const std::string kService = "System\\CurrentControlSet\\Services\\OMSCAN";
const std::string kClsid = "CLSID\\{C3A80962-28B1-11D1-ACAD-00A02438AD48}";
const std::string kDevice = "USB Still Image Device";

std::vector<std::string> g_messages;
void Capture(const char* text) { g_messages.push_back(text); }
const RegistrationPrompts kCapture = {Capture};

std::string Sz(const std::string& text) { return text + '\0'; }
std::string Padded(const std::string& text, std::size_t bytes) {
    return text + std::string(bytes - text.size(), '\0');
}
std::string Le(unsigned value) {
    return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
}

bool Exists(const std::string& path, HKEY root = HKEY_LOCAL_MACHINE) {
    return RegKeyExists(root, path.c_str());
}
void MakeKey(const std::string& path, const char* value = nullptr) {
    RegKey key;
    ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, path.c_str())) << path;
    if (value != nullptr) {
        ASSERT_TRUE(key.SetString(value, "1"));
    }
}

// Checks a value's type and every stored byte.
void ExpectValue(HKEY root, const std::string& path, const char* name, DWORD type,
                 const std::string& bytes) {
    RegKey key;
    ASSERT_TRUE(key.Open(root, path.c_str())) << path;
    char data[1024];
    DWORD gotType = 0, size = 0;
    ASSERT_TRUE(key.QueryRaw(name, data, sizeof data, &gotType, &size)) << path << " " << name;
    EXPECT_EQ(type, gotType) << path << " " << name;
    EXPECT_EQ(bytes, std::string(data, size)) << path << " " << name;
}
bool HasValue(const std::string& path, const char* name, HKEY root = HKEY_LOCAL_MACHINE) {
    RegKey key;
    return key.Open(root, path.c_str()) && key.QueryRaw(name, nullptr, 0);
}

// Twacker.ini has no directory, so it lands in the prefix's real Windows
// directory: keep what was there and put it back afterwards.
class TwackerGuard {
public:
    TwackerGuard() {
        char dir[MAX_PATH];
        GetWindowsDirectoryA(dir, sizeof dir);
        m_path = std::string(dir) + "\\Twacker.ini";
        m_bHad = ReadFileBytes(m_path, m_saved);
        DeleteFileA(m_path.c_str());
    }
    ~TwackerGuard() {
        DeleteFileA(m_path.c_str());
        if (m_bHad) WriteFileBytes(m_path, m_saved);
    }
    const std::string& Path() const { return m_path; }
    std::string Source() const {
        char text[MAX_PATH] = "";
        GetPrivateProfileStringA("SourceControl", "src", "", text, sizeof text, m_path.c_str());
        return text;
    }

private:
    std::string m_path, m_saved;
    bool m_bHad = false;
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
    const std::string inst = kClass + "0000";
    const struct {
        const char* name;
        DWORD type;
        std::string bytes;
    } instanceValues[] = {
        {"Capabilities", REG_DWORD, Le(1)},
        {"CreateFileName", REG_SZ, Sz("\\\\.\\OMSCAN")},
        {"DeviceSubType", REG_DWORD, Le(1)},
        {"DeviceType", REG_DWORD, Le(2)},
        {"DriverDate", REG_SZ, Sz("12-03-1999")},
        {"DriverDesc", REG_SZ, Sz(kDevice)},
        {"FriendlyName", REG_SZ, Sz(kDevice)},
        {"HardwareConfig", REG_BINARY, std::string("\x01", 1)},
        {"ICMProfiles", REG_SZ, Sz("sRGB Color Space Profile.icm")},
        {"InfPath", REG_SZ, Sz("VANTRE~2.INF")},
        {"InfSection", REG_SZ, Sz("OMScan.Scanner")},
        {"NTMPDriver", REG_SZ, Sz("omcamsti.sys")},
        {"PropertyPages", REG_SZ, Sz("omcamcpl.cpl ,EnumStiPropPages")},
        {"ProviderName", REG_SZ, Sz(" ")},
        {"StillImageDriver", REG_SZ, Sz("Installed")},
        {"USDClass", REG_SZ, Sz("{C3A80962-28B1-11D1-ACAD-00A02438AD48}")},
        {"Vendor", REG_SZ, Sz("Orvanto Inc.")},
        {"Flg", REG_SZ, Sz("1")},
    };
    for (const auto& v : instanceValues) ExpectValue(HKEY_LOCAL_MACHINE, inst, v.name, v.type, v.bytes);
    ExpectValue(HKEY_LOCAL_MACHINE, inst + "\\DeviceData", "ICMProfile", REG_BINARY,
                Padded("sRGB Color Space Profile.icm", 30));
    ExpectValue(HKEY_LOCAL_MACHINE, inst + "\\DeviceData", "SpecialInfo", REG_SZ,
                Sz("My very special information"));
    ExpectValue(HKEY_LOCAL_MACHINE, inst + "\\DeviceData", "TwainDS", REG_SZ, Sz(kDevice));
    ExpectValue(HKEY_LOCAL_MACHINE, inst + "\\Events\\NewPicture", "", REG_SZ, Sz("New Picture Captured"));
    ExpectValue(HKEY_LOCAL_MACHINE, inst + "\\Events\\NewPicture", "GUID", REG_SZ,
                Sz("{61127F42-28A3-11D1-ACAD-00A02438AD48}"));
    ExpectValue(HKEY_LOCAL_MACHINE, inst + "\\Events\\NewPicture", "LaunchApplications", REG_SZ, Sz(kDevice));

    for (const auto& place : {std::make_pair(HKEY_CLASSES_ROOT, kClsid),
                              std::make_pair(HKEY_LOCAL_MACHINE, "Software\\CLASSES\\" + kClsid)}) {
        ExpectValue(place.first, place.second, "", REG_SZ, Sz("Pixmoor-USB 300 plus"));
        ExpectValue(place.first, place.second + "\\InProcServer32", "", REG_SZ,
                    Sz(win + "\\SYSTEM\\omcamusd.dll"));
        ExpectValue(place.first, place.second + "\\InProcServer32", "ThreadingModel", REG_SZ, Sz("Both"));
    }
    ExpectValue(HKEY_LOCAL_MACHINE, kRun, "StillImageMonitor", REG_SZ, Sz(win + "\\SYSTEM\\STIMON.EXE"));
    ExpectValue(HKEY_LOCAL_MACHINE, kRun, "ScanRegistry", REG_SZ, Sz(win + "\\scanregw.exe /autorun"));

    const std::string dev = kRoot + "0000";
    ExpectValue(HKEY_LOCAL_MACHINE, dev, "Capabilities", REG_BINARY, Le(0x14));
    ExpectValue(HKEY_LOCAL_MACHINE, dev, "Class", REG_SZ, Padded("Image", 32));
    ExpectValue(HKEY_LOCAL_MACHINE, dev, "ClassGUID", REG_SZ, Sz("{6bdd1fc6-810f-11d0-bec7-08002be2092f}"));
    ExpectValue(HKEY_LOCAL_MACHINE, dev, "ConfigFlags", REG_BINARY, Le(0));
    ExpectValue(HKEY_LOCAL_MACHINE, dev, "DeviceDesc", REG_SZ, Sz(kDevice));
    ExpectValue(HKEY_LOCAL_MACHINE, dev, "Driver", REG_SZ, Padded("Image\\0000", 32));
    ExpectValue(HKEY_LOCAL_MACHINE, dev, "HardwareID", REG_SZ, Sz("OMSCAN"));
    ExpectValue(HKEY_LOCAL_MACHINE, dev, "Mfg", REG_SZ, Sz("Orvanto Inc."));
    ExpectValue(HKEY_LOCAL_MACHINE, dev, "SubClass", REG_SZ, Sz("StillImage"));
    RegKey device;
    ASSERT_TRUE(device.Open(HKEY_LOCAL_MACHINE, dev.c_str()));
    char keyClass[32] = "";
    DWORD classLen = sizeof keyClass;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryInfoKeyA(device.Get(), keyClass, &classLen, nullptr, nullptr, nullptr,
                                              nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_STREQ("Image", keyClass);

    ExpectValue(HKEY_LOCAL_MACHINE, kApps, kDevice.c_str(), REG_SZ,
                Padded(win + "\\omcamcap.exe /StiDevice:%1 /StiEvent:%2", 256));
    EXPECT_TRUE(HasValue(kApps, "Other Camera"));
    ExpectValue(HKEY_LOCAL_MACHINE, kService, "ErrorControl", REG_BINARY, Le(1));
    ExpectValue(HKEY_LOCAL_MACHINE, kService, "Group", REG_SZ, Sz("Base"));
    ExpectValue(HKEY_LOCAL_MACHINE, kService, "ImagePath", REG_SZ,
                Sz("\\SystemRoot\\system32\\drivers\\omcamsti.sys"));
    ExpectValue(HKEY_LOCAL_MACHINE, kService, "Start", REG_BINARY, Le(2));
    ExpectValue(HKEY_LOCAL_MACHINE, kService, "Type", REG_BINARY, Le(1));

    char text[16] = "";
    GetPrivateProfileStringA("don't load", "sticpl.cpl", "gone", text, sizeof text, controlIni.c_str());
    EXPECT_STREQ("gone", text);
    GetPrivateProfileStringA("don't load", "other.cpl", "", text, sizeof text, controlIni.c_str());
    EXPECT_STREQ("no", text);
    EXPECT_EQ(win + "\\default.src", twacker.Source());
}

TEST(StillImageRegistration, NewInstanceFollowsUnmarkedOnesAndTheDriverNamesIt) {
    TempTree tree;
    TwackerGuard twacker;
    for (int taken : {2, 9}) {
        RegistrySandbox sandbox;
        ASSERT_TRUE(sandbox.ok());
        for (int n = 0; n < taken; ++n) MakeKey(kClass + "000" + std::to_string(n), "DriverDesc");
        g_messages.clear();
        RegisterStillImageDevice(tree.WindowsDir().c_str(), kCapture);

        const std::string mine = "000" + std::to_string(taken);
        EXPECT_TRUE(HasValue(kClass + mine, "Flg")) << taken;
        for (int n = 0; n < taken; ++n) EXPECT_FALSE(HasValue(kClass + "000" + std::to_string(n), "Flg"));
        // After nine foreign instances the reference still names ours.
        ExpectValue(HKEY_LOCAL_MACHINE, kRoot + "0000", "Driver", REG_SZ, Padded("Image\\" + mine, 32));
        EXPECT_TRUE(g_messages.empty());
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

    // Take away what a second install must not write again, and what it must.
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE}) {
        const std::string key = root == HKEY_CLASSES_ROOT ? kClsid : "Software\\CLASSES\\" + kClsid;
        RegDeleteKeyA(root, (key + "\\InProcServer32").c_str());
        ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(root, key.c_str()));
    }
    RegKey run;
    ASSERT_TRUE(run.Open(HKEY_LOCAL_MACHINE, kRun.c_str(), KEY_ALL_ACCESS));
    RegDeleteValueA(run.Get(), "StillImageMonitor");
    RegDeleteValueA(run.Get(), "ScanRegistry");
    RegKey apps;
    ASSERT_TRUE(apps.Open(HKEY_LOCAL_MACHINE, kApps.c_str(), KEY_ALL_ACCESS));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteValueA(apps.Get(), kDevice.c_str()));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, kService.c_str()));
    ASSERT_TRUE(DeleteFileA(twacker.Path().c_str()));

    g_messages.clear();
    RegisterStillImageDevice(tree.WindowsDir().c_str(), kCapture);

    EXPECT_TRUE(g_messages.empty());
    EXPECT_FALSE(Exists(kClass + "0001"));
    ExpectValue(HKEY_LOCAL_MACHINE, kRoot + "0001", "Driver", REG_SZ, Padded("Image\\0000", 32));
    EXPECT_TRUE(HasValue(kApps, kDevice.c_str()));
    EXPECT_TRUE(HasValue(kService, "ImagePath"));
    EXPECT_FALSE(Exists(kClsid, HKEY_CLASSES_ROOT));
    EXPECT_FALSE(Exists("Software\\CLASSES\\" + kClsid));
    EXPECT_FALSE(HasValue(kRun, "StillImageMonitor"));
    EXPECT_FALSE(FileExists(twacker.Path()));
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
    EXPECT_FALSE(HasValue(kApps, kDevice.c_str()));
    EXPECT_FALSE(Exists(kService));
    EXPECT_FALSE(Exists(kRoot + "0010"));
    for (int n = 0; n < 10; ++n) EXPECT_FALSE(HasValue(kRoot + "000" + std::to_string(n), "Driver"));
    EXPECT_TRUE(HasValue(kClass + "0000", "Flg")) << "the class instance comes before the check";
}

TEST(StillImageRegistration, ApplicationCommandThatWouldNotFitIsNotWrittenCut) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    TwackerGuard twacker;
    MakeKey(kApps);
    // 216 + 40 characters leave no room for the zero in 256 bytes; 215 fit.
    for (std::size_t length : {216u, 215u}) {
        const std::string win = "C:\\" + std::string(length - 3, 'w');
        RegisterStillImageDevice(win.c_str(), kCapture);
        RegKey apps;
        ASSERT_TRUE(apps.Open(HKEY_LOCAL_MACHINE, kApps.c_str(), KEY_ALL_ACCESS));
        EXPECT_EQ(length == 215u, HasValue(kApps, kDevice.c_str())) << length;
        RegDeleteValueA(apps.Get(), kDevice.c_str());
    }
}
