// The folders that the location codes of the file tables stand for. The
// copy step and the removal passes resolve the same codes, each pass a
// set of its own.
#pragma once

#include "common/bounded_string.h"

// The directories a pass works with.
struct FolderSet {
    const char* szWindowsDir;   // the frame's Windows directory
    const char* szSystemDir;    // the frame's system directory
    const char* szInfDir;       // Windows + "\INF"
    const char* szDestination;  // the product directory ("" when the pass has none)
    int bNtPaths;               // OS flag: picks the drivers folder
};

enum class LocationPass {
    Copy,           // the copy step: 0-7, 9, 13
    PurgeEarlier,   // removal of earlier still-image files: 0-4, 6-9
    Removal,        // the uninstall's removal pass: 0-8, 11, 12, and 13 on the NT set;
                    // 5 only when szDestination names a directory
};

enum class LocationResult {
    Resolved,
    NotHandled,  // the pass keeps the folder of the row before
    TooLong,     // the folder does not fit a path buffer: skip the row
};

// The Windows, system, drivers (system + "\drivers") and INF (Windows +
// "\INF") directories; "" for one that does not fit a path.
void ReadSystemFolders(char (&windows)[kPathChars], char (&system)[kPathChars], char (&drivers)[kPathChars],
                       char (&inf)[kPathChars]);

LocationResult ResolveLocation(LocationPass pass, int code, const FolderSet& folders,
                               char (&folder)[kPathChars]);
