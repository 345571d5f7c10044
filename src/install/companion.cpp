#include "install/companion.h"

#include <vector>

#include "common/bounded_string.h"
#include "common/program_dir.h"
#include "frame/main_frame.h"
#include "traces/run_log.h"

HANDLE g_hCompanionProcess = nullptr;

std::string CompanionInstallerPath(const char* modulePath) {
    PathString path(ModulePathFolder(modulePath).c_str());
    path.Append("PICTAVO\\setup.exe");
    return path.ok() ? std::string(path.c_str()) : std::string();
}

void StartCompanionInstaller(const std::string& path) {
    g_hCompanionProcess = nullptr;
    if (path.empty()) return;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // Named as the program to start and quoted on its command line: a CD
    // folder with blanks must not make the system start "D:\My.exe" instead.
    const std::string quoted = "\"" + path + "\"";
    std::vector<char> commandLine(quoted.begin(), quoted.end());
    commandLine.push_back('\0');
    if (CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                       nullptr, nullptr, &startup, &info)) {
        g_hCompanionProcess = info.hProcess;
        CloseHandle(info.hThread);
    }
}

namespace {

constexpr UINT kCompanionPollMs = 250;
UINT_PTR g_companionTimer = 0;

void CloseFrame() {
    HWND frame = FindMainFrame();
    if (frame != nullptr) PostMessageA(frame, WM_CLOSE, 0, 0);
}

void CALLBACK PollCompanion(HWND, UINT, UINT_PTR, DWORD) {
    if (WaitForSingleObject(g_hCompanionProcess, 0) == WAIT_TIMEOUT) return;
    KillTimer(nullptr, g_companionTimer);
    g_companionTimer = 0;
    CloseFrame();
}

}  // namespace

DWORD WINAPI WaitForCompanion(void*) {
    if (g_hCompanionProcess != nullptr) WaitForSingleObject(g_hCompanionProcess, INFINITE);
    CloseFrame();
    return 0;
}

void WaitForCompanionToEnd(const std::string& path) {
    if (g_hCompanionProcess == nullptr) return;
    WaitForSingleObject(g_hCompanionProcess, INFINITE);
    CloseHandle(g_hCompanionProcess);
    g_hCompanionProcess = nullptr;
    LogItem(TraceKind::Program, path.c_str(), nullptr, "ended");
}

void WatchCompanion(WorkerThreadStarter start) {
    if (start(WaitForCompanion, nullptr)) return;
    // No thread: the frame must still close when the companion ends, or
    // setup would stay on the screen for ever.
    if (g_hCompanionProcess != nullptr) {
        g_companionTimer = SetTimer(nullptr, 0, kCompanionPollMs, PollCompanion);
        if (g_companionTimer != 0) return;
    }
    CloseFrame();
}
