// Restart of the computer when the user asked for it on the last page.
#pragma once

#include <windows.h>

// The system calls of the restart, replaceable so tests never restart the machine.
struct RestartCalls {
    BOOL(WINAPI* exitWindowsEx)(UINT flags, DWORD reason);
    BOOL(WINAPI* openProcessToken)(HANDLE process, DWORD access, PHANDLE token);
    BOOL(WINAPI* lookupPrivilegeValue)(LPCSTR system, LPCSTR name, PLUID luid);
    BOOL(WINAPI* adjustTokenPrivileges)(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state,
                                        DWORD length, PTOKEN_PRIVILEGES previous, PDWORD returned);
};

extern RestartCalls g_RestartCalls;

// Asks for a restart; when that is refused, enables the shutdown privilege
// and asks once more. Failures are not reported.
void RestartComputer(const RestartCalls& calls);
