#include "watchdog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

class Watchdog : public ::testing::EmptyTestEventListener {
public:
    explicit Watchdog(DWORD boundSeconds)
        : m_boundSeconds(boundSeconds),
          m_started(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
          m_ended(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
        DWORD id = 0;
        CloseHandle(CreateThread(nullptr, 0, Watch, this, 0, &id));
    }

    void OnTestStart(const ::testing::TestInfo& info) override {
        m_name = std::string(info.test_suite_name()) + "." + info.name();
        SetEvent(m_started);
    }
    void OnTestEnd(const ::testing::TestInfo&) override { SetEvent(m_ended); }

private:
    static DWORD WINAPI Watch(LPVOID self) {
        auto* watchdog = static_cast<Watchdog*>(self);
        for (;;) {
            WaitForSingleObject(watchdog->m_started, INFINITE);
            if (WaitForSingleObject(watchdog->m_ended, watchdog->m_boundSeconds * 1000) == WAIT_TIMEOUT) {
                watchdog->Bite();
            }
        }
    }

    // The test thread may be the one that would answer a window's messages:
    // texts are asked for with a time-out.
    static std::string Text(HWND window) {
        char text[512] = "";
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000,
                            &ignored);
        return text;
    }

    static BOOL CALLBACK Describe(HWND window, LPARAM lParam) {
        if (!IsWindowVisible(window)) return TRUE;
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        auto* text = reinterpret_cast<std::string*>(lParam);
        *text += "\n  \"" + Text(window) + "\" class " + className + " pid " + std::to_string(process);
        // A message box's text says what it waits for.
        if (HWND message = GetDlgItem(window, 0xFFFF)) *text += ": " + Text(message);
        return TRUE;
    }

    void Bite() {
        std::string windows;
        EnumWindows(Describe, reinterpret_cast<LPARAM>(&windows));
        std::fprintf(stderr, "[  FAILED  ] %s: still running after %lu s, the bound of each test; on screen:%s\n",
                     m_name.c_str(), static_cast<unsigned long>(m_boundSeconds),
                     windows.empty() ? " nothing" : windows.c_str());
        std::fflush(stderr);
        std::fflush(stdout);
        TerminateProcess(GetCurrentProcess(), 1);
    }

    DWORD m_boundSeconds;
    HANDLE m_started;
    HANDLE m_ended;
    std::string m_name;
};

}  // namespace

void InstallTestWatchdog(DWORD boundSeconds) {
    ::testing::UnitTest::GetInstance()->listeners().Append(new Watchdog(boundSeconds));
}
