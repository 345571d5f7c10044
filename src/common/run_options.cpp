#include "common/run_options.h"
#include "common/ascii_text.h"

#include <windows.h>

#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p) {
    while (IsBlank(*p)) ++p;
    return p;
}

}  // namespace

bool ReadRunOptions(const char* line, bool takesDir, RunOptions& options) {
    std::memset(&options, 0, sizeof options);
    bool fine = true;
    const char* p = SkipBlanks(line);
    while (*p == '/' || (p[0] == '"' && p[1] == '/')) {
        options.bAny = true;
        if (EqualsNoCase(p, "/D=", 3)) {
            options.bDir = true;
            p = SkipBlanks(p + 3);
            std::size_t len = std::strlen(p);
            while (len > 0 && IsBlank(p[len - 1])) --len;
            options.pszRest = p + len;
            if (len >= kPathChars) return false;
            std::memcpy(options.szDir, p, len);
            return fine && takesDir;
        }
        // Quotes group blanks and are dropped.
        char token[kPathChars + 8];
        std::size_t len = 0;
        for (bool quoted = false; *p != '\0' && (quoted || !IsBlank(*p)); ++p) {
            if (*p == '"') {
                quoted = !quoted;
            } else if (len + 1 < sizeof token) {
                token[len++] = *p;
            }
        }
        token[len] = '\0';
        char* name = nullptr;
        if (lstrcmpiA(token, "/S") == 0 && !options.bSilent) {
            options.bSilent = true;
        } else if (!EqualsNoCase(token, "/LOG=", 5) || options.szLog[0] != '\0' || token[5] == '\0' ||
                   GetFullPathNameA(token + 5, kPathChars, options.szLog, &name) - 1 >= kPathChars - 1) {
            // The copy that carries on a removal runs in another folder:
            // the log is named by its full path, or the option is wrong.
            options.szLog[0] = '\0';
            fine = false;
        }
        p = SkipBlanks(p);
    }
    options.pszRest = p;
    return fine;
}
