// The uninstall's removal pass: its tables, the files and folders each row
// names, the installation directory, registry rows and the system.ini entry.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "cleanup/removal_pass.h"
#include "cleanup/removal_tables.h"
#include "common/reg_key.h"
#include "hklm_keys.h"
#include "registry_sandbox.h"
#include "temp_tree.h"
#include "wine_settings.h"

namespace {

using Strings = std::vector<std::string>;
const std::string kApps = "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications";

bool Exists(const std::string& path) { return HklmKeyExists(path); }
bool HasValue(const std::string& path, const char* name) { return HklmHasValue(path, name); }
void MakeKey(const std::string& path, const StringValues& values = {}) { ASSERT_TRUE(MakeHklmKey(path, values)) << path; }

// Keeps the strings a RemovalContext points to.
struct Context {
    Context(const TempTree& tree, int bNtPaths, const std::string& sourceDir = "")
        : windows(tree.WindowsDir()), system(tree.SystemDir()), inf(windows + "\\INF"),
          context{windows.c_str(), system.c_str(), inf.c_str(), bNtPaths, sourceDir,
                  "OmniVision\\Dual Mode USB Camera Plus"} {}
    std::string windows, system, inf;
    RemovalContext context;
};

struct RecordedProgress : RemovalProgress {
    void OnStep(unsigned int done, unsigned int total, bool repaint) override {
        dones.push_back(done);
        totals.push_back(total);
        repaints += repaint;
    }
    std::vector<unsigned int> dones, totals;
    unsigned int repaints = 0;
};

// Every file below the tree, relative to its root.
void ListFiles(const std::string& dir, const std::string& prefix, std::set<std::string>& out) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ListFiles(dir + "\\" + name, prefix + name + "\\", out);
        else out.insert(prefix + name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}
std::set<std::string> Files(const TempTree& tree) {
    std::set<std::string> files;
    ListFiles(tree.Root(), "", files);
    return files;
}
void Put(const TempTree& tree, const Strings& relative) {
    for (const std::string& file : relative) {
        const std::string path = tree.Path(file);
        ASSERT_TRUE(MakeDirs(path.substr(0, path.find_last_of('\\'))) && WriteFileBytes(path, "x")) << file;
    }
}

// An entry of a profile file in the real Windows directory, set for one
// test and put back afterwards (the file removed when the test made it).
class ScopedProfileEntry {
public:
    ScopedProfileEntry(const char* file, const char* section, const char* key)
        : m_file(file), m_section(section), m_key(key) {
        char windows[MAX_PATH] = "";
        GetWindowsDirectoryA(windows, sizeof windows);
        m_path = std::string(windows) + "\\" + file;
        m_bFileExisted = FileExists(m_path);
        m_bHadValue = Get(&m_value);
    }
    ~ScopedProfileEntry() {
        Set(m_bHadValue ? m_value.c_str() : nullptr);
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_file);
        if (!m_bFileExisted) DeleteFileA(m_path.c_str());
    }
    void Set(const char* value) { WritePrivateProfileStringA(m_section, m_key, value, m_file); }  // nullptr: remove
    bool Get(std::string* value) const {  // false when absent
        char text[1024] = "";
        GetPrivateProfileStringA(m_section, m_key, "<absent>", text, sizeof text, m_file);
        *value = text;
        return *value != "<absent>";
    }

private:
    const char *m_file, *m_section, *m_key;
    std::string m_path, m_value;
    bool m_bFileExisted = false, m_bHadValue = false;
};

struct ScopedCurrentDirectory {
    ScopedCurrentDirectory() { GetCurrentDirectoryA(sizeof sz, sz); }
    ~ScopedCurrentDirectory() { SetCurrentDirectoryA(sz); }
    char sz[MAX_PATH] = "";
};

}  // namespace

