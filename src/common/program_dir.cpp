#include "common/program_dir.h"

#include <windows.h>

#include <cstring>

#include "common/path_chars.h"

std::string ModulePathFolder(const char* modulePath) {
    const std::string path(modulePath);
    const std::size_t last = FindLastSeparator(path, "\\/");
    if (last != std::string::npos) return path.substr(0, last + 1);
    return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string();
}

bool ProgramDirFromModulePath(const char* modulePath, char (&out)[kPathChars]) {
    out[0] = '\0';
    std::string folder = ModulePathFolder(modulePath);
    // The folder ends at its separator, when it has one.
    if (folder.size() > 1 && FindLastSeparator(folder, "\\/") == folder.size() - 1) folder.pop_back();
    if (!BoundedString<kPathChars>(folder.c_str()).CopyTo(out)) return false;
    if (std::strlen(out) == 3) out[2] = '\0';  // "E:\" becomes "E:"
    return true;
}

bool GetProgramDir(char (&out)[kPathChars]) {
    const std::string modulePath = ModulePath();
    if (modulePath.empty()) {
        out[0] = '\0';
        return false;
    }
    return ProgramDirFromModulePath(modulePath.c_str(), out);
}

std::string ModulePath() {
    char path[kPathChars] = "";
    const DWORD len = GetModuleFileNameA(nullptr, path, sizeof path);
    return (len > 0 && len < sizeof path) ? std::string(path) : std::string();
}
