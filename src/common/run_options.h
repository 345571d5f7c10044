// The options an administrator starts setup or DRVSWEEP with for a run
// without the user: /S (no window, no question), /LOG=FILE and, for
// setup, /D=DIR. They come first on the command line; /D= comes last and
// takes the rest of the line, blanks included, unquoted. A FILE with
// blanks is quoted: /LOG="C:\My Logs\cam.log" or "/LOG=C:\My Logs\cam.log".
#pragma once

#include <string>

#include "common/bounded_string.h"

struct RunOptions {
    bool bSilent;                // /S
    bool bDir;                   // /D= was given
    bool bAny;                   // any option at all
    char szLog[kPathChars];      // /LOG=FILE, as a full path; "" without
    char szDir[kPathChars];      // the DIR of /D=, outer blanks off
    const char* pszRest;         // what follows the options, leading blanks off
};

// Reads the options at the start of line (which must outlive pszRest);
// false for an unknown option, one given twice, a /LOG= without a file, a
// DIR longer than a path, or /D= where the program takes none. The options
// are read to their end either way, so that a /S among wrong ones is known.
bool ReadRunOptions(const char* line, bool takesDir, RunOptions& options);
