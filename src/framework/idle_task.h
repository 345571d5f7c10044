// Work that must not delay what the user waits for: it runs once this
// thread's message loop, whichever modal loop that is, has dealt with
// everything pending. Timers come after posted messages, input and
// painting, so the windows shown by then have been painted.
#pragma once

// Runs task once, at the next idle moment of this thread; a task asked for
// while one is still pending replaces it.
void RunWhenIdle(void (*task)());
