#include "install/copy_engine.h"

#include <cstring>
#include <vector>

#include "common/bounded_string.h"
#include "common/path_chars.h"
#include "traces/run_log.h"

namespace {

// One result bit and what it means for the user. Every one of these means
// the file did not land where it belongs.
struct ResultText {
    DWORD bit;
    const char* text;  // "%T" stands for the target file, "%S" for the source
};

const ResultText kResultTexts[] = {
    {VIF_FILEINUSE, "File %T in use."},
    {VIF_OUTOFSPACE, "Out of disk space."},
    {VIF_ACCESSVIOLATION, "Cannot install file %T: access denied."},
    {VIF_WRITEPROT, "Cannot install file %T: the file is write-protected."},
    {VIF_SHARINGVIOLATION, "File %T sharing violation."},
    {VIF_OUTOFMEMORY, "Out of memory."},
    {VIF_CANNOTREADSRC, "Cannot read source file %S."},
    {VIF_CANNOTCREATE, "Cannot install file %T: the file cannot be created."},
    {VIF_CANNOTDELETE, "Cannot install file %T: the existing file cannot be deleted."},
    {VIF_CANNOTRENAME, "Cannot install file %T: the new file cannot be put in place."},
    {VIF_CANNOTREADDST, "Cannot install file %T: the existing file cannot be read."},
    {VIF_BUFFTOOSMALL, "Cannot install file %T: the path is too long."},
    {VIF_CANNOTLOADLZ32, "Cannot install file %T: the decompression library cannot be loaded."},
};

std::string Expand(const char* text, const std::string& target, const std::string& source) {
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 'T') {
            out += target;
            ++p;
        } else if (p[0] == '%' && p[1] == 'S') {
            out += source;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

// The LZ (SZDD) header of a compressed source: magic, method, last name
// character, expanded size.
constexpr std::size_t kLzHeaderSize = 14;
const char kLzMagic[] = "SZDD\x88\xF0\x27\x33";

enum class CompressedSource { NotCompressed, Missing, Valid, Broken };

// A source whose name ends in '_' must carry the header; the service would
// otherwise copy a damaged file as it is and call it installed.
CompressedSource InspectCompressedSource(const std::string& path, const char* name, DWORD& expandedSize) {
    const std::size_t len = std::strlen(name);
    if (len == 0 || name[len - 1] != '_') return CompressedSource::NotCompressed;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return CompressedSource::Missing;
    unsigned char header[kLzHeaderSize] = {};
    DWORD got = 0;
    const BOOL read = ReadFile(file, header, sizeof header, &got, nullptr);
    CloseHandle(file);
    if (!read || got != sizeof header || std::memcmp(header, kLzMagic, 8) != 0 || header[8] != 'A') {
        return CompressedSource::Broken;
    }
    expandedSize = header[10] | (header[11] << 8) | (header[12] << 16) | (static_cast<DWORD>(header[13]) << 24);
    return CompressedSource::Valid;
}

// Installs one row; a compressed source that is damaged, or whose expansion
// came out short, reads as an unreadable source, and its broken output is removed.
DWORD InstallRow(const CopyJob& job, const FileEntry& row, const std::string& sourceDir, char* folder,
                 char (&tempFile)[kPathChars]) {
    DWORD expandedSize = 0;
    const CompressedSource compressed =
        InspectCompressedSource(sourceDir + "\\" + row.szSourceName, row.szSourceName, expandedSize);
    if (compressed == CompressedSource::Broken) return VIF_CANNOTREADSRC;

    UINT tempLength = sizeof tempFile;
    // The folder of an older copy, as VerFindFile would give it: none. The
    // 9x version library takes it as a string and may not check for null.
    char currentDir[kPathChars] = "";
    // The service only reads the names.
    const DWORD result = job.installFile(
        VIFF_FORCEINSTALL, const_cast<char*>(row.szSourceName), const_cast<char*>(row.szTargetName),
        const_cast<char*>(sourceDir.c_str()), folder, currentDir, tempFile, &tempLength);
    if (compressed != CompressedSource::Valid || DecisiveResultBit(result) != 0) return result;

    const std::string target = std::string(folder) + "\\" + row.szTargetName;
    if (GetSourceFileSize(target.c_str()) == expandedSize) return result;
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(target.c_str());
    return result | VIF_CANNOTREADSRC;
}

void RemoveTempFile(const char* targetDir, const char* tempFile) {
    char path[kPathChars];
    if (tempFile[0] != '\0' && JoinPath(targetDir, tempFile, path)) {
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path);
    }
}

// The version installer expands each row into a temporary file of its own
// in the target folder ("ver" + number + ".tmp", from GetTempFileName).
// When the copy fails part way (a full disk) it leaves that file there and
// does not name it, so the disk would stay full whatever the user answers.
// The service's names present before an attempt are noted; after a failed
// attempt those that came since are deleted, and a file of that kind that
// someone else had left there stays.
class ServiceTempFiles {
public:
    // An empty folder would make the pattern name the current drive's root,
    // where the service does not write: nothing is noted, nothing deleted.
    explicit ServiceTempFiles(const char* folder) : m_szFolder(folder) {
        m_bKnown = folder[0] != '\0' && JoinPath(folder, "ver*.tmp", m_szPattern) && List(m_before);
    }

