// Keeps the windows painted during long passes on the user-interface thread.
#pragma once

// Removes and dispatches every message waiting in this thread's queue.
void DrainMessageQueue();
