// Completes resource texts that carry "%s" placeholders. The formats come
// from translated resources, so a translation with fewer or more "%s" than
// the program passes must not be able to read past the arguments.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

#include <windows.h>

// Replaces each "%s" in turn by the next argument ("" once they run out) and
// "%%" by "%"; every other character is kept as it is.
std::string FormatText(const std::string& format, std::initializer_list<const char*> args);

// printf-style formatting of numbers and short names into a fixed buffer,
// by a formatter of the programs' own (the C library's is in a DLL that
// Windows 95 lacks, and the C99 one that mingw-w64 links for snprintf
// costs about 25 KB). It knows the flags '-' and '0', a width, the length
// 'l' and the conversions d, u, x, s and %%; a directive it does not know
// is copied as it stands. Returns the length; -1, with the
// buffer empty, when the result does not fit.
int FormatInto(char* out, std::size_t size, const char* format, ...);
template <std::size_t N, typename... Args>
int FormatInto(char (&out)[N], const char* format, Args... args) {
    return FormatInto(static_cast<char*>(out), N, format, args...);
}

// The system's own text for a Win32 error code, in the user's language,
// followed by "(error N)"; the code alone when the system has no text.
std::string SystemMessage(DWORD error);

// Text in the ANSI code page, as the paths come, made UTF-8 (by hand:
// Windows 95 converts to no UTF-8), as the report and the log files are.
std::string Utf8FromAnsi(const std::string& text);

// The local date and time as "YYYY-MM-DD hh:mm".
std::string LocalDateText();
