#include "cleanup/removal_pass.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "cleanup/device_scans.h"
#include "cleanup/oem_inf_cleanup.h"
#include "cleanup/registry_tree.h"
#include "cleanup/removal_tables.h"
#include "common/ascii_text.h"
#include "common/bounded_string.h"
#include "common/file_entry.h"
#include "common/locations.h"
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
constexpr int kFirstValueRow = 1;
constexpr int kFirstKeyRow = 4;

constexpr const char* kStillImageApps =
    "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications";
// The family's own registrations in that key.
constexpr const char* kFamilyStillImageApps[] = {
    "Vantrell Still Image Capture",
    "WDM Still Image Capture",
    "VGA USB Still Image Capture",
    "USB Still Image Device",
};

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

void RemoveFileIn(const char* folder, const char* name, RemovalSink& sink) {
    char path[kPathChars];
    if (!JoinPath(folder, name, path)) return;
    // Earlier installs left some of these read-only; a removal that stops
    // at the attribute leaves the product half installed.
    const DWORD attributes = sink.Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        sink.SetAttributes(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    sink.RemoveFile(path);
}

void DeleteValueRows(const RegRemoveEntry* rows, int count, RemovalSink& sink) {
    for (int i = kFirstValueRow; i < count && i < kFirstKeyRow; ++i) {
        SinkKey key(sink);
        if (key.Open(rows[i].hRoot, rows[i].szSubKey, KEY_ALL_ACCESS)) key.DeleteValue(rows[i].szValueName);
    }
}

bool NamesStillImageApps(const RegRemoveEntry& row) {
    return row.hRoot == HKEY_LOCAL_MACHINE && EqualsNoCase(row.szSubKey, kStillImageApps);
}

void DeleteFamilyStillImageApps(HKEY root, RemovalSink& sink) {
    SinkKey key(sink);
    if (!key.Open(root, kStillImageApps, KEY_ALL_ACCESS)) return;
    for (const char* name : kFamilyStillImageApps) key.DeleteValue(name);
}

void DeleteKeyRows(const RegRemoveEntry* rows, int count, RemovalSink& sink) {
    for (int i = kFirstKeyRow; i < count; ++i) {
        // The still-image service keeps every application's registration in
        // this one key: deleting it would unregister other makers' programs.
        if (NamesStillImageApps(rows[i])) {
            DeleteFamilyStillImageApps(rows[i].hRoot, sink);
            continue;
        }
        if (!SinkKey(sink).Open(rows[i].hRoot, rows[i].szSubKey, MAXIMUM_ALLOWED)) continue;
        // One delete only: whether a key with subkeys goes is the system's rule.
        sink.DeleteKey(rows[i].hRoot, rows[i].szSubKey);
    }
}

}  // namespace

void RemoveRegistryRows(const RegRemoveEntry* rows, int count, RemovalSink& sink) {
    DeleteValueRows(rows, count, sink);
    DeleteKeyRows(rows, count, sink);
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
            RemoveFileIn(folder, rows[i].szTargetName, sink);
        }
        progress.OnFileRowDone(100u * static_cast<unsigned int>(i + 1) / static_cast<unsigned int>(count));
    }
    // The install puts the stand-alone uninstaller into the product folder
    // and no table row names it: without this the folder would stay.
    for (const std::string& folder : ProductFolders(context, sink)) {
        RemoveFileIn(folder.c_str(), kUninstallerFile, sink);
    }
}

void RemoveDirectories(const RemovalContext& context, RemovalSink& sink) {
    // Each directory goes only when empty, and not while it is the process's
    // current directory: the current directory moves to a root first.
    for (const std::string& destination : ProductFolders(context, sink)) {
        const char root[] = {destination[0], ':', '\\', '\0'};
        SetCurrentDirectoryA(root);
        sink.RemoveFolder(destination.c_str());
    }
    for (const char* sub : {"\\Ovtcam", "\\TWAIN_32\\OMCAM"}) {
        SetCurrentDirectoryA("C:\\");
        PathString dir(context.szWindowsDir);
        dir.Append(sub);
        if (dir.ok()) sink.RemoveFolder(dir.c_str());
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
    sink.WriteProfileText("drivers", "MsVideo.Dovrex", "", "system.ini");

    PurgeVfwWdmClassKeys(sink);
    // The scans enumerate by index while deleting, so one pass skips the
    // subkey that moves into a deleted index; later passes reach it.
    for (int pass = 0; pass < kScanPasses; ++pass) RunDeviceScans(sink);

    // Gone from the system's list of installed programs.
    DeleteRegistryTree(kUninstallEntryKey, sink);
}

void RunRemovalPass(const RemovalContext& original, RemovalProgress& progress, RemovalSink& sink) {
    // The directory is read once, before the file rows delete its record.
    RemovalContext context = original;
    context.strInstallDir = InstallationDirectory(original, sink);
    context.strEntryLocation = RecordedInstallLocation(original, sink);
    context.bInstallDirFixed = true;
    RemoveFiles(context, progress, sink);
    RemoveDirectories(context, sink);
    sink.RemoveProgramGroup(g_Product.szProductName, kProgramManagerTimeoutMs);
    RemoveOemInfs(context.szInfDir, context.szWindowsDir, sink);
    RemoveRegistryEntries(context, sink);
}
