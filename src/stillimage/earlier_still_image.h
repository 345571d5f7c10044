// Removal of what earlier camera drivers left behind: OMSCAN image-device
// instances, single registry values, whole keys and copied INF and TWAIN
// data-source files. Runs once before the copy step, so that the still-image
// registration later in the same install starts from a clean state.
#pragma once

#include <windows.h>

#include "common/file_entry.h"
#include "common/locations.h"
#include "traces/removal_sink.h"

// The one key-handle variable every registry row points to.
extern HKEY g_hEarlierStillImageKey;

// Registry tables: row 0 the instance base, rows 1-3 values, rows 4 on keys.
extern const RegRemoveEntry g_EarlierStillImageRegNt[];
extern const int g_nEarlierStillImageRegNt;
extern const RegRemoveEntry g_EarlierStillImageReg98[];
extern const int g_nEarlierStillImageReg98;

// File tables: only szTargetName and nLocation are read.
extern const FileEntry g_EarlierStillImageFilesNt[];
extern const int g_nEarlierStillImageFilesNt;
extern const FileEntry g_EarlierStillImageFiles98[];
extern const int g_nEarlierStillImageFiles98;

// The whole pass, with the tables chosen by folders.bNtPaths.
void PurgeEarlierStillImage(const FolderSet& folders, RemovalSink& sink = TheMachine());

// Deletes the instances baseKey\0000 to baseKey\0009 whose "HardwareID" is
// exactly "OMSCAN", each with the image-class key its "Driver" names.
void PurgeOmscanInstances(HKEY root, const char* baseKey, RemovalSink& sink = TheMachine());

// The registry part of the pass over one table (row 0 scanned for
// instances, rows 1-3 values, rows 4 on keys).
void PurgeRegistryRows(const RegRemoveEntry* rows, int count, RemovalSink& sink = TheMachine());

// Deletes each row's target name from its resolved folder, in table order.
void PurgeFileRows(const FileEntry* rows, int count, const FolderSet& folders,
                   RemovalSink& sink = TheMachine());
