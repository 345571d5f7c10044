// Removal of earlier still-image entries: OMSCAN instances with their class
// keys, the value and key rows of both table sets, and the file rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/reg_key.h"
#include "hklm_keys.h"
#include "registry_sandbox.h"
#include "stillimage/earlier_still_image.h"
#include "temp_tree.h"

namespace {

const std::string kClass = "System\\CurrentControlSet\\Services\\Class\\Image\\";
const std::string kRoot = "Enum\\Root\\Image\\";
const std::string kApps = "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications";

bool Exists(const std::string& path) { return HklmKeyExists(path); }
bool HasValue(const std::string& path, const char* name) { return HklmHasValue(path, name); }
// Creates the key with string values ("" names the default value).
void MakeKey(const std::string& path, const StringValues& values = {}) { ASSERT_TRUE(MakeHklmKey(path, values)) << path; }
void MakeOmscan(const std::string& path, const char* driver) {
    MakeKey(path, {{"HardwareID", "OMSCAN"}});
    if (driver != nullptr) MakeKey(path, {{"Driver", driver}});
}

// Keeps the strings a FolderSet points to.
struct Folders {
    Folders(const TempTree& tree, int bNtPaths)
        : windows(tree.WindowsDir()), system(tree.SystemDir()), inf(windows + "\\INF"),
          set{windows.c_str(), system.c_str(), inf.c_str(), "", bNtPaths} {}
    std::string windows, system, inf;
    FolderSet set;
};

}  // namespace

TEST(EarlierStillImage, CleanMachineStaysUnchanged) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    TempTree tree;
    const std::string bystander = tree.WindowsDir() + "\\INF\\OEM0.INF";
    ASSERT_TRUE(WriteFileBytes(bystander, "x"));
    for (int bNtPaths : {0, 1}) {
        PurgeEarlierStillImage(Folders(tree, bNtPaths).set);
        char name[256];
        DWORD len = sizeof name;
        EXPECT_NE(ERROR_SUCCESS, RegEnumKeyExA(HKEY_LOCAL_MACHINE, 0, name, &len, nullptr, nullptr, nullptr, nullptr));
        EXPECT_TRUE(FileExists(bystander));
    }
}

TEST(EarlierStillImage, OmscanInstancesGoWithTheClassKeyTheyNameOthersStay) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    MakeOmscan(kRoot + "0000", "Image\\0003");
    MakeOmscan(kRoot + "0001", nullptr);
    MakeKey(kRoot + "0002", {{"HardwareID", "omscan"}, {"Driver", "Image\\0004"}});
    MakeKey(kRoot + "0004", {{"HardwareID", "OMSCAN2"}, {"Driver", "Image\\0004"}});
    // Longer than the 32-byte buffer, as Windows 2000/XP write it: no class key.
    MakeOmscan(kRoot + "0009", "{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0007");
    MakeOmscan(kRoot + "0010", "Image\\0008");
    for (const char* n : {"0001", "0003", "0004", "0007", "0008"}) MakeKey(kClass + n);

    PurgeOmscanInstances(HKEY_LOCAL_MACHINE, "Enum\\Root\\Image");

    for (const char* n : {"0000", "0001", "0009"}) EXPECT_FALSE(Exists(kRoot + n)) << n;
    EXPECT_FALSE(Exists(kClass + "0003"));
    for (const char* n : {"0002", "0004", "0010"}) EXPECT_TRUE(Exists(kRoot + n)) << n;
    for (const char* n : {"0001", "0004", "0007", "0008"}) EXPECT_TRUE(Exists(kClass + n)) << n;
}

TEST(EarlierStillImage, DriverTailOtherThanFourDigitsDeletesNoClassKey) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    // An empty tail names the image class itself; without subkeys only the check keeps it.
    const std::string imageClass = kClass.substr(0, kClass.size() - 1);
    MakeKey(imageClass, {{"Keep", "1"}});
    MakeOmscan(kRoot + "0000", "");
    PurgeOmscanInstances(HKEY_LOCAL_MACHINE, "Enum\\Root\\Image");
    EXPECT_FALSE(Exists(kRoot + "0000"));
    EXPECT_TRUE(HasValue(imageClass, "Keep"));

    const char* tails[] = {"ab", "abcd", "00a1", "0005"};
    for (int i = 0; i < 4; ++i) {
        MakeOmscan(kRoot + "000" + std::to_string(i), i == 0 ? "ab" : (std::string("Image\\") + tails[i]).c_str());
        MakeKey(kClass + tails[i]);
    }
    PurgeOmscanInstances(HKEY_LOCAL_MACHINE, "Enum\\Root\\Image");
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(Exists(kClass + tails[i])) << tails[i];
    EXPECT_FALSE(Exists(kClass + "0005"));
}

