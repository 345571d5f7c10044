#include "common/product_folder.h"

#include <windows.h>

#include "common/ascii_text.h"
#include "common/bounded_string.h"
#include "common/path_chars.h"

namespace {

bool IsDrivePath(const std::string& path) {
    return path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' &&
           (path[2] == '\\' || path[2] == '/');
}

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
    if (!IsDrivePath(dir) || dir.size() >= kPathChars) return std::string();
    char full[kPathChars];
    const DWORD len = GetFullPathNameA(SingleSeparators(dir).c_str(), kPathChars, full, nullptr);
    if (len == 0 || len >= kPathChars) return std::string();
    std::string folder = SingleSeparators(std::string(full, len));
    StripTrailingSeparators(folder);
    if (folder.size() <= 2 || !IsDrivePath(folder)) return std::string();  // a drive root
    if (IsSameOrAbove(folder, windowsDir) || IsSameOrAbove(folder, systemDir)) return std::string();
    return folder;
}
