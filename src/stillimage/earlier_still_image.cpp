#include "stillimage/earlier_still_image.h"

#include <cstring>

#include "common/bounded_string.h"
#include "common/reg_key.h"
#include "common/text_format.h"

HKEY g_hEarlierStillImageKey = nullptr;

#define HKLM_ROW(subKey, valueName) \
    { HKEY_LOCAL_MACHINE, subKey, valueName, &g_hEarlierStillImageKey, 0 }
#define FILE_ROW(name, location) \
    { 0, "", name, location, "", 0 }

const RegRemoveEntry g_EarlierStillImageRegNt[] = {
    HKLM_ROW("System\\ControlSet001\\Services\\class\\Image", ""),
    HKLM_ROW("System\\ControlSet002\\Services\\class\\Image", ""),
    HKLM_ROW("System\\CurrentControlSet\\Services\\class\\Image", ""),
    HKLM_ROW("System\\ControlSet001\\Services\\OVT511", ""),
    HKLM_ROW("System\\ControlSet002\\Services\\OVT511", ""),
    HKLM_ROW("System\\CurrentControlSet\\Services\\OVT511", ""),
    HKLM_ROW("System\\ControlSet001\\Enum\\USB\\Vid_05a9&Pid_0511", ""),
    HKLM_ROW("System\\ControlSet002\\Enum\\USB\\Vid_05a9&Pid_0511", ""),
    HKLM_ROW("System\\CurrentControlSet\\Enum\\USB\\Vid_05a9&Pid_0511", ""),
    HKLM_ROW("System\\ControlSet001\\Services\\OMSCAN", ""),
    HKLM_ROW("System\\ControlSet002\\Services\\OMSCAN", ""),
    HKLM_ROW("System\\CurrentControlSet\\Services\\OMSCAN", ""),
    HKLM_ROW("SOFTWARE\\VANTRELL\\USB CAM", ""),
};
const int g_nEarlierStillImageRegNt =
    sizeof g_EarlierStillImageRegNt / sizeof g_EarlierStillImageRegNt[0];

#define STI_APPS "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications"

const RegRemoveEntry g_EarlierStillImageReg98[] = {
    HKLM_ROW("Enum\\Root\\Image", ""),
    HKLM_ROW(STI_APPS, "Vantrell Still Image Capture"),
    HKLM_ROW(STI_APPS, "WDM Still Image Capture"),
    HKLM_ROW(STI_APPS, "VGA USB Still Image Capture"),
    HKLM_ROW("System\\CurrentControlSet\\Services\\OMSCAN", ""),
    HKLM_ROW("SOFTWARE\\VANTRELL\\USB CAM", ""),
};
const int g_nEarlierStillImageReg98 =
    sizeof g_EarlierStillImageReg98 / sizeof g_EarlierStillImageReg98[0];

const FileEntry g_EarlierStillImageFilesNt[] = {
    FILE_ROW("OVTCAMP.INF", LOC_INF),
    FILE_ROW("OMUSD.INF", LOC_INF),
    FILE_ROW("USB-CAM.INF", LOC_INF),
    FILE_ROW("USB-SCAN.INF", LOC_INF),
    FILE_ROW("VantrellUSB-SCAN.INF", LOC_INF_OTHER),
    FILE_ROW("OvtTwn.DS", LOC_TWAIN_VN),
    FILE_ROW("OvtTwn.DS", LOC_TWAIN),
    FILE_ROW("OMScanDs.DS", LOC_TWAIN),
    FILE_ROW("OMScanDs.DS", LOC_TWAIN_OVT_USB),
    FILE_ROW("OMScanDs.DS", LOC_TWAIN_VN),
};
const int g_nEarlierStillImageFilesNt =
    sizeof g_EarlierStillImageFilesNt / sizeof g_EarlierStillImageFilesNt[0];

const FileEntry g_EarlierStillImageFiles98[] = {
    FILE_ROW("OVTCAM.INF", LOC_INF),
    FILE_ROW("OmniVisionOVTCAMP.INF", LOC_INF_OTHER),
    FILE_ROW("OMUSD.INF", LOC_INF),
    FILE_ROW("OVTCAMP.INF", LOC_INF_OTHER),
    FILE_ROW("USB-SCAN.INF", LOC_INF),
    FILE_ROW("VantrellUSB-SCAN.INF", LOC_INF_OTHER),
    FILE_ROW("OvtTwn.DS", LOC_TWAIN_VN),
    FILE_ROW("OvtTwn.DS", LOC_TWAIN),
    FILE_ROW("OMScanDs.DS", LOC_TWAIN),
    FILE_ROW("OMScanDs.DS", LOC_TWAIN_OVT_USB),
    FILE_ROW("OMScanDs.DS", LOC_TWAIN_VN),
};
const int g_nEarlierStillImageFiles98 =
    sizeof g_EarlierStillImageFiles98 / sizeof g_EarlierStillImageFiles98[0];

