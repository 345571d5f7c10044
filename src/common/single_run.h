// One run of the product's programs at a time. setup in each mode that
// changes the machine, its copy in the Windows folder, DRVSWEEP and its
// copy in Windows\Temp all claim one named mutex for as long as they live
// (the trace report only reads, and claims nothing): a second
// double-click must not start a second install beside the first, nor a
// removal delete what an install is writing.
//
// A run's own later processes (the copies a launcher places and starts,
// the copy an unattended DRVSWEEP waits for) find the mutex taken too.
// They are told apart by an environment variable that the run's first
// process sets for its children: a program the user starts from the shell
// never has it.
#pragma once

#include <windows.h>

// The window property that each frame of a run carries, so that a second
// start can find the run's windows among every program's.
extern const char kRunWindowProperty[];

// Claims the run for this process until it ends: false when another run
// of the product's programs is going on.
bool ClaimProductRun();

// Brings the window that a running run shows (the last active window of a
// frame that carries kRunWindowProperty) to the front; nothing when no
// frame shows one.
void BringRunningRunToFront();
