// The product folder: the one record of where the product goes, from the
// destination page (or /D=) to the copy, [DestPath] of "vantrell.ini", the
// InstallLocation of the entry in the list of installed programs and the
// log; and the one reader of those records for the removals and the report.
#pragma once

#include <string>

#include "traces/removal_sink.h"

// The value of the entry in the list of installed programs that names it.
extern const char kInstallLocationValue[];

class ProductFolder {
public:
    // The default: the Windows drive + ":\" + the product's name ("C:" when
    // the Windows folder is not known).
    explicit ProductFolder(const char* windowsDir);

    const std::string& Path() const { return m_strPath; }
    const char* c_str() const { return m_strPath.c_str(); }
    // The folder the user (or /D=) chose.
    void Set(const std::string& path) { m_strPath = path; }

    // [DestPath] DestPath of "vantrell.ini", logged, where the NT line's
    // removal reads it back (the 98 line's runs for the folder it is
    // started from); nothing when the folder would not fit a path.
    void RecordDestPath(int bNtPaths) const;

private:
    std::string m_strPath;
};

// The whole [DestPath] DestPath value of "vantrell.ini", usable or not; ""
// when it is absent or longer than 4096 characters.
std::string RecordedDestPath(RemovalSink& sink = TheMachine());

// The InstallLocation of the product's entry in the list of installed
// programs, as a usable product folder (see UsableProductFolder); "" when
// there is none.
std::string RecordedInstallLocation(const char* windowsDir, const char* systemDir, RemovalSink& sink = TheMachine());

// The product folder a removal deletes the product's files from. It comes
// from a profile value or a command line that anyone may have written, and
// the removal tables name files such as "UNINSTAL.EXE" and "Feedback.exe":
// a value that resolves to a drive root or to the Windows folder would
// have unrelated files of those names deleted there.
// dir as a full path without "." or ".." parts, doubled or forward
// separators or a trailing backslash; "" when it is no drive path
// ("C:\..."), cannot be resolved, or resolves to a drive root, to the
// Windows or the system folder, or to a folder above either of them.
std::string UsableProductFolder(const std::string& dir, const char* windowsDir, const char* systemDir);
