#include "cleanup/removal_tables.h"

HKEY g_hRemovalKey = nullptr;

#define FILE_ROW(name, location) \
    { 0, "", name, location, "", 0 }
#define HKLM_ROW(subKey, valueName) \
    { HKEY_LOCAL_MACHINE, subKey, valueName, &g_hRemovalKey, 0 }

// Several names appear in more than one row: each row deletes the copy in
// its own folder.
const FileEntry g_RemoveFilesNt[] = {
    FILE_ROW("OmniVisionOVTCAMP.INF", LOC_INF_OTHER),
    FILE_ROW("GeniusOVTCAMP.INF", LOC_INF_OTHER),
    FILE_ROW("VantrellOVTCAMP.INF", LOC_INF_OTHER),
    FILE_ROW("OVTCAMP.INF", LOC_INF),
    FILE_ROW("OVTCAMP.INF", LOC_INF_OTHER),
    FILE_ROW("OVTKSCAP.INF", LOC_INF),
    FILE_ROW("OMCAMVID.SYS", LOC_DRIVERS),
    FILE_ROW("OVTCAMD.SYS", LOC_DRIVERS),
    FILE_ROW("rcamsp.DLL", LOC_SYSTEM),
    FILE_ROW("OMCAMCPL.CPL", LOC_SYSTEM),
    FILE_ROW("OMCAMCPL.DLL", LOC_SYSTEM),  // 10
    FILE_ROW("OMCAMUSD.DLL", LOC_SYSTEM),
    FILE_ROW("OMCAMUSD.DLL", LOC_WINDOWS),
    FILE_ROW("OMCAMEXT.DLL", LOC_SYSTEM),
    FILE_ROW("sonydcam.SYS", LOC_DRIVERS),
    FILE_ROW("USBCAM.SYS", LOC_DRIVERS),
    FILE_ROW("OMCAMCAP.EXE", LOC_WINDOWS),
    FILE_ROW("OMCAMEXT.DLL", LOC_WINDOWS),
    FILE_ROW("USBCAM.EXE", LOC_WINDOWS),
    FILE_ROW("UNINSTAL.EXE", LOC_WINDOWS),
    FILE_ROW("OMCAMDIB.DLL", LOC_WINDOWS),  // 20
    FILE_ROW("VFWUPD.EXE", LOC_WINDOWS),
    FILE_ROW("WDMUSER.DLL", LOC_WINDOWS),
    FILE_ROW("OMCAMTWN.DS", LOC_TWAIN_VN),
    FILE_ROW("OVTEXT.DLL", LOC_SYSTEM),
    FILE_ROW("SCANSAVE.EXE", LOC_SYSTEM),
    FILE_ROW("UNINSTAL.EXE", LOC_DESTINATION),
    FILE_ROW("Feedback.exe", LOC_DESTINATION),
    FILE_ROW("USBCAM.EXE", LOC_DESTINATION),
    FILE_ROW("USBCAM.HLP", LOC_DESTINATION),
    FILE_ROW("76BE.set", LOC_LASTGOOD_OVTCAM),  // 30
    FILE_ROW("6620p.set", LOC_LASTGOOD_OVTCAM),
    FILE_ROW("6630adp.set", LOC_LASTGOOD_OVTCAM),
    FILE_ROW("6630afp.set", LOC_LASTGOOD_OVTCAM),
    FILE_ROW("6630p.set", LOC_LASTGOOD_OVTCAM),
    FILE_ROW("7610p.set", LOC_LASTGOOD_OVTCAM),
    FILE_ROW("7620aep.set", LOC_LASTGOOD_OVTCAM),
    FILE_ROW("7620p.set", LOC_LASTGOOD_OVTCAM),
    FILE_ROW("7630p.set", LOC_LASTGOOD_OVTCAM),
    FILE_ROW("8600p.set", LOC_LASTGOOD_OVTCAM),
    FILE_ROW("customp.set", LOC_LASTGOOD_OVTCAM),  // 40
    FILE_ROW("USBCAM.GID", LOC_DESTINATION),
    FILE_ROW("OMSCAN.SYS", LOC_DRIVERS),
    FILE_ROW("OvtTwn.DS", LOC_TWAIN_VN),
    FILE_ROW("OvtTwn.DS", LOC_TWAIN),
    FILE_ROW("OMScanDs.DS", LOC_TWAIN),
    FILE_ROW("OMScanDs.DS", LOC_TWAIN_VN),
    FILE_ROW("OMScanDs.DS", LOC_TWAIN_OVT_USB),
    FILE_ROW("DIBAPI32.DLL", LOC_SYSTEM),
    FILE_ROW("OMUSD.DLL", LOC_SYSTEM),
    FILE_ROW("OMCPL.CPL", LOC_SYSTEM),  // 50
    FILE_ROW("OVTSUEXT.DLL", LOC_SYSTEM),
    FILE_ROW("TWACKER.INI", LOC_WINDOWS),
    FILE_ROW("DEFAULT.SRC", LOC_WINDOWS),
    FILE_ROW("VANTRELL.INI", LOC_WINDOWS),
    FILE_ROW("SCANCAP.EXE", LOC_SYSTEM),
    FILE_ROW("CONVERT_.EXE", LOC_SYSTEM),
    FILE_ROW("6620.SET", LOC_OVTCAM),
    FILE_ROW("6620P.SET", LOC_OVTCAM),
    FILE_ROW("6630.SET", LOC_OVTCAM),
    FILE_ROW("6630P.SET", LOC_OVTCAM),  // 60
    FILE_ROW("7610.SET", LOC_OVTCAM),
    FILE_ROW("7610P.SET", LOC_OVTCAM),
    FILE_ROW("7620.SET", LOC_OVTCAM),
    FILE_ROW("7620AE.SET", LOC_OVTCAM),
    FILE_ROW("7620AEP.SET", LOC_OVTCAM),
    FILE_ROW("7620P.SET", LOC_OVTCAM),
    FILE_ROW("76BE.SET", LOC_OVTCAM),
    FILE_ROW("8600.SET", LOC_OVTCAM),
    FILE_ROW("8600P.SET", LOC_OVTCAM),
};
const int g_nRemoveFilesNt = sizeof g_RemoveFilesNt / sizeof g_RemoveFilesNt[0];