    void RemoveNew() const {
        std::vector<std::string> after;
        // Without a complete list before, nothing is known to be ours.
        if (!m_bKnown || !List(after)) return;
        for (const std::string& name : after) {
            char path[kPathChars];
            // A file that cannot be deleted stays: there is nothing else to do with it.
            if (!WasThere(name) && JoinPath(m_szFolder, name.c_str(), path)) DeleteFileA(path);
        }
    }

private:
    // The pattern also matches short names of longer ones: only the
    // service's own form counts.
    static bool IsServiceName(const char* name) {
        const std::size_t len = std::strlen(name);
        return len > 7 && lstrcmpiA(std::string(name, 3).c_str(), "ver") == 0 && lstrcmpiA(name + len - 4, ".tmp") == 0;
    }

    bool WasThere(const std::string& name) const {
        for (const std::string& before : m_before) {
            if (lstrcmpiA(before.c_str(), name.c_str()) == 0) return true;
        }
        return false;
    }

    // The service's files in the folder; false when the list may be incomplete.
    bool List(std::vector<std::string>& names) const {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(m_szPattern, &found);
        if (search == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES || error == ERROR_PATH_NOT_FOUND;
        }
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsServiceName(found.cFileName)) {
                names.push_back(found.cFileName);
            }
        } while (FindNextFileA(search, &found));
        const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
        FindClose(search);
        return complete;
    }

    const char* m_szFolder;
    char m_szPattern[kPathChars];
    bool m_bKnown;
    std::vector<std::string> m_before;
};

}  // namespace

void MakeFolderLevels(std::size_t base, const char* folder) {
    const std::string path(folder);
    for (std::size_t at = FindSeparator(path, base + 1);; at = FindSeparator(path, at + 1)) {
        const std::string level = path.substr(0, at);
        if (!SetCurrentDirectoryA(level.c_str())) {
            const bool made = CreateDirectoryA(level.c_str(), nullptr) != FALSE;
            LogInstalled(TraceKind::Directory, level.c_str(), nullptr, made, GetLastError());
        }
        if (at == std::string::npos) break;
    }
}

DWORD GetSourceFileSize(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    const DWORD size = GetFileSize(file, nullptr);
    CloseHandle(file);
    return size == INVALID_FILE_SIZE ? 0 : size;
}

DWORD DecisiveResultBit(DWORD result) {
    for (const ResultText& entry : kResultTexts) {
        if (result & entry.bit) return entry.bit;
    }
    return 0;
}

