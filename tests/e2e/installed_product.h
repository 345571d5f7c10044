// What an install with the wizard's default choices leaves on a clean
// machine, as the install scenarios check it.
#pragma once

#include <string>

// The product with the product folder `destination` as the system knows
// it: the Start Menu group with its item, the still-image registration
// value by value (with the 2000/XP line's padded strings, ntLine) and the
// entry in the list of installed programs; a test failure for each that is
// missing or wrong.
void ExpectProductRegistered(const std::string& destination, bool ntLine);
