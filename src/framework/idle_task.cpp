#include "framework/idle_task.h"

#include <windows.h>

namespace {

void (*g_pfnIdleTask)() = nullptr;
UINT_PTR g_nIdleTimer = 0;

void CALLBACK OnIdleTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_nIdleTimer = 0;
    void (*task)() = g_pfnIdleTask;
    g_pfnIdleTask = nullptr;
    if (task != nullptr) task();
}

}  // namespace

void RunWhenIdle(void (*task)()) {
    g_pfnIdleTask = task;
    if (g_nIdleTimer == 0) g_nIdleTimer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OnIdleTimer);
    if (g_nIdleTimer == 0) OnIdleTimer(nullptr, 0, 0, 0);  // no timer: at once rather than never
}
