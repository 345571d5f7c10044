// The entry point every program of the product shares, in place of the C
// runtime's start-up code (about 10 KB of each program): a program only
// needs its static objects built (the program's own part is its static
// application object), its command line, and exit() to run their
// destructors (framework/c_library.cpp).
#include <cstdlib>

#include "framework/win_app.h"

// The linker lists the static constructors and the destructor functions
// between these markers: a -1 (a whole pointer), the functions, a null.
extern "C" void (*__CTOR_LIST__[])();
extern "C" void (*__DTOR_LIST__[])();

namespace {

// As the compiler's own start-up code runs them: constructors last to first,
// destructor functions first to last when the program exits.
void RunDestructorList() {
    for (auto* at = __DTOR_LIST__ + 1; *at != nullptr; ++at) (*at)();
}

void RunConstructorList() {
    auto* last = __CTOR_LIST__ + 1;
    while (*last != nullptr) ++last;
    while (--last > __CTOR_LIST__) (*last)();
    atexit(RunDestructorList);
}

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

// The system calls it with the stack aligned to 4 bytes only.
extern "C" __attribute__((force_align_arg_pointer)) void WINAPI ProgramEntry() {
    RunConstructorList();
    const char* line = GetCommandLineA();
    std::exit(RunApplication(GetModuleHandleA(nullptr), ArgumentsOf(line != nullptr ? line : "")));
}
