#include "drvsweep/sweep_report.h"

#include <windows.h>

#include "common/locations.h"
#include "common/product_profile.h"
#include "common/text_format.h"
#include "drvsweep/self_relocation.h"
#include "drvsweep/sweep_removal.h"
#include "product/product_folder.h"
#include "traces/trace_report_file.h"

namespace {

// The folder the removal works for, as the program would pass it on to its
// copy in Temp; "" where it runs from Temp, which is no product folder.
std::string RemovalFolder(const SweepReportSetup& setup, const char* windowsDir) {
    const RelocationPaths paths = MakeRelocationPaths(setup.szModulePath, setup.szExeName, windowsDir);
    return RunsFromTempFolder(paths) ? std::string() : paths.strSourceDir;
}

std::string FolderLine(const std::string& folder, const SweepContext& context) {
    if (folder.empty()) return "none: the program runs from the system's Temp folder";
    const std::string usable = UsableProductFolder(folder, context.szWindowsDir, context.szSystemDir);
    if (!usable.empty()) return usable + " (the folder this program runs from)";
    return "none: \"" + folder + "\" is not a full path below a drive's root, or does not fit a path";
}

std::string BuildReportOf(const void* setup) { return BuildSweepReport(*static_cast<const SweepReportSetup*>(setup)); }

}  // namespace

std::string BuildSweepReport(const SweepReportSetup& setup) {
    const ProductRun& run = setup.run;
    const std::string folder = RemovalFolder(setup, run.WindowsDir());
    const SweepContext context{run.WindowsDir(), run.SystemDir(), run.InfDir(), folder, run.NtPaths()};

    std::string report = std::string(g_Product.szProductName) + ": what the removal would take (nothing was deleted)\r\n";
    report += std::string("Program:   ") + setup.szModulePath + " (the stand-alone uninstaller)\r\n";
    report += "Date:      " + LocalDateText() + "\r\n";
    report += std::string("OS flag:   ") + (run.NtPaths() ? "1 (every system but 98 and Me)" : "0 (98 and Me)") + "\r\n";
    report += "Product folder: " + FolderLine(folder, context) + "\r\n";

    TraceRecorder removal;
    NoRemovalProgress progress;
    SweepRemoval(context, removal).Run(progress);
    AppendTraceSection(report, "Uninstall: DRVSWEEP's removal", removal.Traces());
    return report;
}

int RunSweepReport(const std::string& cmdLine, const SweepReportSetup& setup) {
    return WriteTraceReport(cmdLine, {g_Product.szProductName, "DRVSWEEP /traces=FILE"}, BuildReportOf, &setup);
}