#undef HKLM_ROW
#undef FILE_ROW
#undef STI_APPS

namespace {

constexpr const char* kImageClassBase = "System\\CurrentControlSet\\Services\\Class\\Image\\";
constexpr int kInstanceSlots = 10;  // "0000" to "0009"
constexpr int kFirstKeyRow = 4;

// Reads a string value into a 32-byte buffer, as the values of these
// instances are written. One extra zero byte keeps the text terminated
// even when the stored value fills the buffer without its own zero.
bool ReadShortText(const SinkKey& key, const char* name, char (&text)[33]) {
    std::memset(text, 0, sizeof text);
    DWORD size = 32;
    return key.Query(name, text, &size) == ERROR_SUCCESS;
}

// The image-class instance that a "Driver" value points to: its last four
// characters, but only when they are four decimal digits as written by the
// registration ("Image\000N"). Any other tail could name a foreign key or,
// when empty, the whole image class.
bool ClassInstanceFromDriver(const char* driver, char (&instance)[5]) {
    const std::size_t len = std::strlen(driver);
    if (len < 4) return false;
    const char* tail = driver + len - 4;
    for (int i = 0; i < 4; ++i) {
        if (tail[i] < '0' || tail[i] > '9') return false;
    }
    std::memcpy(instance, tail, 5);
    return true;
}

}  // namespace

void PurgeOmscanInstances(HKEY root, const char* baseKey, RemovalSink& sink) {
    for (int n = 0; n < kInstanceSlots; ++n) {
        char name[16];
        FormatInto(name, "000%d", n);
        PathString path(baseKey);
        path.AppendName(name);
        if (!path.ok()) continue;

        SinkKey instance(sink);
        if (!instance.Open(root, path.c_str(), KEY_ALL_ACCESS)) continue;

        char text[33];
        if (!ReadShortText(instance, "HardwareID", text) || std::strcmp(text, "OMSCAN") != 0) {
            continue;
        }
        char classInstance[5];
        if (ReadShortText(instance, "Driver", text) && ClassInstanceFromDriver(text, classInstance)) {
            PathString classKey(kImageClassBase);
            classKey.Append(classInstance);
            if (classKey.ok()) sink.DeleteKey(HKEY_LOCAL_MACHINE, classKey.c_str());
        }
        instance.Close();
        sink.DeleteKey(root, path.c_str());
    }
}

void PurgeRegistryRows(const RegRemoveEntry* rows, int count, RemovalSink& sink) {
    if (count <= 0) return;
    PurgeOmscanInstances(rows[0].hRoot, rows[0].szSubKey, sink);

    for (int i = 1; i < count && i < kFirstKeyRow; ++i) {
        SinkKey key(sink);
        if (key.Open(rows[i].hRoot, rows[i].szSubKey, KEY_ALL_ACCESS)) key.DeleteValue(rows[i].szValueName);
    }

    for (int i = kFirstKeyRow; i < count; ++i) {
        if (!SinkKey(sink).Open(rows[i].hRoot, rows[i].szSubKey, MAXIMUM_ALLOWED)) continue;
        // One delete only: whether a key with subkeys goes is the system's rule.
        sink.DeleteKey(rows[i].hRoot, rows[i].szSubKey);
    }
}

void PurgeFileRows(const FileEntry* rows, int count, const FolderSet& folders, RemovalSink& sink) {
    // A row whose code this pass does not know keeps the folder of the row
    // before; with no usable folder before it, the row is skipped rather
    // than resolved against the current directory's root.
    char folder[kPathChars] = "";
    for (int i = 0; i < count; ++i) {
        char resolved[kPathChars];
        switch (ResolveLocation(LocationPass::PurgeEarlier, rows[i].nLocation, folders, resolved)) {
        case LocationResult::Resolved: std::memcpy(folder, resolved, sizeof folder); break;
        case LocationResult::NotHandled: break;
        case LocationResult::TooLong: folder[0] = '\0'; continue;
        }
        if (folder[0] == '\0') continue;

        char path[kPathChars];
        if (JoinPath(folder, rows[i].szTargetName, path)) sink.RemoveFile(path);
    }
}

void PurgeEarlierStillImage(const FolderSet& folders, RemovalSink& sink) {
    if (folders.bNtPaths) {
        PurgeRegistryRows(g_EarlierStillImageRegNt, g_nEarlierStillImageRegNt, sink);
        PurgeFileRows(g_EarlierStillImageFilesNt, g_nEarlierStillImageFilesNt, folders, sink);
    } else {
        PurgeRegistryRows(g_EarlierStillImageReg98, g_nEarlierStillImageReg98, sink);
        PurgeFileRows(g_EarlierStillImageFiles98, g_nEarlierStillImageFiles98, folders, sink);
    }
}
