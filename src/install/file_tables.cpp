#include "install/file_tables.h"

// Both systems install the same single file: the stand-alone uninstaller,
// shipped compressed, into the product directory, with its program item.
const FileEntry g_FileTableNt[] = {
    {1, "drvsweep.ex_", "DRVSWEEP.EXE", LOC_DESTINATION, "Uninstall Pixmoor-USB 300 plus", 0},
};
const int g_nFileCountNt = sizeof g_FileTableNt / sizeof g_FileTableNt[0];

const FileEntry g_FileTable98[] = {
    {1, "drvsweep.ex_", "DRVSWEEP.EXE", LOC_DESTINATION, "Uninstall Pixmoor-USB 300 plus", 0},
};
const int g_nFileCount98 = sizeof g_FileTable98 / sizeof g_FileTable98[0];

const FileEntry* g_pFileTable = nullptr;
int g_nFileCount = 0;

void SelectFileTable(int bNtPaths) {
    g_pFileTable = bNtPaths ? g_FileTableNt : g_FileTable98;
    g_nFileCount = bNtPaths ? g_nFileCountNt : g_nFileCount98;
}
