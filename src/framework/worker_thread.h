// Starts a worker thread at default priority and stack size.
#pragma once

#include <windows.h>

// How a worker thread is started: StartWorkerThread, or a stand-in.
using WorkerThreadStarter = bool (*)(LPTHREAD_START_ROUTINE procedure, void* parameter);

// False when the thread could not be started.
bool StartWorkerThread(LPTHREAD_START_ROUTINE procedure, void* parameter);
