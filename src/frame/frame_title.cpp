#include "frame/frame_title.h"

#include <windows.h>

#include "common/bounded_string.h"

void ReadSoftwareVersion(const char* programDir, const char* infName,
                         char (&version)[kSoftwareVersionChars]) {
    version[0] = '\0';
    char infPath[kPathChars];
    if (!JoinPath(programDir, infName, infPath)) return;
    GetPrivateProfileStringA("Version", "Software", "", version, sizeof version, infPath);
}

void BuildFrameTitle(const char* start, const char* version, char (&title)[kTitleChars]) {
    BoundedString<kTitleChars> text(start);
    text.Append(version).Append(" Setup.");
    // The start is a short constant and the suffix at most 31 characters,
    // so this always fits; should it not, the start alone is shown.
    if (!text.CopyTo(title)) BoundedString<kTitleChars>(start).CopyTo(title);
}
