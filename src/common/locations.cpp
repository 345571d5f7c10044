#include "common/locations.h"

#include "common/file_entry.h"

namespace {

bool Handles(LocationPass pass, int code) {
    switch (pass) {
    case LocationPass::Copy:
        return (code >= LOC_WINDOWS && code <= LOC_TWAIN_VN) || code == LOC_TWAIN_CA561A ||
               code == LOC_LASTGOOD_OVTCAM;
    case LocationPass::PurgeEarlier:
        return code >= LOC_WINDOWS && code <= LOC_TWAIN_CA561A && code != LOC_DESTINATION;
    }
    return false;
}

}  // namespace

LocationResult ResolveLocation(LocationPass pass, int code, const FolderSet& folders,
                               char (&folder)[kPathChars]) {
    if (!Handles(pass, code)) return LocationResult::NotHandled;
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
    case LOC_TWAIN_VN: path.Append(folders.szWindowsDir).Append("\\TWAIN_32\\VN"); break;
    case LOC_TWAIN_OVT_USB: path.Append(folders.szWindowsDir).Append("\\TWAIN_32\\OVT\\USB"); break;
    case LOC_TWAIN_CA561A: path.Append(folders.szWindowsDir).Append("\\TWAIN_32\\CA561A"); break;
    case LOC_LASTGOOD_OVTCAM: path.Append(folders.szWindowsDir).Append("\\LastGood\\OvtCam"); break;
    default: return LocationResult::NotHandled;
    }
    return path.CopyTo(folder) ? LocationResult::Resolved : LocationResult::TooLong;
}
