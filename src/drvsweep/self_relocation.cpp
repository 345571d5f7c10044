#include "drvsweep/self_relocation.h"

#include <algorithm>
#include <vector>

#include "common/file_copy.h"
#include "common/path_chars.h"
#include "common/version_library.h"

RelocationPaths MakeRelocationPaths(const std::string& modulePath, const std::string& exeName,
                                    const char* windowsDir) {
    RelocationPaths paths;
    // Up to the last backslash at the third character or later:
    // "C:\x.exe" keeps "C:\"; without one, the first two characters.
    const std::size_t last = FindLastSeparator(modulePath);
    const std::size_t cut =
        last != std::string::npos && last >= 2 ? last + 1 : std::min<std::size_t>(modulePath.size(), 2);
    paths.strSourceDir = modulePath.substr(0, cut);
    paths.strFileName = exeName + ".exe";
    paths.strTempDir = std::string(windowsDir) + "\\Temp";
    return paths;
}

bool RunsFromTempFolder(const RelocationPaths& paths) {
    return lstrcmpiA(paths.strSourceDir.c_str(), (paths.strTempDir + "\\").c_str()) == 0;
}

DWORD CopySelfToTemp(const RelocationPaths& paths) {
    // The version installer takes writable buffers.
    std::string name = paths.strFileName;
    std::string sourceDir = paths.strSourceDir;
    std::string tempDir = paths.strTempDir;
    char currentDir[kPathChars] = "";  // where an older copy lies: nowhere yet
    char tempFile[kPathChars] = "";
    UINT tempChars = sizeof tempFile;
    return InstallFileVersion(VIFF_FORCEINSTALL, &name[0], &name[0], &sourceDir[0], &tempDir[0], currentDir, tempFile,
                           &tempChars);
}

bool BuildTempCopyCommandLine(const RelocationPaths& paths, BoundedString<kPathChars>& out) {
    out = BoundedString<kPathChars>();
    out.Append("\"").Append(paths.strTempDir.c_str()).Append("\\").Append(paths.strFileName.c_str());
    out.Append("\" ").Append(paths.strSourceDir.c_str());
    return out.ok();
}

namespace {

// The version installer's failure bits, each with the system error that
// tells a user why; VIF_TEMPFILE means the new file was left under a
// temporary name beside an old one that could not be replaced.
struct InstallFailure {
    DWORD bit;
    DWORD error;
};
const InstallFailure kInstallFailures[] = {
    {VIF_WRITEPROT, ERROR_ACCESS_DENIED},
    {VIF_FILEINUSE, ERROR_SHARING_VIOLATION},
    {VIF_OUTOFSPACE, ERROR_DISK_FULL},
    {VIF_ACCESSVIOLATION, ERROR_ACCESS_DENIED},
    {VIF_SHARINGVIOLATION, ERROR_SHARING_VIOLATION},
    {VIF_CANNOTCREATE, ERROR_CANNOT_MAKE},
    {VIF_CANNOTDELETE, ERROR_ACCESS_DENIED},
    {VIF_CANNOTRENAME, ERROR_ACCESS_DENIED},
    {VIF_CANNOTDELETECUR, ERROR_ACCESS_DENIED},
    {VIF_OUTOFMEMORY, ERROR_NOT_ENOUGH_MEMORY},
    {VIF_CANNOTREADSRC, ERROR_READ_FAULT},
    {VIF_CANNOTREADDST, ERROR_READ_FAULT},
    {VIF_BUFFTOOSMALL, ERROR_FILENAME_EXCED_RANGE},
    {VIF_CANNOTLOADLZ32, ERROR_MOD_NOT_FOUND},
    {VIF_CANNOTLOADCABINET, ERROR_MOD_NOT_FOUND},
    {VIF_TEMPFILE, ERROR_ACCESS_DENIED},
};

// A file opened for reading; share names what others may do meanwhile.
HANDLE OpenForReading(const char* path, DWORD share) {
    return CreateFileA(path, GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The fresh Temp copy, reading shared. An on-access virus scanner may hold
// it for a moment after the copy, so a sharing or lock violation is waited
// out for about two seconds; the last error stays the open's.
HANDLE OpenTempCopy(const char* path) {
    constexpr int kAttempts = 20;
    constexpr DWORD kPauseMs = 100;
    for (int attempt = 1;; ++attempt) {
        const HANDLE file = OpenForReading(path, FILE_SHARE_READ);
        if (file != INVALID_HANDLE_VALUE) return file;
        const DWORD error = GetLastError();
        if (attempt == kAttempts || (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION)) {
            return INVALID_HANDLE_VALUE;
        }
        Sleep(kPauseMs);
    }
}

}  // namespace

DWORD InstallResultError(DWORD installResult) {
    for (const InstallFailure& failure : kInstallFailures) {
        if ((installResult & failure.bit) != 0) return failure.error;
    }
    return 0;
}

bool LaunchTempCopy(const RelocationPaths& paths, DWORD installResult, const char* modulePath, const char* options,
                    BoundedString<kPathChars>& commandLine, HANDLE* process, DWORD& reason) {
    reason = InstallResultError(installResult);
    if (reason != 0) return false;
    if (!BuildTempCopyCommandLine(paths, commandLine)) {
        reason = ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    PathString copyPath(paths.strTempDir.c_str());
    copyPath.AppendName(paths.strFileName.c_str());
    // Held with reading shared only until the copy has started: it cannot
    // be replaced between the comparison and the start.
    FileHandle copy(copyPath.ok() ? OpenTempCopy(copyPath.c_str()) : INVALID_HANDLE_VALUE);
    if (!copyPath.ok() || !copy.IsOpen()) {
        reason = copyPath.ok() ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    // No FILE_SHARE_DELETE: Windows 95/98/Me refuse the whole call for it.
    FileHandle self(OpenForReading(modulePath, FILE_SHARE_READ | FILE_SHARE_WRITE));
    if (!self.IsOpen()) {
        reason = GetLastError();
        return false;
    }
    // Not this program: something else sits there under its name.
    if (!SameContents(copy.Get(), self.Get())) {
        reason = ERROR_FILE_EXISTS;
        return false;
    }
    // The program is named, not searched for; the options go before the
    // folder, which takes the rest of the line.
    std::string line = commandLine.c_str();
    if (options[0] != '\0') line.insert(line.find('"', 1) + 1, std::string(" ") + options);
    std::vector<char> writable(line.begin(), line.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started = {};
    // A caller that waits (process) hands the copy the handles its options name.
    if (!CreateProcessA(copyPath.c_str(), writable.data(), nullptr, nullptr, process != nullptr, 0, nullptr, nullptr,
                        &startup, &started)) {
        reason = GetLastError();
        return false;
    }
    CloseHandle(started.hThread);
    if (process != nullptr) {
        *process = started.hProcess;
    } else {
        CloseHandle(started.hProcess);
    }
    return true;
}
