#include "stillimage/still_image_registration.h"

#include <windows.h>

#include <cstring>

#include "common/bounded_string.h"
#include "common/product_profile.h"
#include "common/reg_key.h"
#include "common/text_format.h"
#include "framework/modal_owner.h"
#include "framework/resource_text.h"
#include "resources/setup/resource.h"
#include "traces/run_log.h"

namespace {

constexpr const char* kImageClassBase = "System\\CurrentControlSet\\Services\\Class\\Image\\";
constexpr const char* kRootImageBase = "Enum\\Root\\Image\\";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRegisteredApps =
    "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications";
constexpr const char* kServiceKey = "System\\CurrentControlSet\\Services\\OMSCAN";
constexpr const char* kDeviceName = "USB Still Image Device";
constexpr const char* kIcmProfile = "sRGB Color Space Profile.icm";
constexpr const char* kEnumListFull = "The ENUM list is full, can't add new driver";
constexpr int kInstanceSlots = 10;  // "0000" to "0009"
constexpr DWORD kShortTextBytes = 32;  // "Class" and "Driver" of the device
constexpr DWORD kAppCommandBytes = 256;

// The two places the driver's COM class goes, root key first.
const struct {
    HKEY hRoot;
    const char* szKey;
} kComClassKeys[] = {
    {HKEY_CLASSES_ROOT, "CLSID\\{C3A80962-28B1-11D1-ACAD-00A02438AD48}"},
    {HKEY_LOCAL_MACHINE, "Software\\CLASSES\\CLSID\\{C3A80962-28B1-11D1-ACAD-00A02438AD48}"},
};

void ShowInMessageBox(const char* text) {
    const std::string caption = LoadResString(IDS_APP_TITLE);
    AppMessageBox(text, caption.c_str(), MB_OK);
}

// base + "000N".
bool InstancePath(const char* base, int n, PathString& path) {
    char name[16];
    FormatInto(name, "000%d", n);
    path.Append(base).Append(name);
    return path.ok();
}

bool HasValue(const RegKey& key, const char* name) {
    return RegQueryValueExA(key.Get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// A probe for reading: open, and optionally whether it carries our marker.
bool OpenInstance(const char* base, int n, bool* marked = nullptr) {
    PathString path;
    if (!InstancePath(base, n, path)) return false;
    RegKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_READ)) return false;
    if (marked != nullptr) *marked = HasValue(key, kRegistrationMarker);
    return true;
}

// The first of "0000" to "0009" under base that does not open; -1 if all do.
int FirstFreeInstance(const char* base) {
    for (int n = 0; n < kInstanceSlots; ++n) {
        if (!OpenInstance(base, n)) return n;
    }
    return -1;
}

bool IsRegisteredAlready() {
    bool registered = false;
    for (int n = 0; n < kInstanceSlots; ++n) {
        bool marked = false;
        if (OpenInstance(kImageClassBase, n, &marked) && marked) registered = true;
    }
    return registered;
}

// A key the registration writes values to, as the run's log names it.
struct ValueTarget {
    HKEY h;
    HKEY root;
    const char* path;
};

// The key just created or opened for writing; its making is logged.
ValueTarget Target(HKEY h, HKEY root, const char* path) {
    LogKeyInstalled(root, path, nullptr, true, 0);
    return {h, root, path};
}

// Out of line: one call a value keeps the registration's code small.
__attribute__((noinline)) void SetRaw(const ValueTarget& key, const char* name, DWORD type, const BYTE* data, DWORD size) {
    const LONG result = RegSetValueExA(key.h, name, 0, type, data, size);
    LogKeyInstalled(key.root, key.path, name, result == ERROR_SUCCESS, static_cast<DWORD>(result));
}

__attribute__((noinline)) void SetText(const ValueTarget& key, const char* name, const char* text) {
    SetRaw(key, name, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(std::strlen(text) + 1));
}

// A string stored with a fixed byte count: the text, then zero bytes. A
// text that would not leave room for its zero is not written at all.
template <DWORD N>
void SetFixedText(const ValueTarget& key, const char* name, const char* text) {
    BYTE data[N] = {};
    const std::size_t len = std::strlen(text);
    if (len + 1 > N) return;
    std::memcpy(data, text, len);
    SetRaw(key, name, REG_SZ, data, N);
}

void SetDword(const ValueTarget& key, const char* name, DWORD value) {
    SetRaw(key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// A number as four raw little-endian bytes of a REG_BINARY value.
void SetBinary4(const ValueTarget& key, const char* name, DWORD value) {
    const BYTE data[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8),
                          static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 24)};
    SetRaw(key, name, REG_BINARY, data, sizeof data);
}

// windowsDir + suffix, or false when the path would not fit its buffer.
bool WindowsPath(const char* windowsDir, const char* suffix, PathString& out) {
    out.Append(windowsDir).Append(suffix);
    return out.ok();
}

void WriteImageClassInstance(int n) {
    PathString path;
    if (!InstancePath(kImageClassBase, n, path)) return;
    RegKey key;
    if (!key.Create(HKEY_LOCAL_MACHINE, path.c_str())) return;
    const ValueTarget h = Target(key.Get(), HKEY_LOCAL_MACHINE, path.c_str());
    SetDword(h, "Capabilities", 1);
    SetText(h, "CreateFileName", "\\\\.\\OMSCAN");
    SetDword(h, "DeviceSubType", 1);
    SetDword(h, "DeviceType", 2);
    SetText(h, "DriverDate", "12-03-1999");
    SetText(h, "DriverDesc", kDeviceName);
    SetText(h, "FriendlyName", kDeviceName);
    const BYTE hardwareConfig = 0x01;
    SetRaw(h, "HardwareConfig", REG_BINARY, &hardwareConfig, 1);
    SetText(h, "ICMProfiles", kIcmProfile);
    SetText(h, "InfPath", "VANTRE~2.INF");
    SetText(h, "InfSection", "OMScan.Scanner");
    SetText(h, "NTMPDriver", "omcamsti.sys");
    SetText(h, "PropertyPages", "omcamcpl.cpl ,EnumStiPropPages");
    SetText(h, "ProviderName", " ");
    SetText(h, "StillImageDriver", "Installed");
    SetText(h, "USDClass", "{C3A80962-28B1-11D1-ACAD-00A02438AD48}");
    SetText(h, "Vendor", g_Product.szCompanyName);
    SetText(h, kRegistrationMarker, "1");
    key.Close();

    PathString deviceData(path.c_str());
    deviceData.Append("\\DeviceData");
    if (deviceData.ok() && key.Create(HKEY_LOCAL_MACHINE, deviceData.c_str())) {
        const ValueTarget t = Target(key.Get(), HKEY_LOCAL_MACHINE, deviceData.c_str());
        // The profile name without its zero, then two zero bytes: 30 bytes.
        BYTE profile[30] = {};
        std::memcpy(profile, kIcmProfile, std::strlen(kIcmProfile));
        SetRaw(t, "ICMProfile", REG_BINARY, profile, sizeof profile);
        SetText(t, "SpecialInfo", "My very special information");
        SetText(t, "TwainDS", kDeviceName);
        key.Close();
    }

    PathString events(path.c_str());
    events.Append("\\Events\\NewPicture");
    if (events.ok() && key.Create(HKEY_LOCAL_MACHINE, events.c_str())) {
        const ValueTarget t = Target(key.Get(), HKEY_LOCAL_MACHINE, events.c_str());
        SetText(t, "", "New Picture Captured");
        SetText(t, "GUID", "{61127F42-28A3-11D1-ACAD-00A02438AD48}");
        SetText(t, "LaunchApplications", kDeviceName);
        key.Close();
    }
}

void WriteComClass(const char* windowsDir) {
    PathString server;
    const bool haveServer = WindowsPath(windowsDir, "\\SYSTEM\\omcamusd.dll", server);
    for (const auto& place : kComClassKeys) {
        RegKey key;
        if (key.Create(place.hRoot, place.szKey)) {
            SetText(Target(key.Get(), place.hRoot, place.szKey), "", g_Product.szProductName);
        }
        PathString inproc(place.szKey);
        inproc.Append("\\InProcServer32");
        if (inproc.ok() && key.Create(place.hRoot, inproc.c_str())) {
            const ValueTarget t = Target(key.Get(), place.hRoot, inproc.c_str());
            if (haveServer) SetText(t, "", server.c_str());
            SetText(t, "ThreadingModel", "Both");
        }
    }
}

void WriteRunList(const char* windowsDir) {
    RegKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_ALL_ACCESS)) return;
    const ValueTarget t = {key.Get(), HKEY_LOCAL_MACHINE, kRunKey};
    PathString monitor;
    if (WindowsPath(windowsDir, "\\SYSTEM\\STIMON.EXE", monitor)) {
        SetText(t, "StillImageMonitor", monitor.c_str());
    }
    PathString scanner;
    if (WindowsPath(windowsDir, "\\scanregw.exe /autorun", scanner)) {
        SetText(t, "ScanRegistry", scanner.c_str());
    }
}

