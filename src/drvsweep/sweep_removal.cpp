#include "drvsweep/sweep_removal.h"

#include <windows.h>

#include <cstring>

#include "cleanup/device_scans.h"
#include "cleanup/oem_inf_cleanup.h"
#include "cleanup/registry_tree.h"
#include "cleanup/removal_rows.h"
#include "common/ascii_text.h"
#include "common/bounded_string.h"
#include "common/locations.h"
#include "common/message_queue.h"
#include "common/path_chars.h"
#include "common/product_profile.h"
#include "drvsweep/sweep_tables.h"
#include "product/product_folder.h"
#include "stillimage/earlier_still_image.h"

namespace {

constexpr DWORD kGroupTimeoutMs = 3000;
// The second group normally does not exist; no reason to wait for it.
constexpr DWORD kFolderGroupTimeoutMs = 10;

const char kPerUserKey[] = "Software\\Vantrell\\USB Marlix";                // HKEY_CURRENT_USER
const char kDefaultUserKey[] = ".Default\\Software\\Vantrell\\USB Marlix";  // HKEY_USERS
const char* const kSystemIniDrivers[] = {"MSVideo.Sepalo", "MSVideo.Dovrex", "MSVideo.VFWWDM"};

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
void RemoveFromRootProductFolder(const char* windowsDir, const char* name, RemovalSink& sink) {
    if (!IsDrivePath(windowsDir)) return;
    const char root[] = {windowsDir[0], ':', '\\', '\0'};
    PathString folder(root);
    folder.Append(kSweepProductFolder);
    PathString file(folder.c_str());
    file.AppendName(name);
    if (!folder.ok() || !file.ok()) return;
    RemoveFileByRule(file.c_str(), FileDeletion::Plain, sink);
    RemoveFolderFromRoot(folder.c_str(), sink);
}

std::string MatchExactly(const char* value, const void* data, OemFiles) {
    return std::strcmp(value, static_cast<const char*>(data)) == 0 ? std::string(value) : std::string();
}

}  // namespace

void SweepRemoveFiles(const SweepContext& context, RemovalSteps& steps, RemovalSink& sink) {
    const std::string sourceDir = UsableSourceDir(context);
    for (int i = 0; i < g_nSweepFileCount; ++i) {
        const SweepFileEntry& row = g_SweepFiles[i];
        // Rows that find nothing, and the program file's, which goes last of
        // all (SweepRemoveProgramFile), still move the bar.
        if (!IsOwnProgramRow(row)) {
            if (row.nLocation == LOC_DESTINATION) {
                RemoveFromRootProductFolder(context.szWindowsDir, row.szTargetName, sink);
            }
            char folder[kPathChars];
            if (SweepFolder(row.nLocation, context, sourceDir, folder)) {
                RemoveFileIn(folder, row.szTargetName, FileDeletion::Force, sink);
            }
        }
        steps.Step();
        DrainMessageQueue();
    }
    PathString ovtCam(context.szWindowsDir);
    ovtCam.Append("\\OvtCam");
    if (ovtCam.ok() && IsDrivePath(ovtCam.c_str())) sink.RemoveFolder(ovtCam.c_str());
}

void SweepRemoveProgramFile(const SweepContext& context, RemovalSink& sink) {
    RemoveFromRootProductFolder(context.szWindowsDir, kUninstallerFile, sink);
    const std::string sourceDir = UsableSourceDir(context);
    if (!sourceDir.empty()) RemoveFileIn(sourceDir.c_str(), kUninstallerFile, FileDeletion::Force, sink);
    SweepRemoveSourceDir(context, sink);
}

void SweepRemoveSourceDir(const SweepContext& context, RemovalSink& sink) {
    // The relocated copy may have been started in it.
    const std::string dir = UsableSourceDir(context);
    if (!dir.empty()) RemoveFolderFromRoot(dir.c_str(), sink);
}

void RemoveOemInfByString(const char* windowsDir, const char* key, const char* value, RemovalSink& sink) {
    // An empty value would match every copy that lacks the key.
    if (!IsDrivePath(windowsDir) || key == nullptr || value == nullptr || value[0] == '\0') return;
    PathString infDir(windowsDir);
    infDir.Append("\\INF");
    if (!infDir.ok()) return;
    RemoveOemCopies({infDir.c_str(), ".INF", ".PNF", key, MatchExactly, value, OemFiles::InfThenPnf,
                     FileDeletion::Force, false},
                    sink);
}

void SweepRemoveOemInfs(const char* windowsDir, RemovalSink& sink) {
    for (int i = 0; i < g_nSweepOemInfMatchCount; ++i) {
        RemoveOemInfByString(windowsDir, g_SweepOemInfMatches[i].szKey, g_SweepOemInfMatches[i].szValue, sink);
    }
}

void SweepRemoveRegistryEntries(const SweepContext& context, RemovalSteps& steps, RemovalSink& sink) {
    PurgeOmscanInstances(g_SweepRegistry[0].hRoot, g_SweepRegistry[0].szSubKey, sink);
    steps.Step(false);  // the probe counts without a repaint of its own
    RemoveValueRows(g_SweepRegistry, g_nSweepRegistryCount, sink, &steps);
    RemoveKeyRows(g_SweepRegistry, g_nSweepRegistryCount, KeyDeletion::SingleThenTree, sink, &steps);
    // What the install itself registered: its marked image-class instance
    // and the scanner's kernel service, in each control set; and the slot
    // Plug and Play gave the camera whose Enum keys went above.
    PurgeMarkedImageClassInstances(sink);
    PurgeProductImageClassSlots(sink);
    DeleteTreeInEachControlSet("Services\\OMSCAN", sink);

    if (context.bNtPaths) {
        sink.DeleteKey(HKEY_CURRENT_USER, kPerUserKey);
    } else {
        sink.DeleteKey(HKEY_USERS, kDefaultUserKey);
    }
    // The entries stay, naming no driver.
    ClearProfileEntries("drivers", kSystemIniDrivers, sizeof kSystemIniDrivers / sizeof kSystemIniDrivers[0],
                        "system.ini", sink);
    // Gone from the system's list of installed programs.
    DeleteRegistryTree(kUninstallEntryKey, sink);
}

void SweepRemoval::Run(RemovalProgress& progress) {
    RemovalSteps steps(progress, kSweepTotalSteps);
    SweepRemoveFiles(m_context, steps, m_sink);
    SweepRemoveSourceDir(m_context, m_sink);
    // The group, then one named after the product folder.
    m_sink.RemoveProgramGroups({{kSweepGroupName, kGroupTimeoutMs}, {kSweepProductFolder, kFolderGroupTimeoutMs}});
    SweepRemoveOemInfs(m_context.szWindowsDir, m_sink);
    SweepRemoveRegistryEntries(m_context, steps, m_sink);
    BeforeProgramFile();
    SweepRemoveProgramFile(m_context, m_sink);
}
