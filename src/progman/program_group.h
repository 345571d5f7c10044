// The product's program group, created and deleted through the shell's
// program manager (DDE service and topic "PROGMAN").
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/file_entry.h"

// The execute strings for one call: CreateGroup plus an AddItem for every
// row with a title (create mode), or DeleteGroup alone (delete mode).
std::vector<std::string> BuildProgramGroupCommands(const char* groupName, const std::string& directory,
                                                   bool bDelete, const FileEntry* table, int rowCount);

// One execute string and how long it may wait for the program manager.
struct ProgramManagerCommand {
    std::string strCommand;
    DWORD dwTimeoutMs;
};

// Sends the commands, in order, over one conversation with the program
// manager, each waiting at most its own timeout. Nothing is reported:
// without a program manager the commands go nowhere. Returns the program
// manager's process (0 without one).
DWORD SendProgramManagerCommands(const std::vector<ProgramManagerCommand>& commands);
// The same with one timeout for every command.
DWORD SendProgramManagerCommands(const std::vector<std::string>& commands, DWORD timeoutMs);

// Creates (bDelete 0) or deletes the group with the items of the table;
// returns the program manager's process.
DWORD UpdateProgramGroup(const std::string& directory, int bDelete, const char* groupName,
                         const FileEntry* table, int rowCount, DWORD timeoutMs);

// The shell answers CreateGroup by opening the group's folder window.
// Closes it once it shows, waiting up to timeoutMs: a window titled with
// the group's name (or its path) that belongs to the program manager's
// process or to a process that it started; never another program's window
// of that title. True when one was closed.
bool CloseProgramGroupWindow(DWORD programManagerProcess, const char* groupName, DWORD timeoutMs);

// Whether the program manager lists a group of that name (its "Groups"
// item, one name a line); false without a program manager.
bool ProgramGroupExists(const char* groupName, DWORD timeoutMs);

// The DDE instance of the call in progress.
extern DWORD g_idDdeInst;