const FileEntry g_RemoveFiles98[] = {
    FILE_ROW("VantrellUSB-SCAN.INF", LOC_INF_OTHER),
    FILE_ROW("MicrosoftOMUSD.INF", LOC_INF_OTHER),
    FILE_ROW("VantrellUSB-CAM.INF", LOC_INF_OTHER),
    FILE_ROW("OmniVisionOVTCAMP.INF", LOC_INF_OTHER),
    FILE_ROW("VantrellOVTCAMP.INF", LOC_INF_OTHER),
    FILE_ROW("OVTCAM.INF", LOC_INF),
    FILE_ROW("OVTCAMP.INF", LOC_INF_OTHER),
    FILE_ROW("USB-SCAN.INF", LOC_INF),
    FILE_ROW("OMUSD.INF", LOC_INF),
    FILE_ROW("Vncamd.SYS", LOC_DRIVERS),
    FILE_ROW("OVTKSCAP.INF", LOC_INF_OTHER),  // 10
    FILE_ROW("OVTCAMP.INF", LOC_INF_OTHER),
    FILE_ROW("OVTKSCAP.INF", LOC_INF),
    FILE_ROW("OMCAMVID.SYS", LOC_DRIVERS),
    FILE_ROW("OVTCAMD.SYS", LOC_DRIVERS),
    FILE_ROW("OMCAMSTI.SYS", LOC_DRIVERS),
    FILE_ROW("KD71CODE.DLL", LOC_SYSTEM),
    FILE_ROW("CONVERT_.EXE", LOC_WINDOWS),
    FILE_ROW("OmniVisionOVTCAMP.INF", LOC_INF_OTHER),
    FILE_ROW("GeniusOVTCAMP.INF", LOC_INF_OTHER),
    FILE_ROW("rcamsp.DLL", LOC_SYSTEM),  // 20
    FILE_ROW("OMCAMCPL.CPL", LOC_SYSTEM),
    FILE_ROW("OMCAMCPL.DLL", LOC_SYSTEM),
    FILE_ROW("OMCAMUSD.DLL", LOC_SYSTEM),
    FILE_ROW("OMCAMEXT.DLL", LOC_SYSTEM),
    FILE_ROW("Omcamext.ax", LOC_SYSTEM),
    FILE_ROW("OMCAMCAP.EXE", LOC_WINDOWS),
    FILE_ROW("OMCAMDIB.DLL", LOC_WINDOWS),
    FILE_ROW("VFWUPD.EXE", LOC_WINDOWS),
    FILE_ROW("WDMUSER.DLL", LOC_WINDOWS),
    FILE_ROW("OMCAMTWN.DS", LOC_TWAIN_VN),  // 30
    FILE_ROW("OMCAMTWN.DS", LOC_TWAIN_VN_OLD),
    FILE_ROW("USBOVT.SYS", LOC_DRIVERS),
    FILE_ROW("OVTEXT.DLL", LOC_SYSTEM),
    FILE_ROW("SCANSAVE.EXE", LOC_SYSTEM),
    FILE_ROW("Feedback.exe", LOC_DESTINATION),
    FILE_ROW("USBCAM.EXE", LOC_DESTINATION),
    FILE_ROW("USBCAM.EXE", LOC_WINDOWS),
    FILE_ROW("USBCAM.HLP", LOC_DESTINATION),
    FILE_ROW("UNINSTAL.EXE", LOC_DESTINATION),
    FILE_ROW("USBCAM.GID", LOC_DESTINATION),  // 40
    FILE_ROW("OMSCAN.SYS", LOC_DRIVERS),
    FILE_ROW("OvtTwn.DS", LOC_TWAIN_VN),
    FILE_ROW("OvtTwn.DS", LOC_TWAIN),
    FILE_ROW("OMScanDs.DS", LOC_TWAIN),
    FILE_ROW("OMScanDs.DS", LOC_TWAIN_VN),
    FILE_ROW("OMScanDs.DS", LOC_TWAIN_OVT_USB),
    FILE_ROW("DIBAPI32.DLL", LOC_SYSTEM),
    FILE_ROW("OMUSD.DLL", LOC_SYSTEM),
    FILE_ROW("OMCPL.CPL", LOC_SYSTEM),
    FILE_ROW("OVTSUEXT.DLL", LOC_SYSTEM),  // 50
    FILE_ROW("TWACKER.INI", LOC_WINDOWS),
    FILE_ROW("DEFAULT.SRC", LOC_WINDOWS),
    FILE_ROW("SCANCAP.EXE", LOC_SYSTEM),
    FILE_ROW("CONVERT_.EXE", LOC_SYSTEM),
    FILE_ROW("6620.SET", LOC_OVTCAM),
    FILE_ROW("6620P.SET", LOC_OVTCAM),
    FILE_ROW("6630.SET", LOC_OVTCAM),
    FILE_ROW("6630P.SET", LOC_OVTCAM),
    FILE_ROW("7610.SET", LOC_OVTCAM),
    FILE_ROW("7610P.SET", LOC_OVTCAM),  // 60
    FILE_ROW("7620.SET", LOC_OVTCAM),
    FILE_ROW("7620AE.SET", LOC_OVTCAM),
    FILE_ROW("7620AEP.SET", LOC_OVTCAM),
    FILE_ROW("7620P.SET", LOC_OVTCAM),
    FILE_ROW("76BE.SET", LOC_OVTCAM),
    FILE_ROW("8600.SET", LOC_OVTCAM),
    FILE_ROW("8600P.SET", LOC_OVTCAM),
};
const int g_nRemoveFiles98 = sizeof g_RemoveFiles98 / sizeof g_RemoveFiles98[0];

