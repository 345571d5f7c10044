// The entry point every program of the product shares, in place of the C
// runtime's start-up code (about 10 KB of each program): msvcrt.dll sets
// itself up when it loads, so a program only needs its static objects built
// (the program's own part is its static application object), its command
// line, and exit() to run their destructors and flush the runtime.
#include <cstdlib>

#include "framework/win_app.h"

extern "C" void __main();  // the compiler support library: static constructors

namespace {

// What follows the program's name on its command line, as the runtime's
// start-up code hands it to WinMain. Bytes are compared unsigned, so a
// double-byte name without quotes is still passed over whole.
const char* ArgumentsOf(const char* line) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(line);
    bool quoted = false;
    while (*p > ' ' || (*p != 0 && quoted)) {
        if (*p == '"') quoted = !quoted;
        ++p;
    }
    while (*p != 0 && *p <= ' ') ++p;
    return reinterpret_cast<const char*>(p);
}

}  // namespace

// Static objects register their destructors here. The runtime's own atexit
// belongs to the start-up code left out; msvcrt.dll's _onexit keeps the same
// list that exit() runs.
extern "C" int atexit(void (*handler)()) {
    return _onexit(reinterpret_cast<_onexit_t>(handler)) != nullptr ? 0 : -1;
}

// The system calls it with the stack aligned to 4 bytes only.
extern "C" __attribute__((force_align_arg_pointer)) void WINAPI ProgramEntry() {
    __main();
    const char* line = GetCommandLineA();
    std::exit(RunApplication(GetModuleHandleA(nullptr), ArgumentsOf(line != nullptr ? line : "")));
}
