#include "common/text_format.h"

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
