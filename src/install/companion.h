// The companion software installer on the CD: setup starts it and ends
// when it ends.
#pragma once

#include <windows.h>

#include <string>

// Drive and directory of modulePath (with its trailing backslash) +
// "PICTAVO\setup.exe"; "" when it does not fit a path buffer.
std::string CompanionInstallerPath(const char* modulePath);

// The companion's process, read by the waiting thread.
extern HANDLE g_hCompanionProcess;

// Starts the companion installer; the handle stays null when it cannot start.
void StartCompanionInstaller(const std::string& path);

// Worker thread: waits for the companion to end, then closes the frame.
DWORD WINAPI WaitForCompanion(void*);
