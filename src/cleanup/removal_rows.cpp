#include "cleanup/removal_rows.h"

#include "cleanup/registry_tree.h"
#include "common/ascii_text.h"
#include "common/bounded_string.h"
#include "common/path_chars.h"

namespace {

constexpr const char* kStillImageApps =
    "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications";
// The family's own registrations in that key.
constexpr const char* kFamilyStillImageApps[] = {
    "Vantrell Still Image Capture",
    "WDM Still Image Capture",
    "VGA USB Still Image Capture",
    "USB Still Image Device",
};

bool NamesStillImageApps(const RegRemoveEntry& row) {
    return row.hRoot == HKEY_LOCAL_MACHINE && EqualsNoCase(row.szSubKey, kStillImageApps);
}

void RemoveFamilyStillImageApps(HKEY root, RemovalSink& sink) {
    SinkKey key(sink);
    if (!key.Open(root, kStillImageApps, KEY_ALL_ACCESS)) return;
    for (const char* name : kFamilyStillImageApps) key.DeleteValue(name);
}

void RemoveKeyRow(const RegRemoveEntry& row, RemovalSink& sink) {
    // The still-image service keeps every application's registration in
    // this one key: deleting it would unregister other makers' programs.
    if (NamesStillImageApps(row)) {
        RemoveFamilyStillImageApps(row.hRoot, sink);
        return;
    }
    if (!SinkKey(sink).Open(row.hRoot, row.szSubKey, MAXIMUM_ALLOWED)) return;
    sink.DeleteKey(row.hRoot, row.szSubKey);
}

// A plain, empty folder where a file row names a file.
void RemoveFolderOfFileName(const char* path, RemovalSink& sink) {
    // Step out in case it is the current directory; only an empty one goes.
    SetCurrentDirectoryA("..");
    sink.RemoveFolder(path);
}

}  // namespace

void RemoveFileByRule(const char* path, FileDeletion rule, RemovalSink& sink, const char* matched) {
    if (path == nullptr || path[0] == '\0') return;
    const DWORD attributes = sink.Attributes(path);
    switch (rule) {
    case FileDeletion::Plain:
        break;
    case FileDeletion::ClearReadOnly:
        // Earlier installs left some of these read-only; a removal that
        // stops at the attribute leaves the product half installed.
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
            sink.SetAttributes(path, attributes & ~FILE_ATTRIBUTE_READONLY);
        }
        break;
    case FileDeletion::Normal:
        // Read-only, hidden or system copies would refuse deletion.
        sink.SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
        break;
    case FileDeletion::Force:
        if (attributes == INVALID_FILE_ATTRIBUTES) return;
        if ((attributes & 0xFF) == FILE_ATTRIBUTE_DIRECTORY) {
            RemoveFolderOfFileName(path, sink);
            return;
        }
        // Archive only: read-only, hidden and system would refuse the delete.
        sink.SetAttributes(path, FILE_ATTRIBUTE_ARCHIVE);
        break;
    }
    sink.RemoveFile(path, matched != nullptr ? matched : "");
}

void RemoveFileIn(const char* folder, const char* name, FileDeletion rule, RemovalSink& sink) {
    char path[kPathChars];
    if (JoinPath(folder, name, path)) RemoveFileByRule(path, rule, sink);
}

void RemoveFolderFromRoot(const char* folder, RemovalSink& sink) {
    if (!IsDrivePath(folder)) return;
    const char root[] = {folder[0], ':', '\\', '\0'};
    SetCurrentDirectoryA(root);
    sink.RemoveFolder(folder);
}

void RemoveValueRows(const RegRemoveEntry* rows, int count, RemovalSink& sink, RemovalSteps* steps) {
    for (int i = kFirstValueRow; i < count && i < kFirstKeyRow; ++i) {
        if (steps != nullptr) steps->Step();
        SinkKey key(sink);
        if (key.Open(rows[i].hRoot, rows[i].szSubKey, KEY_ALL_ACCESS)) key.DeleteValue(rows[i].szValueName);
    }
}

void RemoveKeyRows(const RegRemoveEntry* rows, int count, KeyDeletion rule, RemovalSink& sink,
                   RemovalSteps* steps) {
    for (int i = kFirstKeyRow; i < count; ++i) RemoveKeyRow(rows[i], sink);
    if (rule != KeyDeletion::SingleThenTree) return;
    for (int i = kFirstKeyRow; i < count; ++i) {
        if (steps != nullptr) steps->Step();
        DeleteRegistryTree(rows[i].hRoot, rows[i].szSubKey, sink);
    }
}

void ClearProfileEntries(const char* section, const char* const* names, int count, const char* file,
                         RemovalSink& sink) {
    for (int i = 0; i < count; ++i) sink.WriteProfileText(section, names[i], "", file);
}
