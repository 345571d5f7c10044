#include "cleanup/device_scans.h"

#include <cstring>

#include "cleanup/registry_tree.h"
#include "common/ascii_text.h"
#include "common/bounded_string.h"
#include "common/reg_key.h"
#include "common/text_format.h"
#include "stillimage/still_image_registration.h"

namespace {

constexpr DWORD kShortValue = 32;   // "HardwareID", "Driver", "VfwEntryString"
constexpr DWORD kLongValue = 255;   // "DeviceDesc", "DriverDesc", "MatchingDeviceId"

const char* const kControlSets[] = {"SYSTEM\\ControlSet001", "SYSTEM\\ControlSet002",
                                    "SYSTEM\\CurrentControlSet"};

const char kImageClassGuid[] =
    "Control\\Class\\{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}";
const char kStillImageKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\StillImage";
const char kImageClass98[] = "System\\CurrentControlSet\\Services\\Class\\Image";


bool HasPrefix(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// Reads a string value into a buffer of N bytes; the read is offered all N,
// one spare byte keeps a value without its own zero terminated. A value
// that is absent or does not fit counts as not there.
template <DWORD N>
bool ReadText(const SinkKey& key, const char* name, char (&text)[N + 1]) {
    std::memset(text, 0, sizeof text);
    DWORD size = N;
    return key.Query(name, text, &size) == ERROR_SUCCESS;
}

// "0000" to "0019": "000" + n below ten, "00" + n from ten.
void InstanceNumber(int n, char (&out)[8]) {
    FormatInto(out, n < 10 ? "000%d" : "00%d", n);
}

void DeleteTreeAt(const char* base, const char* name, RemovalSink& sink) {
    PathString path(base);
    path.AppendName(name);
    if (path.ok()) DeleteRegistryTree(path.c_str(), sink);
}

// The numbered instances base\0000 to base\0019 whose `valueName` begins
// with `prefix` are deleted, each with one delete-key call.
void PurgeNumberedByText(const char* base, const char* valueName, const char* prefix, RemovalSink& sink) {
    for (int n = 0; n < 20; ++n) {
        char number[8];
        InstanceNumber(n, number);
        PathString path(base);
        path.AppendName(number);
        if (!path.ok()) continue;

        char text[kLongValue + 1];
        bool matched = false;
        {
            SinkKey key(sink);
            if (!key.Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_READ)) continue;
            matched = ReadText<kLongValue>(key, valueName, text) && HasPrefix(text, prefix);
        }
        if (matched) sink.DeleteKey(HKEY_LOCAL_MACHINE, path.c_str());
    }
}

// The still-image service's registrations of the family's own capture
// programs; other applications' registrations share the key and stay.
const char* const kFamilyStillImageApps[] = {
    "Vantrell Still Image Capture",
    "WDM Still Image Capture",
    "VGA USB Still Image Capture",
    "USB Still Image Device",
};

// Device descriptions the family's drivers wrote, for instances without a
// "MatchingDeviceId". "OmniVision" is left out on purpose: that chip maker
// supplies other makers' cameras too.
const char* const kFamilyDriverDescs[] = {
    "Vantrell",
    "USB Still Image Device",
    "Genius VideoCAM",
};

// The product's own device, in the slot Windows 2000/XP gives it when it
// installs the camera from the CD's INF: its USB IDs, in whatever case the
// INF used, and the device descriptions its INFs give it.
const char* const kProductDeviceIds[] = {"vid_0ac8&pid_0302", "vid_0ac8&pid_301b"};
const char* const kProductDriverDescs[] = {"Pixmoor-USB 300 plus", "USB PC Camera 301P", "VideoCAM Web V2"};

bool KeyExists(RemovalSink& sink, const char* path) {
    SinkKey key(sink);
    return key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ);
}

