#include "app/trace_report.h"

#include <windows.h>

#include <vector>

#include "cleanup/removal_pass.h"
#include "common/ascii_text.h"
#include "common/locations.h"
#include "common/product_profile.h"
#include "common/product_run.h"
#include "common/text_format.h"
#include "frame/frame_title.h"
#include "product/product_folder.h"
#include "framework/modal_owner.h"
#include "framework/resource_text.h"
#include "resources/setup/resource.h"
#include "stillimage/earlier_still_image.h"
#include "traces/trace_recorder.h"
#include "traces/trace_report_file.h"

namespace {

constexpr const char* kCaption = "Setup";

// The program as its frame names it, with the version the INF beside it gives.
std::string ProgramLine(const char* programDir) {
    char version[kSoftwareVersionChars];
    ReadSoftwareVersion(programDir, g_Product.szProductInf, version);
    char title[kTitleChars];
    BuildFrameTitle(g_Product.szTitleText, version, title);
    const std::string inf = g_Product.szProductInf;
    return std::string(title) + (version[0] != '\0' ? " (" + inf + " beside it gives \"" + version + "\")"
                                                     : " (no [Version] Software in an " + inf + " beside it)");
}

// The directory the uninstall would remove from, found as it finds it, or
// why there is none.
std::string DirectoryLine(const RemovalContext& context, RemovalSink& sink) {
    const std::string source =
        context.bNtPaths ? "[DestPath] DestPath of \"vantrell.ini\"" : "the folder this program runs from";
    const std::string dir = InstallationDirectory(context, sink);
    if (!dir.empty()) return dir + " (" + source + ")";
    const std::string recorded = context.bNtPaths ? RecordedDestPath(sink) : context.strSourceDir;
    if (recorded.empty()) return "none: " + source + " names none (or one longer than 4096 characters)";
    return "none: \"" + recorded + "\" (" + source + ") is not a full path below a drive's root, or does not fit a path";
}

}  // namespace

std::string BuildTraceReport(const TraceReportSetup& setup) {
    const ProductRun run(setup.bNtPaths, setup.szProgramDir);

    // As the uninstall wizard sets up its pass; on the 98 line the launcher
    // passes on the folder it runs from.
    const RemovalContext context =
        MakeRemovalContext(run.Folders(""), setup.szProgramDir, LoadResString(IDS_OEM_DEVICE_DESCRIPTION));

    TraceRecorder removal;
    std::string report = std::string(g_Product.szProductName) + ": what the removal would take (nothing was deleted)\r\n";
    report += "Program:   " + ProgramLine(setup.szProgramDir) + "\r\n";
    report += "Date:      " + LocalDateText() + "\r\n";
    report += std::string("OS flag:   ") + (setup.bNtPaths ? "1 (the 2000/XP table set)" : "0 (the 95/98/Me table set)") + "\r\n";
    report += "Installation directory: " + DirectoryLine(context, removal) + "\r\n";

    NoRemovalProgress progress;
    SetupRemoval(context, removal).Run(progress);
    AppendTraceSection(report, "Uninstall: setup's removal pass", removal.Traces());

    // The install's purge runs on the machine as it is, not after a removal.
    TraceRecorder purge;
    PurgeEarlierStillImage(run.Folders(""), purge);
    AppendTraceSection(report, "Install: removal of earlier still-image entries", purge.Traces());
    return report;
}

namespace {

std::string BuildReportOf(const void* setup) { return BuildTraceReport(*static_cast<const TraceReportSetup*>(setup)); }

}  // namespace

int RunTraceReport(const std::string& cmdLine, const TraceReportSetup& setup) {
    return WriteTraceReport(cmdLine, {kCaption, "setup /traces=FILE"}, BuildReportOf, &setup);
}
