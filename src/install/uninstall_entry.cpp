#include "install/uninstall_entry.h"

#include <windows.h>

#include <cstring>

#include "common/bounded_string.h"
#include "common/reg_key.h"

std::string DisplayVersion(const char* softwareVersion) {
    const char* title = g_Product.szTitleText;
    const std::size_t nameLen = std::strlen(g_Product.szProductName);
    if (std::strncmp(title, g_Product.szProductName, nameLen) == 0 && title[nameLen] == ' ') {
        title += nameLen + 1;
    }
    return std::string(title) + softwareVersion;
}

bool WriteUninstallEntry(const std::string& destination, const char* softwareVersion) {
    PathString uninstaller(destination.c_str());
    uninstaller.AppendName(kUninstallerFile);
    if (!uninstaller.ok() || GetFileAttributesA(uninstaller.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    const std::string program = uninstaller.c_str();

    RegKey key;
    if (!key.Create(HKEY_LOCAL_MACHINE, kUninstallEntryKey, KEY_SET_VALUE)) return false;
    // Windows 95/98/Me read the first two; the rest is for later systems.
    bool ok = key.SetString("DisplayName", g_Product.szProductName);
    ok = key.SetString("UninstallString", "\"" + program + "\"") && ok;
    ok = key.SetString("InstallLocation", destination) && ok;
    ok = key.SetString("Publisher", g_Product.szBrandWord) && ok;
    ok = key.SetString("DisplayVersion", DisplayVersion(softwareVersion)) && ok;
    ok = key.SetString("DisplayIcon", program) && ok;
    ok = key.SetDword("NoModify", 1) && ok;
    ok = key.SetDword("NoRepair", 1) && ok;
    return ok;
}