bool ContainsNoCase(const char* text, const char* word) {
    const std::size_t len = std::strlen(word);
    for (; *text != '\0'; ++text) {
        std::size_t i = 0;
        while (i < len && text[i] != '\0' &&
               AsciiLower(text[i]) == AsciiLower(word[i])) {
            ++i;
        }
        if (i == len) return true;
    }
    return false;
}

}  // namespace

bool IsProductImageClassInstance(const SinkKey& instance) {
    char text[kLongValue + 1];
    if (ReadText<kLongValue>(instance, "MatchingDeviceId", text)) {
        for (const char* id : kProductDeviceIds) {
            if (ContainsNoCase(text, id)) return true;
        }
    }
    if (ReadText<kLongValue>(instance, "DriverDesc", text)) {
        for (const char* desc : kProductDriverDescs) {
            if (std::strcmp(text, desc) == 0) return true;
        }
    }
    return false;
}

bool IsFamilyImageClassInstance(const SinkKey& instance) {
    if (IsProductImageClassInstance(instance)) return true;
    // The family's devices carry USB vendor 05A9; Windows 2000/XP names the
    // hardware ID the driver was chosen for, in whatever case the INF used.
    char text[kLongValue + 1];
    if (ReadText<kLongValue>(instance, "MatchingDeviceId", text) && ContainsNoCase(text, "vid_05a9")) {
        return true;
    }
    if (ReadText<kLongValue>(instance, "DriverDesc", text)) {
        for (const char* desc : kFamilyDriverDescs) {
            if (HasPrefix(text, desc)) return true;
        }
    }
    return false;
}

void PurgeUsbEnumKeys(RemovalSink& sink) {
    const char scanKey[] = "Enum\\USB";
    SubKeyScan scan(HKEY_LOCAL_MACHINE, scanKey, sink);
    for (DWORD i = 0; i < 10 && !scan.Ended(); ++i) {
        char name[kSubKeyNameChars];
        if (scan.At(i, name) && HasPrefix(name, "VID_05A9")) DeleteTreeAt(scanKey, name, sink);
    }
}

void PurgeRootImageStill(RemovalSink& sink) {
    PurgeNumberedByText("Enum\\Root\\Image", "DeviceDesc", "USB Still", sink);
}

void PurgeImageClassByDesc(RemovalSink& sink) {
    PurgeNumberedByText(kImageClass98, "DriverDesc", "Genius VideoCAM", sink);
}

void PurgeControlSetUsbKeys(RemovalSink& sink) {
    // Only the family's own vendor: "Vid_05" alone would take every vendor
    // from 0500 to 05FF.
    const char scanKey[] = "SYSTEM\\ControlSet001\\Enum\\USB";
    SubKeyScan scan(HKEY_LOCAL_MACHINE, scanKey, sink);
    for (DWORD i = 0; i < 10 && !scan.Ended(); ++i) {
        char name[kSubKeyNameChars];
        if (scan.At(i, name) && HasPrefix(name, "Vid_05a9")) {
            DeleteTreeInEachControlSet(std::string("Enum\\USB\\") + name, sink);
        }
    }
}

void PurgeStillImageKeys(RemovalSink& sink) {
    // The "Register..." keys hold every application's still-image
    // registration, so only the family's own values go, never the key.
    SubKeyScan scan(HKEY_LOCAL_MACHINE, kStillImageKey, sink);
    for (DWORD i = 0; i < 10 && !scan.Ended(); ++i) {
        char name[kSubKeyNameChars];
        if (!scan.At(i, name) || !HasPrefix(name, "Register")) continue;
        PathString path(kStillImageKey);
        path.AppendName(name);
        SinkKey key(sink);
        if (!path.ok() || !key.Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_ALL_ACCESS)) continue;
        for (const char* value : kFamilyStillImageApps) key.DeleteValue(value);
    }
}

