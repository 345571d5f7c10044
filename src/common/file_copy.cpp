#include "common/file_copy.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

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

bool ReadAll(HANDLE file, std::vector<char>& data) {
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) return false;
        if (got == 0) return true;
        data.insert(data.end(), chunk, chunk + got);
    }
}

bool WriteAll(HANDLE file, const std::vector<char>& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 20));
        DWORD wrote = 0;
        if (!WriteFile(file, data.data() + done, want, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    return true;
}

}  // namespace

CopyResult CopyWholeFile(const char* source, const char* target) {
    std::vector<char> data;
    {
        FileHandle in(CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!in.IsOpen()) return CopyResult::SourceMissing;
        if (!ReadAll(in.Get(), data)) return CopyResult::SourceMissing;
    }
    FileHandle out(CreateFileA(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.IsOpen()) return CopyResult::TargetFailed;
    const bool written = WriteAll(out.Get(), data);
    out.Close();
    if (!written) {
        DeleteFileA(target);
        return CopyResult::TargetFailed;
    }
    return CopyResult::Copied;
}
