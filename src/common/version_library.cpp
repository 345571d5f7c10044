#include "common/version_library.h"

#include "common/system_library.h"

namespace {

// Loaded once, on first use, and kept for the life of the process.
HMODULE VersionLibrary() {
    static const HMODULE module = LoadSystemLibrary("version.dll");
    return module;
}

template <typename Fn>
Fn VersionEntry(const char* name) {
    HMODULE module = VersionLibrary();
    return module != nullptr ? ProcAddress<Fn>(module, name) : nullptr;
}

}  // namespace

DWORD APIENTRY InstallFileVersion(DWORD flags, LPSTR sourceName, LPSTR targetName, LPSTR sourceDir,
                                  LPSTR targetDir, LPSTR currentDir, LPSTR tempFile, PUINT tempFileLength) {
    using Fn = DWORD(APIENTRY*)(DWORD, LPSTR, LPSTR, LPSTR, LPSTR, LPSTR, LPSTR, PUINT);
    static const Fn install = VersionEntry<Fn>("VerInstallFileA");
    if (install == nullptr) return VIF_CANNOTLOADLZ32;
    return install(flags, sourceName, targetName, sourceDir, targetDir, currentDir, tempFile, tempFileLength);
}

DWORD FileVersionInfoSize(const char* path, DWORD* handle) {
    using Fn = DWORD(APIENTRY*)(LPCSTR, LPDWORD);
    static const Fn size = VersionEntry<Fn>("GetFileVersionInfoSizeA");
    return size != nullptr ? size(path, handle) : 0;
}

BOOL FileVersionInfo(const char* path, DWORD size, void* data) {
    using Fn = BOOL(APIENTRY*)(LPCSTR, DWORD, DWORD, LPVOID);
    static const Fn info = VersionEntry<Fn>("GetFileVersionInfoA");
    return info != nullptr ? info(path, 0, size, data) : FALSE;
}

BOOL QueryVersionValue(const void* block, const char* subBlock, void** value, UINT* valueLength) {
    using Fn = BOOL(APIENTRY*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
    static const Fn query = VersionEntry<Fn>("VerQueryValueA");
    return query != nullptr ? query(block, subBlock, value, valueLength) : FALSE;
}
