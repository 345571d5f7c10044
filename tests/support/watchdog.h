// A test that blocks on a modal window, or loops, would hold its whole
// program until CTest's limit, with every later test unrun and nothing
// said. Each test gets a bound of its own instead: past it, the program
// ends (exit code 1) with the test's name and the windows on screen, which
// are what a blocked test waits for.
#pragma once

#include <windows.h>

// Once, after InitGoogleTest.
void InstallTestWatchdog(DWORD boundSeconds);
