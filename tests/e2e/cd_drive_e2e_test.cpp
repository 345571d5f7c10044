// The install from the product disc in a CD-ROM drive, as a user makes it:
// the disc image mounted read-only and mapped as a drive of the CD-ROM kind
// (scripts/cd-test-drive, scripts/fresh-prefix-run), setup started as the
// disc's AUTORUN.INF names it, then the uninstall program from the disc.
// Every file on a CD is read-only, and a copy that keeps the attributes of
// its source is too: the uninstaller the install places must not be.
// CTest runs this in a fresh prefix.
#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "expected_registration.h"
#include "installed_product.h"
#include "temp_tree.h"
#include "wine_settings.h"
#include "wizard_driver.h"

namespace {

const char kRegisteredApps[] = "Software\\Microsoft\\Windows\\CurrentVersion\\StillImage\\Registered Applications";
const char kUninstallEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pixmoor-USB 300 plus";

// Every file below folder, by its path from there, in name order.
void ListFiles(const std::string& folder, const std::string& below, std::vector<std::string>& files) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + below + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = below + "\\" + found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            files.push_back(name);
        } else if (lstrcmpA(found.cFileName, ".") != 0 && lstrcmpA(found.cFileName, "..") != 0) {
            ListFiles(folder, name, files);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(files.begin(), files.end());
}

bool ReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

class CdDriveE2E : public ::testing::Test {
protected:
    void SetUp() override {
        m_disc = EnvironmentPath("VANTRELL_CD_DRIVE");
        if (m_disc.empty()) GTEST_SKIP() << "no disc in a CD-ROM drive: " << EnvironmentPath("VANTRELL_CD_MISSING");
        m_version = EnvironmentPath("VANTRELL_WINVER");
        ASSERT_FALSE(m_version.empty()) << "VANTRELL_WINVER names the scenario's Windows";
        for (const char* program : {"setup.exe", "uninstal.exe"}) {
            m_versions.push_back(std::make_unique<ScopedWindowsVersion>(program, m_version));
            ASSERT_TRUE(m_versions.back()->ok());
        }
        // A real machine has this key; the still-image registration adds to it.
        HKEY apps = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRegisteredApps, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &apps, nullptr));
        RegCloseKey(apps);
    }

    std::string m_disc;  // "D:"
    std::string m_version;
    std::vector<std::unique_ptr<ScopedWindowsVersion>> m_versions;
};

}  // namespace

TEST_F(CdDriveE2E, InstallsFromTheDiscAndItsUninstallProgramRemovesFromThere) {
    // The disc as the programs meet it: a CD-ROM drive holding the CD
    // folder's files under their own names, each of them read-only.
    ASSERT_EQ(static_cast<UINT>(DRIVE_CDROM), GetDriveTypeA((m_disc + "\\").c_str()));
    std::vector<std::string> folder;
    std::vector<std::string> disc;
    ListFiles(CdImageDir(), "", folder);
    ListFiles(m_disc, "", disc);
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder, disc);
    for (const std::string& file : folder) {
        std::string built;
        std::string onDisc;
        EXPECT_TRUE(ReadFileBytes(CdImageDir() + file, built) && ReadFileBytes(m_disc + file, onDisc) &&
                    built == onDisc)
            << file;
        EXPECT_TRUE(ReadOnly(m_disc + file)) << file << " is writable on the disc";
    }

    // Inserted, the disc starts what its AUTORUN.INF names, from its root,
    // and the drive shows the icon it names.
    const std::string autorun = m_disc + "\\AUTORUN.INF";
    char open[MAX_PATH] = "";
    char icon[MAX_PATH] = "";
    GetPrivateProfileStringA("autorun", "open", "", open, sizeof open, autorun.c_str());
    GetPrivateProfileStringA("autorun", "icon", "", icon, sizeof icon, autorun.c_str());
    ASSERT_STREQ("setup.exe", open);
    EXPECT_GT(ExtractIconExA((m_disc + "\\" + icon).c_str(), -1, nullptr, nullptr, 0), 0u) << icon;
    std::string failure;
    ASSERT_TRUE(InstallWithDefaults(m_disc, failure)) << failure;

    const std::string destination = WindowsDir().substr(0, 2) + "\\Pixmoor-USB 300 plus";
    const bool ntLine = m_version != "win98" && m_version != "winme" && m_version != "win95";
    std::string installed;
    std::string original;
    EXPECT_TRUE(ReadFileBytes(destination + "\\DRVSWEEP.EXE", installed) &&
                ReadFileBytes(CdImageDir() + "\\..\\drvsweep.exe", original) && installed == original)
        << "DRVSWEEP.EXE is the expanded uninstaller";
    EXPECT_FALSE(ReadOnly(destination + "\\DRVSWEEP.EXE")) << "the uninstaller kept the disc's read-only flag";
    char recorded[MAX_PATH] = "";
    GetPrivateProfileStringA("DestPath", "DestPath", "(none)", recorded, sizeof recorded, "vantrell.ini");
    EXPECT_EQ(ntLine ? destination : "(none)", std::string(recorded));
    ExpectProductRegistered(destination, ntLine);

    // The uninstall program on the disc: its copy in the Windows folder
    // removes the product. (The removal clears the read-only flag of that
    // copy itself, so the launcher's copy from a read-only source is
    // checked in its unit test.)
    ASSERT_TRUE(UninstallFromLauncher(m_disc, failure)) << failure;
    EXPECT_FALSE(DirectoryExists(destination));
    EXPECT_TRUE(ProgramGroupFolder("Pixmoor-USB 300 plus").empty()) << "the Start Menu group stays";
    DWORD type = 0;
    std::string name;
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, kUninstallEntry, "DisplayName", type, name))
        << "the product stays in the list of installed programs";
    const std::string copy = WindowsDir() + "\\uninstal.exe";
    std::string copied;
    std::string program;
    EXPECT_TRUE(ReadFileBytes(copy, copied) && ReadFileBytes(m_disc + "\\uninstal.exe", program) &&
                copied == program)
        << "the launcher's copy is not the disc's uninstal.exe";
}
