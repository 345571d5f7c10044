#include "ui_driver.h"

#include <vector>

ChildProcess::~ChildProcess() {
    if (m_info.hProcess != nullptr) {
        if (IsRunning()) Kill();
        CloseHandle(m_info.hProcess);
        CloseHandle(m_info.hThread);
    }
}

bool ChildProcess::Start(const std::string& commandLine, const std::string& currentDir) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          currentDir.empty() ? nullptr : currentDir.c_str(), &startup,
                          &m_info) != 0;
}

bool ChildProcess::WaitForExit(DWORD timeoutMs) {
    if (m_info.hProcess == nullptr) return false;
    if (WaitForSingleObject(m_info.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(m_info.hProcess, &m_exitCode);
    return true;
}

bool ChildProcess::IsRunning() const {
    return m_info.hProcess != nullptr && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

void ChildProcess::Kill() {
    if (m_info.hProcess == nullptr) return;
    TerminateProcess(m_info.hProcess, 255);
    WaitForSingleObject(m_info.hProcess, 5000);
}

namespace {

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam) {
    auto* windows = reinterpret_cast<std::vector<TopWindow>*>(lParam);
    char className[256] = "";
    GetClassNameA(hWnd, className, sizeof className);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    windows->push_back({hWnd, WindowText(hWnd), className, pid, IsWindowVisible(hWnd) != 0});
    return TRUE;
}

}  // namespace

std::vector<TopWindow> ListTopLevelWindows() {
    std::vector<TopWindow> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string DescribeVisibleWindows() {
    std::string text = "visible windows:";
    for (const TopWindow& w : ListTopLevelWindows()) {
        if (!w.visible) continue;
        text += "\n  \"" + w.title + "\" class " + w.className + " pid " + std::to_string(w.processId);
    }
    return text;
}

namespace {

HWND FindTopWindow(const std::string& title, DWORD processId) {
    for (const TopWindow& w : ListTopLevelWindows()) {
        if (w.title == title && (processId == 0 || w.processId == processId)) return w.hWnd;
    }
    return nullptr;
}

}  // namespace

HWND WaitForWindow(const std::string& title, DWORD processId, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(title, processId)) != nullptr; }, timeoutMs);
    return found;
}

bool WaitForWindowGone(const std::string& title, DWORD processId, DWORD timeoutMs) {
    return WaitUntil([&] { return FindTopWindow(title, processId) == nullptr; }, timeoutMs);
}

namespace {

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<ControlSearch*>(lParam);
    if (GetDlgCtrlID(hWnd) != search->id) return TRUE;
    // A visible control wins over a hidden one with the same identifier.
    if (search->found == nullptr || (IsWindowVisible(hWnd) && !IsWindowVisible(search->found))) {
        search->found = hWnd;
    }
    return TRUE;
}

}  // namespace

HWND FindControl(HWND window, int controlId) {
    ControlSearch search = {controlId, nullptr};
    EnumChildWindows(window, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool PressButton(HWND window, int buttonId) {
    HWND button = FindControl(window, buttonId);
    if (button == nullptr || !IsWindowEnabled(button)) return false;
    return PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button)) != 0;
}

std::string WindowText(HWND hWnd) {
    char text[4096] = "";
    // WM_GETTEXT reaches controls of other processes, GetWindowText does not.
    SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

std::string ControlText(HWND window, int controlId) {
    HWND control = FindControl(window, controlId);
    return control != nullptr ? WindowText(control) : std::string();
}
