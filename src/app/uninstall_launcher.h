// The uninstall launcher: "uninstal.exe" started with no directory asks,
// copies itself into the Windows directory and starts that copy with the
// program directory, so that the product directory can be removed.
#pragma once

#include <windows.h>

#include <string>

#include "common/bounded_string.h"

enum class LauncherOutcome {
    EndProcess,         // nothing more for this process to do
    ContinueInstall,    // no uninstall program found: run the install wizard
    ContinueUninstall,  // run the (hidden) uninstall wizard in this process too
};

struct LauncherContext {
    int bNtPaths;
    const char* szProgramDir;   // appended to the started copy's command line
    const char* szWindowsDir;   // where the copy goes
    const char* szSourceFile;   // the uninstall program beside the running one (full path)
};

// Asks the user (OK / Cancel, Cancel preselected); true for OK.
bool ConfirmUninstall();

// Windows directory + "\uninstal " + program directory, unquoted: the copy
// takes its whole command line, blanks included, as the directory. False
// when it does not fit: a cut directory must never be started.
bool BuildRelocatedCommandLine(const char* windowsDir, const char* programDir,
                               BoundedString<kPathChars * 2>& out);

// Copies and starts the uninstall program after the user confirmed.
LauncherOutcome RelocateUninstaller(const LauncherContext& context);