// Windows 2000/XP delete only keys without subkeys: every subkey row comes
// ahead of its parent's row.
const RegRemoveEntry g_RemoveRegNt[] = {
    HKLM_ROW("System\\ControlSet001\\Services\\class\\Image", ""),
    HKLM_ROW("System\\ControlSet002\\Services\\class\\Image", ""),
    HKLM_ROW("System\\CurrentControlSet\\Services\\class\\Image", ""),
    HKLM_ROW("System\\ControlSet001\\Enum\\USB\\Vid_05a9&Pid_0511", ""),
    HKLM_ROW("System\\ControlSet002\\Enum\\USB\\Vid_05a9&Pid_0511", ""),
    HKLM_ROW("System\\CurrentControlSet\\Enum\\USB\\Vid_05a9&Pid_0511", ""),
    HKLM_ROW("SOFTWARE\\OMNIVISION\\PC Camera", ""),
    HKLM_ROW("SOFTWARE\\OMNIVISION", ""),
    HKLM_ROW("SOFTWARE\\OVTUsbCamera\\DeviceName", ""),
    HKLM_ROW("SOFTWARE\\OVTUsbCamera", ""),
    HKLM_ROW("System\\ControlSet001\\Services\\OVT511", ""),  // 10
    HKLM_ROW("System\\ControlSet002\\Services\\OVT511", ""),
    HKLM_ROW("System\\CurrentControlSet\\Services\\OVT511", ""),
    HKLM_ROW("System\\ControlSet001\\control\\MediaResources\\msvideo\\MSVideo.VFWWDM", ""),
    HKLM_ROW("System\\ControlSet002\\control\\MediaResources\\msvideo\\MSVideo.VFWWDM", ""),
    HKLM_ROW("System\\CurrentControlSet\\control\\MediaResources\\msvideo\\MSVideo.VFWWDM", ""),
    HKLM_ROW("System\\ControlSet001\\Services\\OMSCAN\\Enum", ""),
    HKLM_ROW("System\\ControlSet002\\Services\\OMSCAN\\Enum", ""),
    HKLM_ROW("System\\CurrentControlSet\\Services\\OMSCAN\\Enum", ""),
    HKLM_ROW("System\\ControlSet001\\Services\\OMSCAN", ""),
    HKLM_ROW("System\\ControlSet002\\Services\\OMSCAN", ""),  // 20
    HKLM_ROW("System\\CurrentControlSet\\Services\\OMSCAN", ""),
    HKLM_ROW("SOFTWARE\\VANTRELL\\USB CAM", ""),
};
const int g_nRemoveRegNt = sizeof g_RemoveRegNt / sizeof g_RemoveRegNt[0];

