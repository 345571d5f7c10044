// Test stand-in for a program that another program starts: it appends its
// command line (everything after the program name), one line per start, to
// the file named by the environment variable VANTRELL_RECORD, and ends.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int) {
    char path[MAX_PATH] = "";
    const DWORD len = GetEnvironmentVariableA("VANTRELL_RECORD", path, sizeof path);
    if (len == 0 || len >= sizeof path) return 2;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    DWORD wrote = 0;
    WriteFile(file, lpCmdLine, static_cast<DWORD>(std::strlen(lpCmdLine)), &wrote, nullptr);
    WriteFile(file, "\n", 1, &wrote, nullptr);
    CloseHandle(file);
    return 0;
}
