// The product in the system's list of installed programs (Add/Remove
// Programs from Windows 95 on), removed from there by its uninstaller.
#pragma once

#include <string>

#include "common/product_profile.h"

// The version as the frame's title shows it: the title text after the
// product name ("3.01") followed by the product INF's suffix ("b").
std::string DisplayVersion(const char* softwareVersion);

// Writes the entry (kUninstallEntryKey) for the product installed in
// destination; nothing (false) when its uninstaller kUninstallerFile is not
// there, so that an entry never names a missing program.
bool WriteUninstallEntry(const std::string& destination, const char* softwareVersion);
