#include "product/product_folder.h"

#include <windows.h>

#include <vector>

#include "common/ascii_text.h"
#include "common/bounded_string.h"
#include "common/path_chars.h"
#include "common/product_profile.h"
#include "traces/run_log.h"

const char kInstallLocationValue[] = "InstallLocation";

namespace {

constexpr const char* kDestIni = "vantrell.ini";  // in the Windows directory
constexpr DWORD kFirstReadChars = 64;
// Far beyond any usable path: a value that still fills this buffer is
// over-long anyway.
constexpr DWORD kLastReadChars = 4096;

// Backslashes only, one between names ("/" is never a second byte in the
// double-byte code pages, so it is replaced byte by byte).
std::string SingleSeparators(std::string path) {
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    std::string result;
    std::size_t start = 0;
    for (std::size_t sep; (sep = FindSeparator(path, start)) != std::string::npos; start = sep + 1) {
        if (sep > start || result.empty()) result += path.substr(start, sep - start) + "\\";
    }
    return result + path.substr(start);
}

// The same folder, or one that holds it: case-insensitive, whole names.
bool IsSameOrAbove(const std::string& folder, const char* other) {
    if (other == nullptr || other[0] == '\0') return false;
    std::string below = other;
    StripTrailingSeparators(below);
    if (below.size() < folder.size()) return false;
    if (lstrcmpiA(below.substr(0, folder.size()).c_str(), folder.c_str()) != 0) return false;
    return below.size() == folder.size() || below[folder.size()] == '\\';
}

}  // namespace

std::string UsableProductFolder(const std::string& dir, const char* windowsDir, const char* systemDir) {
    const std::string single = SingleSeparators(dir);
    if (!IsDrivePath(single.c_str()) || dir.size() >= kPathChars) return std::string();
    char full[kPathChars];
    const DWORD len = GetFullPathNameA(single.c_str(), kPathChars, full, nullptr);
    if (len == 0 || len >= kPathChars) return std::string();
    std::string folder = SingleSeparators(std::string(full, len));
    StripTrailingSeparators(folder);
    if (folder.size() <= 2 || !IsDrivePath(folder.c_str())) return std::string();  // a drive root
    if (IsSameOrAbove(folder, windowsDir) || IsSameOrAbove(folder, systemDir)) return std::string();
    return folder;
}

ProductFolder::ProductFolder(const char* windowsDir) : m_strPath(std::string("C:\\") + g_Product.szProductName) {
    if (windowsDir != nullptr && windowsDir[0] != '\0') m_strPath[0] = windowsDir[0];
}

void ProductFolder::RecordDestPath(int bNtPaths) const {
    if (!bNtPaths || m_strPath.empty() || m_strPath.size() >= kPathChars) return;
    const bool done = WritePrivateProfileStringA("DestPath", "DestPath", m_strPath.c_str(), kDestIni) != FALSE;
    LogInstalled(TraceKind::ProfileEntry, kDestIni, "DestPath", done, GetLastError());
}

std::string RecordedDestPath(RemovalSink& sink) {
    for (DWORD chars = kFirstReadChars; chars <= kLastReadChars; chars *= 2) {
        std::vector<char> buffer(chars, '\0');
        const DWORD got = sink.ReadProfileText("DestPath", "DestPath", "", buffer.data(), chars, kDestIni);
        // A value that fills the buffer to its last character may be cut.
        if (got + 1 < chars) return std::string(buffer.data(), got);
    }
    return std::string();
}

std::string RecordedInstallLocation(const char* windowsDir, const char* systemDir, RemovalSink& sink) {
    SinkKey entry(sink);
    if (!entry.Open(HKEY_LOCAL_MACHINE, kUninstallEntryKey, KEY_READ)) return std::string();
    char location[kPathChars] = "";
    DWORD size = sizeof location - 1;  // one spare byte keeps it terminated
    if (entry.Query(kInstallLocationValue, location, &size) != ERROR_SUCCESS) return std::string();
    return UsableProductFolder(location, windowsDir, systemDir);
}
