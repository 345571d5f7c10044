#include "framework/resource_text.h"

#include <cwchar>

namespace {

// UTF-16 text to the ANSI code page, converted whole: a fixed ANSI buffer
// could end in the middle of a double-byte character.
std::string ToAnsi(const wchar_t* text, int len) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text, len, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, len, &out[0], size, nullptr, nullptr);
    return out;
}

}  // namespace

std::string LoadResString(UINT id) {
    // Read from the string table block itself, as LoadString does: Windows
    // 95 and 98 have LoadStringW only as a stub, and LoadStringA would cut
    // at a fixed buffer. A block holds 16 strings, each a length and text.
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id / 16 + 1), MAKEINTRESOURCEA(6));  // RT_STRING
    if (found == nullptr) return std::string();
    const auto* p = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
    if (p == nullptr) return std::string();
    const WORD* end = p + SizeofResource(module, found) / sizeof(WORD);
    for (UINT skip = id % 16; skip > 0 && p < end; --skip) p += 1 + *p;
    if (p >= end || *p == 0 || p + 1 + *p > end) return std::string();
    return ToAnsi(reinterpret_cast<const wchar_t*>(p + 1), *p);
}

namespace {

// Skips a name-or-ordinal field of a dialog template.
const WORD* SkipNameOrOrdinal(const WORD* p) {
    if (*p == 0x0000) return p + 1;
    if (*p == 0xFFFF) return p + 2;
    while (*p != 0) ++p;
    return p + 1;
}

}  // namespace

std::string LoadDialogCaption(UINT dialogId) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(dialogId), MAKEINTRESOURCEA(5));  // RT_DIALOG
    if (found == nullptr) return std::string();
    const auto* words = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
    if (words == nullptr) return std::string();
    // Extended templates start with version 1 and 0xFFFF; their header has
    // help id, extended style, style, item count and the rectangle.
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    const WORD* p = extended ? words + 2 + 2 + 2 + 2 + 1 + 4 : words + 2 + 2 + 1 + 4;
    p = SkipNameOrOrdinal(p);  // menu
    p = SkipNameOrOrdinal(p);  // window class
    int len = 0;
    while (p[len] != 0) ++len;
    return ToAnsi(reinterpret_cast<const wchar_t*>(p), len);
}
