// The log an administrator asks for with /LOG=FILE: what the run installed
// or removed, one item a line in the trace report's form, each with what
// became of it, and the exit code last. It is written as the work goes, so
// a run that is ended part way still leaves what it did. Without a log
// every call here does nothing.
#pragma once

#include <windows.h>

#include "traces/trace_recorder.h"

// Creates the file (or, for the copy that carries on a run, appends to
// it) and writes the heading: the product and what the run does, its
// options and the date. False, with the system's
// error, when it cannot be written; nothing may be changed before this
// has succeeded.
bool OpenRunLog(const char* path, bool append, const char* what, const char* options, DWORD& error);
bool RunLogActive();

// A line as it stands (ANSI text; the file is UTF-8).
void LogText(const char* line);
// "  <kind>  <path>  (<detail>)  <outcome>"; detail may be null or "".
void LogItem(TraceKind kind, const char* path, const char* detail, const char* outcome);
// doneWord when done, else "failed: " and the system's reason.
void LogOutcome(TraceKind kind, const char* path, const char* detail, bool done, DWORD error, const char* doneWord);
// What the install made: "installed", or why not.
void LogInstalled(TraceKind kind, const char* path, const char* detail, bool done, DWORD error);
// What a removal took: "removed", or why it could not. An item that was
// not there is not listed: the removals try every name they know.
void LogRemoved(TraceKind kind, const char* path, const char* detail, bool done, DWORD error);
// The same for a registry key (valueName null) or one of its values.
void LogKeyInstalled(HKEY root, const char* key, const char* valueName, bool done, DWORD error);
void LogKeyRemoved(HKEY root, const char* key, const char* valueName, bool done, DWORD error);

// Closes the file without the exit code: another copy carries on the log.
void ReleaseRunLog();

// Whether a log is kept and the program manager lists the group: only a
// log asks it what it has, before and after the group's deletion.
bool GroupListedForLog(const char* groupName, DWORD timeoutMs);
// The group's line after its deletion: "removed" when the program manager
// no longer lists it.
void LogGroupRemoved(const char* groupName, DWORD timeoutMs);

// "Exit code: N", then closes the file.
void CloseRunLog(int exitCode);
