// Removal of earlier still-image entries: OMSCAN instances with their class
// keys, value and key rows of both table sets, and the file rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/reg_key.h"
#include "registry_sandbox.h"
#include "stillimage/earlier_still_image.h"
#include "temp_tree.h"

namespace {

const std::string kClass = "System\\CurrentControlSet\\Services\\Class\\Image\\";
const std::string kStiApps =
    "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications";

bool Exists(const std::string& path) { return RegKeyExists(HKEY_LOCAL_MACHINE, path.c_str()); }

// Creates the key and sets its string values ("" names the default value).
void MakeKey(const std::string& path, const std::vector<std::pair<std::string, std::string>>& values = {}) {
    RegKey key;
    ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, path.c_str())) << path;
    for (const auto& value : values) ASSERT_TRUE(key.SetString(value.first.c_str(), value.second));
}

bool HasValue(const std::string& path, const char* name) {
    RegKey key;
    return key.Open(HKEY_LOCAL_MACHINE, path.c_str()) && key.QueryRaw(name, nullptr, 0);
}

// Keeps the strings a FolderSet points to.
struct Folders {
    explicit Folders(const TempTree& tree, int bNtPaths)
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
        Folders folders(tree, bNtPaths);
        PurgeEarlierStillImage(folders.set);
        char name[256];
        DWORD len = sizeof name;
        EXPECT_NE(ERROR_SUCCESS, RegEnumKeyExA(HKEY_LOCAL_MACHINE, 0, name, &len, nullptr, nullptr,
                                               nullptr, nullptr))
            << "a key was created: " << name;
        EXPECT_TRUE(FileExists(bystander));
    }
}

TEST(EarlierStillImage, OmscanInstancesGoWithTheClassKeyTheyNameOthersStay) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    const std::string base = "Enum\\Root\\Image\\";
    MakeKey(base + "0000", {{"HardwareID", "OMSCAN"}, {"Driver", "Image\\0003"}});
    MakeKey(base + "0001", {{"HardwareID", "OMSCAN"}});
    MakeKey(base + "0002", {{"HardwareID", "omscan"}, {"Driver", "Image\\0004"}});
    MakeKey(base + "0004", {{"HardwareID", "OMSCAN2"}, {"Driver", "Image\\0004"}});
    MakeKey(base + "0005", {{"Driver", "Image\\0004"}});
    // Longer than the 32-byte buffer (as Windows 2000/XP write it): no class key.
    MakeKey(base + "0009", {{"HardwareID", "OMSCAN"},
                            {"Driver", "{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0007"}});
    MakeKey(base + "0010", {{"HardwareID", "OMSCAN"}, {"Driver", "Image\\0008"}});
    for (const char* n : {"0001", "0003", "0004", "0007", "0008"}) MakeKey(kClass + n);

    PurgeOmscanInstances(HKEY_LOCAL_MACHINE, "Enum\\Root\\Image");

    EXPECT_FALSE(Exists(base + "0000"));
    EXPECT_FALSE(Exists(kClass + "0003")) << "the class key the instance named";
    EXPECT_FALSE(Exists(base + "0001")) << "no Driver: only the instance goes";
    EXPECT_FALSE(Exists(base + "0009"));
    EXPECT_TRUE(Exists(kClass + "0007"));
    for (const char* n : {"0002", "0004", "0005", "0010"}) EXPECT_TRUE(Exists(base + n)) << n;
    for (const char* n : {"0001", "0004", "0008"}) EXPECT_TRUE(Exists(kClass + n)) << n;
}

TEST(EarlierStillImage, DriverTailOtherThanFourDigitsDeletesNoClassKey) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    const std::string base = "Enum\\Root\\Image\\";
    // An empty tail would name the image class itself; give it no subkeys so
    // that nothing but the check keeps it.
    const std::string imageClass = kClass.substr(0, kClass.size() - 1);
    MakeKey(imageClass, {{"Keep", "1"}});
    MakeKey(base + "0000", {{"HardwareID", "OMSCAN"}, {"Driver", ""}});
    PurgeOmscanInstances(HKEY_LOCAL_MACHINE, "Enum\\Root\\Image");
    EXPECT_FALSE(Exists(base + "0000"));
    EXPECT_TRUE(HasValue(imageClass, "Keep"));

    MakeKey(base + "0001", {{"HardwareID", "OMSCAN"}, {"Driver", "ab"}});
    MakeKey(base + "0002", {{"HardwareID", "OMSCAN"}, {"Driver", "Image\\abcd"}});
    MakeKey(base + "0003", {{"HardwareID", "OMSCAN"}, {"Driver", "Image\\00a1"}});
    MakeKey(base + "0004", {{"HardwareID", "OMSCAN"}, {"Driver", "Image\\0005"}});
    for (const char* n : {"ab", "abcd", "00a1", "0005"}) MakeKey(kClass + n);
    PurgeOmscanInstances(HKEY_LOCAL_MACHINE, "Enum\\Root\\Image");
    for (const char* n : {"0001", "0002", "0003", "0004"}) EXPECT_FALSE(Exists(base + n)) << n;
    for (const char* n : {"ab", "abcd", "00a1"}) EXPECT_TRUE(Exists(kClass + n)) << n;
    EXPECT_FALSE(Exists(kClass + "0005"));
}

