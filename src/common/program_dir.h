// The directory the running program was started from.
#pragma once

#include "common/bounded_string.h"

// Drive + directory of a module path without the trailing backslash; a
// drive root becomes two characters ("E:"). False when the result does not
// fit the buffer (the buffer is then empty).
bool ProgramDirFromModulePath(const char* modulePath, char (&out)[kPathChars]);

// The same for the running process's own file.
bool GetProgramDir(char (&out)[kPathChars]);
