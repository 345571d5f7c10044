// The version library, bound at run time from the system folder. It is not
// among the system's known DLLs: imported by name, a version.dll placed
// beside the program (a copied CD, the product folder, Windows\Temp) would
// be loaded with the program's rights before any of its code runs.
#pragma once

#include <windows.h>

// VerInstallFileA, same arguments and result; VIF_CANNOTLOADLZ32 when the
// library or its entry point cannot be had.
DWORD APIENTRY InstallFileVersion(DWORD flags, LPSTR sourceName, LPSTR targetName, LPSTR sourceDir,
                                  LPSTR targetDir, LPSTR currentDir, LPSTR tempFile, PUINT tempFileLength);

// GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA; 0 or
// FALSE when the library cannot be had.
DWORD FileVersionInfoSize(const char* path, DWORD* handle);
BOOL FileVersionInfo(const char* path, DWORD size, void* data);
BOOL QueryVersionValue(const void* block, const char* subBlock, void** value, UINT* valueLength);
