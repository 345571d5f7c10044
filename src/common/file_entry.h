// Row types of the compiled-in file and registry tables, and the folder
// kinds (location codes) that file rows resolve into.
#pragma once

#include <windows.h>

#include <cstdint>

// One row of setup's file tables (copy tables, removal file tables, source
// of program items). The layout is fixed at 128 bytes.
struct FileEntry {
    int32_t nDisk;             // disk holding the source (1 copy, 0 removal)
    char szSourceName[26];     // name on the medium; trailing '_' = compressed
    char szTargetName[26];     // name in the target folder
    int32_t nLocation;         // LOC_ code of the target folder
    char szItemTitle[64];      // program item title; "" none; "DO NOT COPY"
    int32_t bShowSourceName;   // progress line shows the source name
};
static_assert(sizeof(FileEntry) == 128, "FileEntry is a 128-byte record");

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
    char szSubKey[260];
    char szValueName[64];
    HKEY* phkResult;   // the program's shared key handle; never read from the row
    int32_t nReserved; // 0 in every row
};
