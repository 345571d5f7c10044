// setup /S: the install without frame, wizard, question or message box.
// The same steps over the same tables as the wizard with its defaults; a
// copy error that would ask Abort, Retry or Ignore counts as Abort. Only
// the companion installer, another vendor's program, shows its windows.
#pragma once

#include <string>

struct UnattendedInstall {
    int bNtPaths;              // the OS flag
    const char* szProgramDir;  // where the CD's files are
    const char* szDestination;  // /D=, resolved; "" for the wizard's default
};

// Runs the install; the process's exit code (common/exit_codes.h).
int RunUnattendedInstall(const UnattendedInstall& run);
