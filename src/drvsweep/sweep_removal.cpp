#include "drvsweep/sweep_removal.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "cleanup/device_scans.h"
#include "cleanup/registry_tree.h"
#include "common/ascii_text.h"
#include "common/bounded_string.h"
#include "common/locations.h"
#include "common/message_queue.h"
#include "common/path_chars.h"
#include "common/product_folder.h"
#include "common/product_profile.h"
#include "common/reg_key.h"
#include "common/text_format.h"
#include "drvsweep/sweep_tables.h"
#include "progman/program_group.h"
#include "stillimage/earlier_still_image.h"
#include "traces/removal_sink.h"
#include "traces/run_log.h"

namespace {

constexpr int kFirstValueRow = 1;
constexpr int kFirstKeyRow = 4;
constexpr int kOemCopies = 100;          // OEM0 ... OEM99, never more
constexpr DWORD kStringsValueChars = 260;
constexpr DWORD kGroupTimeoutMs = 3000;
// The second group normally does not exist; no reason to wait for it.
constexpr DWORD kFolderGroupTimeoutMs = 10;

const char kPerUserKey[] = "Software\\Vantrell\\USB Marlix";                // HKEY_CURRENT_USER
const char kDefaultUserKey[] = ".Default\\Software\\Vantrell\\USB Marlix";  // HKEY_USERS
const char* const kSystemIniDrivers[] = {"MSVideo.Sepalo", "MSVideo.Dovrex", "MSVideo.VFWWDM"};

// "X:\..." — anything else (empty, relative, UNC) would resolve against
// the current directory or drive.
bool IsDrivePath(const char* path) {
    return path != nullptr && IsAsciiLetter(path[0]) && path[1] == ':' &&
           path[2] == '\\';
}

// The source directory as a full path without trailing backslash, or ""
// when it names no usable product folder (see UsableProductFolder).
std::string UsableSourceDir(const SweepContext& context) {
    return UsableProductFolder(context.strSourceDir, context.szWindowsDir, context.szSystemDir);
}

// The row of the uninstaller's own program file in the product folder: it
// goes last of all, so that an interrupted removal can be started again
// from the system's list of installed programs, whose entry points at it.
bool IsOwnProgramRow(const SweepFileEntry& row) {
    return row.nLocation == LOC_DESTINATION && lstrcmpiA(row.szTargetName, kUninstallerFile) == 0;
}

// The folder of a row's kind; false when the row names none.
bool SweepFolder(int kind, const SweepContext& context, const std::string& sourceDir,
                 char (&folder)[kPathChars]) {
    if (kind < LOC_WINDOWS || kind > LOC_OVTCAM) return false;
    if (kind == LOC_TWAIN_OMCAM || kind == LOC_TWAIN_DE301R) {
        PathString path(context.szWindowsDir);
        path.Append(kind == LOC_TWAIN_OMCAM ? "\\TWAIN_32\\OMCAM" : "\\TWAIN_32\\DE301r");
        if (!path.CopyTo(folder)) return false;
    } else {
        const FolderSet folders{context.szWindowsDir, context.szSystemDir, context.szInfDir,
                                sourceDir.c_str(), context.bNtPaths};
        if (ResolveLocation(LocationPass::Removal, kind, folders, folder) != LocationResult::Resolved) {
            return false;
        }
    }
    return IsDrivePath(folder);
}

// Earlier versions installed into a product folder at the root of the
// Windows drive; its copy of the file goes too, and the folder once empty.
void RemoveFromRootProductFolder(const char* windowsDir, const char* name) {
    if (!IsDrivePath(windowsDir)) return;
    const char root[] = {windowsDir[0], ':', '\\', '\0'};
    PathString folder(root);
    folder.Append(kSweepProductFolder);
    PathString file(folder.c_str());
    file.AppendName(name);
    if (!folder.ok() || !file.ok()) return;
    TheMachine().RemoveFile(file.c_str());
    // Not removable while it is the current directory.
    SetCurrentDirectoryA(root);
    TheMachine().RemoveFolder(folder.c_str());
}

// windowsDir\INF\OEMn + extension; not ok() when it does not fit.
PathString OemCopyPath(const char* windowsDir, int n, const char* extension) {
    char name[32];
    FormatInto(name, "\\INF\\OEM%d%s", n, extension);
    PathString path(windowsDir);
    path.Append(name);
    return path;
}

void DeleteValueRows(SweepProgress& progress) {
    for (int i = kFirstValueRow; i < kFirstKeyRow && i < g_nSweepRegistryCount; ++i) {
        progress.OnStep(true);
        const RegRemoveEntry& row = g_SweepRegistry[i];
        RegKey key;
        if (key.Open(row.hRoot, row.szSubKey, KEY_ALL_ACCESS)) {
            TheMachine().DeleteValue(key.Get(), row.hRoot, row.szSubKey, row.szValueName);
        }
    }
}

void DeleteKeyRows(SweepProgress& progress) {
    // One delete first: Windows 98 takes the subtree with it, NT refuses
    // keys with subkeys, which the tree walk then takes leaves upwards.
    for (int i = kFirstKeyRow; i < g_nSweepRegistryCount; ++i) {
        const RegRemoveEntry& row = g_SweepRegistry[i];
        if (RegKeyExists(row.hRoot, row.szSubKey)) TheMachine().DeleteKey(row.hRoot, row.szSubKey);
    }
    for (int i = kFirstKeyRow; i < g_nSweepRegistryCount; ++i) {
        progress.OnStep(true);
        DeleteRegistryTree(g_SweepRegistry[i].hRoot, g_SweepRegistry[i].szSubKey);
    }
}

}  // namespace

