#include "common/text_format.h"

#include <vector>

#include <cstdarg>
#include <cstdio>

std::string FormatText(const std::string& format, std::initializer_list<const char*> args) {
    std::string out;
    out.reserve(format.size() + 64);
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%' && i + 1 < format.size()) {
            const char directive = format[i + 1];
            if (directive == 's') {
                if (next != args.end()) {
                    if (*next != nullptr) out += *next;
                    ++next;
                }
                ++i;
                continue;
            }
            if (directive == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

int FormatInto(char* out, std::size_t size, const char* format, ...) {
    if (size == 0) return -1;
    va_list args;
    va_start(args, format);
    const int len = _vsnprintf(out, size, format, args);
    va_end(args);
    // The runtime's formatter leaves a result of exactly `size` unterminated.
    if (len < 0 || static_cast<std::size_t>(len) >= size) {
        out[0] = '\0';
        return -1;
    }
    return len;
}

std::string SystemMessage(DWORD error) {
    char text[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                   nullptr);
    char code[32];
    FormatInto(code, "(error %lu)", static_cast<unsigned long>(error));
    return text[0] != '\0' ? std::string(text) + code : std::string(code);
}

std::string Utf8FromAnsi(const std::string& text) {
    if (text.empty()) return text;
    const int chars = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    // A vector: the library's wide string would bring its exception-handling runtime.
    std::vector<WCHAR> wide(static_cast<std::size_t>(chars > 0 ? chars : 0), L'\0');
    if (chars > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), wide.data(), chars);
    // By hand: Windows 95 converts to no UTF-8.
    std::string out;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        unsigned long c = wide[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string LocalDateText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    FormatInto(text, "%04u-%02u-%02u %02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
    return text;
}
