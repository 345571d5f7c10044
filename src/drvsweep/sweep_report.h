// DRVSWEEP's report mode, "DRVSWEEP /traces=FILE": runs the removal the
// program would start from where it lies against a trace recorder, and
// writes what it would take to FILE as UTF-8 text. It asks nothing, copies
// itself nowhere, deletes nothing and writes nothing else.
#pragma once

#include <string>

#include "common/product_run.h"

// What the report needs to know of the running program.
struct SweepReportSetup {
    const ProductRun& run;    // its OS flag and the system's folders
    const char* szModulePath; // the program file
    const char* szExeName;    // its name without extension
};

// The whole report text, as the removal finds this machine now.
std::string BuildSweepReport(const SweepReportSetup& setup);

// Builds it and writes it to the command line's FILE, or shows why it
// cannot; the process's exit code (0 once written).
int RunSweepReport(const std::string& cmdLine, const SweepReportSetup& setup);