void ForceDeleteFile(const char* path, const char* matched) {
    if (path == nullptr || path[0] == '\0') return;
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if ((attributes & 0xFF) == FILE_ATTRIBUTE_DIRECTORY) {
        // Step out in case it is the current directory; only an empty one goes.
        SetCurrentDirectoryA("..");
        TheMachine().RemoveFolder(path);
        DeleteFileA(path);
        return;
    }
    // Archive only: read-only, hidden and system would refuse the delete.
    SetFileAttributesA(path, FILE_ATTRIBUTE_ARCHIVE);
    TheMachine().RemoveFile(path, matched != nullptr ? matched : "");
}

void SweepRemoveFiles(const SweepContext& context, SweepProgress& progress) {
    const std::string sourceDir = UsableSourceDir(context);
    for (int i = 0; i < g_nSweepFileCount; ++i) {
        const SweepFileEntry& row = g_SweepFiles[i];
        if (IsOwnProgramRow(row)) {
            progress.OnStep(true);  // counted here, deleted by SweepRemoveProgramFile
            DrainMessageQueue();
            continue;
        }
        if (row.nLocation == LOC_DESTINATION) RemoveFromRootProductFolder(context.szWindowsDir, row.szTargetName);
        char folder[kPathChars];
        char path[kPathChars];
        if (SweepFolder(row.nLocation, context, sourceDir, folder) && JoinPath(folder, row.szTargetName, path)) {
            ForceDeleteFile(path);
        }
        // Rows that found nothing still move the bar.
        progress.OnStep(true);
        DrainMessageQueue();
    }
    PathString ovtCam(context.szWindowsDir);
    ovtCam.Append("\\OvtCam");
    if (ovtCam.ok() && IsDrivePath(ovtCam.c_str())) TheMachine().RemoveFolder(ovtCam.c_str());
}

void SweepRemoveProgramFile(const SweepContext& context) {
    RemoveFromRootProductFolder(context.szWindowsDir, kUninstallerFile);
    const std::string sourceDir = UsableSourceDir(context);
    char path[kPathChars];
    if (!sourceDir.empty() && JoinPath(sourceDir.c_str(), kUninstallerFile, path)) ForceDeleteFile(path);
    SweepRemoveSourceDir(context);
}

void SweepRemoveSourceDir(const SweepContext& context) {
    const std::string dir = UsableSourceDir(context);
    if (dir.empty()) return;
    // The relocated copy may have been started in it.
    const char root[] = {dir[0], ':', '\\', '\0'};
    SetCurrentDirectoryA(root);
    TheMachine().RemoveFolder(dir.c_str());
}

void SweepDeleteProgramGroups() {
    const auto deleteCommand = [](const char* name) {
        return BuildProgramGroupCommands(name, "", true, nullptr, 0).front();
    };
    const bool listed = GroupListedForLog(kSweepGroupName, kGroupTimeoutMs);
    SendProgramManagerCommands({{deleteCommand(kSweepGroupName), kGroupTimeoutMs},
                                {deleteCommand(kSweepProductFolder), kFolderGroupTimeoutMs}});
    if (listed) LogGroupRemoved(kSweepGroupName, kGroupTimeoutMs);
}

void RemoveOemInfByString(const char* windowsDir, const char* key, const char* value) {
    // An empty value would match every copy that lacks the key.
    if (!IsDrivePath(windowsDir) || key == nullptr || value == nullptr || value[0] == '\0') return;
    for (int n = 0; n < kOemCopies; ++n) {
        const PathString inf = OemCopyPath(windowsDir, n, ".INF");
        const PathString pnf = OemCopyPath(windowsDir, n, ".PNF");
        if (!inf.ok() || !pnf.ok()) continue;
        char text[kStringsValueChars] = "";
        GetPrivateProfileStringA("Strings", key, "", text, kStringsValueChars, inf.c_str());
        if (std::strcmp(text, value) != 0) continue;
        ForceDeleteFile(inf.c_str(), text);
        ForceDeleteFile(pnf.c_str(), text);
    }
}

void SweepRemoveOemInfs(const char* windowsDir) {
    for (int i = 0; i < g_nSweepOemInfMatchCount; ++i) {
        RemoveOemInfByString(windowsDir, g_SweepOemInfMatches[i].szKey, g_SweepOemInfMatches[i].szValue);
    }
}

void RunSweepRemoval(const SweepContext& context, SweepProgress& progress) {
    SweepRemoveFiles(context, progress);
    SweepRemoveSourceDir(context);
    SweepDeleteProgramGroups();
    SweepRemoveOemInfs(context.szWindowsDir);
    SweepRemoveRegistryEntries(context, progress);
}

void SweepRemoveRegistryEntries(const SweepContext& context, SweepProgress& progress) {
    PurgeOmscanInstances(g_SweepRegistry[0].hRoot, g_SweepRegistry[0].szSubKey);
    progress.OnStep(false);
    DeleteValueRows(progress);
    DeleteKeyRows(progress);
    // What the install itself registered: its marked image-class instance
    // and the scanner's kernel service, in each control set; and the slot
    // Plug and Play gave the camera whose Enum keys went above.
    PurgeMarkedImageClassInstances();
    PurgeProductImageClassSlots();
    DeleteTreeInEachControlSet("Services\\OMSCAN");

    if (context.bNtPaths) {
        TheMachine().DeleteKey(HKEY_CURRENT_USER, kPerUserKey);
    } else {
        TheMachine().DeleteKey(HKEY_USERS, kDefaultUserKey);
    }
    // The entries stay, naming no driver.
    for (const char* name : kSystemIniDrivers) TheMachine().WriteProfileText("drivers", name, "", "system.ini");
    // Gone from the system's list of installed programs.
    DeleteRegistryTree(kUninstallEntryKey);
}
