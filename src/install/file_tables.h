// setup's copy tables: what the copy step installs and which rows get a
// program item. The frame picks the table for the running system once.
#pragma once

#include "common/file_entry.h"

extern const FileEntry g_FileTableNt[];
extern const int g_nFileCountNt;
extern const FileEntry g_FileTable98[];
extern const int g_nFileCount98;

// The table in use and its row count, chosen by SelectFileTable.
extern const FileEntry* g_pFileTable;
extern int g_nFileCount;

void SelectFileTable(int bNtPaths);