// The reference the root device's "Driver" value carries: the marked
// image-class instance.
void DriverReference(char (&reference)[kShortTextBytes]) {
    FormatInto(reference, "Image");
    int unmarked = 0;
    bool found = false;
    for (int n = 0; n < kInstanceSlots && !found; ++n) {
        bool marked = false;
        if (!OpenInstance(kImageClassBase, n, &marked)) continue;
        if (marked) {
            FormatInto(reference, "Image\\000%d", n);
            found = true;
        } else {
            ++unmarked;
        }
    }
    // Nine unmarked instances fall back to the first one, but never over a
    // marked instance that was found: that one is ours, instance 0000 after
    // nine foreign ones is not, and the removal pass later deletes the
    // class key the reference names.
    if (!found && unmarked == 9) FormatInto(reference, "Image\\000%d", 0);
}

void WriteRootDevice(int n) {
    PathString path;
    if (!InstancePath(kRootImageBase, n, path)) return;
    HKEY h = nullptr;
    char deviceClass[] = "Image";
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, deviceClass, 0, KEY_ALL_ACCESS,
                        nullptr, &h, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const ValueTarget t = Target(h, HKEY_LOCAL_MACHINE, path.c_str());
    SetBinary4(t, "Capabilities", 0x14);
    SetFixedText<kShortTextBytes>(t, "Class", "Image");
    SetText(t, "ClassGUID", "{6bdd1fc6-810f-11d0-bec7-08002be2092f}");
    SetBinary4(t, "ConfigFlags", 0);
    SetText(t, "DeviceDesc", kDeviceName);
    char reference[kShortTextBytes];
    DriverReference(reference);
    SetFixedText<kShortTextBytes>(t, "Driver", reference);
    SetText(t, "HardwareID", "OMSCAN");
    SetText(t, "Mfg", g_Product.szCompanyName);
    SetText(t, "SubClass", "StillImage");
    RegCloseKey(h);
}

