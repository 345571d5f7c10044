// The row operations both removals are built from: a file, a folder, the
// value and key rows of a registry table, profile entries, program groups.
// Each program's sequence calls them over its own tables; every read and
// deletion goes through the sink, so that either removal can be reported
// as it would run.
#pragma once

#include <windows.h>

#include "cleanup/removal_progress.h"
#include "common/file_entry.h"
#include "traces/removal_sink.h"

// How a file row deletes its file.
enum class FileDeletion {
    Plain,          // as it is
    ClearReadOnly,  // its read-only attribute taken off first
    Normal,         // every attribute taken off first
    // Attributes set to archive only first; a plain, empty folder of the
    // name goes instead (stepping out of it first).
    Force,
};

// Deletes path by rule; matched names, for an OEM INF copy, the text it was
// recognised by. Nothing happens to an empty path.
void RemoveFileByRule(const char* path, FileDeletion rule, RemovalSink& sink, const char* matched = nullptr);
// folder\name, by rule; nothing when the two do not fit a path.
void RemoveFileIn(const char* folder, const char* name, FileDeletion rule, RemovalSink& sink);

// Removes the folder when empty, after stepping out to its drive's root:
// no folder goes while it is the process's current directory.
void RemoveFolderFromRoot(const char* folder, RemovalSink& sink);

// The rows of a registry table: row 0 is a scan's base, rows 1-3 name
// values, rows 4 on keys.
constexpr int kFirstValueRow = 1;
constexpr int kFirstKeyRow = 4;

// Each value row's value; steps, when given, counts one step before each.
void RemoveValueRows(const RegRemoveEntry* rows, int count, RemovalSink& sink, RemovalSteps* steps = nullptr);

// How the key rows delete their keys.
enum class KeyDeletion {
    // One delete: whether a key with subkeys goes is the system's rule.
    Single,
    // One delete for every row, then each row's whole tree (one step each):
    // NT refuses a key with subkeys, which the tree walk takes leaves upwards.
    SingleThenTree,
};
// Every key row; the still-image service's list of registered applications
// loses only the family's own entries, never the key.
void RemoveKeyRows(const RegRemoveEntry* rows, int count, KeyDeletion rule, RemovalSink& sink,
                   RemovalSteps* steps = nullptr);

// Writes an empty value to each named entry of section in file: the entry
// stays, naming nothing.
void ClearProfileEntries(const char* section, const char* const* names, int count, const char* file,
                         RemovalSink& sink);
