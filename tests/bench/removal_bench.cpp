// Times the removal work of both uninstallers on a seeded dirty machine, without the page's
// start delay or any window, and counts the registry calls it makes.
// Prints one line per measured pass:
// "<name> <median ms> <registry calls> <min ms> <max ms>".
//   removal_bench.exe RUNS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "cleanup/removal_pass.h"
#include "dirty_machine.h"
#include "drvsweep/sweep_removal.h"
#include "registry_call_counter.h"
#include "temp_tree.h"
#include "traces/trace_recorder.h"

namespace {

std::string Directory(UINT (WINAPI* query)(LPSTR, UINT)) {
    char dir[MAX_PATH] = "";
    query(dir, sizeof dir);
    return dir;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Seeds the machine, runs pass once and checks that every trace went, or,
// for a pass that only reports, that every trace is still there.
bool MeasureOnce(const DirtyMachine& machine, const std::function<void()>& pass, bool deletes, double& ms,
                 unsigned long& calls) {
    std::string failure;
    if (!SeedMachine(machine, failure)) {
        std::fprintf(stderr, "seeding failed: %s\n", failure.c_str());
        return false;
    }
    LARGE_INTEGER start, end;
    ResetRegistryCallCount();
    QueryPerformanceCounter(&start);
    pass();
    QueryPerformanceCounter(&end);
    calls = RegistryCallCount();
    ms = Milliseconds(start, end);
    const std::vector<std::string> problems = CheckMachine(machine);
    if (!deletes) {
        std::size_t traces = 0;
        for (const SeedFile& file : machine.files) traces += file.fate == Fate::Removed;
        for (const SeedValue& value : machine.registry) traces += value.fate == Fate::Removed;
        if (problems.size() == traces) return true;
        std::fprintf(stderr, "the report changed the machine: %u of %u traces left\n",
                     static_cast<unsigned>(problems.size()), static_cast<unsigned>(traces));
        return false;
    }
    for (const std::string& problem : problems) std::fprintf(stderr, "after the pass: %s\n", problem.c_str());
    return problems.empty();
}

bool Report(const char* name, int runs, const DirtyMachine& machine, const std::function<void()>& pass,
            bool deletes = true) {
    std::vector<double> times;
    unsigned long calls = 0;
    for (int run = 0; run < runs; ++run) {
        double ms = 0;
        if (!MeasureOnce(machine, pass, deletes, ms, calls)) return false;
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("%s %.1f %lu %.1f %.1f\n", name, times[times.size() / 2], calls, times.front(), times.back());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    if (!StartCountingRegistryCalls()) {
        std::fprintf(stderr, "could not route the registry calls\n");
        return 2;
    }
    const std::string windows = Directory(GetWindowsDirectoryA);
    const std::string system = Directory(GetSystemDirectoryA);
    const std::string inf = windows + "\\INF";
    const MachineDirs dirs = {windows, system, windows.substr(0, 2) + "\\Program Files\\Pixmoor-USB 300 plus", true};
    WritePrivateProfileStringA("DestPath", "DestPath", dirs.installDir.c_str(), "vantrell.ini");

    const RemovalContext context = MakeRemovalContext({windows.c_str(), system.c_str(), inf.c_str(), "", 1},
                                                      dirs.installDir, "OmniVision\\Dual Mode USB Camera Plus");
    NoRemovalProgress progress;
    // The trace report's walk of the same pass, deleting nothing; its
    // registry calls are those of the machine it reads.
    const bool reportOk = Report("setup-report", runs, SetupRemovalMachine(dirs), [&] {
        TraceRecorder recorder;
        SetupRemoval(context, recorder).Run(progress);
    }, false);
    const bool ok = reportOk && Report("setup-removal", runs, SetupRemovalMachine(dirs), [&] {
        // The pass deletes vantrell.ini among the product's files.
        WritePrivateProfileStringA("DestPath", "DestPath", dirs.installDir.c_str(), "vantrell.ini");
        SetupRemoval(context).Run(progress);
    });

    SweepContext sweep = {context.szWindowsDir, context.szSystemDir, context.szInfDir, dirs.installDir + "\\", 1};
    const bool sweepReportOk = Report("drvsweep-report", runs, SweepRemovalMachine(dirs), [&] {
        TraceRecorder recorder;
        SweepRemoval(sweep, recorder).Run(progress);
    }, false);
    const bool sweepOk = sweepReportOk && Report("drvsweep-removal", runs, SweepRemovalMachine(dirs), [&] {
        SweepRemoval(sweep).Run(progress);
    });
    return ok && sweepOk ? 0 : 1;
}
