// Command-line window driver for the project's scripts (the screenshot tour
// of the main job): the same calls the end-to-end tests use.
//
//   uictl wait TITLE [SECONDS]      exit 0 once a window with TITLE exists
//   uictl gone TITLE [SECONDS]      exit 0 once no window with TITLE exists
//   uictl press TITLE ID            click button ID of window TITLE
//   uictl close TITLE               post WM_CLOSE to window TITLE
//   uictl text TITLE ID             print the text of control ID
//   uictl click TITLE ID            send a real click (BM_CLICK) to button ID
//
// Titles and texts are UTF-8, whatever the language of the windows.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui_driver.h"

namespace {

// The arguments as UTF-8: the ANSI form would lose other languages' titles.
std::vector<std::string> Utf8Arguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 0; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, &arg[0], size, nullptr, nullptr);
        arg.resize(arg.size() - 1);
        args.push_back(arg);
    }
    LocalFree(wide);
    return args;
}

int Usage() {
    std::fprintf(stderr, "usage: uictl wait|gone|press|click|close|text TITLE [ARG]\n");
    return 2;
}

DWORD Seconds(const std::vector<std::string>& args) {
    return static_cast<DWORD>(args.size() > 3 ? std::atoi(args[3].c_str()) : 20) * 1000;
}

}  // namespace

int main() {
    const std::vector<std::string> args = Utf8Arguments();
    if (args.size() < 3) return Usage();
    const std::string& command = args[1];
    const std::string& title = args[2];
    if (command == "wait") {
        if (WaitForWindow(title, 0, Seconds(args)) != nullptr) return 0;
        std::fprintf(stderr, "uictl: no window \"%s\"; %s\n", title.c_str(),
                     DescribeVisibleWindows().c_str());
        return 1;
    }
    if (command == "gone") return WaitForWindowGone(title, 0, Seconds(args)) ? 0 : 1;

    HWND window = WaitForWindow(title, 0, 10000);
    if (window == nullptr) {
        std::fprintf(stderr, "uictl: no window \"%s\"\n", title.c_str());
        return 1;
    }
    if (command == "close") return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (args.size() < 4) return Usage();
    const int id = std::atoi(args[3].c_str());
    if (command == "press") return PressButton(window, id) ? 0 : 1;
    if (command == "click") {
        HWND button = FindControl(window, id);
        return button != nullptr && SendMessageA(button, BM_CLICK, 0, 0) == 0 ? 0 : 1;
    }
    if (command == "text") {
        std::printf("%s\n", ControlText(window, id).c_str());
        return 0;
    }
    return Usage();
}
