// Install from the CD, then setup's own uninstall ("uninstal.exe" started
// with no directory, as a user does): the registry and the Windows
// directory end as they were before the install, except for what the
// removal leaves on purpose. CTest runs this in a fresh prefix per Windows
// version (VANTRELL_WINVER).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "machine_snapshot.h"
#include "temp_tree.h"
#include "wine_settings.h"
#include "wizard_driver.h"

namespace {

// What stays after the round trip on both Windows lines, each with the
// reason it stays. A change of the comparison ("+ " came, "- " went, "~ "
// changed; lower case) belongs to a leftover when it is its entry, or lies
// below it for an entry ending in "*"; every leftover must still be seen,
// so the list stays exact.
struct Leftover {
    const char* entry;
    const char* reason;
};

const Leftover kLeftovers[] = {
    {"~ c:\\windows\\system.ini", "the removal writes the MsVideo.Dovrex entry back empty instead of deleting it"},
    {"+ c:\\windows\\uninstal.exe", "the launcher's copy runs the removal and cannot delete its own file"},
    {"+ hklm\\enum\\", "the registration creates Enum\\Root\\Image; the removal deletes only the instance"},
    {"+ hklm\\enum\\root\\", "the registration creates Enum\\Root\\Image; the removal deletes only the instance"},
    {"+ hklm\\enum\\root\\image\\", "the registration creates it; the removal deletes only the instance below it"},
    {"+ hklm\\system\\currentcontrolset\\services\\class\\",
     "the registration creates Services\\Class\\Image; the removal deletes only its marked instance"},
    {"+ hklm\\system\\currentcontrolset\\services\\class\\image\\",
     "the registration creates it; the removal deletes only its marked instance below it"},
    {"+ hklm\\software\\classes\\clsid\\{c3a80962-28b1-11d1-acad-00a02438ad48}\\*",
     "the registration's COM class is in no removal table"},
    {"+ hklm\\software\\microsoft\\windows\\currentversion\\run\\:scanregistry",
     "the registration's Run values are in no removal table"},
    {"+ hklm\\software\\microsoft\\windows\\currentversion\\run\\:stillimagemonitor",
     "the registration's Run values are in no removal table"},
};

class RoundTripE2E : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string version = EnvironmentPath("VANTRELL_WINVER");
        ASSERT_FALSE(version.empty()) << "VANTRELL_WINVER names the scenario's Windows";
        for (const char* program : {"setup.exe", "uninstal.exe"}) {
            m_versions.push_back(std::make_unique<ScopedWindowsVersion>(program, version));
            ASSERT_TRUE(m_versions.back()->ok());
        }
        // On 98 the removal works on the folder uninstal.exe ran from: a
        // copy of the CD, so that the build's image stays whole.
        m_cd = TestDriveRoot() + "round trip cd";
        RemoveTree(m_cd);
        for (const char* file : {"setup.exe", "uninstal.exe", "USBDE301r.INF", "drvsweep.ex_", "PICTAVO\\setup.exe"}) {
            ASSERT_TRUE(CopyInto(CdImageDir() + "\\" + file, m_cd + "\\" + file)) << file;
        }
    }

    std::vector<std::unique_ptr<ScopedWindowsVersion>> m_versions;
    std::string m_cd;
};

}  // namespace

TEST_F(RoundTripE2E, InstallThenUninstallLeavesOnlyTheListedLeftovers) {
    // This Wine keeps CurrentControlSet as keys of its own: the still-image
    // registration's class instance and service are looked at there.
    const std::vector<std::string> registration = {"System\\CurrentControlSet\\Services\\Class",
                                                   "System\\CurrentControlSet\\Services\\OMSCAN"};
    const MachineSnapshot before = SnapshotOfMachine({}, registration);
    std::string failure;
    ASSERT_TRUE(InstallWithDefaults(m_cd, failure)) << failure;
    const std::string productFolder = WindowsDir().substr(0, 2) + "\\Pixmoor-USB 300 plus";
    ASSERT_TRUE(FileExists(productFolder + "\\DRVSWEEP.EXE"));
    ASSERT_TRUE(UninstallFromLauncher(m_cd, failure)) << failure;
    EXPECT_FALSE(DirectoryExists(productFolder)) << "the product folder goes with the uninstaller in it";

    std::vector<bool> seen(std::size(kLeftovers), false);
    std::string unexpected;
    for (const std::string& change : SnapshotOfMachine({}, registration).ChangesSince(before)) {
        bool allowed = false;
        for (std::size_t n = 0; n < std::size(kLeftovers); ++n) {
            if (ChangeMatches(change, kLeftovers[n].entry)) allowed = seen[n] = true;
        }
        allowed = allowed || IsWineNoise(change);
        if (!allowed) unexpected += "\n  " + change;
    }
    EXPECT_TRUE(unexpected.empty()) << "changes beyond the listed leftovers:" << unexpected;
    for (std::size_t n = 0; n < std::size(kLeftovers); ++n) {
        EXPECT_TRUE(seen[n]) << "listed leftover not seen: " << kLeftovers[n].entry << " (" << kLeftovers[n].reason
                             << ")";
    }
}
