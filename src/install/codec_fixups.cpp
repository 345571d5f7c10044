#include "install/codec_fixups.h"

#include <windows.h>

#include "common/bounded_string.h"
#include "traces/run_log.h"

void InstallEncoderSecondName(const char* systemDir) {
    char source[kPathChars];
    char target[kPathChars];
    if (!JoinPath(systemDir, "h2_enc.dll", source) || !JoinPath(systemDir, "hmpv2_enc.dll", target)) {
        return;
    }
    // The command interpreter's copy cannot be started as a program; the
    // platform's copy overwrites the second name just the same.
    const bool done = MoveFileA(source, target) || CopyFileA(source, target, FALSE);
    // Without the encoder (the companion software brings it) there is nothing to do.
    const DWORD error = GetLastError();
    if (done || error != ERROR_FILE_NOT_FOUND) LogInstalled(TraceKind::File, target, nullptr, done, error);
}

std::string CaptureFilterCommandLine(const char* systemDir) {
    BoundedString<kPathChars * 2> line("\"");
    line.Append(systemDir).Append("\\regsvr32\" -s \"").Append(systemDir).Append("\\htm1_rec.ax\"");
    return line.ok() ? std::string(line.c_str()) : std::string();
}

void RegisterCaptureFilter(const char* systemDir) {
    const std::string line = CaptureFilterCommandLine(systemDir);
    if (line.empty()) return;
    const UINT started = WinExec(line.c_str(), SW_HIDE);
    // WinExec answers a system error code below 32 (0: out of memory).
    LogOutcome(TraceKind::Program, line.c_str(), nullptr, started > 31, started, "started");
}
