#include "framework/worker_thread.h"

bool StartWorkerThread(LPTHREAD_START_ROUTINE procedure, void* parameter) {
    // Windows 95/98/Me fail the call when there is nowhere to put the id.
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, procedure, parameter, 0, &threadId);
    if (thread == nullptr) return false;
    CloseHandle(thread);  // the thread runs on without anyone joining it
    return true;
}
