#include "framework/resource_text.h"


std::string LoadResString(UINT id) {
    // Read the resource's own UTF-16 text and convert it whole: a fixed
    // ANSI buffer could end in the middle of a double-byte character.
    const wchar_t* text = nullptr;
    const int len = LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (len <= 0 || text == nullptr) return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text, len, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, len, &out[0], size, nullptr, nullptr);
    return out;
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
    const auto* caption = reinterpret_cast<const wchar_t*>(p);
    const int size = WideCharToMultiByte(CP_ACP, 0, caption, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return std::string();
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, caption, -1, &text[0], size, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(size - 1));
    return text;
}
