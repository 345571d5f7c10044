// Whole-file copy for programs that relocate themselves.
#pragma once

enum class CopyResult {
    Copied,
    SourceMissing,    // the source cannot be opened for reading
    TargetFailed,     // the target cannot be created, or not every byte was written
};

// Copies the source byte for byte, whatever its size. A target that could
// not be written completely is removed again, so that nobody ever starts a
// partial program.
CopyResult CopyWholeFile(const char* source, const char* target);