TEST(RemovalTables, CountsAndRowsAsListedWithOneSharedKeyHandle) {
    ASSERT_EQ(70, g_nRemoveFilesNt);
    ASSERT_EQ(68, g_nRemoveFiles98);
    ASSERT_EQ(23, g_nRemoveRegNt);
    ASSERT_EQ(17, g_nRemoveReg98);
    const struct { const FileEntry* table; int row; const char* name; int code; } files[] = {
        {g_RemoveFilesNt, 0, "OmniVisionOVTCAMP.INF", 4}, {g_RemoveFilesNt, 26, "UNINSTAL.EXE", 5},
        {g_RemoveFilesNt, 30, "76BE.set", 13}, {g_RemoveFilesNt, 47, "OMScanDs.DS", 8},
        {g_RemoveFilesNt, 57, "6620.SET", 11}, {g_RemoveFilesNt, 69, "8600P.SET", 11},
        {g_RemoveFiles98, 0, "VantrellUSB-SCAN.INF", 4}, {g_RemoveFiles98, 31, "OMCAMTWN.DS", 12},
        {g_RemoveFiles98, 39, "UNINSTAL.EXE", 5}, {g_RemoveFiles98, 54, "CONVERT_.EXE", 1},
        {g_RemoveFiles98, 55, "6620.SET", 11}, {g_RemoveFiles98, 67, "8600P.SET", 11}};
    for (const auto& f : files) {
        EXPECT_STREQ(f.name, f.table[f.row].szTargetName) << f.row;
        EXPECT_EQ(f.code, f.table[f.row].nLocation) << f.name;
    }
    const struct { const RegRemoveEntry* table; int row; const char* key; const char* value; } keys[] = {
        {g_RemoveRegNt, 0, "System\\ControlSet001\\Services\\class\\Image", ""},
        {g_RemoveRegNt, 3, "System\\ControlSet001\\Enum\\USB\\Vid_05a9&Pid_0511", ""},
        {g_RemoveRegNt, 15, "System\\CurrentControlSet\\control\\MediaResources\\msvideo\\MSVideo.VFWWDM", ""},
        {g_RemoveRegNt, 22, "SOFTWARE\\VANTRELL\\USB CAM", ""},
        {g_RemoveReg98, 0, "Enum\\Root\\Image", ""},
        {g_RemoveReg98, 3, kApps.c_str(), "VGA USB Still Image Capture"},
        {g_RemoveReg98, 4, kApps.c_str(), ""},
        {g_RemoveReg98, 7, "Enum\\USB\\VID_05A9&PID_0511\\INST_0", ""},
        {g_RemoveReg98, 16, "SOFTWARE\\VANTRELL\\USB CAM", ""}};
    for (const auto& k : keys) {
        EXPECT_STREQ(k.key, k.table[k.row].szSubKey) << k.row;
        EXPECT_STREQ(k.value, k.table[k.row].szValueName) << k.row;
    }
    for (const auto& table : {std::make_pair(g_RemoveRegNt, 23), std::make_pair(g_RemoveReg98, 17)}) {
        for (int i = 0; i < table.second; ++i) {
            const RegRemoveEntry& row = table.first[i];
            EXPECT_TRUE(row.hRoot == HKEY_LOCAL_MACHINE && row.phkResult == &g_hRemovalKey && row.nReserved == 0) << i;
        }
    }
}

TEST(RemovalFiles, BarMovesRowByRowToItsEndWithNoFilesPresent) {
    ScopedProfileEntry dest("vantrell.ini", "DestPath", "DestPath");
    TempTree tree;
    dest.Set(tree.Path("Product").c_str());
    for (int nt : {1, 0}) {
        RecordedProgress progress;
        const Context context(tree, nt, tree.Path("Product"));
        RemoveFiles(context.context, FindRemovalFolders(context.context), progress);
        const unsigned int rows = nt ? 70u : 68u;
        ASSERT_EQ(rows, progress.dones.size());
        for (unsigned int i = 0; i < rows; ++i) EXPECT_EQ(i + 1, progress.dones[i]) << i;
        EXPECT_EQ(std::vector<unsigned int>(rows, rows), progress.totals) << "the file rows are the whole bar";
        EXPECT_EQ(rows, progress.repaints);
    }
}

