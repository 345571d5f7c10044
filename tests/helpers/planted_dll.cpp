// Test stand-in for a DLL that someone placed beside a program, under the
// name of a library the program uses: when any process loads it, it appends
// the loading program's path to the file named by VANTRELL_RECORD.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char path[MAX_PATH] = "";
    const DWORD len = GetEnvironmentVariableA("VANTRELL_RECORD", path, sizeof path);
    if (len == 0 || len >= sizeof path) return TRUE;
    char program[MAX_PATH] = "";
    const DWORD programLen = GetModuleFileNameA(nullptr, program, sizeof program);
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return TRUE;
    DWORD wrote = 0;
    WriteFile(file, "loaded by ", 10, &wrote, nullptr);
    WriteFile(file, program, programLen, &wrote, nullptr);
    WriteFile(file, "\n", 1, &wrote, nullptr);
    CloseHandle(file);
    return TRUE;
}
