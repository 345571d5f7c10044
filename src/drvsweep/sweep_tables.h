// DRVSWEEP's compiled-in removal tables: the product's files and registry
// entries, and the strings that mark its OEM INF copies. Each table is
// followed by its row count.
#pragma once

#include <windows.h>

#include <cstdint>

#include "cleanup/removal_tables.h"  // LOC_OVTCAM: the same code in both programs
#include "common/file_entry.h"

// A row of the file removal table; only szTargetName and nLocation are
// filled.
using SweepFileEntry = FileEntry;

// Folder kinds of DRVSWEEP beyond the shared 0-8 (11 is LOC_OVTCAM).
constexpr int32_t LOC_TWAIN_OMCAM = 9;    // Windows\TWAIN_32\OMCAM
constexpr int32_t LOC_TWAIN_DE301R = 10;  // Windows\TWAIN_32\DE301r

// Name of the group in the program manager, and of the product folder (a
// separate name, though the same text) at the root of the Windows drive.
extern const char kSweepGroupName[];
extern const char kSweepProductFolder[];

extern const SweepFileEntry g_SweepFiles[];
extern const int g_nSweepFileCount;

// The one key-handle variable every registry row points to.
extern HKEY g_hSweepKey;

// Row 0 the base of the device-instance probe, rows 1-3 values, rows 4 on keys.
extern const RegRemoveEntry g_SweepRegistry[];
extern const int g_nSweepRegistryCount;

// A numbered OEM INF copy whose [Strings] key reads exactly szValue is one of ours.
struct SweepOemInfMatch {
    const char* szKey;
    const char* szValue;
};
extern const SweepOemInfMatch g_SweepOemInfMatches[];
extern const int g_nSweepOemInfMatchCount;
