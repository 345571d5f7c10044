#include "drvsweep/self_relocation.h"

RelocationPaths MakeRelocationPaths(const std::string& modulePath, const std::string& exeName,
                                    const char* windowsDir) {
    RelocationPaths paths;
    // The backward search stops at the third character: "C:\x.exe" keeps "C:\".
    std::size_t cut = modulePath.size() < 2 ? modulePath.size() : 2;
    for (std::size_t n = modulePath.size(); n > 2; --n) {
        if (modulePath[n - 1] == '\\') {
            cut = n;
            break;
        }
    }
    paths.strSourceDir = modulePath.substr(0, cut);
    paths.strFileName = exeName + ".exe";
    paths.strTempDir = std::string(windowsDir) + "\\Temp";
    return paths;
}

DWORD CopySelfToTemp(const RelocationPaths& paths) {
    // The version installer takes writable buffers.
    std::string name = paths.strFileName;
    std::string sourceDir = paths.strSourceDir;
    std::string tempDir = paths.strTempDir;
    char currentDir[1] = "";
    char tempFile[kPathChars] = "";
    UINT tempChars = sizeof tempFile;
    return VerInstallFileA(VIFF_FORCEINSTALL, &name[0], &name[0], &sourceDir[0], &tempDir[0], currentDir, tempFile,
                           &tempChars);
}

bool BuildTempCopyCommandLine(const RelocationPaths& paths, BoundedString<kPathChars>& out) {
    out = BoundedString<kPathChars>();
    out.Append("\"").Append(paths.strTempDir.c_str()).Append("\\").Append(paths.strFileName.c_str());
    out.Append("\" ").Append(paths.strSourceDir.c_str());
    return out.ok();
}

UINT LaunchTempCopy(const RelocationPaths& paths, BoundedString<kPathChars>& commandLine) {
    if (!BuildTempCopyCommandLine(paths, commandLine)) return 0;
    return WinExec(commandLine.c_str(), SW_HIDE);
}
