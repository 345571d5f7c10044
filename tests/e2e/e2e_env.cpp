#include "e2e_env.h"

#include <windows.h>
#include <shlobj.h>

#include "temp_tree.h"
#include "wine_settings.h"

std::string CdImageDir() { return EnvironmentPath("VANTRELL_CDIMAGE"); }
std::string HelpersDir() { return EnvironmentPath("VANTRELL_HELPERS"); }
std::string TestDriveRoot() { return EnvironmentPath("VANTRELL_DRIVE") + "\\"; }

std::string WindowsDir() {
    char dir[MAX_PATH] = "";
    GetWindowsDirectoryA(dir, sizeof dir);
    return dir;
}

bool CopyInto(const std::string& source, const std::string& target) {
    const std::size_t slash = target.find_last_of('\\');
    if (slash != std::string::npos) MakeDirs(target.substr(0, slash));
    return CopyFileA(source.c_str(), target.c_str(), FALSE) != 0;
}

HWND StartAndFindFrame(ChildProcess& process, const std::string& commandLine,
                       const std::string& currentDir) {
    if (!process.Start(commandLine, currentDir)) return nullptr;
    return WaitForWindow("Setup", process.Id(), kWindowTimeoutMs);
}

std::string ProgramGroupFolder(const std::string& group) {
    for (int csidl : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
        char programs[MAX_PATH] = "";
        if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, programs))) continue;
        const std::string folder = std::string(programs) + "\\" + group;
        if (DirectoryExists(folder)) return folder;
    }
    return std::string();
}
