#include "common/locations.h"

#include <windows.h>

#include "common/file_entry.h"

namespace {

// Codes only the removal tables use.
constexpr int kLocOvtcam = 11;      // Windows\Ovtcam
constexpr int kLocTwainVnOld = 12;  // an older code for Windows\TWAIN_32\VN

bool Handles(LocationPass pass, int code, const FolderSet& folders) {
    switch (pass) {
    case LocationPass::Copy:
        return (code >= LOC_WINDOWS && code <= LOC_TWAIN_VN) || code == LOC_TWAIN_CA561A ||
               code == LOC_LASTGOOD_OVTCAM;
    case LocationPass::PurgeEarlier:
        return code >= LOC_WINDOWS && code <= LOC_TWAIN_CA561A && code != LOC_DESTINATION;
    case LocationPass::Removal:
        // Without an installation directory code 5 names none: "\" + name
        // would land in the root of the current drive.
        if (code == LOC_DESTINATION) {
            return folders.szDestination != nullptr && folders.szDestination[0] != '\0';
        }
        return (code >= LOC_WINDOWS && code <= LOC_TWAIN_OVT_USB) || code == kLocOvtcam ||
               code == kLocTwainVnOld || (code == LOC_LASTGOOD_OVTCAM && folders.bNtPaths);
    }
    return false;
}

}  // namespace

void ReadSystemFolders(char (&windows)[kPathChars], char (&system)[kPathChars], char (&drivers)[kPathChars],
                       char (&inf)[kPathChars]) {
    const UINT winLen = GetWindowsDirectoryA(windows, kPathChars);
    if (winLen == 0 || winLen >= kPathChars) windows[0] = '\0';
    const UINT sysLen = GetSystemDirectoryA(system, kPathChars);
    if (sysLen == 0 || sysLen >= kPathChars) system[0] = '\0';
    JoinPath(system, "drivers", drivers);
    JoinPath(windows, "INF", inf);
}

LocationResult ResolveLocation(LocationPass pass, int code, const FolderSet& folders,
                               char (&folder)[kPathChars]) {
    if (!Handles(pass, code, folders)) return LocationResult::NotHandled;
    PathString path;
    switch (code) {
    case LOC_WINDOWS: path.Append(folders.szWindowsDir); break;
    case LOC_SYSTEM: path.Append(folders.szSystemDir); break;
    case LOC_DRIVERS:
        // Windows 98's SYSTEM folder has its drivers in SYSTEM32\Drivers beside it.
        path.Append(folders.szSystemDir).Append(folders.bNtPaths ? "\\Drivers" : "32\\Drivers");
        break;
    case LOC_INF: path.Append(folders.szInfDir); break;
    case LOC_INF_OTHER: path.Append(folders.szInfDir).Append("\\Other"); break;
    case LOC_DESTINATION: path.Append(folders.szDestination); break;
    case LOC_TWAIN: path.Append(folders.szWindowsDir).Append("\\TWAIN_32"); break;
    case LOC_TWAIN_VN:
    case kLocTwainVnOld: path.Append(folders.szWindowsDir).Append("\\TWAIN_32\\VN"); break;
    case LOC_TWAIN_OVT_USB: path.Append(folders.szWindowsDir).Append("\\TWAIN_32\\OVT\\USB"); break;
    case LOC_TWAIN_CA561A: path.Append(folders.szWindowsDir).Append("\\TWAIN_32\\CA561A"); break;
    case kLocOvtcam: path.Append(folders.szWindowsDir).Append("\\Ovtcam"); break;
    case LOC_LASTGOOD_OVTCAM: path.Append(folders.szWindowsDir).Append("\\LastGood\\OvtCam"); break;
    default: return LocationResult::NotHandled;
    }
    return path.CopyTo(folder) ? LocationResult::Resolved : LocationResult::TooLong;
}
