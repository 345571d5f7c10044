#include "framework/worker_thread.h"

bool StartWorkerThread(LPTHREAD_START_ROUTINE procedure, void* parameter) {
    HANDLE thread = CreateThread(nullptr, 0, procedure, parameter, 0, nullptr);
    if (thread == nullptr) return false;
    CloseHandle(thread);  // the thread runs on without anyone joining it
    return true;
}

bool CJoinableThread::Start(LPTHREAD_START_ROUTINE procedure, void* parameter) {
    Join();
    m_hThread = CreateThread(nullptr, 0, procedure, parameter, 0, nullptr);
    return m_hThread != nullptr;
}

void CJoinableThread::Join() {
    if (m_hThread == nullptr) return;
    WaitForSingleObject(m_hThread, INFINITE);
    CloseHandle(m_hThread);
    m_hThread = nullptr;
}
