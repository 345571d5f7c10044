#include "cleanup/removal_pass.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "cleanup/device_scans.h"
#include "cleanup/oem_inf_cleanup.h"
#include "cleanup/registry_tree.h"
#include "cleanup/removal_rows.h"
#include "cleanup/removal_tables.h"
#include "common/ascii_text.h"
#include "common/bounded_string.h"
#include "common/file_entry.h"
#include "common/locations.h"
#include "common/message_queue.h"
#include "common/product_folder.h"
#include "common/product_profile.h"
#include "stillimage/earlier_still_image.h"

namespace {

constexpr const char* kDestIni = "vantrell.ini";  // in the Windows directory
constexpr DWORD kFirstReadChars = 64;
// Far beyond any usable path: a value that still fills this buffer is
// over-long anyway.
constexpr DWORD kLastReadChars = 4096;

constexpr DWORD kProgramManagerTimeoutMs = 6000;
constexpr int kScanPasses = 10;


}  // namespace

std::string RecordedDestPath(RemovalSink& sink) {
    for (DWORD chars = kFirstReadChars; chars <= kLastReadChars; chars *= 2) {
        std::vector<char> buffer(chars, '\0');
        const DWORD got = sink.ReadProfileText("DestPath", "DestPath", "", buffer.data(), chars, kDestIni);
        // A value that fills the buffer to its last character may be cut.
        if (got + 1 < chars) return std::string(buffer.data(), got);
    }
    return std::string();
}

namespace {

}  // namespace

void RemoveRegistryRows(const RegRemoveEntry* rows, int count, RemovalSink& sink) {
    RemoveValueRows(rows, count, sink);
    RemoveKeyRows(rows, count, KeyDeletion::Single, sink);
}

std::string RecordedInstallLocation(const RemovalContext& context, RemovalSink& sink) {
    SinkKey entry(sink);
    if (!entry.Open(HKEY_LOCAL_MACHINE, kUninstallEntryKey, KEY_READ)) return std::string();
    char location[kPathChars] = "";
    DWORD size = sizeof location - 1;  // one spare byte keeps it terminated
    if (entry.Query("InstallLocation", location, &size) != ERROR_SUCCESS) return std::string();
    return UsableProductFolder(location, context.szWindowsDir, context.szSystemDir);
}

namespace {

// The installation directory and, where it differs, the folder the entry
// in the list of installed programs records: each without duplicates.
std::vector<std::string> ProductFolders(const RemovalContext& context, RemovalSink& sink) {
    std::vector<std::string> folders;
    const std::string installDir = InstallationDirectory(context, sink);
    if (!installDir.empty()) folders.push_back(installDir);
    const std::string recorded =
        context.bInstallDirFixed ? context.strEntryLocation : RecordedInstallLocation(context, sink);
    if (!recorded.empty() && (installDir.empty() || lstrcmpiA(recorded.c_str(), installDir.c_str()) != 0)) {
        folders.push_back(recorded);
    }
    return folders;
}

}  // namespace

std::string InstallationDirectory(const RemovalContext& context, RemovalSink& sink) {
    if (context.bInstallDirFixed) return context.strInstallDir;
    const std::string dir = context.bNtPaths ? RecordedDestPath(sink) : context.strSourceDir;
    return UsableProductFolder(dir, context.szWindowsDir, context.szSystemDir);
}

