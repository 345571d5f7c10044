// The title the frame paints: a fixed start, the version suffix from the
// product INF beside the program, and " Setup.".
#pragma once

#include <cstddef>

constexpr std::size_t kTitleChars = 64;
constexpr std::size_t kSoftwareVersionChars = 32;

// [Version] Software of programDir + "\" + infName, at most 31 characters;
// "" when the file, the value or the path is missing or too long.
void ReadSoftwareVersion(const char* programDir, const char* infName,
                         char (&version)[kSoftwareVersionChars]);

// start + version + " Setup." into title.
void BuildFrameTitle(const char* start, const char* version, char (&title)[kTitleChars]);