void PurgeOvtServices(RemovalSink& sink) {
    SubKeyScan scan(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services", sink);
    for (DWORD i = 0; i < 300 && !scan.Ended(); ++i) {
        char name[kSubKeyNameChars];
        if (scan.At(i, name) && HasPrefix(name, "OVT5")) {
            DeleteTreeInEachControlSet(std::string("Services\\") + name, sink);
        }
    }
}

void PurgeImageClassInstances(RemovalSink& sink) { PurgeImageClassSlots(IsFamilyImageClassInstance, sink); }

void PurgeProductImageClassSlots(RemovalSink& sink) { PurgeImageClassSlots(IsProductImageClassInstance, sink); }

namespace {

// The slot `name` in each control set where belongs says so, judged in each
// set on its own: the sets are copies taken at different times, and a slot
// number may have been given to another maker's device in one of them.
// True when the first set's slot was taken.
bool PurgeSlotInEachSet(const char* name, bool (*belongs)(const SinkKey& instance), RemovalSink& sink) {
    bool tookFirst = false;
    for (const char* set : kControlSets) {
        PathString path(set);
        path.AppendName(kImageClassGuid).AppendName(name);
        if (!path.ok()) continue;
        bool taken = false;
        {
            SinkKey instance(sink);
            if (!instance.Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_READ)) continue;
            taken = belongs(instance);
        }
        if (!taken) continue;
        DeleteRegistryTree(path.c_str(), sink);
        if (set == kControlSets[0]) tookFirst = true;
    }
    return tookFirst;
}

}  // namespace

void PurgeImageClassSlots(bool (*belongs)(const SinkKey& instance), RemovalSink& sink) {
    PathString scanKey(kControlSets[0]);
    scanKey.AppendName(kImageClassGuid);
    if (!scanKey.ok()) return;
    SubKeyScan scan(HKEY_LOCAL_MACHINE, scanKey.c_str(), sink);
    DWORD i = 0;
    for (int step = 0; step < 50 && !scan.Ended(); ++step) {
        char name[kSubKeyNameChars];
        const bool took = scan.At(i, name) && HasPrefix(name, "000") && PurgeSlotInEachSet(name, belongs, sink);
        // A slot gone from the scanned set brings the next one to its index.
        char next[kSubKeyNameChars];
        if (!took || !scan.At(i, next) || std::strcmp(next, name) == 0) ++i;
    }
}

void RunDeviceScans(RemovalSink& sink) {
    PurgeUsbEnumKeys(sink);
    PurgeRootImageStill(sink);
    PurgeImageClassByDesc(sink);
    PurgeControlSetUsbKeys(sink);
    PurgeStillImageKeys(sink);
    PurgeOvtServices(sink);
    PurgeImageClassInstances(sink);
}

void DeleteMediaClassKey(RemovalSink& sink) {
    const char* const kProbes[] = {
        "System\\CurrentControlSet\\Enum\\USB\\VID_05A9&PID_0511\\5&20d06fa8&0&1",
        "System\\CurrentControlSet\\Enum\\USB\\VID_05A9&PID_0511\\5&20d06fa8&0&2",
        "System\\CurrentControlSet\\Enum\\USB\\VID_05A9&PID_A511\\5&20d06fa8&0&1",
        "System\\CurrentControlSet\\Enum\\USB\\VID_05A9&PID_A511\\5&20d06fa8&0&2",
    };
    SinkKey instance(sink);
    for (const char* probe : kProbes) {
        if (instance.Open(HKEY_LOCAL_MACHINE, probe, KEY_READ)) break;
    }
    if (!instance.IsOpen()) return;

    char driver[kShortValue + 1];
    const bool read = ReadText<kShortValue>(instance, "Driver", driver);
    instance.Close();
    if (!read) return;

    // The last four characters name the MEDIA slot ("MEDIA\0003"); a shorter
    // value is taken whole. An empty tail would name the MEDIA class itself
    // and a backslash in it another key, so neither is used.
    const std::size_t len = std::strlen(driver);
    const char* tail = driver + (len > 4 ? len - 4 : 0);
    if (*tail == '\0' || std::strchr(tail, '\\') != nullptr) return;

    PathString path("System\\CurrentControlSet\\Services\\Class\\MEDIA");
    path.AppendName(tail);
    if (!path.ok() || !KeyExists(sink, path.c_str())) return;
    sink.DeleteKey(HKEY_LOCAL_MACHINE, path.c_str());
}

