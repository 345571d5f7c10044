#include "common/file_copy.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

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

bool SameContents(HANDLE a, HANDLE b) {
    char left[4096];
    char right[4096];
    for (;;) {
        DWORD leftLen = 0;
        DWORD rightLen = 0;
        if (!ReadFile(a, left, sizeof left, &leftLen, nullptr) || !ReadFile(b, right, sizeof right, &rightLen, nullptr) ||
            leftLen != rightLen || std::memcmp(left, right, leftLen) != 0) {
            return false;
        }
        if (leftLen == 0) return true;
    }
}
