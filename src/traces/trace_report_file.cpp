#include "traces/trace_report_file.h"

#include <windows.h>

#include "common/ascii_text.h"
#include "common/text_format.h"
#include "framework/modal_owner.h"

namespace {

constexpr int kReportWritten = 0;
constexpr int kNoFileNamed = 1;
constexpr int kFileNotWritten = 2;

constexpr char kSwitch[] = "/traces";
constexpr std::size_t kKindColumn = 18;

// The command line without leading blanks and an opening quote.
std::string SwitchText(const std::string& cmdLine) {
    std::size_t start = cmdLine.find_first_not_of(" \t");
    if (start == std::string::npos) return std::string();
    if (cmdLine[start] == '"') ++start;
    return cmdLine.substr(start);
}

int Refuse(const TraceReportProgram& program, const std::string& text, int exitCode) {
    AppMessageBox(text.c_str(), program.szCaption, MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
    return exitCode;
}

int RefuseFile(const TraceReportProgram& program, const std::string& path, DWORD error) {
    return Refuse(program, "The trace report could not be written to\n\n" + path + "\n\n" + SystemMessage(error),
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

void AppendTraceSection(std::string& report, const char* heading, const std::vector<Trace>& traces) {
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

int WriteTraceReport(const std::string& cmdLine, const TraceReportProgram& program, std::string (*build)(const void*),
                     const void* data) {
    std::string path;
    if (!TraceReportFile(cmdLine, path)) {
        return Refuse(program, std::string("The trace report needs the file to write to:\n\n") + program.szUsage,
                      kNoFileNamed);
    }
    // A read-only file is refused as Windows refuses it, also where the
    // file system would let its owner write it anyway.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return RefuseFile(program, path, ERROR_ACCESS_DENIED);
    }
    // Opened first, so that a file that cannot be written is said at once.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return RefuseFile(program, path, GetLastError());
    }
    const bool written = WriteWhole(file, Utf8FromAnsi(build(data)));
    const DWORD error = GetLastError();
    const bool closed = CloseHandle(file) != FALSE;
    if (!written || !closed) {
        return RefuseFile(program, path, error);
    }
    return kReportWritten;
}
