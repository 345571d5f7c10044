// The uninstaller deletes its own folder and file, so the copy the user
// starts only places a copy of itself in Windows\Temp and starts that copy
// with its own folder as the command line.
#pragma once

#include <windows.h>

#include <string>

#include "common/bounded_string.h"

struct RelocationPaths {
    std::string strSourceDir;   // the running program's folder, with its trailing backslash
    std::string strFileName;    // executable name + ".exe"
    std::string strTempDir;     // Windows + "\Temp"
};

// The paths for a program at modulePath named exeName, with windowsDir;
// a module path without a backslash keeps its first two characters.
RelocationPaths MakeRelocationPaths(const std::string& modulePath, const std::string& exeName,
                                    const char* windowsDir);

// Copies the program into the Temp folder with the version installer
// (forced, whatever versions it finds); returns that call's result.
DWORD CopySelfToTemp(const RelocationPaths& paths);

// "Temp copy" + " " + source folder, the program's path quoted, the folder
// not: the copy takes the whole rest of its command line, blanks included.
// False when it does not fit: a cut folder must never be started.
bool BuildTempCopyCommandLine(const RelocationPaths& paths, BoundedString<kPathChars>& out);

// Starts the Temp copy hidden; returns WinExec's result (0 when nothing could be started).
UINT LaunchTempCopy(const RelocationPaths& paths, BoundedString<kPathChars>& commandLine);
