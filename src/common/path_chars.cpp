#include "common/path_chars.h"

#include <cstring>

namespace {

// The index after the character at i: two bytes for a lead byte that has
// its second byte, one otherwise (as CharNextA steps).
std::size_t NextChar(const std::string& path, std::size_t i, UINT codePage) {
    const bool lead = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(path[i])) != FALSE;
    return lead && i + 1 < path.size() && path[i + 1] != '\0' ? i + 2 : i + 1;
}

}  // namespace

std::size_t FindInPath(const std::string& path, const char* text, std::size_t from, UINT codePage) {
    const std::size_t len = std::strlen(text);
    for (std::size_t i = from; i < path.size(); i = NextChar(path, i, codePage)) {
        if (path.compare(i, len, text) == 0) return i;
    }
    return std::string::npos;
}

std::size_t FindSeparator(const std::string& path, std::size_t from, UINT codePage) {
    return FindInPath(path, "\\", from, codePage);
}

std::size_t FindLastSeparator(const std::string& path, const char* separators, UINT codePage) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); i = NextChar(path, i, codePage)) {
        if (path[i] != '\0' && std::strchr(separators, path[i]) != nullptr) last = i;
    }
    return last;
}

void StripTrailingSeparators(std::string& path, std::size_t keep, UINT codePage) {
    while (path.size() > keep && !path.empty() && FindLastSeparator(path, "\\", codePage) == path.size() - 1) {
        path.pop_back();
    }
}
