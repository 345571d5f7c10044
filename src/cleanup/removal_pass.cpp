#include "cleanup/removal_pass.h"

#include <windows.h>

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
#include "common/product_profile.h"
#include "product/product_folder.h"
#include "stillimage/earlier_still_image.h"

namespace {

constexpr DWORD kProgramManagerTimeoutMs = 6000;
constexpr int kScanPasses = 10;

}  // namespace

void RemoveRegistryRows(const RegRemoveEntry* rows, int count, RemovalSink& sink) {
    RemoveValueRows(rows, count, sink);
    RemoveKeyRows(rows, count, KeyDeletion::Single, sink);
}

RemovalFolders FindRemovalFolders(const RemovalContext& context, RemovalSink& sink) {
    RemovalFolders folders;
    folders.strInstallDir = InstallationDirectory(context, sink);
    const std::string recorded = RecordedInstallLocation(context.szWindowsDir, context.szSystemDir, sink);
    if (!recorded.empty() && lstrcmpiA(recorded.c_str(), folders.strInstallDir.c_str()) != 0) {
        folders.strEntryLocation = recorded;
    }
    return folders;
}

namespace {

// Each product folder once, the installation directory first.
std::vector<std::string> ProductFolders(const RemovalFolders& folders) {
    std::vector<std::string> list;
    for (const std::string* folder : {&folders.strInstallDir, &folders.strEntryLocation}) {
        if (!folder->empty()) list.push_back(*folder);
    }
    return list;
}

}  // namespace

std::string InstallationDirectory(const RemovalContext& context, RemovalSink& sink) {
    const std::string dir = context.bNtPaths ? RecordedDestPath(sink) : context.strSourceDir;
    return UsableProductFolder(dir, context.szWindowsDir, context.szSystemDir);
}

void RemoveFiles(const RemovalContext& context, const RemovalFolders& productFolders, RemovalProgress& progress,
                 RemovalSink& sink) {
    const FileEntry* rows = context.bNtPaths ? g_RemoveFilesNt : g_RemoveFiles98;
    const int count = context.bNtPaths ? g_nRemoveFilesNt : g_nRemoveFiles98;
    // The bar moves with the file rows alone.
    RemovalSteps steps(progress, static_cast<unsigned int>(count));

    const FolderSet folders{context.szWindowsDir, context.szSystemDir, context.szInfDir,
                            productFolders.strInstallDir.c_str(), context.bNtPaths};
    for (int i = 0; i < count; ++i) {
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
    for (const std::string& folder : ProductFolders(productFolders)) {
        RemoveFileIn(folder.c_str(), kUninstallerFile, FileDeletion::ClearReadOnly, sink);
    }
}

void RemoveDirectories(const RemovalFolders& folders, const char* windowsDir, RemovalSink& sink) {
    // Each directory goes only when empty, and not while it is the process's
    // current directory: the current directory moves to a root first.
    for (const std::string& destination : ProductFolders(folders)) {
        RemoveFolderFromRoot(destination.c_str(), sink);
    }
    for (const char* sub : {"\\Ovtcam", "\\TWAIN_32\\OMCAM"}) {
        PathString dir(windowsDir);
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

void RunRemovalPass(const RemovalContext& context, RemovalProgress& progress, RemovalSink& sink) {
    const RemovalFolders folders = FindRemovalFolders(context, sink);
    RemoveFiles(context, folders, progress, sink);
    RemoveDirectories(folders, context.szWindowsDir, sink);
    sink.RemoveProgramGroups({{g_Product.szProductName, kProgramManagerTimeoutMs}});
    RemoveOemInfs(context.szInfDir, context.szWindowsDir, sink);
    RemoveRegistryEntries(context, sink);
}
