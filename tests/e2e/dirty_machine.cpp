#include "dirty_machine.h"

#include "expected_registration.h"
#include "temp_tree.h"

namespace {

const char kStillImageApps[] = "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications";
const char kImageClass[] = "System\\CurrentControlSet\\Services\\Class\\Image\\";
const char kRootImage[] = "Enum\\Root\\Image\\";
const char kControlClassImage[] = "\\Control\\Class\\{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\";

std::string Contents(const SeedFile& file) { return "seeded: " + file.path; }

// The product's entry in the system's list of installed programs goes;
// another program's entry beside it stays.
void AddProgramListEntries(std::vector<SeedValue>& r) {
    const std::string list = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
    r.push_back({list + "Pixmoor-USB 300 plus", "DisplayName", "Pixmoor-USB 300 plus", Fate::Removed});
    r.push_back({list + "Pixmoor-USB 300 plus", "UninstallString", "\"C:\\old\\DRVSWEEP.EXE\"", Fate::Removed});
    r.push_back({list + "Pixmoor-USB 300", "DisplayName", "Pixmoor-USB 300", Fate::Kept});
}

// The slot Plug and Play made for the camera itself, in each control set,
// goes with its subtree; the slots beside it of another product of the
// same vendor, and of another maker, stay.
void AddProductSlots(std::vector<SeedValue>& r) {
    for (const char* set : {"SYSTEM\\ControlSet001", "SYSTEM\\ControlSet002", "SYSTEM\\CurrentControlSet"}) {
        const std::string slots = set + std::string(kControlClassImage);
        r.push_back({slots + "0005", "MatchingDeviceId", "usb\\vid_0ac8&pid_0302", Fate::Removed});
        r.push_back({slots + "0005", "DriverDesc", "Pixmoor-USB 300 plus", Fate::Removed});
        r.push_back({slots + "0005\\Settings", "", "", Fate::Removed});
        r.push_back({slots + "0006", "DriverDesc", "USB PC Camera 301P", Fate::Removed});
        r.push_back({slots + "0007", "MatchingDeviceId", "usb\\vid_0ac8&pid_3010", Fate::Kept});
        r.push_back({slots + "0008", "MatchingDeviceId", "usb\\vid_046d&pid_0840", Fate::Kept});
        r.push_back({slots + "0008", "DriverDesc", "Pixmoor-USB 300 plus compatible", Fate::Kept});
    }
}

void AddFamilyFiles(const MachineDirs& d, std::vector<SeedFile>& files) {
    const std::string inf = d.windows + "\\INF";
    // Where the systems keep their drivers (98: SYSTEM32\Drivers beside
    // SYSTEM), stated here, not taken from the programs' location rule:
    // the seed is what that rule is checked against.
    const std::string drivers = d.system + (d.ntLine ? "\\Drivers" : "32\\Drivers");
    const std::vector<std::pair<std::string, bool>> traces =
        d.ntLine ? std::vector<std::pair<std::string, bool>>{
                       {inf + "\\OVTCAMP.INF", true},
                       {inf + "\\Other\\GeniusOVTCAMP.INF", false},
                       {drivers + "\\OMCAMVID.SYS", true},
                       {d.system + "\\OMCAMUSD.DLL", false},
                       {d.windows + "\\OMCAMUSD.DLL", false},
                       {d.windows + "\\USBCAM.EXE", false},
                       {d.windows + "\\TWAIN_32\\VN\\OMCAMTWN.DS", false},
                       {d.windows + "\\TWAIN_32\\OvtTwn.DS", false},
                       {d.windows + "\\TWAIN_32\\OVT\\USB\\OMScanDs.DS", false},
                       {d.windows + "\\LastGood\\OvtCam\\76BE.set", false},
                       {d.windows + "\\Ovtcam\\6620.SET", true},
                       {d.installDir + "\\USBCAM.EXE", false},
                       {d.installDir + "\\UNINSTAL.EXE", true},
                   }
                 : std::vector<std::pair<std::string, bool>>{
                       {inf + "\\OVTCAM.INF", true},
                       {inf + "\\Other\\VantrellUSB-SCAN.INF", false},
                       {drivers + "\\Vncamd.SYS", true},
                       {d.system + "\\KD71CODE.DLL", false},
                       {d.windows + "\\CONVERT_.EXE", false},
                       {d.windows + "\\TWAIN_32\\VN\\OMCAMTWN.DS", false},
                       {d.windows + "\\Ovtcam\\7610.SET", true},
                       {d.installDir + "\\USBCAM.EXE", false},
                       {d.installDir + "\\UNINSTAL.EXE", true},
                   };
    for (const auto& trace : traces) files.push_back({trace.first, Fate::Removed, trace.second});

    // Files of others beside them stay.
    for (const std::string& folder : {inf, inf + "\\Other", drivers, d.system, d.windows + "\\TWAIN_32\\VN",
                                      d.windows + "\\Ovtcam"}) {
        files.push_back({folder + "\\other maker.dat", Fate::Kept, false});
    }
    files.push_back({inf + "\\OVTCAMP.INF.bak", Fate::Kept, false});
}

void AddOemCopies(const MachineDirs& d, std::vector<SeedFile>& files, std::vector<std::pair<std::string, std::string>>& infs) {
    const std::string inf = d.windows + "\\INF\\";
    // name in [Strings] TwainDsName -> fate of the .inf and of its .PNF
    struct Copy { int n; const char* key; const char* value; Fate infFate; Fate pnfFate; };
    const Copy copies[] = {
        {3, "TwainDsName", "Vantrell Pixmoor-USB 300", Fate::Removed, Fate::Removed},
        {4, "TwainDsName", "Vantrell Pixmoor-USB 100", Fate::Kept, Fate::Removed},
        {5, "TwainDsName", "vantrell pixmoor-usb 300", Fate::Kept, Fate::Kept},
        {6, "TwainDsName", "Vantrell Pixmoor-USB 300 ", Fate::Kept, Fate::Kept},
        {8, "TwainDsName", "Other Maker Scanner", Fate::Kept, Fate::Kept},
        {100, "TwainDsName", "Vantrell Pixmoor-USB 300", Fate::Kept, Fate::Kept},
        {7, "511plus", "Camera OmniVision\\Dual Mode USB Camera Plus (WDM)",
         d.ntLine ? Fate::Removed : Fate::Kept, Fate::Kept},
    };
    for (const Copy& c : copies) {
        const std::string base = inf + "oem" + std::to_string(c.n);
        files.push_back({base + ".inf", c.infFate, c.n == 3});
        files.push_back({base + ".PNF", c.pnfFate, false});
        infs.emplace_back(base + ".inf", std::string("[Strings]\r\n") + c.key + "=\"" + c.value + "\"\r\n");
    }
}

void AddRegistry(const MachineDirs& d, std::vector<SeedValue>& r) {
    r.push_back({"SOFTWARE\\VANTRELL\\USB CAM", "", "", Fate::Removed});
    r.push_back({"SOFTWARE\\OVTUsbCamera", "", "", Fate::Removed});
    r.push_back({kStillImageApps, "Vantrell Still Image Capture", "C:\\old\\cap.exe", Fate::Removed});
    r.push_back({kStillImageApps, "WDM Still Image Capture", "C:\\old\\wdm.exe", Fate::Removed});
    r.push_back({kStillImageApps, "Other Vendor Scanner", "C:\\other\\scan.exe /StiDevice:%1", Fate::Kept});
    r.push_back({std::string(kImageClass) + "0003", "DriverDesc", "Genius VideoCAM Express", Fate::Removed});
    r.push_back({std::string(kImageClass) + "0004", "DriverDesc", "Other Maker Scanner", Fate::Kept});
    r.push_back({std::string(kRootImage) + "0012", "DeviceDesc", "USB Still Image Device", Fate::Removed});
    r.push_back({std::string(kRootImage) + "0013", "DeviceDesc", "usb still image device", Fate::Kept});
    r.push_back({"System\\CurrentControlSet\\Services\\Class\\Image\\0005", "VfwEntryString", "OVFWWDM", Fate::Removed});
    r.push_back({"SOFTWARE\\OtherMaker\\Camera", "Version", "7.1", Fate::Kept});
    // The camera's slot in the MEDIA class, named by the "Driver" value of
    // the first instance the removal looks at (the 2000/XP tables take that
    // instance, the 98 ones do not); the slot beside it is another device's.
    r.push_back({"System\\CurrentControlSet\\Enum\\USB\\VID_05A9&PID_0511\\5&20d06fa8&0&1", "Driver", "MEDIA\\0007",
                 d.ntLine ? Fate::Removed : Fate::Kept});
    r.push_back({"System\\CurrentControlSet\\Services\\Class\\MEDIA\\0007", "", "", Fate::Removed});
    r.push_back({"System\\CurrentControlSet\\Services\\Class\\MEDIA\\0008", "", "", Fate::Kept});
    if (d.ntLine) {
        r.push_back({"System\\CurrentControlSet\\Services\\OVT511", "", "", Fate::Removed});
        r.push_back({"SYSTEM\\CurrentControlSet\\Services\\OVT518", "", "", Fate::Removed});
        r.push_back({"SYSTEM\\CurrentControlSet\\Services\\OVT4other", "", "", Fate::Kept});
        r.push_back({"SYSTEM\\ControlSet001\\Enum\\USB\\Vid_05a9&Pid_0511\\5&20d06fa8&0&1\\Device Parameters",
                     "", "", Fate::Removed});
        r.push_back({kStubbornInstance, "", "", Fate::Kept});
        r.push_back({std::string(kStubbornInstance) + "\\Firmware", "", "", Fate::Kept});
        r.push_back({"SYSTEM\\ControlSet001\\Enum\\USB\\Vid_05ac&Pid_1234\\6&1", "", "", Fate::Kept});
        r.push_back({"SYSTEM\\ControlSet001\\Enum\\USB\\Vid_05a8&Pid_0511", "", "", Fate::Kept});
        r.push_back({std::string("SYSTEM\\ControlSet001") + kControlClassImage + "0002", "MatchingDeviceId",
                     "usb\\vid_05a9&pid_0511", Fate::Removed});
        r.push_back({std::string("SYSTEM\\ControlSet001") + kControlClassImage + "0001", "MatchingDeviceId",
                     "usb\\vid_046d&pid_0990", Fate::Kept});
        r.push_back({"System\\ControlSet001\\Services\\class\\Image\\0002", "HardwareID", "OMSCAN", Fate::Removed});
    } else {
        r.push_back({"Enum\\USB\\VID_05A9&PID_0511\\INST_0", "", "", Fate::Removed});
        r.push_back({"Enum\\USB\\VID_05AC&PID_1234", "", "", Fate::Kept});
        r.push_back({"System\\CurrentControlSet\\Services\\OMSCAN", "", "", Fate::Removed});
        r.push_back({std::string(kRootImage) + "0002", "HardwareID", "OMSCAN", Fate::Removed});
    }
}

bool WriteValue(const SeedValue& v) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(v.root, v.key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::string name = v.name.empty() ? "Seed" : v.name;
    const std::string data = v.name.empty() ? "seeded" : v.data;
    const LONG rc = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                   static_cast<DWORD>(data.size() + 1));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

void AddSweepFiles(const MachineDirs& d, std::vector<SeedFile>& files) {
    const std::string inf = d.windows + "\\INF";
    const std::string drivers = d.system + (d.ntLine ? "\\Drivers" : "32\\Drivers");
    const std::string rootFolder = d.windows.substr(0, 3) + "Pixmoor-USB 300 plus";
    const std::vector<std::pair<std::string, bool>> traces = {
        {inf + "\\Other\\VMUSBVM31B.INF", true},
        {inf + "\\Other\\Vantre~1.INF", false},
        {inf + "\\Other\\Config.set", false},
        {inf + "\\Config.set", true},
        {drivers + "\\usbvm31b.SYS", true},
        {d.system + "\\zu31zPrv.Ax", false},
        {d.system + "\\VM31BSTI.DLL", false},
        {d.windows + "\\TWAIN_32\\DE301r\\ZU31zTWN.DS", false},
        {d.windows + "\\TWAIN_32\\DE301r\\ZU31zTXP.DS", true},
        {d.windows + "\\AMCap.EXE", false},
        {d.windows + "\\VM_STI.EXE", true},
        {d.installDir + "\\DRVSWEEP.EXE", false},
        {d.installDir + "\\feedback.EXE", true},
        {rootFolder + "\\UNINSTAL.EXE", false},
    };
    for (const auto& trace : traces) files.push_back({trace.first, Fate::Removed, trace.second});
    for (const std::string& folder : {inf, inf + "\\Other", drivers, d.system, d.windows, d.windows + "\\TWAIN_32"}) {
        files.push_back({folder + "\\other maker.dat", Fate::Kept, false});
    }
    files.push_back({d.windows + "\\vmcap.exe.txt", Fate::Kept, false});
}

void AddSweepOemCopies(const MachineDirs& d, std::vector<SeedFile>& files,
                       std::vector<std::pair<std::string, std::string>>& infs) {
    const char* const kDesc = "USB\\VID_0AC8&PID_0302.DeviceDesc";
    struct Copy { int n; const char* key; const char* value; Fate fate; };
    const Copy copies[] = {
        {10, kDesc, "Pixmoor-USB 300 plus", Fate::Removed},
        {11, kDesc, "pixmoor-usb 300 plus", Fate::Kept},
        {12, "TAS5130C", "ChipConfig\\SupportSensor\\TAS5130C", Fate::Removed},
        {13, kDesc, "USB PC Camera 301P", Fate::Removed},
        {14, kDesc, "VideoCAM Web V2", Fate::Removed},
        {15, kDesc, "Other Maker Camera", Fate::Kept},
        {100, kDesc, "Pixmoor-USB 300 plus", Fate::Kept},
    };
    for (const Copy& c : copies) {
        const std::string base = d.windows + "\\INF\\oem" + std::to_string(c.n);
        files.push_back({base + ".inf", c.fate, c.n == 10});
        files.push_back({base + ".PNF", c.fate, false});
        infs.emplace_back(base + ".inf", std::string("[Strings]\r\n") + c.key + "=\"" + c.value + "\"\r\n");
    }
}

void AddSweepRegistry(const MachineDirs& d, std::vector<SeedValue>& r) {
    const std::string usb = "SYSTEM\\ControlSet001\\Enum\\USB\\";
    r.push_back({std::string(kRootImage) + "0003", "HardwareID", "OMSCAN", Fate::Removed});
    r.push_back({std::string(kRootImage) + "0003", "Driver", "Image\\0007", Fate::Removed});
    r.push_back({std::string(kImageClass) + "0007", "DriverDesc", "earlier camera", Fate::Removed});
    r.push_back({std::string(kRootImage) + "0004", "HardwareID", "omscan", Fate::Kept});
    r.push_back({std::string(kRootImage) + "0010", "HardwareID", "OMSCAN", Fate::Kept});
    r.push_back({kStillImageApps, "Vantrell Still Image Capture", "C:\\old\\cap.exe", Fate::Removed});
    r.push_back({kStillImageApps, "VGA USB Still Image Capture", "C:\\old\\vga.exe", Fate::Removed});
    r.push_back({kStillImageApps, "Other Vendor Scanner", "C:\\other\\scan.exe", Fate::Kept});
    r.push_back({"System\\CurrentControlSet\\control\\MediaResources\\msvideo\\MSVideo.Sepalo", "Driver",
                 "sepalo.dll", Fate::Removed});
    r.push_back({"System\\CurrentControlSet\\control\\MediaResources\\msvideo\\MSVideo.Other", "Driver",
                 "other.dll", Fate::Kept});
    r.push_back({usb + "Vid_0ac8&Pid_301b\\5&1\\Device Parameters", "", "", Fate::Removed});
    r.push_back({usb + "Vid_0ac8&Pid_0302\\5&2", "", "", Fate::Removed});
    r.push_back({usb + "Vid_0ac8&Pid_3010", "", "", Fate::Kept});
    r.push_back({usb + "Vid_05ac&Pid_1234", "", "", Fate::Kept});
    r.push_back({"Enum\\USB\\Vid_10FD&Pid_804D\\inst", "", "", Fate::Removed});
    r.push_back({"SOFTWARE\\ZSMC\\USBCAMERA\\Settings", "", "", Fate::Removed});
    r.push_back({"SOFTWARE\\ZSMC\\Other", "", "", Fate::Kept});
    r.push_back({"SOFTWARE\\VADAVIR", "", "", Fate::Removed});
    const HKEY user = d.ntLine ? HKEY_CURRENT_USER : HKEY_USERS;
    const std::string userBase = d.ntLine ? "Software\\Vantrell\\" : ".Default\\Software\\Vantrell\\";
    r.push_back({userBase + "USB Marlix", "Brightness", "40", Fate::Removed, user});
    r.push_back({userBase + "Other Camera", "Brightness", "40", Fate::Kept, user});
}

// The OEM copies carry their [Strings] text instead of the plain seed text.
std::vector<std::pair<std::string, std::string>> g_infTexts;

std::string TextOf(const SeedFile& file) {
    for (const auto& inf : g_infTexts) {
        if (inf.first == file.path) return inf.second;
    }
    return Contents(file);
}

}  // namespace

