#include "expected_registration.h"

namespace {

std::string Sz(const std::string& text) { return text + std::string(1, '\0'); }

std::string Padded(const std::string& text, std::size_t length, bool fixedLengths) {
    return fixedLengths ? text + std::string(length - text.size(), '\0') : Sz(text);
}

std::string Le32(DWORD value) {
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                       static_cast<char>((value >> 16) & 0xFF), static_cast<char>((value >> 24) & 0xFF)};
}

const char kClassInstance[] = "System\\CurrentControlSet\\Services\\Class\\Image\\0000";
const char kUsdClass[] = "{C3A80962-28B1-11D1-ACAD-00A02438AD48}";

}  // namespace

std::vector<ExpectedValue> ExpectedRegistration(const std::string& windowsDir, bool fixedLengths) {
    const HKEY lm = HKEY_LOCAL_MACHINE;
    const std::string instance = kClassInstance;
    const std::string device = "USB Still Image Device";
    std::vector<ExpectedValue> values = {
        {lm, instance, "Capabilities", REG_DWORD, Le32(1)},
        {lm, instance, "CreateFileName", REG_SZ, Sz("\\\\.\\OMSCAN")},
        {lm, instance, "DeviceSubType", REG_DWORD, Le32(1)},
        {lm, instance, "DeviceType", REG_DWORD, Le32(2)},
        {lm, instance, "DriverDate", REG_SZ, Sz("12-03-1999")},
        {lm, instance, "DriverDesc", REG_SZ, Sz(device)},
        {lm, instance, "FriendlyName", REG_SZ, Sz(device)},
        {lm, instance, "HardwareConfig", REG_BINARY, std::string(1, '\x01')},
        {lm, instance, "ICMProfiles", REG_SZ, Sz("sRGB Color Space Profile.icm")},
        {lm, instance, "InfPath", REG_SZ, Sz("VANTRE~2.INF")},
        {lm, instance, "InfSection", REG_SZ, Sz("OMScan.Scanner")},
        {lm, instance, "NTMPDriver", REG_SZ, Sz("omcamsti.sys")},
        {lm, instance, "PropertyPages", REG_SZ, Sz("omcamcpl.cpl ,EnumStiPropPages")},
        {lm, instance, "ProviderName", REG_SZ, Sz(" ")},
        {lm, instance, "StillImageDriver", REG_SZ, Sz("Installed")},
        {lm, instance, "USDClass", REG_SZ, Sz(kUsdClass)},
        {lm, instance, "Vendor", REG_SZ, Sz("Orvanto Inc.")},
        {lm, instance, "Flg", REG_SZ, Sz("1")},
        {lm, instance + "\\DeviceData", "ICMProfile", REG_BINARY,
         std::string("sRGB Color Space Profile.icm") + std::string(2, '\0')},
        {lm, instance + "\\DeviceData", "SpecialInfo", REG_SZ, Sz("My very special information")},
        {lm, instance + "\\DeviceData", "TwainDS", REG_SZ, Sz(device)},
        {lm, instance + "\\Events\\NewPicture", "", REG_SZ, Sz("New Picture Captured")},
        {lm, instance + "\\Events\\NewPicture", "GUID", REG_SZ, Sz("{61127F42-28A3-11D1-ACAD-00A02438AD48}")},
        {lm, instance + "\\Events\\NewPicture", "LaunchApplications", REG_SZ, Sz(device)},
        {lm, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "StillImageMonitor", REG_SZ,
         Sz(windowsDir + "\\SYSTEM\\STIMON.EXE")},
        {lm, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "ScanRegistry", REG_SZ,
         Sz(windowsDir + "\\scanregw.exe /autorun")},
        {lm, "Enum\\Root\\Image\\0000", "Capabilities", REG_BINARY, Le32(0x14)},
        {lm, "Enum\\Root\\Image\\0000", "Class", REG_SZ, Padded("Image", 32, fixedLengths)},
        {lm, "Enum\\Root\\Image\\0000", "ClassGUID", REG_SZ, Sz("{6bdd1fc6-810f-11d0-bec7-08002be2092f}")},
        {lm, "Enum\\Root\\Image\\0000", "ConfigFlags", REG_BINARY, Le32(0)},
        {lm, "Enum\\Root\\Image\\0000", "DeviceDesc", REG_SZ, Sz(device)},
        {lm, "Enum\\Root\\Image\\0000", "Driver", REG_SZ, Padded("Image\\0000", 32, fixedLengths)},
        {lm, "Enum\\Root\\Image\\0000", "HardwareID", REG_SZ, Sz("OMSCAN")},
        {lm, "Enum\\Root\\Image\\0000", "Mfg", REG_SZ, Sz("Orvanto Inc.")},
        {lm, "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications", device,
         REG_SZ, Padded(windowsDir + "\\omcamcap.exe /StiDevice:%1 /StiEvent:%2", 256, fixedLengths)},
        {lm, "System\\CurrentControlSet\\Services\\OMSCAN", "ErrorControl", REG_BINARY, Le32(1)},
        {lm, "System\\CurrentControlSet\\Services\\OMSCAN", "Group", REG_SZ, Sz("Base")},
        {lm, "System\\CurrentControlSet\\Services\\OMSCAN", "ImagePath", REG_SZ,
         Sz("\\SystemRoot\\system32\\drivers\\omcamsti.sys")},
        {lm, "System\\CurrentControlSet\\Services\\OMSCAN", "Start", REG_BINARY, Le32(2)},
        {lm, "System\\CurrentControlSet\\Services\\OMSCAN", "Type", REG_BINARY, Le32(1)},
    };
    for (const auto& com : {std::make_pair(HKEY_CLASSES_ROOT, std::string("CLSID\\")),
                            std::make_pair(lm, std::string("Software\\CLASSES\\CLSID\\"))}) {
        const std::string key = com.second + kUsdClass;
        values.push_back({com.first, key, "", REG_SZ, Sz("Pixmoor-USB 300 plus")});
        values.push_back({com.first, key + "\\InProcServer32", "", REG_SZ, Sz(windowsDir + "\\SYSTEM\\omcamusd.dll")});
        values.push_back({com.first, key + "\\InProcServer32", "ThreadingModel", REG_SZ, Sz("Both")});
    }
    return values;
}

// With the system's own calls, not the programs' RegKey: what the
// scenarios read back must not go through the code that wrote it.
bool ReadValue(HKEY root, const std::string& key, const std::string& name, DWORD& type, std::string& bytes) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(handle, name.c_str(), nullptr, &type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
        bytes.assign(size, '\0');
        rc = RegQueryValueExA(handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size);
        bytes.resize(size);
    }
    RegCloseKey(handle);
    return rc == ERROR_SUCCESS;
}
