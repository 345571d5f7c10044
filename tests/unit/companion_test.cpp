// setup ends when the companion installer ends, also where no thread can
// be started to wait for it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/companion.h"

namespace {

bool NoThread(LPTHREAD_START_ROUTINE, void*) { return false; }

struct FrameRecord {
    bool closed = false;
    bool companionRunning = false;  // when the close request came
};
FrameRecord g_frame;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CLOSE) return DefWindowProcA(window, message, wParam, lParam);
    g_frame.closed = true;
    g_frame.companionRunning =
        g_hCompanionProcess != nullptr && WaitForSingleObject(g_hCompanionProcess, 0) == WAIT_TIMEOUT;
    return 0;
}

// The frame as the companion's watch finds it: a window titled "Setup".
struct StandInFrame {
    StandInFrame() {
        WNDCLASSA cls = {};
        cls.lpfnWndProc = FrameProc;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = "VantrellTestFrame";
        RegisterClassA(&cls);
        m_hWnd = CreateWindowA("VantrellTestFrame", "Setup", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               cls.hInstance, nullptr);
    }
    ~StandInFrame() { DestroyWindow(m_hWnd); }
    HWND m_hWnd;
};

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    while (!g_frame.closed && GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
}

}  // namespace

TEST(Companion, FrameClosesWhenItEndsThoughNoWaitingThreadStarts) {
    StandInFrame frame;
    ASSERT_NE(nullptr, frame.m_hWnd);

    // A companion that runs until the test ends it: held suspended.
    char system[MAX_PATH] = "";
    ASSERT_GT(GetSystemDirectoryA(system, sizeof system), 0u);
    std::string line = std::string("\"") + system + "\\cmd.exe\" /c exit";
    std::vector<char> command(line.begin(), line.end());
    command.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                               &startup, &info));
    CloseHandle(info.hThread);
    g_hCompanionProcess = info.hProcess;
    g_frame = FrameRecord();

    WatchCompanion(NoThread);
    PumpFor(800);
    EXPECT_FALSE(g_frame.closed) << "closed while the companion still ran";
    TerminateProcess(info.hProcess, 0);
    PumpFor(5000);
    EXPECT_TRUE(g_frame.closed) << "setup would stay on the screen for ever";
    EXPECT_FALSE(g_frame.companionRunning);
    CloseHandle(info.hProcess);

    // No companion to wait for: the frame closes at once.
    g_hCompanionProcess = nullptr;
    g_frame = FrameRecord();
    WatchCompanion(NoThread);
    PumpFor(1000);
    EXPECT_TRUE(g_frame.closed);
}
