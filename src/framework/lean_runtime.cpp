// What the C++ library would otherwise bring into the programs for
// exceptions, which they never throw or catch (they are built without
// them): allocation failure and the library's own error paths end the
// program at once, as an uncaught exception would, and the unwinder, the
// exception tables and the name demangler stay out (well over 100 KB).
// Linked into each program only, never into the tests.
#include <cstddef>
#include <cstdlib>
#include <new>
#include <string>

void* operator new(std::size_t size) {
    void* p = std::malloc(size != 0 ? size : 1);
    if (p == nullptr) std::abort();
    return p;
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

// The error paths of the library's containers and strings.
namespace std {
void __throw_bad_alloc() { abort(); }
void __throw_bad_array_new_length() { abort(); }
void __throw_length_error(const char*) { abort(); }
void __throw_logic_error(const char*) { abort(); }
void __throw_out_of_range(const char*) { abort(); }
void __throw_out_of_range_fmt(const char*, ...) { abort(); }
void __throw_invalid_argument(const char*) { abort(); }
}  // namespace std

// An exception nobody catches: the library's own handler writes its name to
// a console that a GUI program does not have.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// The library's own copy of the string class is built with exceptions and
// would bring their machinery along: the programs make their own.
template class std::basic_string<char>;
