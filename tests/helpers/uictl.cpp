// Command-line window driver for the project's scripts (the screenshot tour
// of the main job): the same calls the end-to-end tests use.
//
//   uictl wait TITLE [SECONDS]      exit 0 once a window with TITLE exists
//   uictl gone TITLE [SECONDS]      exit 0 once no window with TITLE exists
//   uictl press TITLE ID            click button ID of window TITLE
//   uictl close TITLE               post WM_CLOSE to window TITLE
//   uictl text TITLE ID             print the text of control ID
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui_driver.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: uictl wait|gone|press|close|text TITLE [ARG]\n");
    return 2;
}

DWORD Seconds(int argc, char** argv) {
    return static_cast<DWORD>(argc > 3 ? std::atoi(argv[3]) : 20) * 1000;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string command = argv[1];
    const std::string title = argv[2];
    if (command == "wait") {
        if (WaitForWindow(title, 0, Seconds(argc, argv)) != nullptr) return 0;
        std::fprintf(stderr, "uictl: no window \"%s\"; %s\n", title.c_str(),
                     DescribeVisibleWindows().c_str());
        return 1;
    }
    if (command == "gone") return WaitForWindowGone(title, 0, Seconds(argc, argv)) ? 0 : 1;

    HWND window = WaitForWindow(title, 0, 10000);
    if (window == nullptr) {
        std::fprintf(stderr, "uictl: no window \"%s\"\n", title.c_str());
        return 1;
    }
    if (command == "close") return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (argc < 4) return Usage();
    const int id = std::atoi(argv[3]);
    if (command == "press") return PressButton(window, id) ? 0 : 1;
    if (command == "text") {
        std::printf("%s\n", ControlText(window, id).c_str());
        return 0;
    }
    return Usage();
}
