// The report mode both programs share, "/traces=FILE": the report text,
// built by the program's own removal against a trace recorder, written to
// FILE as UTF-8. It deletes nothing and writes nothing else.
#pragma once

#include <string>
#include <vector>

#include "traces/trace_recorder.h"

// Whether the command line asks for the report ("/traces", any letter case,
// with or without "=FILE").
bool AsksForTraceReport(const std::string& cmdLine);

// The FILE of "/traces=FILE", quotes taken off; false when none is named.
bool TraceReportFile(const std::string& cmdLine, std::string& file);

// Appends "== heading, N items ==" and one line per trace.
void AppendTraceSection(std::string& report, const char* heading, const std::vector<Trace>& traces);

// What the boxes of a refused report say: their caption, and the command
// that names a file ("setup /traces=FILE").
struct TraceReportProgram {
    const char* szCaption;
    const char* szUsage;
};

// Builds the report (build, once the file is open) and writes it to the
// command line's FILE, or shows why it cannot. The process's exit code:
// 0 once written, 1 without a file named, 2 when it could not be written.
int WriteTraceReport(const std::string& cmdLine, const TraceReportProgram& program, std::string (*build)(const void*),
                     const void* data);
