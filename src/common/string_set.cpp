#include "common/string_set.h"

#include <algorithm>

std::vector<std::string>::const_iterator StringSet::LowerBound(const std::string& text) const {
    return std::lower_bound(m_items.begin(), m_items.end(), text);
}

bool StringSet::Contains(const std::string& text) const {
    const auto at = LowerBound(text);
    return at != m_items.end() && *at == text;
}

void StringSet::Insert(const std::string& text) {
    const auto at = LowerBound(text);
    if (at == m_items.end() || *at != text) m_items.insert(at, text);
}
