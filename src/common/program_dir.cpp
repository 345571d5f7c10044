#include "common/program_dir.h"

#include <windows.h>

#include <cstring>

std::string ModulePathFolder(const char* modulePath) {
    const char* end = modulePath;
    if (modulePath[0] != '\0' && modulePath[1] == ':') end = modulePath + 2;
    for (const char* p = modulePath; *p != '\0'; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/') end = p + 1;
    }
    return std::string(modulePath, end);
}

bool ProgramDirFromModulePath(const char* modulePath, char (&out)[kPathChars]) {
    out[0] = '\0';
    std::string folder = ModulePathFolder(modulePath);
    if (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) {
        folder.pop_back();  // drop the trailing backslash
    }
    if (!BoundedString<kPathChars>(folder.c_str()).CopyTo(out)) return false;
    if (std::strlen(out) == 3) out[2] = '\0';  // "E:\" becomes "E:"
    return true;
}

bool GetProgramDir(char (&out)[kPathChars]) {
    char modulePath[kPathChars];
    const DWORD len = GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    if (len == 0 || len >= sizeof modulePath) {
        out[0] = '\0';
        return false;
    }
    return ProgramDirFromModulePath(modulePath, out);
}
