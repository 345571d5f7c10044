// The exit codes of setup and DRVSWEEP, as Windows Installer gives them,
// so that deployment scripts read both programs the same way.
#pragma once

constexpr int kExitDone = 0;
constexpr int kExitBadCommandLine = 87;     // ERROR_INVALID_PARAMETER
constexpr int kExitCancelled = 1602;        // ERROR_INSTALL_USEREXIT
constexpr int kExitFailed = 1603;           // ERROR_INSTALL_FAILURE
constexpr int kExitAnotherRun = 1618;       // ERROR_INSTALL_ALREADY_RUNNING
constexpr int kExitRestartNeeded = 3010;    // ERROR_SUCCESS_REBOOT_REQUIRED
