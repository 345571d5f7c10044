// Starts a worker thread at default priority and stack size.
#pragma once

#include <windows.h>

// False when the thread could not be started.
bool StartWorkerThread(LPTHREAD_START_ROUTINE procedure, void* parameter);
