// Completes resource texts that carry "%s" placeholders. The formats come
// from translated resources, so a translation with fewer or more "%s" than
// the program passes must not be able to read past the arguments.
#pragma once

#include <initializer_list>
#include <string>

// Replaces each "%s" in turn by the next argument ("" once they run out) and
// "%%" by "%"; every other character is kept as it is.
std::string FormatText(const std::string& format, std::initializer_list<const char*> args);