TEST(EarlierStillImage, NtTablesTakeDefaultValuesAndOldKeysOnly) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    TempTree tree;
    const std::string cs1 = "System\\ControlSet001\\", cs2 = "System\\ControlSet002\\",
                      cur = "System\\CurrentControlSet\\";
    MakeKey(cs1 + "Services\\class\\Image\\0000", {{"HardwareID", "OMSCAN"}});
    for (const std::string& key : {cs2 + "Services\\class\\Image", cur + "Services\\class\\Image",
                                   cs1 + "Services\\OVT511"}) {
        MakeKey(key, {{"", "old"}, {"Keep", "1"}});
    }
    for (const std::string& set : {cs1, cs2, cur}) {
        MakeKey(set + "Enum\\USB\\Vid_05a9&Pid_0511");
        MakeKey(set + "Services\\OMSCAN");
        MakeKey(set + "Services\\OVT512");
    }
    MakeKey(cs2 + "Services\\OVT511");
    MakeKey("SOFTWARE\\VANTRELL\\USB CAM");
    MakeKey("Enum\\Root\\Image\\0000", {{"HardwareID", "OMSCAN"}});
    MakeKey(kStiApps, {{"Vantrell Still Image Capture", "x"}});

    Folders folders(tree, 1);
    PurgeEarlierStillImage(folders.set);

    EXPECT_FALSE(Exists(cs1 + "Services\\class\\Image\\0000")) << "instance base of this set";
    for (const std::string& key : {cs2 + "Services\\class\\Image", cur + "Services\\class\\Image",
                                   cs1 + "Services\\OVT511"}) {
        EXPECT_FALSE(HasValue(key, "")) << key;
        EXPECT_TRUE(HasValue(key, "Keep")) << key;
    }
    for (const std::string& set : {cs1, cs2, cur}) {
        EXPECT_FALSE(Exists(set + "Enum\\USB\\Vid_05a9&Pid_0511")) << set;
        EXPECT_FALSE(Exists(set + "Services\\OMSCAN")) << set;
        EXPECT_TRUE(Exists(set + "Services\\OVT512")) << set;
    }
    EXPECT_FALSE(Exists(cs2 + "Services\\OVT511"));
    EXPECT_FALSE(Exists("SOFTWARE\\VANTRELL\\USB CAM"));
    EXPECT_TRUE(Exists("SOFTWARE\\VANTRELL"));
    EXPECT_TRUE(Exists("Enum\\Root\\Image\\0000")) << "Windows 98 entries are not in this set";
    EXPECT_TRUE(HasValue(kStiApps, "Vantrell Still Image Capture"));
}

TEST(EarlierStillImage, Win98TablesTakeOldApplicationsAndKeysOnly) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    TempTree tree;
    MakeKey("Enum\\Root\\Image\\0000", {{"HardwareID", "OMSCAN"}, {"Driver", "Image\\0000"}});
    MakeKey(kClass + "0000");
    MakeKey(kStiApps, {{"Vantrell Still Image Capture", "a"}, {"WDM Still Image Capture", "b"},
                       {"VGA USB Still Image Capture", "c"}, {"Other Camera", "d"}});
    MakeKey("System\\CurrentControlSet\\Services\\OMSCAN");
    MakeKey("SOFTWARE\\VANTRELL\\USB CAM");
    MakeKey("System\\ControlSet002\\Services\\OMSCAN");

    Folders folders(tree, 0);
    PurgeEarlierStillImage(folders.set);

    EXPECT_FALSE(Exists("Enum\\Root\\Image\\0000"));
    EXPECT_FALSE(Exists(kClass + "0000"));
    for (const char* name : {"Vantrell Still Image Capture", "WDM Still Image Capture",
                             "VGA USB Still Image Capture"}) {
        EXPECT_FALSE(HasValue(kStiApps, name)) << name;
    }
    EXPECT_TRUE(HasValue(kStiApps, "Other Camera"));
    EXPECT_FALSE(Exists("System\\CurrentControlSet\\Services\\OMSCAN"));
    EXPECT_FALSE(Exists("SOFTWARE\\VANTRELL\\USB CAM"));
    EXPECT_TRUE(Exists("System\\ControlSet002\\Services\\OMSCAN")) << "not in this set";
}

