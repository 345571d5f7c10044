// setup's report mode, "setup /traces=FILE" under any name but the uninstall
// name: runs the uninstall's removal pass and the install's purge of earlier
// still-image entries against a trace recorder, and writes what they would
// take to FILE as UTF-8 text. It deletes nothing and writes nothing else.
#pragma once

#include <string>

#include "traces/trace_report_file.h"


// What the report needs to know of the running setup.
struct TraceReportSetup {
    int bNtPaths;            // the OS flag
    const char* szProgramDir; // the folder setup runs from
};

// The whole report text, as the passes find this machine now.
std::string BuildTraceReport(const TraceReportSetup& setup);

// The report mode: builds the report and writes it to the command line's
// FILE, or shows why it cannot. The process's exit code: 0 once written.
int RunTraceReport(const std::string& cmdLine, const TraceReportSetup& setup);