void WriteRegisteredApplication(const char* windowsDir) {
    RegKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, kRegisteredApps, KEY_ALL_ACCESS)) return;
    BoundedString<kAppCommandBytes> command(windowsDir);
    command.Append("\\omcamcap.exe /StiDevice:%1 /StiEvent:%2");
    if (command.ok()) {
        SetFixedText<kAppCommandBytes>({key.Get(), HKEY_LOCAL_MACHINE, kRegisteredApps}, kDeviceName, command.c_str());
    }
}

void WriteService() {
    RegKey key;
    if (!key.Create(HKEY_LOCAL_MACHINE, kServiceKey)) return;
    const ValueTarget t = Target(key.Get(), HKEY_LOCAL_MACHINE, kServiceKey);
    SetBinary4(t, "ErrorControl", 1);
    SetText(t, "Group", "Base");
    SetText(t, "ImagePath", "\\SystemRoot\\system32\\drivers\\omcamsti.sys");
    SetBinary4(t, "Start", 2);
    SetBinary4(t, "Type", 1);
}

}  // namespace

const char kRegistrationMarker[] = "Flg";

const RegistrationPrompts g_RegistrationPrompts = {ShowInMessageBox};

void RegisterStillImageDevice(const char* windowsDir, const RegistrationPrompts& prompts) {
    // The still-image control panel applet must load again.
    PathString controlIni;
    if (WindowsPath(windowsDir, "\\control.ini", controlIni)) {
        const bool done = WritePrivateProfileStringA("don't load", "sticpl.cpl", nullptr, controlIni.c_str()) != FALSE;
        LogOutcome(TraceKind::ProfileEntry, controlIni.c_str(), "sticpl.cpl", done, GetLastError(),
                   "removed");
    }

    if (!IsRegisteredAlready()) {
        const int instance = FirstFreeInstance(kImageClassBase);
        if (instance >= 0) WriteImageClassInstance(instance);
        WriteComClass(windowsDir);
        WriteRunList(windowsDir);
        PathString source;
        if (WindowsPath(windowsDir, "\\default.src", source)) {
            // No directory: the profile lands in the system's Windows directory.
            const bool done = WritePrivateProfileStringA("SourceControl", "src", source.c_str(), "Twacker.ini") != FALSE;
            LogInstalled(TraceKind::ProfileEntry, "Twacker.ini", "src", done, GetLastError());
        }
    }

    const int device = FirstFreeInstance(kRootImageBase);
    if (device < 0) {
        if (prompts.showMessage != nullptr) prompts.showMessage(kEnumListFull);
        return;
    }
    WriteRootDevice(device);
    WriteRegisteredApplication(windowsDir);
    WriteService();
}
