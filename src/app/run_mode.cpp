#include "app/run_mode.h"

#include <cctype>

#include "app/trace_report.h"

RunMode DecideRunMode(const std::string& exeName, const std::string& cmdLine,
                      const char* uninstallName) {
    std::string upper = exeName;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper != uninstallName) return AsksForTraceReport(cmdLine) ? RunMode::TraceReport : RunMode::Install;
    return cmdLine.empty() ? RunMode::UninstallLauncher : RunMode::Uninstall;
}
