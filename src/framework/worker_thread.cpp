#include "framework/worker_thread.h"

bool StartWorkerThread(LPTHREAD_START_ROUTINE procedure, void* parameter) {
    HANDLE thread = CreateThread(nullptr, 0, procedure, parameter, 0, nullptr);
    if (thread == nullptr) return false;
    CloseHandle(thread);  // the thread runs on without anyone joining it
    return true;
}
