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

// Whether the program runs from the Temp folder, where it would place its
// copy: then it is that copy.
bool RunsFromTempFolder(const RelocationPaths& paths);

// Copies the program into the Temp folder with the version installer
// (forced, whatever versions it finds); returns that call's result.
DWORD CopySelfToTemp(const RelocationPaths& paths);

// "Temp copy" + " " + source folder, the program's path quoted, the folder
// not: the copy takes the whole rest of its command line, blanks included.
// False when it does not fit: a cut folder must never be started.
bool BuildTempCopyCommandLine(const RelocationPaths& paths, BoundedString<kPathChars>& out);

// Why the Temp copy must not be started, as a system error code; 0 when
// this run placed it: the version installer reported no error.
DWORD InstallResultError(DWORD installResult);

// Starts the Temp copy hidden, but only when this run placed it: the
// install reported no error (installResult, from CopySelfToTemp) and the
// file is byte for byte the running program (modulePath), held so that
// nobody can change it until it has been started. Anyone may create files
// in Windows\Temp, and a program placed there beforehand under our name
// would otherwise run with our rights. A copy that another program (a
// virus scanner) holds is waited for up to about two seconds. options
// ("" for none) go on its command line before the folder; process, when
// not null, receives the copy's process handle. False, with the system
// error code in reason, when nothing was started.
bool LaunchTempCopy(const RelocationPaths& paths, DWORD installResult, const char* modulePath, const char* options,
                    BoundedString<kPathChars>& commandLine, HANDLE* process, DWORD& reason);
