// The copy loop: installs every row of a file table into its folder
// through the platform's version installer, which also expands compressed
// sources, and turns its result bits into the user's choices.
#pragma once

#include <windows.h>

#include <string>

#include "common/file_entry.h"
#include "common/locations.h"

// The number of source bytes that counts as 100 per cent.
constexpr DWORD g_dwCopyTotalBytes = 1352000;

enum class ErrorAnswer { Abort, Retry, Ignore };
enum class NextDiskAnswer { UseDirectory, Resume, ExitSetup };

// What the copy needs from its window.
class CopyObserver {
public:
    virtual ~CopyObserver() = default;
    // An install error; the answer of Abort / Retry / Ignore.
    virtual ErrorAnswer OnError(const std::string& message) = 0;
    // The next-disk prompt for a source that cannot be read; with
    // UseDirectory, sourceDir holds the folder the user gave.
    virtual NextDiskAnswer OnNextDisk(std::string& sourceDir) = 0;
    // "Copying Files From:" and "To:" lines of the row being copied.
    virtual void OnRow(const std::string& fromLine, const std::string& toLine) = 0;
    // After each row: the source bytes done so far and their share of the total.
    virtual void OnProgress(DWORD copiedBytes, unsigned int percent) = 0;
};

// The platform's install call (VerInstallFileA, declared with non-const
// names; InstallFileVersion binds it), replaceable in tests.
using InstallFileFn = DWORD(APIENTRY*)(DWORD flags, LPSTR sourceName, LPSTR targetName, LPSTR sourceDir,
                                       LPSTR targetDir, LPSTR currentDir, LPSTR tempFile,
                                       PUINT tempFileLength);

struct CopyJob {
    const FileEntry* table;
    int rowCount;
    FolderSet folders;          // szDestination: the product directory
    std::string sourceDir;      // where the product files are (the program directory)
    std::string fromCaption;    // "Copying Files From:"
    std::string toCaption;      // "To:"
    InstallFileFn installFile;  // InstallFileVersion
};

// Copies the rows; true when every row was processed and the user neither
// aborted nor left Setup.
bool CopyFiles(const CopyJob& job, CopyObserver& observer);

// Creates each missing level of folder after its first base characters
// (the Windows directory, or a drive); a level counts as present when it
// can be made the current directory.
void MakeFolderLevels(std::size_t base, const char* folder);

// Size of a file in bytes; 0 when it cannot be opened.
DWORD GetSourceFileSize(const char* path);

// The result bit that decides what happens to a row, in the order the
// bits are examined; 0 when the file landed.
DWORD DecisiveResultBit(DWORD result);

// The message for an install result, or "" when the file landed.
std::string InstallErrorText(DWORD result, const std::string& targetPath, const std::string& sourcePath);
