// Letters, blanks, digits and case of the ASCII range alone, byte by byte,
// as the C library's "C" locale has them: option names, drive letters,
// registry paths and numbers in texts of the system. The programs carry
// these themselves: the C library's DLL is not part of every target
// (Windows 95 ships without MSVCRT.DLL).
#pragma once

#include <cstddef>

inline bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
// Space, tab, line feed, vertical tab, form feed, carriage return.
inline bool IsAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether the first n bytes of a and b (or both whole, when shorter) are
// the same but for ASCII case; bytes past 0x7F are compared as they are.
bool EqualsNoCase(const char* a, const char* b, std::size_t n = static_cast<std::size_t>(-1));

// The decimal number at text (no sign, no blanks): its value, and end
// just past its digits. False when text starts with no digit or the
// number does not fit.
bool ParseDecimal(const char* text, unsigned long& value, const char*& end);