DirtyMachine SetupRemovalMachine(const MachineDirs& dirs) {
    DirtyMachine machine;
    AddFamilyFiles(dirs, machine.files);
    g_infTexts.clear();
    AddOemCopies(dirs, machine.files, g_infTexts);
    AddRegistry(dirs, machine.registry);
    AddProductSlots(machine.registry);
    AddProgramListEntries(machine.registry);
    return machine;
}

DirtyMachine SweepRemovalMachine(const MachineDirs& dirs) {
    DirtyMachine machine;
    AddSweepFiles(dirs, machine.files);
    g_infTexts.clear();
    AddSweepOemCopies(dirs, machine.files, g_infTexts);
    AddSweepRegistry(dirs, machine.registry);
    AddProductSlots(machine.registry);
    AddProgramListEntries(machine.registry);
    return machine;
}

bool SeedMachine(const DirtyMachine& machine, std::string& failure) {
    for (const SeedFile& file : machine.files) {
        const std::size_t slash = file.path.find_last_of('\\');
        MakeDirs(file.path.substr(0, slash));
        SetFileAttributesA(file.path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!WriteFileBytes(file.path, TextOf(file))) {
            failure = "cannot write " + file.path;
            return false;
        }
        if (file.readOnly) SetFileAttributesA(file.path.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    for (const SeedValue& value : machine.registry) {
        if (!WriteValue(value)) {
            failure = "cannot write HKLM\\" + value.key + " : " + value.name;
            return false;
        }
    }
    return true;
}

std::vector<std::string> CheckMachine(const DirtyMachine& machine) {
    std::vector<std::string> problems;
    for (const SeedFile& file : machine.files) {
        std::string bytes;
        const bool present = ReadFileBytes(file.path, bytes);
        if (file.fate == Fate::Removed && present) problems.push_back("trace left: " + file.path);
        if (file.fate == Fate::Kept && (!present || bytes != TextOf(file))) {
            problems.push_back("bystander " + std::string(present ? "changed: " : "lost: ") + file.path);
        }
    }
    for (const SeedValue& value : machine.registry) {
        const std::string name = value.name.empty() ? "Seed" : value.name;
        const std::string expected = (value.name.empty() ? std::string("seeded") : value.data) + std::string(1, '\0');
        DWORD type = 0;
        std::string bytes;
        const bool present = ReadValue(value.root, value.key, name, type, bytes);
        const std::string where = std::string(value.root == HKEY_LOCAL_MACHINE ? "HKLM\\" : "user\\") + value.key + (value.name.empty() ? "" : " : " + value.name);
        if (value.fate == Fate::Removed && present) problems.push_back("trace left: " + where);
        if (value.fate == Fate::Kept && (!present || bytes != expected)) {
            problems.push_back("bystander " + std::string(present ? "changed: " : "lost: ") + where);
        }
    }
    return problems;
}