TEST(EarlierStillImage, EachTableSetTakesItsValuesAndKeysOnly) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    TempTree tree;
    const std::string cs1 = "System\\ControlSet001\\Services\\", cs2 = "System\\ControlSet002\\Services\\";
    MakeOmscan(cs1 + "class\\Image\\0000", nullptr);
    MakeKey(cs1 + "OVT511", {{"", "old"}, {"Keep", "1"}});
    for (const std::string& key : {cs2 + "OMSCAN", cs2 + "OVT512", std::string("SOFTWARE\\VANTRELL\\USB CAM")}) MakeKey(key);
    MakeOmscan(kRoot + "0000", nullptr);
    MakeKey(kApps, {{"WDM Still Image Capture", "b"}, {"Other", "d"}});

    PurgeEarlierStillImage(Folders(tree, 1).set);
    EXPECT_FALSE(Exists(cs1 + "class\\Image\\0000"));
    EXPECT_FALSE(HasValue(cs1 + "OVT511", ""));
    EXPECT_TRUE(HasValue(cs1 + "OVT511", "Keep")) << "value rows leave the key";
    EXPECT_FALSE(Exists(cs2 + "OMSCAN"));
    EXPECT_FALSE(Exists("SOFTWARE\\VANTRELL\\USB CAM"));
    EXPECT_TRUE(Exists("SOFTWARE\\VANTRELL"));
    EXPECT_TRUE(Exists(cs2 + "OVT512"));
    EXPECT_TRUE(Exists(kRoot + "0000")) << "Windows 98 entries stay under the NT set";
    EXPECT_TRUE(HasValue(kApps, "WDM Still Image Capture"));

    MakeKey(cs2 + "OMSCAN");
    PurgeEarlierStillImage(Folders(tree, 0).set);
    EXPECT_FALSE(Exists(kRoot + "0000"));
    EXPECT_FALSE(HasValue(kApps, "WDM Still Image Capture"));
    EXPECT_TRUE(HasValue(kApps, "Other"));
    EXPECT_TRUE(Exists(cs2 + "OMSCAN")) << "not in the Windows 98 set";
}

TEST(EarlierStillImage, FilesGoFromTheirFoldersOnlyAndUnknownCodesKeepThePreviousFolder) {
    TempTree tree;
    const std::string win = tree.WindowsDir() + "\\";
    ASSERT_TRUE(MakeDirs(win + "SYSTEM\\Drivers"));
    const FileEntry rows[] = {
        {0, "", "FIRST.SYS", LOC_DESTINATION, "", 0},  // no folder before it: skipped
        {0, "", "OMSCAN.SYS", LOC_DRIVERS, "", 0},
        {0, "", "NEXT.SYS", LOC_DESTINATION, "", 0},  // the drivers folder of the row before
    };
    const std::string rootFile = win.substr(0, 2) + "\\FIRST.SYS";
    for (int nt : {0, 1}) {
        // OVTCAM.INF is a row of the Windows 98 table only; OvtTwn.DS only in TWAIN_32 (and VN).
        for (const char* file : {"INF\\OVTCAM.INF", "TWAIN_32\\OvtTwn.DS", "OvtTwn.DS"}) {
            ASSERT_TRUE(WriteFileBytes(win + file, "x"));
        }
        PurgeEarlierStillImage(Folders(tree, nt).set);
        EXPECT_EQ(nt == 1, FileExists(win + "INF\\OVTCAM.INF")) << nt;
        EXPECT_FALSE(FileExists(win + "TWAIN_32\\OvtTwn.DS")) << nt;
        EXPECT_TRUE(FileExists(win + "OvtTwn.DS")) << nt;

        const std::string drivers = win + (nt ? "SYSTEM\\Drivers\\" : "SYSTEM32\\Drivers\\");
        const std::string other = win + (nt ? "SYSTEM32\\Drivers\\" : "SYSTEM\\Drivers\\");
        for (const std::string& dir : {drivers, other}) {
            for (const char* name : {"OMSCAN.SYS", "NEXT.SYS"}) ASSERT_TRUE(WriteFileBytes(dir + name, "x"));
        }
        ASSERT_TRUE(WriteFileBytes(rootFile, "x"));
        char cwd[MAX_PATH];
        GetCurrentDirectoryA(sizeof cwd, cwd);
        SetCurrentDirectoryA(win.c_str());
        PurgeFileRows(rows, 3, Folders(tree, nt).set);
        SetCurrentDirectoryA(cwd);
        for (const char* name : {"OMSCAN.SYS", "NEXT.SYS"}) {
            EXPECT_FALSE(FileExists(drivers + name)) << nt << name;
            EXPECT_TRUE(FileExists(other + name)) << nt << name;
        }
        EXPECT_TRUE(FileExists(rootFile)) << "nothing deleted at the drive root";
        DeleteFileA(rootFile.c_str());
    }
}
