#include "common/ascii_text.h"

bool EqualsNoCase(const char* a, const char* b, std::size_t n) {
    for (; n > 0; --n, ++a, ++b) {
        if (AsciiLower(*a) != AsciiLower(*b)) return false;
        if (*a == '\0') return true;
    }
    return true;
}

bool ParseDecimal(const char* text, unsigned long& value, const char*& end) {
    unsigned long number = 0;
    const char* p = text;
    for (; *p >= '0' && *p <= '9'; ++p) {
        const unsigned long digit = static_cast<unsigned long>(*p - '0');
        if (number > (static_cast<unsigned long>(-1) - digit) / 10) return false;
        number = number * 10 + digit;
    }
    if (p == text) return false;
    value = number;
    end = p;
    return true;
}
