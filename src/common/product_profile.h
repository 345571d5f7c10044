// The compiled-in identity of the product: every text a program shows or a
// name it builds starts from one of these constants.
#pragma once

struct ProductProfile {
    const char* szBrandWord;         // registry key word, welcome text
    const char* szProductName;       // sheet caption, page texts, group name
    const char* szTitleText;         // start of the painted frame title
    const char* szCompanyName;       // agreement text
    const char* szCompanyShortName;  // agreement text
    const char* szProductInf;        // INF beside the program: title suffix
    const char* szFrameTitle;        // window title other steps find the frame by
    const char* szUninstallName;     // executable name of the uninstall modes
    const char* szUninstallFile;     // file copied by the uninstall launcher
};

// The values every program of the product shares.
extern const ProductProfile g_Product;

// The stand-alone uninstaller as the install places it in the product folder.
constexpr char kUninstallerFile[] = "DRVSWEEP.EXE";

// The product's key in the system's list of installed programs, below
// HKEY_LOCAL_MACHINE: the install writes it, both removals delete it whole.
constexpr char kUninstallEntryKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pixmoor-USB 300 plus";