void RemoveFiles(const RemovalContext& context, RemovalProgress& progress, RemovalSink& sink) {
    const FileEntry* rows = context.bNtPaths ? g_RemoveFilesNt : g_RemoveFiles98;
    const int count = context.bNtPaths ? g_nRemoveFilesNt : g_nRemoveFiles98;
    // The bar moves with the file rows alone.
    RemovalSteps steps(progress, static_cast<unsigned int>(count));

    std::string destination;
    for (int i = 0; i < count; ++i) {
        // Looked up afresh for every row that needs it, as the profile file
        // is the one record of where the product went.
        if (rows[i].nLocation == LOC_DESTINATION) destination = InstallationDirectory(context, sink);
        const FolderSet folders{context.szWindowsDir, context.szSystemDir, context.szInfDir,
                                destination.c_str(), context.bNtPaths};

        // Rows without a usable folder delete nothing, but still move the bar.
        char folder[kPathChars];
        if (ResolveLocation(LocationPass::Removal, rows[i].nLocation, folders, folder) ==
            LocationResult::Resolved) {
            RemoveFileIn(folder, rows[i].szTargetName, FileDeletion::ClearReadOnly, sink);
        }
        steps.Step();
        DrainMessageQueue();
    }
    // The install puts the stand-alone uninstaller into the product folder
    // and no table row names it: without this the folder would stay.
    for (const std::string& folder : ProductFolders(context, sink)) {
        RemoveFileIn(folder.c_str(), kUninstallerFile, FileDeletion::ClearReadOnly, sink);
    }
}

void RemoveDirectories(const RemovalContext& context, RemovalSink& sink) {
    // Each directory goes only when empty, and not while it is the process's
    // current directory: the current directory moves to a root first.
    for (const std::string& destination : ProductFolders(context, sink)) {
        RemoveFolderFromRoot(destination.c_str(), sink);
    }
    for (const char* sub : {"\\Ovtcam", "\\TWAIN_32\\OMCAM"}) {
        PathString dir(context.szWindowsDir);
        dir.Append(sub);
        if (dir.ok()) RemoveFolderFromRoot(dir.c_str(), sink);
    }
}

void RemoveRegistryEntries(const RemovalContext& context, RemovalSink& sink) {
    DeleteMediaClassKey(sink);

    const RegRemoveEntry* rows = context.bNtPaths ? g_RemoveRegNt : g_RemoveReg98;
    const int count = context.bNtPaths ? g_nRemoveRegNt : g_nRemoveReg98;
    if (context.bNtPaths) {
        UnlockAndDeleteUsbInstances(sink);
        // An empty description is part of every value and would match every
        // OEM INF copy on the machine.
        if (!context.strDeviceDescription.empty()) {
            RemoveOemInfsByDescription(context.szInfDir, context.strDeviceDescription, sink);
        }
    }
    PurgeOmscanInstances(rows[0].hRoot, rows[0].szSubKey, sink);
    RemoveRegistryRows(rows, count, sink);
    PurgeMarkedImageClassInstances(sink);

    // The entry stays, naming no driver.
    const char* const drivers[] = {"MsVideo.Dovrex"};
    ClearProfileEntries("drivers", drivers, 1, "system.ini", sink);

    PurgeVfwWdmClassKeys(sink);
    // The scans enumerate by index while deleting, so one pass skips the
    // subkey that moves into a deleted index; later passes reach it.
    for (int pass = 0; pass < kScanPasses; ++pass) RunDeviceScans(sink);

    // Gone from the system's list of installed programs.
    DeleteRegistryTree(kUninstallEntryKey, sink);
}

RemovalContext MakeRemovalContext(const FolderSet& folders, const std::string& sourceDir,
                                  const std::string& deviceDescription) {
    RemovalContext context;
    context.szWindowsDir = folders.szWindowsDir;
    context.szSystemDir = folders.szSystemDir;
    context.szInfDir = folders.szInfDir;
    context.bNtPaths = folders.bNtPaths;
    context.strSourceDir = sourceDir;
    context.strDeviceDescription = deviceDescription;
    return context;
}

void RunRemovalPass(const RemovalContext& original, RemovalProgress& progress, RemovalSink& sink) {
    // The directory is read once, before the file rows delete its record.
    RemovalContext context = original;
    context.strInstallDir = InstallationDirectory(original, sink);
    context.strEntryLocation = RecordedInstallLocation(original, sink);
    context.bInstallDirFixed = true;
    RemoveFiles(context, progress, sink);
    RemoveDirectories(context, sink);
    sink.RemoveProgramGroups({{g_Product.szProductName, kProgramManagerTimeoutMs}});
    RemoveOemInfs(context.szInfDir, context.szWindowsDir, sink);
    RemoveRegistryEntries(context, sink);
}
