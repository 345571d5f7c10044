#include "ui_driver.h"

#include <ddeml.h>

#include <vector>

UserThread::UserThread(std::function<void()> actions) : m_actions(std::move(actions)) {
    m_thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

UserThread::~UserThread() { Join(); }

void UserThread::Join() {
    if (m_thread == nullptr) return;
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    m_thread = nullptr;
}

DWORD WINAPI UserThread::Run(LPVOID self) {
    static_cast<UserThread*>(self)->m_actions();
    return 0;
}

ChildProcess::~ChildProcess() {
    if (m_info.hProcess != nullptr) {
        if (IsRunning()) Kill();
        CloseHandle(m_info.hProcess);
        CloseHandle(m_info.hThread);
    }
}

bool ChildProcess::Start(const std::string& commandLine, const std::string& currentDir,
                         const std::vector<std::pair<std::string, std::string>>& environment, bool hidden) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (hidden) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
    }
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    // The child inherits our environment: set the extra variables around its start.
    std::vector<std::pair<std::string, std::string>> saved;
    for (const auto& variable : environment) {
        char old[1024] = "";
        const DWORD len = GetEnvironmentVariableA(variable.first.c_str(), old, sizeof old);
        saved.emplace_back(variable.first, len > 0 && len < sizeof old ? old : "\x01");
        SetEnvironmentVariableA(variable.first.c_str(), variable.second.c_str());
    }
    const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        currentDir.empty() ? nullptr : currentDir.c_str(),
                                        &startup, &m_info);
    for (const auto& variable : saved) {
        SetEnvironmentVariableA(variable.first.c_str(),
                                variable.second == "\x01" ? nullptr : variable.second.c_str());
    }
    return started != 0;
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

std::string WindowsAHiddenStartHides(DWORD processId) {
    std::string found;
    for (const TopWindow& w : ListTopLevelWindows()) {
        if (w.processId != processId || !w.visible || GetWindow(w.hWnd, GW_OWNER) != nullptr) continue;
        const LONG style = GetWindowLongA(w.hWnd, GWL_STYLE);
        const LONG exStyle = GetWindowLongA(w.hWnd, GWL_EXSTYLE);
        if ((style & WS_CAPTION) != WS_CAPTION || (exStyle & WS_EX_TOPMOST) != 0) continue;
        found += "\n  \"" + w.title + "\" class " + w.className + ": unowned, captioned, not topmost";
    }
    return found;
}

namespace {

HWND FindTopWindow(const std::string& title, DWORD processId, const char* className = nullptr) {
    for (const TopWindow& w : ListTopLevelWindows()) {
        if (w.title != title || (processId != 0 && w.processId != processId)) continue;
        if (className != nullptr && w.className != className) continue;
        return w.hWnd;
    }
    return nullptr;
}

}  // namespace

HWND WaitForWindow(const std::string& title, DWORD processId, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(title, processId)) != nullptr; }, timeoutMs);
    return found;
}

HWND WaitForDialog(const std::string& title, DWORD processId, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(title, processId, "#32770")) != nullptr; },
              timeoutMs);
    return found;
}

bool CloseGroupFolderWindow(const std::string& group, DWORD timeoutMs) {
    WaitForWindow(group, 0, timeoutMs);
    for (const TopWindow& w : ListTopLevelWindows()) {
        if (w.title == group) PostMessageA(w.hWnd, WM_CLOSE, 0, 0);
    }
    return WaitForWindowGone(group, 0, timeoutMs);
}

ForeignWindow::ForeignWindow(const char* title)
    : m_hWnd(CreateWindowExA(WS_EX_TOPMOST, "STATIC", title, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 160, 60,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}

ForeignWindow::~ForeignWindow() {
    if (IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
}

bool ForeignWindow::StillOpen() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    return m_hWnd != nullptr && IsWindow(m_hWnd);
}

namespace {

HDDEDATA CALLBACK NoDdeNotifications(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

}  // namespace

bool WaitForProgramManager(DWORD timeoutMs) {
    DWORD instance = 0;
    if (DdeInitializeA(&instance, NoDdeNotifications, APPCMD_CLIENTONLY | CBF_SKIP_ALLNOTIFICATIONS, 0) !=
        DMLERR_NO_ERROR) {
        return false;
    }
    HSZ name = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    const bool answered = WaitUntil(
        [&] {
            HCONV conversation = DdeConnect(instance, name, name, nullptr);
            if (conversation != nullptr) DdeDisconnect(conversation);
            return conversation != nullptr;
        },
        timeoutMs);
    DdeFreeStringHandle(instance, name);
    DdeUninitialize(instance);
    return answered;
}

bool WaitForTitle(HWND window, const std::string& title, DWORD timeoutMs) {
    return WaitUntil([&] { return WindowText(window) == title; }, timeoutMs);
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

namespace {

std::string ToUtf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return std::string();
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(size - 1));
    return out;
}

std::wstring FromUtf8(const std::string& text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &out[0], size);
    out.resize(out.size() - 1);
    return out;
}

}  // namespace

std::string AnsiFromUtf8(const std::string& text) {
    const std::wstring wide = FromUtf8(text);
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return std::string();
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &out[0], size, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(size - 1));
    return out;
}

// Setup runs its DirectX probe on the wizard's thread right after the first
// page is painted; on a loaded machine that keeps messages waiting for
// seconds, so a read or a set gets time to be answered.
const UINT kMessageTimeoutMs = 15000;

std::string WindowText(HWND hWnd) {
    wchar_t text[8192] = L"";
    // WM_GETTEXT reaches controls of other processes, GetWindowText does not;
    // the wide form keeps every language's text intact whatever our code page.
    SendMessageTimeoutW(hWnd, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, kMessageTimeoutMs, nullptr);
    return ToUtf8(text);
}

std::string ControlText(HWND window, int controlId) {
    HWND control = FindControl(window, controlId);
    return control != nullptr ? WindowText(control) : std::string();
}

bool SetControlText(HWND window, int controlId, const std::string& text) {
    HWND control = FindControl(window, controlId);
    const std::wstring wide = FromUtf8(text);
    return control != nullptr &&
           SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                               SMTO_ABORTIFHUNG, kMessageTimeoutMs, nullptr) != 0;
}

bool IsControlVisible(HWND window, int controlId) {
    HWND control = FindControl(window, controlId);
    return control != nullptr && IsWindowVisible(control);
}

bool IsControlEnabled(HWND window, int controlId) {
    HWND control = FindControl(window, controlId);
    return control != nullptr && IsWindowEnabled(control);
}

bool IsButtonChecked(HWND window, int controlId) {
    HWND control = FindControl(window, controlId);
    DWORD_PTR state = 0;
    return control != nullptr &&
           SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &state) != 0 &&
           state == BST_CHECKED;
}

COLORREF ScreenPixel(int x, int y) {
    HDC dc = GetDC(nullptr);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(nullptr, dc);
    return colour;
}
