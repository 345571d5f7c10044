// Times how soon programs show their first window, as their user sees it:
// a stopwatch starts each program with CreateProcess and polls every 2 ms
// until a top-level window of that process with the wanted title is
// visible and neither it nor any window inside it has anything left to
// paint; then it ends the program. One warm-up round, then ROUNDS rounds,
// each running every row once in an order rotated per round. The rows are
// the two yardsticks from HELPERS_DIR and setup, to its frame and to its
// Welcome page, from each CD image given (a LABEL names the build).
//   startup_bench.exe ROUNDS HELPERS_DIR LABEL=CD_IMAGE_DIR...
// Prints one line per row: "<name> <min ms> <median ms> <max ms>".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND hWnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != search->processId || !IsWindowVisible(hWnd)) return TRUE;
    char title[256] = "";
    GetWindowTextA(hWnd, title, sizeof title);
    if (std::string(title) != search->title) return TRUE;
    search->found = hWnd;
    return FALSE;
}

BOOL CALLBACK FindUnpainted(HWND hWnd, LPARAM param) {
    if (IsWindowVisible(hWnd) && GetUpdateRect(hWnd, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(param) = true;
        return FALSE;
    }
    return TRUE;
}

bool IsPainted(HWND top) {
    if (GetUpdateRect(top, nullptr, FALSE)) return false;
    bool unpainted = false;
    EnumChildWindows(top, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Milliseconds from the start of commandLine until its window titled
// title is painted; a negative value when it could not be measured.
double TimeToPaintedWindow(const std::string& commandLine, const std::string& title) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return -1.0;
    }
    double ms = -1.0;
    for (;;) {
        Search search = {info.dwProcessId, title.c_str(), nullptr};
        EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        if (search.found != nullptr && IsPainted(search.found)) {
            ms = Milliseconds(start, now);
            break;
        }
        if (Milliseconds(start, now) > 20000.0) break;
        Sleep(2);
    }
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return ms;
}

struct Row {
    std::string name;
    std::string commandLine;
    const char* title;
    std::vector<double> times;
};

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_bench ROUNDS HELPERS_DIR LABEL=CD_IMAGE_DIR...\n");
        return 2;
    }
    const int rounds = std::max(1, std::atoi(argv[1]));
    const std::string helpers = argv[2];
    std::vector<Row> rows = {
        {"minimal-window", Quoted(helpers + "\\minimal_window.exe"), "Minimal", {}},
        {"minimal-wizard", Quoted(helpers + "\\minimal_wizard.exe"), "Minimal wizard", {}},
    };
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::size_t eq = arg.find('=');
        if (eq == std::string::npos) return 2;
        const std::string label = arg.substr(0, eq), setup = Quoted(arg.substr(eq + 1) + "\\setup.exe");
        rows.push_back({"setup-frame-" + label, setup, "Setup", {}});
        rows.push_back({"setup-welcome-" + label, setup, "Welcome", {}});
    }
    timeBeginPeriod(1);
    for (int round = -1; round < rounds; ++round) {  // round -1 warms up
        for (std::size_t i = 0; i < rows.size(); ++i) {
            Row& row = rows[(i + static_cast<std::size_t>(round + 1)) % rows.size()];
            const double ms = TimeToPaintedWindow(row.commandLine, row.title);
            if (ms < 0) {
                std::fprintf(stderr, "%s: no painted window \"%s\"\n", row.name.c_str(), row.title);
                return 1;
            }
            if (round >= 0) row.times.push_back(ms);
        }
    }
    timeEndPeriod(1);
    for (Row& row : rows) {
        std::sort(row.times.begin(), row.times.end());
        const std::size_t n = row.times.size();
        const double median = n % 2 ? row.times[n / 2] : (row.times[n / 2 - 1] + row.times[n / 2]) / 2;
        std::printf("%s %.1f %.1f %.1f\n", row.name.c_str(), row.times.front(), median, row.times.back());
    }
    return 0;
}
