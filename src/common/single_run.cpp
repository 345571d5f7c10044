#include "common/single_run.h"

#include "common/system_library.h"
#include "common/text_format.h"

const char kRunWindowProperty[] = "Vantrell Pixmoor-USB 300 plus run";

namespace {

// Seen by every session on the NT line; 95/98/Me have one namespace and
// take no backslash in a name.
const char kRunMutexNt[] = "Global\\Vantrell Pixmoor-USB 300 plus run";
const char kRunMutex9x[] = "Vantrell Pixmoor-USB 300 plus run";
// Set by the run's first process; its value names that process.
const char kRunVariable[] = "VANTRELL_PIXMOOR_RUN";

bool InheritedFromTheRun() {
    char value[16];
    const DWORD len = GetEnvironmentVariableA(kRunVariable, value, sizeof value);
    return len > 0 && len < sizeof value;
}

BOOL CALLBACK FrontRunWindow(HWND window, LPARAM) {
    if (GetPropA(window, kRunWindowProperty) == nullptr) return TRUE;
    HWND shown = GetLastActivePopup(window);
    if (shown == nullptr || !IsWindowVisible(shown)) return TRUE;
    if (IsIconic(shown)) ShowWindow(shown, SW_RESTORE);
    SetForegroundWindow(shown);
    return FALSE;
}

}  // namespace

bool ClaimProductRun() {
    // The handle stays open until the process ends: that is the claim.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, IsNtLine() ? kRunMutexNt : kRunMutex9x);
    const DWORD error = GetLastError();
    // Refused: another user's run holds it. Any other failure leaves
    // nothing to claim, and the run goes on as it did before the claim.
    if (mutex == nullptr) return error != ERROR_ACCESS_DENIED;
    if (error != ERROR_ALREADY_EXISTS) {
        char value[16];
        FormatInto(value, "%lx", static_cast<unsigned long>(GetCurrentProcessId()));
        SetEnvironmentVariableA(kRunVariable, value);
        return true;
    }
    if (InheritedFromTheRun()) return true;
    CloseHandle(mutex);
    return false;
}

void BringRunningRunToFront() { EnumWindows(FrontRunWindow, 0); }