TEST(RemovalFiles, EachRowDeletesItsOwnCopyAndNothingElse) {
    ScopedProfileEntry dest("vantrell.ini", "DestPath", "DestPath");
    ScopedCurrentDirectory cwd;
    TempTree tree;
    dest.Set(tree.Path("Product").c_str());
    const Strings bystanders = {"WINDOWS\\INF\\KEEP.INF", "WINDOWS\\SYSTEM\\OVTCAMP.INF", "WINDOWS\\Ovtcam\\mine.txt",
                                "WINDOWS\\TWAIN_32\\OVT\\OMScanDs.DS", "Product\\notes.txt", "Elsewhere\\UNINSTAL.EXE"};
    // Names in several folders: each row deletes its own copy.
    const Strings both = {"WINDOWS\\INF\\Other\\OVTCAMP.INF", "WINDOWS\\TWAIN_32\\OMScanDs.DS",
                          "WINDOWS\\TWAIN_32\\VN\\OMScanDs.DS", "WINDOWS\\TWAIN_32\\OVT\\USB\\OMScanDs.DS",
                          "WINDOWS\\Ovtcam\\6620.SET", "WINDOWS\\USBCAM.EXE", "Product\\USBCAM.EXE", "Product\\UNINSTAL.EXE"};
    for (int nt : {1, 0}) {
        // The drivers folder of the set in use; LastGood and INF\OVTCAMP.INF on the NT set only.
        const Strings own = nt ? Strings{"WINDOWS\\SYSTEM\\Drivers\\OMCAMVID.SYS", "WINDOWS\\INF\\OVTCAMP.INF",
                                         "WINDOWS\\LastGood\\OvtCam\\76BE.set"}
                               : Strings{"WINDOWS\\SYSTEM32\\Drivers\\OMCAMVID.SYS", "WINDOWS\\TWAIN_32\\VN\\OMCAMTWN.DS"};
        const Strings other = nt ? Strings{"WINDOWS\\SYSTEM32\\Drivers\\OMCAMVID.SYS"}
                                 : Strings{"WINDOWS\\SYSTEM\\Drivers\\OMCAMVID.SYS", "WINDOWS\\INF\\OVTCAMP.INF",
                                           "WINDOWS\\LastGood\\OvtCam\\76BE.set"};
        for (const Strings* list : {&bystanders, &both, &own, &other}) Put(tree, *list);
        std::set<std::string> expected = Files(tree);
        for (const Strings* list : {&both, &own}) {
            for (const std::string& file : *list) expected.erase(file);
        }
        SetCurrentDirectoryA(tree.Path("Elsewhere").c_str());
        RecordedProgress progress;
        const Context context(tree, nt, tree.Path("Product"));
        RemoveFiles(context.context, FindRemovalFolders(context.context), progress);
        EXPECT_EQ(expected, Files(tree)) << "nt=" << nt;
    }
}

TEST(RemovalFiles, InstallationDirectoryIsUsedWholeAndStaysWhileNotEmpty) {
    ScopedProfileEntry dest("vantrell.ini", "DestPath", "DestPath");
    ScopedCurrentDirectory cwd;
    TempTree tree;
    // 100 characters; its first 63 name an existing directory of their own.
    std::string cut = tree.Path("P");
    cut.resize(63, 'p');
    const std::string whole = cut + "\\" + std::string(36, 'q');
    std::string overLong = whole;
    overLong.resize(260, 'r');
    dest.Set(overLong.c_str());
    EXPECT_EQ("", InstallationDirectory(Context(tree, 1).context)) << "does not fit a path";
    dest.Set(whole.c_str());
    for (int nt : {1, 0}) {
        const Context context(tree, nt, whole);
        EXPECT_EQ(whole, InstallationDirectory(context.context));
        for (const std::string& dir : {cut, whole}) {
            ASSERT_TRUE(MakeDirs(dir) && WriteFileBytes(dir + "\\UNINSTAL.EXE", "x"));
        }
        ASSERT_TRUE(WriteFileBytes(whole + "\\notes.txt", "x"));
        RecordedProgress progress;
        RemoveFiles(context.context, FindRemovalFolders(context.context), progress);
        EXPECT_FALSE(FileExists(whole + "\\UNINSTAL.EXE")) << nt;
        EXPECT_TRUE(FileExists(cut + "\\UNINSTAL.EXE")) << nt;

        // Not even as the current directory does a directory with files go.
        SetCurrentDirectoryA(whole.c_str());
        RemoveDirectories(FindRemovalFolders(context.context), context.context.szWindowsDir);
        EXPECT_TRUE(DirectoryExists(whole)) << nt;
        DeleteFileA((whole + "\\notes.txt").c_str());
        SetCurrentDirectoryA(whole.c_str());
        RemoveDirectories(FindRemovalFolders(context.context), context.context.szWindowsDir);
        EXPECT_FALSE(DirectoryExists(whole)) << nt;
        EXPECT_TRUE(DirectoryExists(cut)) << nt;
    }
}

