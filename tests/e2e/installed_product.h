// What an install with the wizard's default choices leaves on a clean
// machine, as the install scenarios check it.
#pragma once

#include <string>

// The expanded uninstaller in the product folder `destination`, the folder
// recorded for the uninstall mode (2000/XP, ntLine), the Start Menu group
// with its item, the still-image registration value by value and the entry
// in the list of installed programs: a test failure for each that is
// missing or wrong.
void ExpectInstalledProduct(const std::string& destination, bool ntLine);
