// The directory the running program was started from.
#pragma once

#include <string>

#include "common/bounded_string.h"

// A module path up to and including its last backslash (or slash); the
// drive alone ("E:") when it has none. Walked by characters, so the second
// byte of a double-byte character is never taken for a backslash.
std::string ModulePathFolder(const char* modulePath);

// Drive + directory of a module path without the trailing backslash; a
// drive root becomes two characters ("E:"). False when the result does not
// fit the buffer (the buffer is then empty).
bool ProgramDirFromModulePath(const char* modulePath, char (&out)[kPathChars]);

// The same for the running process's own file.
bool GetProgramDir(char (&out)[kPathChars]);

// The running program's path; "" when it does not fit.
std::string ModulePath();
