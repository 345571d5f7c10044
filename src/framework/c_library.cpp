// The few functions of the C library that the compiler, the C++ library
// and the programs call, made here: the C library's DLL (MSVCRT.DLL) is not
// part of Windows 95, which then refuses to start a program that imports
// it. Memory comes from the process heap of KERNEL32; the exit list runs
// the static objects' destructors. Linked into each program only, never
// into the tests, which keep their compiler's C library.
//
// Built without the compiler's knowledge of these functions: it would
// otherwise turn their loops back into calls of themselves.
#include <windows.h>

#include <cstddef>

extern "C" {

void* memcpy(void* to, const void* from, std::size_t n) {
    auto* t = static_cast<unsigned char*>(to);
    const auto* f = static_cast<const unsigned char*>(from);
    while (n-- > 0) *t++ = *f++;
    return to;
}

void* memmove(void* to, const void* from, std::size_t n) {
    auto* t = static_cast<unsigned char*>(to);
    const auto* f = static_cast<const unsigned char*>(from);
    if (t <= f || t >= f + n) return memcpy(to, from, n);
    while (n-- > 0) t[n] = f[n];
    return to;
}

void* memset(void* to, int c, std::size_t n) {
    auto* t = static_cast<unsigned char*>(to);
    while (n-- > 0) *t++ = static_cast<unsigned char>(c);
    return to;
}

int memcmp(const void* a, const void* b, std::size_t n) {
    const auto* x = static_cast<const unsigned char*>(a);
    const auto* y = static_cast<const unsigned char*>(b);
    for (; n > 0; --n, ++x, ++y) {
        if (*x != *y) return *x < *y ? -1 : 1;
    }
    return 0;
}

void* memchr(const void* s, int c, std::size_t n) {
    const auto* p = static_cast<const unsigned char*>(s);
    for (; n > 0; --n, ++p) {
        if (*p == static_cast<unsigned char>(c)) return const_cast<unsigned char*>(p);
    }
    return nullptr;
}

std::size_t strlen(const char* s) {
    const char* p = s;
    while (*p != '\0') ++p;
    return static_cast<std::size_t>(p - s);
}

int strncmp(const char* a, const char* b, std::size_t n) {
    for (; n > 0; --n, ++a, ++b) {
        const auto x = static_cast<unsigned char>(*a);
        const auto y = static_cast<unsigned char>(*b);
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) break;
    }
    return 0;
}

int strcmp(const char* a, const char* b) { return strncmp(a, b, static_cast<std::size_t>(-1)); }

char* strchr(const char* s, int c) {
    for (;; ++s) {
        if (*s == static_cast<char>(c)) return const_cast<char*>(s);
        if (*s == '\0') return nullptr;
    }
}

void* malloc(std::size_t size) { return HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1); }

void free(void* p) {
    if (p != nullptr) HeapFree(GetProcessHeap(), 0, p);
}

// An error the program cannot go past (the C++ library's checks, an
// allocation that failed): it ends at once, with the code the C library's
// abort gives.
void abort() {
    OutputDebugStringA("The program ended after an internal error.\r\n");
    ExitProcess(3);
}

}  // extern "C"

namespace {

// Handlers run last registered first, as the C library runs them.
struct ExitHandler {
    void (*pfnHandler)();
    ExitHandler* pNext;
};
ExitHandler* g_pExitList = nullptr;

}  // namespace

extern "C" {

int atexit(void (*handler)()) {
    auto* entry = static_cast<ExitHandler*>(malloc(sizeof(ExitHandler)));
    if (entry == nullptr) return -1;
    entry->pfnHandler = handler;
    entry->pNext = g_pExitList;
    g_pExitList = entry;
    return 0;
}

void exit(int code) {
    while (g_pExitList != nullptr) {
        ExitHandler* entry = g_pExitList;
        g_pExitList = entry->pNext;
        entry->pfnHandler();
    }
    ExitProcess(static_cast<UINT>(code));
}

}  // extern "C"
