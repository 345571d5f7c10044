#include "drvsweep/sweep_tables.h"

const char kSweepGroupName[] = "Pixmoor-USB 300 plus";
const char kSweepProductFolder[] = "Pixmoor-USB 300 plus";

#define FILE_ROW(name, location) \
    { 0, "", name, location, "", 0 }

const SweepFileEntry g_SweepFiles[] = {
    FILE_ROW("VMUSBVM31B.INF", LOC_INF_OTHER),
    FILE_ROW("GeniusUSBVM31B.INF", LOC_INF_OTHER),
    FILE_ROW("Genius~1.INF", LOC_INF_OTHER),
    FILE_ROW("VantrellUSBVM31B.INF", LOC_INF_OTHER),
    FILE_ROW("Vantre~1.INF", LOC_INF_OTHER),
    FILE_ROW("usbvm31b.SYS", LOC_DRIVERS),
    FILE_ROW("UNINSTAL.EXE", LOC_DESTINATION),
    FILE_ROW("DRVSWEEP.EXE", LOC_DESTINATION),
    FILE_ROW("feedback.EXE", LOC_DESTINATION),
    FILE_ROW("zu31zPrv.Ax", LOC_SYSTEM),
    FILE_ROW("ZU31zTWN.DS", LOC_TWAIN_DE301R),
    FILE_ROW("ZU31zTXP.DS", LOC_TWAIN_DE301R),
    FILE_ROW("DE301r", LOC_TWAIN),  // the directory itself, empty by now
    FILE_ROW("VM31BSTI.DLL", LOC_SYSTEM),
    FILE_ROW("AMCap.EXE", LOC_WINDOWS),
    FILE_ROW("StillCap.EXE", LOC_WINDOWS),
    FILE_ROW("VMCAP.EXE", LOC_WINDOWS),
    FILE_ROW("VM_STI.EXE", LOC_WINDOWS),
    FILE_ROW("Config.set", LOC_INF_OTHER),
    FILE_ROW("Config.set", LOC_INF),
};
const int g_nSweepFileCount = sizeof g_SweepFiles / sizeof g_SweepFiles[0];

#undef FILE_ROW

HKEY g_hSweepKey = nullptr;

#define HKLM_ROW(subKey, valueName) \
    { HKEY_LOCAL_MACHINE, subKey, valueName, &g_hSweepKey, 0 }
#define STI_APPS "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications"

const RegRemoveEntry g_SweepRegistry[] = {
    HKLM_ROW("Enum\\Root\\Image", ""),
    HKLM_ROW(STI_APPS, "Vantrell Still Image Capture"),
    HKLM_ROW(STI_APPS, "WDM Still Image Capture"),
    HKLM_ROW(STI_APPS, "VGA USB Still Image Capture"),
    HKLM_ROW("System\\CurrentControlSet\\control\\MediaResources\\msvideo\\MSVideo.Sepalo", ""),
    HKLM_ROW("SYSTEM\\CurrentControlSet\\Enum\\USB\\Vid_0ac8&Pid_301b", ""),
    HKLM_ROW("SYSTEM\\ControlSet001\\Enum\\USB\\Vid_0ac8&Pid_301b", ""),
    HKLM_ROW("SYSTEM\\ControlSet002\\Enum\\USB\\Vid_0ac8&Pid_301b", ""),
    HKLM_ROW("Enum\\USB\\Vid_0ac8&Pid_301b", ""),
    HKLM_ROW("SOFTWARE\\ZSMC\\USBCAMERA", ""),
    HKLM_ROW("SOFTWARE\\VADAVIR", ""),
    HKLM_ROW("SYSTEM\\CurrentControlSet\\Enum\\USB\\Vid_0ac8&Pid_0302", ""),
    HKLM_ROW("SYSTEM\\ControlSet001\\Enum\\USB\\Vid_0ac8&Pid_0302", ""),
    HKLM_ROW("SYSTEM\\ControlSet002\\Enum\\USB\\Vid_0ac8&Pid_0302", ""),
    HKLM_ROW("Enum\\USB\\Vid_0ac8&Pid_0302", ""),
    HKLM_ROW("SYSTEM\\CurrentControlSet\\Enum\\USB\\Vid_0458&PID_7007", ""),
    HKLM_ROW("SYSTEM\\ControlSet001\\Enum\\USB\\Vid_0458&PID_7007", ""),
    HKLM_ROW("SYSTEM\\ControlSet002\\Enum\\USB\\Vid_0458&PID_7007", ""),
    HKLM_ROW("Enum\\USB\\Vid_0458&PID_7007", ""),
    HKLM_ROW("SYSTEM\\CurrentControlSet\\Enum\\USB\\Vid_10FD&Pid_804D", ""),
    HKLM_ROW("SYSTEM\\ControlSet001\\Enum\\USB\\Vid_10FD&Pid_804D", ""),
    HKLM_ROW("SYSTEM\\ControlSet002\\Enum\\USB\\Vid_10FD&Pid_804D", ""),
    HKLM_ROW("Enum\\USB\\Vid_10FD&Pid_804D", ""),
};
const int g_nSweepRegistryCount = sizeof g_SweepRegistry / sizeof g_SweepRegistry[0];

#undef HKLM_ROW
#undef STI_APPS

const SweepOemInfMatch g_SweepOemInfMatches[] = {
    {"USB\\VID_0AC8&PID_0302.DeviceDesc", "USB PC Camera 301P"},
    {"USB\\VID_0AC8&PID_0302.DeviceDesc", "Pixmoor-USB 300 plus"},
    {"USB\\VID_0AC8&PID_0302.DeviceDesc", "VideoCAM Web V2"},
    {"TAS5130C", "ChipConfig\\SupportSensor\\TAS5130C"},
};
const int g_nSweepOemInfMatchCount = sizeof g_SweepOemInfMatches / sizeof g_SweepOemInfMatches[0];
