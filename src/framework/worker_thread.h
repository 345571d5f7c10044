// Starts a worker thread at default priority and stack size.
#pragma once

#include <windows.h>

// False when the thread could not be started.
bool StartWorkerThread(LPTHREAD_START_ROUTINE procedure, void* parameter);

// A worker thread that its starter waits for before the program ends.
class CJoinableThread {
public:
    CJoinableThread() = default;
    ~CJoinableThread() { Join(); }
    CJoinableThread(const CJoinableThread&) = delete;
    CJoinableThread& operator=(const CJoinableThread&) = delete;

    // False when the thread could not be started.
    bool Start(LPTHREAD_START_ROUTINE procedure, void* parameter);
    // Waits until the thread has ended; at once when none runs.
    void Join();

private:
    HANDLE m_hThread = nullptr;
};
