// Path separators found by character, never by byte. In the Japanese (932)
// and Chinese (936, 949, 950) code pages many characters have 0x5C, the
// backslash's byte, as their second byte ("表" is 0x95 0x5C): code that
// looks at a path byte by byte takes it for a backslash and cuts the name.
// Every search, split or strip of a separator in both programs goes
// through these. The code page is the system's ANSI one unless named.
#pragma once

#include <windows.h>

#include <string>

#include "common/ascii_text.h"

// Index of the first occurrence of text in path that starts at a character
// at or after from (itself a character start); npos when none.
std::size_t FindInPath(const std::string& path, const char* text, std::size_t from = 0, UINT codePage = CP_ACP);

// Index of the first backslash character at or after from; npos when none.
std::size_t FindSeparator(const std::string& path, std::size_t from = 0, UINT codePage = CP_ACP);

// Index of the last character of path that is one of separators (ASCII
// characters, "\\" unless named); npos when none.
std::size_t FindLastSeparator(const std::string& path, const char* separators = "\\", UINT codePage = CP_ACP);

// Whether path starts "X:\": a full path below a drive's root. Anything
// else (empty, relative, UNC, "X:name") would resolve against the current
// directory or drive.
inline bool IsDrivePath(const char* path) {
    return path != nullptr && IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

// Takes backslash characters off the end of path while it is longer than
// keep bytes.
void StripTrailingSeparators(std::string& path, std::size_t keep = 0, UINT codePage = CP_ACP);
