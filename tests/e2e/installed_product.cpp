#include "installed_product.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include "e2e_env.h"
#include "expected_registration.h"
#include "temp_tree.h"

namespace {

const char kUninstallEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pixmoor-USB 300 plus";

// The target of a shell link, or "" when it cannot be read.
std::string LinkTarget(const std::string& link) {
    std::string target;
    CoInitialize(nullptr);
    IShellLinkA* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            std::wstring wide(link.begin(), link.end());
            char path[MAX_PATH] = "";
            if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) &&
                SUCCEEDED(shellLink->GetPath(path, sizeof path, nullptr, 0))) {
                target = path;
            }
            file->Release();
        }
        shellLink->Release();
    }
    CoUninitialize();
    return target;
}

}  // namespace

void ExpectProductRegistered(const std::string& destination, bool ntLine) {
    const std::string uninstaller = destination + "\\DRVSWEEP.EXE";
    const std::string group = ProgramGroupFolder("Pixmoor-USB 300 plus");
    EXPECT_FALSE(group.empty()) << "the program manager made no Start Menu group";
    const std::string link = group + "\\Uninstall Pixmoor-USB 300 plus.lnk";
    EXPECT_TRUE(FileExists(link));
    EXPECT_EQ(0, lstrcmpiA(uninstaller.c_str(), LinkTarget(link).c_str())) << LinkTarget(link);

    for (const ExpectedValue& value : ExpectedRegistration(WindowsDir(), ntLine)) {
        DWORD type = 0;
        std::string bytes;
        if (!ReadValue(value.root, value.key, value.name, type, bytes)) {
            ADD_FAILURE() << "missing: " << value.key << " : " << value.name;
            continue;
        }
        EXPECT_EQ(value.type, type) << value.key << " : " << value.name;
        EXPECT_TRUE(value.bytes == bytes) << value.key << " : " << value.name << " holds " << bytes.size()
                                          << " bytes \"" << bytes.c_str() << "\"";
    }
    // The product in the system's list of installed programs.
    const std::pair<const char*, std::string> texts[] = {
        {"DisplayName", "Pixmoor-USB 300 plus"}, {"UninstallString", "\"" + uninstaller + "\""},
        {"InstallLocation", destination},         {"Publisher", "Vantrell"},
        {"DisplayVersion", "3.01b"},              {"DisplayIcon", uninstaller},
    };
    DWORD type = 0;
    for (const auto& text : texts) {
        std::string bytes;
        EXPECT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, kUninstallEntry, text.first, type, bytes) && type == REG_SZ &&
                    bytes == text.second + std::string(1, '\0'))
            << text.first << " holds \"" << bytes.c_str() << "\"";
    }
    for (const char* flag : {"NoModify", "NoRepair"}) {
        std::string bytes;
        EXPECT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, kUninstallEntry, flag, type, bytes) && type == REG_DWORD &&
                    bytes == std::string("\x01\0\0\0", 4))
            << flag;
    }
}
