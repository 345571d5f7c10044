// The companion software installer on the CD: setup starts it and ends
// when it ends.
#pragma once

#include <windows.h>

#include <string>

#include "framework/worker_thread.h"

// Drive and directory of modulePath (with its trailing backslash) +
// "PICTAVO\setup.exe"; "" when it does not fit a path buffer.
std::string CompanionInstallerPath(const char* modulePath);

// The companion's process, read by the waiting thread.
extern HANDLE g_hCompanionProcess;

// Starts the companion installer; the handle stays null when it cannot start.
void StartCompanionInstaller(const std::string& path);

// Worker thread: waits for the companion to end, then closes the frame.
DWORD WINAPI WaitForCompanion(void*);

// Without a frame (setup /S): waits here for the companion at path to end,
// and logs it.
void WaitForCompanionToEnd(const std::string& path);

// Closes the frame once the companion has ended: WaitForCompanion on a
// thread of its own, or, when no thread can be started, a check of the
// process from this thread's timer; at once when there is no process.
void WatchCompanion(WorkerThreadStarter start = StartWorkerThread);