void UnlockAndDeleteUsbInstances(RemovalSink& sink) {
    const char* const kBases[] = {
        "SYSTEM\\ControlSet001\\Enum\\USB\\Vid_05a9&Pid_0511\\5&20d06fa8&0&",
        "SYSTEM\\ControlSet002\\Enum\\USB\\Vid_05a9&Pid_0511\\5&20d06fa8&0&",
        "SYSTEM\\CurrentControlSet\\Enum\\USB\\Vid_05a9&Pid_0511\\5&20d06fa8&0&",
        "SYSTEM\\ControlSet001\\Enum\\USB\\Vid_05a9&Pid_a511\\5&20d06fa8&0&",
        "SYSTEM\\ControlSet002\\Enum\\USB\\Vid_05a9&Pid_a511\\5&20d06fa8&0&",
        "SYSTEM\\CurrentControlSet\\Enum\\USB\\Vid_05a9&Pid_a511\\5&20d06fa8&0&",
    };
    // The subkeys of an instance come before it: NT deletes only keys
    // without subkeys.
    const char* const kGroup[] = {"\\Control", "\\Device Parameters", "\\LogConf", ""};

    // An instance that is not there has no members either: it is looked
    // for once, and both passes pass over it.
    constexpr int kInstances = 20;
    constexpr int kBaseCount = sizeof kBases / sizeof kBases[0];
    bool present[kInstances][kBaseCount] = {};
    for (int pass = 0; pass < 2; ++pass) {
        for (int j = 0; j < kInstances; ++j) {
            char number[8];
            FormatInto(number, "%d", j);
            for (int b = 0; b < kBaseCount; ++b) {
                PathString instance(kBases[b]);
                instance.Append(number);
                if (pass == 0) present[j][b] = instance.ok() && KeyExists(sink, instance.c_str());
                if (!present[j][b]) continue;
                for (const char* member : kGroup) {
                    PathString path(instance.c_str());
                    path.Append(member);
                    if (!path.ok()) continue;
                    if (pass == 0) {
                        sink.OpenKeySecurity(HKEY_LOCAL_MACHINE, path.c_str());
                    } else {
                        sink.DeleteKey(HKEY_LOCAL_MACHINE, path.c_str());
                    }
                }
            }
        }
    }
}

// The image-class instance 000n of the 98 layout; false when it does not fit.
bool ImageClassInstance(int n, PathString& path) {
    char number[8];
    InstanceNumber(n, number);
    path.Append(kImageClass98).AppendName(number);
    return path.ok();
}

void PurgeVfwWdmClassKeys(RemovalSink& sink) {
    for (int n = 0; n < 10; ++n) {
        PathString path;
        if (!ImageClassInstance(n, path)) continue;
        char text[kShortValue + 1];
        bool matched = false;
        {
            SinkKey key(sink);
            if (!key.Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_READ)) continue;
            matched = ReadText<kShortValue>(key, "VfwEntryString", text) && std::strcmp(text, "OVFWWDM") == 0;
        }
        if (matched) sink.DeleteKey(HKEY_LOCAL_MACHINE, path.c_str());
    }
}

void PurgeMarkedImageClassInstances(RemovalSink& sink) {
    for (int n = 0; n < 10; ++n) {
        PathString path;
        if (!ImageClassInstance(n, path)) continue;
        bool marked = false;
        {
            SinkKey key(sink);
            DWORD size = 0;
            marked = key.Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_READ) &&
                     key.Query(kRegistrationMarker, nullptr, &size) == ERROR_SUCCESS;
        }
        if (marked) DeleteRegistryTree(path.c_str(), sink);
    }
}

void DeleteTreeInEachControlSet(const std::string& below, RemovalSink& sink) {
    for (const char* set : kControlSets) DeleteTreeAt(set, below.c_str(), sink);
}
