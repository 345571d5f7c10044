#include "app/trace_report.h"

#include <windows.h>

#include <vector>

#include "cleanup/removal_pass.h"
#include "common/ascii_text.h"
#include "common/locations.h"
#include "common/product_profile.h"
#include "common/text_format.h"
#include "frame/frame_title.h"
#include "framework/modal_owner.h"
#include "framework/resource_text.h"
#include "resources/setup/resource.h"
#include "stillimage/earlier_still_image.h"
#include "traces/trace_recorder.h"

namespace {

constexpr int kReportWritten = 0;
constexpr int kNoFileNamed = 1;
constexpr int kFileNotWritten = 2;

constexpr char kSwitch[] = "/traces";
constexpr std::size_t kKindColumn = 18;
constexpr const char* kCaption = "Setup";

// The command line without leading blanks and an opening quote.
std::string SwitchText(const std::string& cmdLine) {
    std::size_t start = cmdLine.find_first_not_of(" \t");
    if (start == std::string::npos) return std::string();
    if (cmdLine[start] == '"') ++start;
    return cmdLine.substr(start);
}

class NoProgress : public RemovalProgress {
public:
    void OnFileRowDone(unsigned int) override {}
};

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

void AppendSection(std::string& report, const char* heading, const std::vector<Trace>& traces) {
    char count[32];
    FormatInto(count, ", %u item%s ==\r\n", static_cast<unsigned>(traces.size()), traces.size() == 1 ? "" : "s");
    report += std::string("\r\n== ") + heading + count;
    for (const Trace& trace : traces) {
        std::string kind = TraceKindName(trace.kind);
        kind.resize(kKindColumn > kind.size() ? kKindColumn : kind.size() + 1, ' ');
        report += "  " + kind + trace.strPath;
        if (!trace.strDetail.empty()) report += "  (" + trace.strDetail + ")";
        report += "\r\n";
    }
}

int Refuse(const std::string& text, int exitCode) {
    AppMessageBox(text.c_str(), kCaption, MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
    return exitCode;
}

int RefuseFile(const std::string& path, DWORD error) {
    return Refuse("The trace report could not be written to\n\n" + path + "\n\n" + SystemMessage(error),
                  kFileNotWritten);
}

bool WriteWhole(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace

bool AsksForTraceReport(const std::string& cmdLine) {
    const std::string text = SwitchText(cmdLine);
    const std::size_t len = sizeof kSwitch - 1;
    if (text.size() < len || !EqualsNoCase(text.c_str(), kSwitch, len)) return false;
    return text.size() == len || text[len] == '=' || text[len] == '"' || IsAsciiSpace(text[len]);
}

bool TraceReportFile(const std::string& cmdLine, std::string& file) {
    file.clear();
    if (!AsksForTraceReport(cmdLine)) return false;
    const std::string text = SwitchText(cmdLine);
    const std::size_t equals = sizeof kSwitch - 1;
    if (equals >= text.size() || text[equals] != '=') return false;
    // Quotes only group; no file name holds one.
    for (char c : text.substr(equals + 1)) {
        if (c != '"') file += c;
    }
    const std::size_t first = file.find_first_not_of(" \t");
    const std::size_t last = file.find_last_not_of(" \t");
    file = first == std::string::npos ? std::string() : file.substr(first, last - first + 1);
    return !file.empty();
}

std::string BuildTraceReport(const TraceReportSetup& setup) {
    char windows[kPathChars], system[kPathChars], drivers[kPathChars], inf[kPathChars];
    ReadSystemFolders(windows, system, drivers, inf);

    // As the uninstall wizard sets up its pass; on the 98 line the launcher
    // passes on the folder it runs from.
    RemovalContext context;
    context.szWindowsDir = windows;
    context.szSystemDir = system;
    context.szInfDir = inf;
    context.bNtPaths = setup.bNtPaths;
    context.strSourceDir = setup.szProgramDir;
    context.strDeviceDescription = LoadResString(IDS_OEM_DEVICE_DESCRIPTION);

    TraceRecorder removal;
    std::string report = std::string(g_Product.szProductName) + ": what the removal would take (nothing was deleted)\r\n";
    report += "Program:   " + ProgramLine(setup.szProgramDir) + "\r\n";
    report += "Date:      " + LocalDateText() + "\r\n";
    report += std::string("OS flag:   ") + (setup.bNtPaths ? "1 (the 2000/XP table set)" : "0 (the 95/98/Me table set)") + "\r\n";
    report += "Installation directory: " + DirectoryLine(context, removal) + "\r\n";

    NoProgress progress;
    RunRemovalPass(context, progress, removal);
    AppendSection(report, "Uninstall: setup's removal pass", removal.Traces());

    // The install's purge runs on the machine as it is, not after a removal.
    TraceRecorder purge;
    PurgeEarlierStillImage(FolderSet{windows, system, inf, "", setup.bNtPaths}, purge);
    AppendSection(report, "Install: removal of earlier still-image entries", purge.Traces());
    return report;
}

int RunTraceReport(const std::string& cmdLine, const TraceReportSetup& setup) {
    std::string path;
    if (!TraceReportFile(cmdLine, path)) {
        return Refuse("The trace report needs the file to write to:\n\nsetup /traces=FILE", kNoFileNamed);
    }
    // A read-only file is refused as Windows refuses it, also where the
    // file system would let its owner write it anyway.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return RefuseFile(path, ERROR_ACCESS_DENIED);
    }
    // Opened first, so that a file that cannot be written is said at once.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return RefuseFile(path, GetLastError());
    }
    const bool written = WriteWhole(file, Utf8FromAnsi(BuildTraceReport(setup)));
    const DWORD error = GetLastError();
    const bool closed = CloseHandle(file) != FALSE;
    if (!written || !closed) {
        return RefuseFile(path, error);
    }
    return kReportWritten;
}
