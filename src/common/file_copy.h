// Whole-file copy and comparison for programs that relocate themselves.
#pragma once

#include <windows.h>

// A file handle that closes itself.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : m_h(h) {}
    ~FileHandle() { if (IsOpen()) CloseHandle(m_h); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsOpen() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }
    void Close() {
        if (IsOpen()) CloseHandle(m_h);
        m_h = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_h;
};

enum class CopyResult {
    Copied,
    SourceMissing,    // the source cannot be opened for reading
    TargetFailed,     // the target cannot be created, or not every byte was written
};

// Copies the source byte for byte, whatever its size. A target that could
// not be written completely is removed again, so that nobody ever starts a
// partial program.
CopyResult CopyWholeFile(const char* source, const char* target);

// True when both open files, read from where they stand to their ends,
// hold the same bytes.
bool SameContents(HANDLE a, HANDLE b);
