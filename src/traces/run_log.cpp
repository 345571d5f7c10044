#include "traces/run_log.h"

#include <string>

#include "common/bounded_string.h"
#include "common/product_profile.h"
#include "common/reg_key.h"
#include "common/text_format.h"
#include "progman/program_group.h"

namespace {

// Longer than any item line: two paths and a reason.
constexpr std::size_t kLineChars = 2048;

HANDLE g_hLog = INVALID_HANDLE_VALUE;

bool Write(const char* ansi) {
    const std::string text = Utf8FromAnsi(ansi);
    DWORD written = 0;
    return WriteFile(g_hLog, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size() && WriteFile(g_hLog, "\r\n", 2, &written, nullptr) && written == 2;
}

bool Absent(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

void LogKey(HKEY root, const char* key, const char* valueName, bool done, DWORD error, const char* doneWord) {
    char name[kLineChars];
    FormatInto(name, "%s\\%s", RegistryRootName(root), key);
    LogOutcome(valueName != nullptr ? TraceKind::RegistryValue : TraceKind::RegistryKey, name,
               valueName != nullptr && valueName[0] == '\0' ? "default" : valueName, done, error, doneWord);
}

}  // namespace

bool OpenRunLog(const char* path, bool append, const char* what, const char* options, DWORD& error) {
    // Others may read it while the run goes on; no one may write it.
    g_hLog = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_hLog == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return false;
    }
    char heading[kLineChars];
    FormatInto(heading, "%s: %s\r\nOptions:   %s\r\nDate:      %s\r\n", g_Product.szProductName, what, options,
               LocalDateText().c_str());
    if ((append && SetFilePointer(g_hLog, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER) || !Write(heading)) {
        error = GetLastError();
        CloseHandle(g_hLog);
        g_hLog = INVALID_HANDLE_VALUE;
        return false;
    }
    return true;
}

bool RunLogActive() { return g_hLog != INVALID_HANDLE_VALUE; }

void LogText(const char* line) {
    // A line that cannot be written is lost; the work goes on either way.
    if (RunLogActive()) Write(line);
}

void LogItem(TraceKind kind, const char* path, const char* detail, const char* outcome) {
    if (!RunLogActive()) return;
    const bool hasDetail = detail != nullptr && detail[0] != '\0';
    char line[kLineChars];
    FormatInto(line, "  %-17s %s%s%s%s  %s", TraceKindName(kind), path, hasDetail ? "  (" : "", hasDetail ? detail : "",
               hasDetail ? ")" : "", outcome);
    LogText(line);
}

void LogOutcome(TraceKind kind, const char* path, const char* detail, bool done, DWORD error, const char* doneWord) {
    if (!RunLogActive()) return;
    // The system's reason, on the item's line.
    char reason[kLineChars / 2] = "";
    if (!done) {
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                       nullptr, error, 0, reason, sizeof reason, nullptr);
    }
    char failure[kLineChars];
    FormatInto(failure, "failed: %s(error %lu)", reason, static_cast<unsigned long>(error));
    LogItem(kind, path, detail, done ? doneWord : failure);
}

void LogInstalled(TraceKind kind, const char* path, const char* detail, bool done, DWORD error) {
    LogOutcome(kind, path, detail, done, error, "installed");
}

void LogRemoved(TraceKind kind, const char* path, const char* detail, bool done, DWORD error) {
    if (done || !Absent(error)) LogOutcome(kind, path, detail, done, error, "removed");
}

void LogKeyInstalled(HKEY root, const char* key, const char* valueName, bool done, DWORD error) {
    if (RunLogActive()) LogKey(root, key, valueName, done, error, "installed");
}

void LogKeyRemoved(HKEY root, const char* key, const char* valueName, bool done, DWORD error) {
    if (RunLogActive() && (done || !Absent(error))) LogKey(root, key, valueName, done, error, "removed");
}

bool GroupListedForLog(const char* groupName, DWORD timeoutMs) {
    return RunLogActive() && ProgramGroupExists(groupName, timeoutMs);
}

void LogGroupRemoved(const char* groupName, DWORD timeoutMs) {
    // The program manager answers nothing: what it lists tells.
    LogRemoved(TraceKind::ProgramGroup, groupName, nullptr, !ProgramGroupExists(groupName, timeoutMs), ERROR_GEN_FAILURE);
}

void ReleaseRunLog() {
    if (RunLogActive()) CloseHandle(g_hLog);
    g_hLog = INVALID_HANDLE_VALUE;
}

void CloseRunLog(int exitCode) {
    if (!RunLogActive()) return;
    char line[32];
    FormatInto(line, "Exit code: %d", exitCode);
    LogText(line);
    CloseHandle(g_hLog);
    g_hLog = INVALID_HANDLE_VALUE;
}
