// setup's OS flag: which file tables and directory names the program uses.
#pragma once

#include <windows.h>

// 0 on Windows 98 (minor version 10 with a top byte other than 5), 1 on
// every other system: 95, Me, NT, 2000, XP.
int SetupNtPathsFlag(DWORD version);