std::string InstallErrorText(DWORD result, const std::string& targetPath, const std::string& sourcePath) {
    for (const ResultText& entry : kResultTexts) {
        if (result & entry.bit) return Expand(entry.text, targetPath, sourcePath);
    }
    return std::string();
}

namespace {

enum class RowOutcome { Copied, Passed, Cancelled };

// One row, from the source folder as it is (the next-disk prompt may move
// it), until it is copied, passed over or the user ends the copy; size: the
// source's bytes as the last try found them.
RowOutcome CopyRow(const CopyJob& job, int i, std::string& sourceDir, char (&folder)[kPathChars],
                   CopyObserver& observer, DWORD& size) {
    const FileEntry& row = job.table[i];
    const std::string target = std::string(folder) + "\\" + row.szTargetName;
    for (;;) {
        const std::string source = sourceDir + "\\" + row.szSourceName;
        size = GetSourceFileSize(source.c_str());
        char tempFile[kPathChars] = "";
        const ServiceTempFiles serviceTempFiles(folder);
        const DWORD result = InstallRow(job, row, sourceDir, folder, tempFile);
        const DWORD decisive = DecisiveResultBit(result);
        if (decisive == 0) {
            LogInstalled(TraceKind::File, target.c_str(), nullptr, true, 0);
            return RowOutcome::Copied;
        }
        const std::string failure = "failed: " + InstallErrorText(result, target, source);
        RemoveTempFile(folder, tempFile);
        serviceTempFiles.RemoveNew();
        // Only the second-to-last row can be on the next disk.
        if (decisive == VIF_CANNOTREADSRC && i == job.rowCount - 2) {
            if (observer.OnNextDisk(sourceDir) != NextDiskAnswer::ExitSetup) continue;  // the same row again
            LogItem(TraceKind::File, target.c_str(), nullptr, failure.c_str());
            return RowOutcome::Cancelled;
        }
        const ErrorAnswer answer = observer.OnError(failure.substr(8));
        if (answer == ErrorAnswer::Retry) continue;
        LogItem(TraceKind::File, target.c_str(), nullptr, failure.c_str());
        return answer == ErrorAnswer::Abort ? RowOutcome::Cancelled : RowOutcome::Passed;
    }
}

}  // namespace

bool CopyFiles(const CopyJob& job, CopyObserver& observer) {
    std::string sourceDir = job.sourceDir;
    char folder[kPathChars] = "";
    DWORD copiedBytes = 0;

    for (int i = 0; i < job.rowCount; ++i) {
        const FileEntry& row = job.table[i];
        if (std::strcmp(row.szItemTitle, kDoNotCopy) == 0) continue;

        const LocationResult where = ResolveLocation(LocationPass::Copy, row.nLocation, job.folders, folder);
        if (where == LocationResult::TooLong) continue;
        if (where == LocationResult::Resolved &&
            (row.nLocation == LOC_TWAIN || row.nLocation == LOC_TWAIN_VN || row.nLocation == LOC_TWAIN_CA561A)) {
            MakeFolderLevels(std::strlen(job.folders.szWindowsDir), folder);
        }
        observer.OnRow(job.fromCaption + " " + sourceDir + "\\" + (row.bShowSourceName ? row.szSourceName : ""),
                       job.toCaption + " " + folder + "\\" + row.szTargetName);
        // A row passed over with Ignore counts as copied.
        DWORD size = 0;
        if (CopyRow(job, i, sourceDir, folder, observer, size) == RowOutcome::Cancelled) return false;
        copiedBytes += size;
        // copied * 100 / total, without the 64-bit product: total is a
        // whole number of hundreds.
        static_assert(g_dwCopyTotalBytes % 100 == 0, "the percentage divides by total / 100");
        observer.OnProgress(copiedBytes, static_cast<unsigned int>(copiedBytes / (g_dwCopyTotalBytes / 100)));
    }
    return true;
}
