#include "framework/resource_text.h"

#include <vector>

std::string LoadResString(UINT id) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    // The agreement texts are long: grow the buffer until the string fits.
    for (int size = 512; size <= 65536; size *= 2) {
        std::vector<char> buffer(static_cast<std::size_t>(size), '\0');
        const int len = LoadStringA(module, id, buffer.data(), size);
        if (len <= 0) return std::string();
        if (len < size - 1) return std::string(buffer.data(), static_cast<std::size_t>(len));
    }
    return std::string();
}
