// Fixed-size string building that never cuts. Paths and command lines of the
// programs live in fixed 260-character buffers; a result that would not fit
// must not be used at all, because a cut path can name another, existing
// directory. Every append reports whether the whole text fitted, and once
// anything failed to fit the buffer stays marked as unusable.
#pragma once

#include <cstddef>
#include <cstring>

template <std::size_t N>
class BoundedString {
public:
    BoundedString() { m_sz[0] = '\0'; }
    explicit BoundedString(const char* text) { m_sz[0] = '\0'; Append(text); }

    BoundedString& Append(const char* text) {
        if (!m_bOk || text == nullptr) {
            m_bOk = m_bOk && text != nullptr;
            return *this;
        }
        const std::size_t have = std::strlen(m_sz);
        const std::size_t add = std::strlen(text);
        if (have + add + 1 > N) {
            m_bOk = false;
            return *this;
        }
        std::memcpy(m_sz + have, text, add + 1);
        return *this;
    }

    // Appends "\" + name, the way every path of the programs is joined:
    // directory strings carry no trailing backslash.
    BoundedString& AppendName(const char* name) { return Append("\\").Append(name); }

    bool ok() const { return m_bOk; }
    const char* c_str() const { return m_sz; }
    std::size_t length() const { return std::strlen(m_sz); }

    // Copies the text into a caller's buffer; false (and an empty buffer)
    // when the text is unusable or does not fit there.
    template <std::size_t M>
    bool CopyTo(char (&out)[M]) const {
        out[0] = '\0';
        if (!m_bOk || length() + 1 > M) return false;
        std::memcpy(out, m_sz, length() + 1);
        return true;
    }

private:
    char m_sz[N];
    bool m_bOk = true;
};

constexpr std::size_t kPathChars = 260;
using PathString = BoundedString<kPathChars>;

// Joins directory + "\" + name into a path buffer; false when it does not fit.
bool JoinPath(const char* dir, const char* name, char (&out)[kPathChars]);