TEST(RemovalFiles, WithoutAnInstallationDirectoryItsRowsDeleteNothing) {
    ScopedProfileEntry dest("vantrell.ini", "DestPath", "DestPath");
    ScopedCurrentDirectory cwd;
    TempTree tree;
    // Run from a folder of a drive whose root the test may use, when one is
    // given; a folder of the tree shows anything resolved relative to it.
    const std::string drive = EnvironmentPath("VANTRELL_DRIVE");
    const std::string rootFile = drive.empty() ? "" : drive + "\\USBCAM.HLP";
    const std::string current = drive.empty() ? tree.Path("Current") : drive + "\\removal-pass-test";
    ASSERT_TRUE(MakeDirs(current));
    Put(tree, {"Product\\USBCAM.HLP", "Product\\Feedback.exe", "Current\\USBCAM.HLP", "Current\\Feedback.exe"});
    if (!rootFile.empty()) {
        ASSERT_TRUE(WriteFileBytes(rootFile, "x"));
    }

    const auto run = [&](const Context& context, const char* label) {
        const std::set<std::string> before = Files(tree);
        SetCurrentDirectoryA(current.c_str());
        RecordedProgress progress;
        RemoveFiles(context.context, FindRemovalFolders(context.context), progress);
        RemoveDirectories(FindRemovalFolders(context.context), context.context.szWindowsDir);
        EXPECT_EQ(before, Files(tree)) << label;
        EXPECT_TRUE(rootFile.empty() || FileExists(rootFile)) << label;
        EXPECT_TRUE(DirectoryExists(current)) << label;
    };
    dest.Set(nullptr);
    run(Context(tree, 1), "missing");
    dest.Set("");
    run(Context(tree, 1), "empty");
    dest.Set("..\\Product");
    run(Context(tree, 1), "relative");
    dest.Set("C:\\");
    EXPECT_EQ("", InstallationDirectory(Context(tree, 1).context)) << "a drive root";
    run(Context(tree, 0, ""), "no command-line directory");
    if (!rootFile.empty()) DeleteFileA(rootFile.c_str());
    RemoveDirectoryA(current.c_str());
}

TEST(RemovalRegistry, ValueRowsTakeTheirValueAndKeyRowsTheirKeyOnly) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    const std::string cs2Image = "System\\ControlSet002\\Services\\class\\Image";
    const std::string ccsImage = "System\\CurrentControlSet\\Services\\class\\Image";
    const std::string usb = "System\\ControlSet001\\Enum\\USB\\Vid_05a9&Pid_0511";
    MakeKey(cs2Image, {{"", "default"}, {"Keep", "1"}});
    MakeKey(ccsImage, {{"Keep", "1"}});  // the row's value is absent
    MakeKey(usb + "\\Instance");
    MakeKey(usb, {{"", "default"}});
    for (const char* key : {"SOFTWARE\\OMNIVISION\\PC Camera", "SOFTWARE\\OVTUsbCamera\\DeviceName",
                            "SOFTWARE\\OVTUsbCamera\\Other", "SOFTWARE\\VANTRELL\\USB CAM",
                            "System\\ControlSet001\\Services\\OMSCAN\\Enum", "System\\ControlSet001\\Services\\OMSCAN2"}) {
        MakeKey(key);
    }

    RemoveRegistryRows(g_RemoveRegNt, g_nRemoveRegNt);

    EXPECT_FALSE(HasValue(cs2Image, ""));
    EXPECT_TRUE(HasValue(cs2Image, "Keep"));
    EXPECT_TRUE(HasValue(ccsImage, "Keep"));
    EXPECT_FALSE(HasValue(usb, ""));
    EXPECT_TRUE(Exists(usb + "\\Instance")) << "value rows leave the key";
    // Listed subkeys go ahead of their parents.
    for (const char* key : {"SOFTWARE\\OMNIVISION", "System\\ControlSet001\\Services\\OMSCAN",
                            "SOFTWARE\\OVTUsbCamera\\DeviceName", "SOFTWARE\\VANTRELL\\USB CAM"}) {
        EXPECT_FALSE(Exists(key)) << key;
    }
    for (const char* key : {"SOFTWARE\\OVTUsbCamera\\Other", "SOFTWARE\\VANTRELL",
                            "System\\ControlSet001\\Services\\OMSCAN2"}) {
        EXPECT_TRUE(Exists(key)) << key;
    }
    EXPECT_FALSE(Exists("System\\ControlSet002\\Services\\OVT511")) << "a missing key is not created";
}

