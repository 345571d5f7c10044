// A small driver for end-to-end tests: starts the programs of the CD image,
// finds their windows by title, presses buttons by identifier and reads
// control texts. Every wait has a time-out and reports what was on screen.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// A started program; killed on destruction if it is still running.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts commandLine with currentDir as its current directory ("" keeps
    // ours) and with these environment variables set in addition to ours;
    // hidden: as the launchers start their copies (STARTF_USESHOWWINDOW with
    // SW_HIDE, which is what WinExec with SW_HIDE passes).
    bool Start(const std::string& commandLine, const std::string& currentDir = "",
               const std::vector<std::pair<std::string, std::string>>& environment = {}, bool hidden = false);
    // True when the process ended within timeoutMs; its exit code is stored.
    bool WaitForExit(DWORD timeoutMs);
    bool IsRunning() const;
    void Kill();

    DWORD Id() const { return m_info.dwProcessId; }
    DWORD ExitCode() const { return m_exitCode; }

private:
    PROCESS_INFORMATION m_info = {};
    DWORD m_exitCode = STILL_ACTIVE;
};

// A thread of the test process that plays the user while the test's own
// thread runs a modal dialog; Join waits for it (the destructor too).
class UserThread {
public:
    explicit UserThread(std::function<void()> actions);
    ~UserThread();
    UserThread(const UserThread&) = delete;
    UserThread& operator=(const UserThread&) = delete;
    void Join();

private:
    static DWORD WINAPI Run(LPVOID self);
    std::function<void()> m_actions;
    HANDLE m_thread = nullptr;
};

// UTF-8 text in this process's ANSI code page, as the programs' A calls
// see paths; "" when it cannot be converted.
std::string AnsiFromUtf8(const std::string& text);

// Texts are exchanged in UTF-8, whatever the language of the window.
struct TopWindow {
    HWND hWnd;
    std::string title;
    std::string className;
    DWORD processId;
    bool visible;
};

// Every top-level window, hidden ones included.
std::vector<TopWindow> ListTopLevelWindows();
// One line per visible top-level window, for failure messages.
std::string DescribeVisibleWindows();

// A rule of the real window manager that Wine 8 does not apply: in a
// process started with STARTF_USESHOWWINDOW, the first show of a top-level
// window that is unowned, captioned and not topmost (system-modal) takes
// the start-up show command instead of its own, so with SW_HIDE it stays
// hidden. One line for each visible window of processId that a hidden
// start would have hidden so; "" when there is none.
std::string WindowsAHiddenStartHides(DWORD processId);

// The shell's program manager opens a folder window for each group it
// creates, in a process of its own that may come late: waits for it (up to
// timeoutMs) and closes it, while its folder is there, so that it neither
// opens on a folder that is gone nor outlives the test (holding the test's
// output open). False when it is still there after another timeoutMs.
bool CloseGroupFolderWindow(const std::string& group, DWORD timeoutMs);

// Waits until the shell's program manager takes a DDE conversation
// (service and topic "PROGMAN"): in a fresh prefix the desktop process that
// serves it starts with the first window and may still be on its way.
bool WaitForProgramManager(DWORD timeoutMs);

// Another program's window, as a user's desktop has them: a top-level
// window of the test process, above every other, titled as a program under
// test might look for its own.
class ForeignWindow {
public:
    explicit ForeignWindow(const char* title);
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;
    // Whether it is still there once what was posted to it (a WM_CLOSE
    // closes it) has been handled.
    bool StillOpen();
    HWND m_hWnd;
};

// Waits for a top-level window with this exact title (of processId when it
// is not 0); nullptr after timeoutMs.
HWND WaitForWindow(const std::string& title, DWORD processId, DWORD timeoutMs);
// Waits for a dialog box (window class #32770) with this title, such as a
// message box; a frame with the same title does not count.
HWND WaitForDialog(const std::string& title, DWORD processId, DWORD timeoutMs);
// Waits until a top-level window's title reads title (a wizard sheet's
// title follows its page).
bool WaitForTitle(HWND window, const std::string& title, DWORD timeoutMs);
// Waits until no window with this title (of processId when not 0) exists.
bool WaitForWindowGone(const std::string& title, DWORD processId, DWORD timeoutMs);

// The control with this identifier anywhere inside window (a sheet's page
// controls included); a visible one is preferred.
HWND FindControl(HWND window, int controlId);
// Clicks a button as the user would (BN_CLICKED from the button to its parent).
bool PressButton(HWND window, int buttonId);
std::string ControlText(HWND window, int controlId);
bool SetControlText(HWND window, int controlId, const std::string& text);
bool IsControlVisible(HWND window, int controlId);
bool IsControlEnabled(HWND window, int controlId);
bool IsButtonChecked(HWND window, int controlId);
// Colour of a pixel of the screen, as windows of any process painted it.
COLORREF ScreenPixel(int x, int y);
std::string WindowText(HWND hWnd);

// Polls a condition every 50 ms until it holds or timeoutMs passed.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(50);
    }
}
