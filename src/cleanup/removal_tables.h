// setup's removal tables: the files and registry entries of the product
// family that the uninstall mode deletes, one set per system line. The
// rows follow the fixed layouts of file_entry.h; each table is followed by
// its row count.
#pragma once

#include <windows.h>

#include "common/file_entry.h"

// Folder codes that only the removal tables use.
constexpr int32_t LOC_OVTCAM = 11;        // Windows\Ovtcam
constexpr int32_t LOC_TWAIN_VN_OLD = 12;  // Windows\TWAIN_32\VN, an older code for it

// The one key-handle variable every registry row points to.
extern HKEY g_hRemovalKey;

// File tables: only szTargetName and nLocation are read.
extern const FileEntry g_RemoveFilesNt[];
extern const int g_nRemoveFilesNt;
extern const FileEntry g_RemoveFiles98[];
extern const int g_nRemoveFiles98;

// Registry tables, all under HKEY_LOCAL_MACHINE: row 0 the base of the
// OMSCAN instance scan, rows 1-3 values, rows 4 on keys.
extern const RegRemoveEntry g_RemoveRegNt[];
extern const int g_nRemoveRegNt;
extern const RegRemoveEntry g_RemoveReg98[];
extern const int g_nRemoveReg98;
