#include "common/program_dir.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

bool ProgramDirFromModulePath(const char* modulePath, char (&out)[kPathChars]) {
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    char name[_MAX_FNAME];
    char ext[_MAX_EXT];
    out[0] = '\0';
    if (_splitpath_s(modulePath, drive, sizeof drive, dir, sizeof dir, name, sizeof name,
                     ext, sizeof ext) != 0) {
        return false;
    }
    const std::size_t dirLen = std::strlen(dir);
    if (dirLen > 1) dir[dirLen - 1] = '\0';  // drop the trailing backslash

    PathString result(drive);
    result.Append(dir);
    if (!result.CopyTo(out)) return false;
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
