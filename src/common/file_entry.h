// Row types of the compiled-in file and registry tables, and the folder
// kinds (location codes) that file rows resolve into.
#pragma once

#include <windows.h>

#include <cstdint>

// One row of setup's file tables (copy tables, removal file tables, source
// of program items). The texts are literals the row points to: fixed-length
// fields would carry mostly zeros into the program.
struct FileEntry {
    int32_t nDisk;             // disk holding the source (1 copy, 0 removal)
    const char* szSourceName;  // name on the medium; trailing '_' = compressed
    const char* szTargetName;  // name in the target folder
    int32_t nLocation;         // LOC_ code of the target folder
    const char* szItemTitle;   // program item title; "" none; "DO NOT COPY"
    int32_t bShowSourceName;   // progress line shows the source name
};

// Marks a row that is neither copied nor given a program item.
constexpr const char* kDoNotCopy = "DO NOT COPY";

enum LocationCode : int32_t {
    LOC_WINDOWS = 0,
    LOC_SYSTEM = 1,
    LOC_DRIVERS = 2,
    LOC_INF = 3,
    LOC_INF_OTHER = 4,
    LOC_DESTINATION = 5,
    LOC_TWAIN = 6,
    LOC_TWAIN_VN = 7,
    LOC_TWAIN_OVT_USB = 8,
    LOC_TWAIN_CA561A = 9,
    LOC_LASTGOOD_OVTCAM = 13,
};

// One row of the registry removal tables. Row 0 is the base key of a
// numbered-instance scan, rows 1-3 name values, rows 4 on name keys.
struct RegRemoveEntry {
    HKEY hRoot;
    const char* szSubKey;     // key path, at most 259 characters
    const char* szValueName;  // "" for the key's default value
    HKEY* phkResult;   // the program's shared key handle; never read from the row
    int32_t nReserved; // 0 in every row
};
