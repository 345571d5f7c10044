#include "app/run_mode.h"

#include "app/trace_report.h"
#include "common/ascii_text.h"

RunMode DecideRunMode(const std::string& exeName, const std::string& cmdLine,
                      const char* uninstallName) {
    std::string upper = exeName;
    for (char& c : upper) c = AsciiUpper(c);
    if (upper != uninstallName) return AsksForTraceReport(cmdLine) ? RunMode::TraceReport : RunMode::Install;
    return cmdLine.empty() ? RunMode::UninstallLauncher : RunMode::Uninstall;
}
