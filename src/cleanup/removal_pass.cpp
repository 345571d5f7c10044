#include "cleanup/removal_pass.h"

#include <windows.h>

#include <cctype>
#include <cstring>
#include <vector>

#include "cleanup/device_scans.h"
#include "cleanup/oem_inf_cleanup.h"
#include "cleanup/registry_tree.h"
#include "cleanup/removal_tables.h"
#include "common/bounded_string.h"
#include "common/file_entry.h"
#include "common/locations.h"
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

// Only a full path below a drive's root is removed from: a relative one
// would resolve against whatever the current directory is, and a drive
// root would have the table's names deleted there and the root removed.
bool IsUsableDirectory(const std::string& dir) {
    if (dir.size() + 1 > kPathChars) return false;
    if (dir.size() < 4 || !std::isalpha(static_cast<unsigned char>(dir[0])) || dir[1] != ':' ||
        dir[2] != '\\') {
        return false;
    }
    return dir.find_first_not_of('\\', 3) != std::string::npos;
}

void DeleteValueRows(const RegRemoveEntry* rows, int count, RemovalSink& sink) {
    for (int i = kFirstValueRow; i < count && i < kFirstKeyRow; ++i) {
        SinkKey key(sink);
        if (key.Open(rows[i].hRoot, rows[i].szSubKey, KEY_ALL_ACCESS)) key.DeleteValue(rows[i].szValueName);
    }
}

bool NamesStillImageApps(const RegRemoveEntry& row) {
    return row.hRoot == HKEY_LOCAL_MACHINE && _stricmp(row.szSubKey, kStillImageApps) == 0;
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

std::string InstallationDirectory(const RemovalContext& context, RemovalSink& sink) {
    if (context.bInstallDirFixed) return context.strInstallDir;
    const std::string dir = context.bNtPaths ? RecordedDestPath(sink) : context.strSourceDir;
    return IsUsableDirectory(dir) ? dir : std::string();
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
        char path[kPathChars];
        if (ResolveLocation(LocationPass::Removal, rows[i].nLocation, folders, folder) ==
                LocationResult::Resolved &&
            JoinPath(folder, rows[i].szTargetName, path)) {
            // Earlier installs left some of these read-only; a removal that
            // stops at the attribute leaves the product half installed.
            const DWORD attributes = sink.Attributes(path);
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
                sink.SetAttributes(path, attributes & ~FILE_ATTRIBUTE_READONLY);
            }
            sink.RemoveFile(path);
        }
        progress.OnFileRowDone(100u * static_cast<unsigned int>(i + 1) / static_cast<unsigned int>(count));
    }
}

void RemoveDirectories(const RemovalContext& context, RemovalSink& sink) {
    // Each directory goes only when empty, and not while it is the process's
    // current directory: the current directory moves to a root first.
    const std::string destination = InstallationDirectory(context, sink);
    if (!destination.empty()) {
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
    context.bInstallDirFixed = true;
    RemoveFiles(context, progress, sink);
    RemoveDirectories(context, sink);
    sink.RemoveProgramGroup(g_Product.szProductName, kProgramManagerTimeoutMs);
    RemoveOemInfs(context.szInfDir, context.szWindowsDir, sink);
    RemoveRegistryEntries(context, sink);
}