TEST(RemovalRegistry, StillImageApplicationsKeepTheirKeyAndOtherMakersRegistrations) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    const char* family[] = {"Vantrell Still Image Capture", "WDM Still Image Capture",
                            "VGA USB Still Image Capture", "USB Still Image Device"};
    for (const char* name : family) MakeKey(kApps, {{name, "x"}});
    MakeKey(kApps, {{"Kodak Imaging", "e"}});
    MakeKey("Enum\\USB\\VID_05A9&PID_A511");

    RemoveRegistryRows(g_RemoveReg98, g_nRemoveReg98);

    for (const char* name : family) EXPECT_FALSE(HasValue(kApps, name)) << name;
    EXPECT_TRUE(HasValue(kApps, "Kodak Imaging"));
    EXPECT_FALSE(Exists("Enum\\USB\\VID_05A9&PID_A511")) << "the other key rows still delete";
}

TEST(RemovalRegistry, SystemIniEntryEndsEmptyWhetherOrNotItWasThere) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    ScopedProfileEntry entry("system.ini", "drivers", "MsVideo.Dovrex");
    TempTree tree;
    for (const char* before : {static_cast<const char*>(nullptr), "dovrex.drv"}) {
        entry.Set(before);
        RemoveRegistryEntries(Context(tree, 0).context);
        std::string value = "<unread>";
        EXPECT_TRUE(entry.Get(&value)) << (before ? before : "absent");
        EXPECT_EQ("", value);
    }
}

TEST(RemovalPass, RemovesFilesFoldersOemCopiesAndRegistryEntries) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    ScopedProfileEntry dest("vantrell.ini", "DestPath", "DestPath");
    ScopedProfileEntry entry("system.ini", "drivers", "MsVideo.Dovrex");
    ScopedCurrentDirectory cwd;
    TempTree tree;
    dest.Set(tree.Path("Product").c_str());
    const std::string inf = tree.WindowsDir() + "\\INF\\";
    Put(tree, {"Product\\USBCAM.EXE", "WINDOWS\\Ovtcam\\6620.SET", "WINDOWS\\INF\\oem7.PNF", "WINDOWS\\INF\\KEEP.INF"});
    ASSERT_TRUE(WriteFileBytes(inf + "oem7.inf", "[Strings]\r\nTwainDsName=\"Vantrell USB Dovrex\"\r\n"));
    ASSERT_TRUE(WriteFileBytes(inf + "oem8.inf", "[Strings]\r\n511plus=\"x OmniVision\\Dual Mode USB Camera Plus\"\r\n"));
    ASSERT_TRUE(MakeDirs(tree.WindowsDir() + "\\TWAIN_32\\OMCAM") && MakeDirs(tree.Path("Product\\Own")));
    MakeKey("SOFTWARE\\VANTRELL\\USB CAM");

    RecordedProgress progress;
    SetupRemoval(Context(tree, 1).context).Run(progress);

    EXPECT_EQ(progress.totals.back(), progress.dones.back()) << "the bar ends full";
    // Folders go when empty only.
    EXPECT_TRUE(DirectoryExists(tree.Path("Product")));
    EXPECT_FALSE(DirectoryExists(tree.WindowsDir() + "\\Ovtcam"));
    EXPECT_FALSE(DirectoryExists(tree.WindowsDir() + "\\TWAIN_32\\OMCAM"));
    EXPECT_EQ(std::set<std::string>({"WINDOWS\\INF\\KEEP.INF"}), Files(tree));
    EXPECT_FALSE(Exists("SOFTWARE\\VANTRELL\\USB CAM"));
    std::string value;
    EXPECT_TRUE(entry.Get(&value) && value.empty());
}
