#include "common/text_format.h"

#include <vector>

#include <cstdarg>
#include <cstring>

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

namespace {

// Appends to a fixed buffer; whatever does not fit is counted, not written.
struct FormatBuffer {
    char* pOut;
    std::size_t nSize;
    std::size_t nLen;

    void Put(char c) {
        if (nLen + 1 < nSize) pOut[nLen] = c;
        ++nLen;
    }
    void Put(const char* text, std::size_t len) {
        while (len-- > 0) Put(*text++);
    }
    // text in a field of width: on its right with fill before it, or on its
    // left. A zero fill goes between the sign and the digits.
    void PutField(const char* text, std::size_t len, std::size_t width, bool alignLeft, char fill) {
        std::size_t pad = width > len ? width - len : 0;
        if (alignLeft) fill = ' ';
        if (fill == '0' && *text == '-') {
            Put(*text++);
            --len;
        }
        for (; !alignLeft && pad > 0; --pad) Put(fill);
        Put(text, len);
        for (; pad > 0; --pad) Put(' ');
    }
};

// The digits of value in base 16 for 'x', else 10, after a '-' when 'd'
// takes it as negative; written backwards from end, the first one returned.
char* Number(unsigned long value, char conversion, char* end) {
    const bool negative = conversion == 'd' && static_cast<long>(value) < 0;
    if (negative) value = 0 - value;
    const unsigned long base = conversion == 'x' ? 16 : 10;
    do {
        *--end = "0123456789abcdef"[value % base];
        value /= base;
    } while (value != 0);
    if (negative) *--end = '-';
    return end;
}

}  // namespace

int FormatInto(char* out, std::size_t size, const char* format, ...) {
    if (size == 0) return -1;
    va_list args;
    va_start(args, format);
    FormatBuffer buffer = {out, size, 0};
    for (const char* p = format; *p != '\0'; ++p) {
        const char* directive = p;
        if (*p != '%' || *++p == '%') {
            buffer.Put(*p);
            continue;
        }
        bool alignLeft = false;
        char fill = ' ';
        for (;; ++p) {
            if (*p == '-') {
                alignLeft = true;
            } else if (*p == '0') {
                fill = '0';
            } else {
                break;
            }
        }
        std::size_t width = 0;
        for (; *p >= '0' && *p <= '9'; ++p) width = width * 10 + static_cast<std::size_t>(*p - '0');
        if (*p == 'l') ++p;  // long and int are of one size on every target
        char digits[12];
        const char* text = digits + sizeof digits;
        if (*p == 's') {
            text = va_arg(args, const char*);
            if (text == nullptr) text = "(null)";
        } else if (*p == 'd' || *p == 'u' || *p == 'x') {
            text = Number(va_arg(args, unsigned long), *p, digits + sizeof digits);
        } else {
            // Unknown, or cut off by the format's end: kept as it stands.
            buffer.Put(directive, static_cast<std::size_t>(p - directive));
            if (*p == '\0') break;
            buffer.Put(*p);
            continue;
        }
        const std::size_t len = *p == 's' ? std::strlen(text) : static_cast<std::size_t>(digits + sizeof digits - text);
        buffer.PutField(text, len, width, alignLeft, fill);
    }
    va_end(args);
    const bool fits = buffer.nLen < size;
    out[fits ? buffer.nLen : 0] = '\0';
    return fits ? static_cast<int>(buffer.nLen) : -1;
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