#define STI_APPS "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications"

const RegRemoveEntry g_RemoveReg98[] = {
    HKLM_ROW("Enum\\Root\\Image", ""),
    HKLM_ROW(STI_APPS, "Vantrell Still Image Capture"),
    HKLM_ROW(STI_APPS, "WDM Still Image Capture"),
    HKLM_ROW(STI_APPS, "VGA USB Still Image Capture"),
    // The removal pass takes only the family's values out of this key; the
    // registrations of other applications stay.
    HKLM_ROW(STI_APPS, ""),
    HKLM_ROW("Enum\\USB\\VID_05A9&PID_0511", ""),
    HKLM_ROW("Enum\\USB\\VID_05A9&PID_A511", ""),
    HKLM_ROW("Enum\\USB\\VID_05A9&PID_0511\\INST_0", ""),
    HKLM_ROW("SOFTWARE\\OMNIVISION", ""),
    HKLM_ROW("SOFTWARE\\OVTUsbCamera", ""),
    HKLM_ROW("System\\CurrentControlSet\\control\\MediaResources\\msvideo\\MSVideo.Dovrex", ""),  // 10
    HKLM_ROW("System\\CurrentControlSet\\control\\MediaResources\\msvideo\\MSVideo.VFWWDM", ""),
    HKLM_ROW("System\\CurrentControlSet\\control\\MediaResources\\msvideo\\MSVideo.OVFWWDM", ""),
    HKLM_ROW("System\\CurrentControlSet\\Services\\OMSCAN", ""),
    HKLM_ROW("SOFTWARE\\VANTRELL\\KD71", ""),
    HKLM_ROW("SOFTWARE\\VANTRELL\\KD72", ""),
    HKLM_ROW("SOFTWARE\\VANTRELL\\USB CAM", ""),
};
const int g_nRemoveReg98 = sizeof g_RemoveReg98 / sizeof g_RemoveReg98[0];

#undef STI_APPS
#undef HKLM_ROW
#undef FILE_ROW
