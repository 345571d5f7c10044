// A set of strings kept as one sorted vector. The report's sets hold a few
// hundred names, inserted once and looked up often: a binary search over a
// vector serves them as well as a tree, without the tree's code in setup.
#pragma once

#include <string>
#include <vector>

class StringSet {
public:
    bool Contains(const std::string& text) const;
    void Insert(const std::string& text);

private:
    std::vector<std::string>::const_iterator LowerBound(const std::string& text) const;

    std::vector<std::string> m_items;  // sorted, no two equal
};
