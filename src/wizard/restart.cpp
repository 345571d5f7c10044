#include "wizard/restart.h"

RestartCalls g_RestartCalls = {ExitWindowsEx, OpenProcessToken, LookupPrivilegeValueA,
                               AdjustTokenPrivileges};

void RestartComputer(const RestartCalls& calls) {
    if (calls.exitWindowsEx(EWX_REBOOT, 0)) return;
    HANDLE token = nullptr;
    if (!calls.openProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return;
    }
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    calls.lookupPrivilegeValue(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    calls.adjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    calls.exitWindowsEx(EWX_REBOOT, 0);
    if (token != nullptr) CloseHandle(token);
}