TEST(EarlierStillImage, FileRowsDeleteInTheirFoldersAndBystandersStay) {
    TempTree tree;
    const std::string win = tree.WindowsDir();
    for (const char* dir : {"\\TWAIN_32\\VN", "\\TWAIN_32\\OVT\\USB", "\\TWAIN_32\\CA561A"}) {
        ASSERT_TRUE(MakeDirs(win + dir));
    }
    // Each flag: files the table removes, then files that must stay.
    const struct {
        int bNtPaths;
        std::vector<const char*> gone, stay;
    } cases[] = {
        {1,
         {"INF\\OVTCAMP.INF", "INF\\OMUSD.INF", "INF\\USB-CAM.INF", "INF\\USB-SCAN.INF",
          "INF\\Other\\VantrellUSB-SCAN.INF", "TWAIN_32\\VN\\OvtTwn.DS", "TWAIN_32\\OvtTwn.DS",
          "TWAIN_32\\OMScanDs.DS", "TWAIN_32\\OVT\\USB\\OMScanDs.DS", "TWAIN_32\\VN\\OMScanDs.DS"},
         {"INF\\OVTCAM.INF", "INF\\Other\\OVTCAMP.INF", "INF\\Other\\USB-SCAN.INF",
          "TWAIN_32\\CA561A\\OMScanDs.DS", "OvtTwn.DS", "INF\\OEM1.INF"}},
        {0,
         {"INF\\OVTCAM.INF", "INF\\Other\\OmniVisionOVTCAMP.INF", "INF\\OMUSD.INF",
          "INF\\Other\\OVTCAMP.INF", "INF\\USB-SCAN.INF", "INF\\Other\\VantrellUSB-SCAN.INF",
          "TWAIN_32\\VN\\OvtTwn.DS", "TWAIN_32\\OvtTwn.DS", "TWAIN_32\\OMScanDs.DS",
          "TWAIN_32\\OVT\\USB\\OMScanDs.DS", "TWAIN_32\\VN\\OMScanDs.DS"},
         {"INF\\OVTCAMP.INF", "INF\\USB-CAM.INF", "INF\\OmniVisionOVTCAMP.INF",
          "TWAIN_32\\CA561A\\OvtTwn.DS", "OMScanDs.DS", "INF\\OEM1.INF"}},
    };
    for (const auto& c : cases) {
        for (const auto* list : {&c.gone, &c.stay}) {
            for (const char* file : *list) ASSERT_TRUE(WriteFileBytes(win + "\\" + file, "x")) << file;
        }
        Folders folders(tree, c.bNtPaths);
        PurgeFileRows(c.bNtPaths ? g_EarlierStillImageFilesNt : g_EarlierStillImageFiles98,
                      c.bNtPaths ? g_nEarlierStillImageFilesNt : g_nEarlierStillImageFiles98,
                      folders.set);
        for (const char* file : c.gone) EXPECT_FALSE(FileExists(win + "\\" + file)) << c.bNtPaths << file;
        for (const char* file : c.stay) EXPECT_TRUE(FileExists(win + "\\" + file)) << c.bNtPaths << file;
    }
}

TEST(EarlierStillImage, FileRowFoldersFollowTheFlagAndUnknownCodesKeepThePreviousFolder) {
    TempTree tree;
    const std::string win = tree.WindowsDir();
    ASSERT_TRUE(MakeDirs(win + "\\SYSTEM\\Drivers"));
    const FileEntry rows[] = {
        {0, "", "FIRST.SYS", LOC_DESTINATION, "", 0},  // no folder before it: skipped
        {0, "", "OMSCAN.SYS", LOC_DRIVERS, "", 0},
        {0, "", "NEXT.SYS", LOC_DESTINATION, "", 0},  // stays in the drivers folder
    };
    for (int bNtPaths : {0, 1}) {
        const std::string drivers = win + (bNtPaths ? "\\SYSTEM\\Drivers\\" : "\\SYSTEM32\\Drivers\\");
        const std::string other = win + (bNtPaths ? "\\SYSTEM32\\Drivers\\" : "\\SYSTEM\\Drivers\\");
        for (const std::string& dir : {drivers, other}) {
            for (const char* name : {"OMSCAN.SYS", "NEXT.SYS"}) ASSERT_TRUE(WriteFileBytes(dir + name, "x"));
        }
        ASSERT_TRUE(WriteFileBytes(win.substr(0, 2) + "\\FIRST.SYS", "x"));
        char cwd[MAX_PATH];
        GetCurrentDirectoryA(sizeof cwd, cwd);
        SetCurrentDirectoryA(win.c_str());
        Folders folders(tree, bNtPaths);
        PurgeFileRows(rows, 3, folders.set);
        SetCurrentDirectoryA(cwd);
        EXPECT_FALSE(FileExists(drivers + "OMSCAN.SYS")) << bNtPaths;
        EXPECT_FALSE(FileExists(drivers + "NEXT.SYS")) << bNtPaths;
        EXPECT_TRUE(FileExists(other + "OMSCAN.SYS")) << bNtPaths;
        EXPECT_TRUE(FileExists(other + "NEXT.SYS")) << bNtPaths;
        EXPECT_TRUE(FileExists(win.substr(0, 2) + "\\FIRST.SYS")) << "nothing at the drive root";
        DeleteFileA((win.substr(0, 2) + "\\FIRST.SYS").c_str());
    }
}
