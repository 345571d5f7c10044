#include "common/system_library.h"

#include "common/bounded_string.h"

HMODULE LoadSystemLibrary(const char* name) {
    char systemDir[kPathChars] = "";
    const UINT len = GetSystemDirectoryA(systemDir, sizeof systemDir);
    if (len == 0 || len >= sizeof systemDir) return nullptr;
    char path[kPathChars] = "";
    if (!JoinPath(systemDir, name, path)) return nullptr;
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

namespace {
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
}  // namespace

void RestrictLibrarySearchPath() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr) return;
    using SetDefaultDirsFn = BOOL(WINAPI*)(DWORD);
    using SetDllDirectoryFn = BOOL(WINAPI*)(LPCSTR);
    auto setDefault = ProcAddress<SetDefaultDirsFn>(kernel, "SetDefaultDllDirectories");
    if (setDefault != nullptr) setDefault(kSearchSystem32);
    auto setDllDirectory = ProcAddress<SetDllDirectoryFn>(kernel, "SetDllDirectoryA");
    if (setDllDirectory != nullptr) setDllDirectory("");
}

bool IsNtLine() { return (GetVersion() & 0x80000000) == 0; }

LANGID UserUiLanguage() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    using UiLanguageFn = LANGID(WINAPI*)();
    auto uiLanguage = kernel != nullptr ? ProcAddress<UiLanguageFn>(kernel, "GetUserDefaultUILanguage") : nullptr;
    return uiLanguage != nullptr ? uiLanguage() : GetUserDefaultLangID();
}
