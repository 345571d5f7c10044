#include "common/text_format.h"

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
