// The product folder a removal deletes the product's files from. It comes
// from a profile value or a command line that anyone may have written, and
// the removal tables name files such as "UNINSTAL.EXE" and "Feedback.exe":
// a value that resolves to a drive root or to the Windows folder would
// have unrelated files of those names deleted there.
#pragma once

#include <string>

// dir as a full path without "." or ".." parts, doubled or forward
// separators or a trailing backslash; "" when it is no drive path
// ("C:\..."), cannot be resolved, or resolves to a drive root, to the
// Windows or the system folder, or to a folder above either of them.
std::string UsableProductFolder(const std::string& dir, const char* windowsDir, const char* systemDir);
