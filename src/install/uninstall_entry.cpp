#include "install/uninstall_entry.h"

#include <windows.h>

#include <cstring>

#include "common/bounded_string.h"
#include "common/reg_key.h"
#include "product/product_folder.h"
#include "traces/run_log.h"

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
    const bool created = key.Create(HKEY_LOCAL_MACHINE, kUninstallEntryKey, KEY_SET_VALUE);
    LogKeyInstalled(HKEY_LOCAL_MACHINE, kUninstallEntryKey, nullptr, created, GetLastError());
    if (!created) return false;
    const std::string quoted = "\"" + program + "\"";
    const std::string quiet = quoted + " /S";
    const std::string version = DisplayVersion(softwareVersion);
    // Windows 95/98/Me read the first two; the rest is for later systems.
    // Deployment tools remove without a window or a question through the
    // quiet one.
    const struct {
        const char* name;
        const char* text;
    } texts[] = {
        {"DisplayName", g_Product.szProductName}, {"UninstallString", quoted.c_str()},
        {"QuietUninstallString", quiet.c_str()}, {kInstallLocationValue, destination.c_str()},
        {"Publisher", g_Product.szBrandWord},     {"DisplayVersion", version.c_str()},
        {"DisplayIcon", program.c_str()},
    };
    bool ok = true;
    for (const auto& text : texts) {
        const bool done = key.SetString(text.name, text.text);
        LogKeyInstalled(HKEY_LOCAL_MACHINE, kUninstallEntryKey, text.name, done, GetLastError());
        ok = done && ok;
    }
    for (const char* flag : {"NoModify", "NoRepair"}) {
        const bool done = key.SetDword(flag, 1);
        LogKeyInstalled(HKEY_LOCAL_MACHINE, kUninstallEntryKey, flag, done, GetLastError());
        ok = done && ok;
    }
    return ok;
}
