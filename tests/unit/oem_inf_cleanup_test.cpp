// Removal of the family's OEM INF copies from a temporary INF folder: which
// copies and companions go, which stay, and what is never started.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "cleanup/oem_inf_cleanup.h"
#include "temp_tree.h"
#include "ui_driver.h"
#include "wine_settings.h"

namespace {

const char kDescription[] = "OmniVision\\Dual Mode USB Camera Plus";
constexpr UINT kProbeMessage = WM_APP + 43;

// Posts a thread message that only a drain of the queue removes.
void PostProbe() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, kProbeMessage, kProbeMessage, PM_REMOVE)) {
    }
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), kProbeMessage, 0, 0));
}
bool ProbeStillQueued() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, kProbeMessage, kProbeMessage, PM_REMOVE) != 0;
}

class OemInfCleanupTest : public ::testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(sizeof m_savedDir, m_savedDir);
        m_inf = m_tree.WindowsDir() + "\\INF";
    }
    // The pass moves into the INF folder; leave it so the tree can go.
    void TearDown() override { SetCurrentDirectoryA(m_savedDir); }

    std::string Copy(int n, const char* extension) const {
        return m_inf + "\\oem" + std::to_string(n) + extension;
    }
    // oemN.inf with this line in [Strings], and its oemN.PNF.
    void Plant(int n, const std::string& stringsLine) {
        ASSERT_TRUE(WriteFileBytes(Copy(n, ".inf"), "[Version]\r\nSignature=\"$Windows NT$\"\r\n\r\n[Strings]\r\n" +
                                                         stringsLine + "\r\n"));
        ASSERT_TRUE(WriteFileBytes(Copy(n, ".PNF"), "PNF"));
    }
    void RemoveByName() { RemoveOemInfs(m_inf.c_str(), m_tree.WindowsDir().c_str()); }

    TempTree m_tree;
    std::string m_inf;
    char m_savedDir[MAX_PATH] = "";
};

}  // namespace

TEST_F(OemInfCleanupTest, EveryFamilyNameLosesItsPnfAndAllButPixmoor100LoseTheInf) {
    const char* const names[] = {"Glimra View", "Glimra TV", "Glimra Eye", "Vantrell USB Marlix",
                                 "Vantrell USB Sepalo", "Vantrell USB Dovrex", "Dual Mode USB Camera",
                                 "USB Camera", "NUVision Video Service", "NUVision Audio Service",
                                 "Genius VideoCAM Express", "VideoCAM Series", "Genius VideoCAM Web",
                                 "Vantrell Pixmoor-USB 100", "Vantrell Pixmoor-USB 300"};
    // Spread over the whole range, quoted as Windows writes them and bare.
    for (int i = 0; i < 15; ++i) {
        const std::string value = i % 2 ? std::string(names[i]) : "\"" + std::string(names[i]) + "\"";
        Plant(i * 7, "TwainDsName=" + value);
    }
    Plant(99, "TwainDsName=\"Glimra Eye\"");
    RemoveByName();

    for (int i = 0; i < 15; ++i) {
        // The .PNF goes even though its .inf, by which it is recognised, goes too.
        EXPECT_FALSE(FileExists(Copy(i * 7, ".PNF"))) << names[i];
        EXPECT_EQ(i == 13, FileExists(Copy(i * 7, ".inf"))) << names[i];
    }
    EXPECT_FALSE(FileExists(Copy(99, ".PNF")));
    EXPECT_FALSE(FileExists(Copy(99, ".inf")));
}

TEST_F(OemInfCleanupTest, NearMissesOtherCopiesAndHighNumbersStayWithoutADrain) {
    Plant(1, "TwainDsName=\"glimra view\"");
    Plant(2, "TwainDsName=\"Glimra View \"");
    Plant(3, "TwainDsName=\"USB Camera Plus\"");
    Plant(4, "TwainDsName=\"Acme Flatbed\"");
    Plant(5, "DriverVer=07/01/2001,5.1.2600.0");
    Plant(6, "511plus=\"Glimra View\"");
    Plant(100, "TwainDsName=\"Glimra View\"");
    ASSERT_TRUE(WriteFileBytes(Copy(7, ".inf"), "[Version]\r\nTwainDsName=\"Glimra View\"\r\n"));
    PostProbe();
    RemoveByName();

    for (int n : {1, 2, 3, 4, 5, 6, 100}) {
        EXPECT_TRUE(FileExists(Copy(n, ".inf"))) << n;
        EXPECT_TRUE(FileExists(Copy(n, ".PNF"))) << n;
    }
    EXPECT_TRUE(FileExists(Copy(7, ".inf")));
    EXPECT_TRUE(ProbeStillQueued());
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_EQ(0, lstrcmpiA(m_inf.c_str(), current)) << current;
}

TEST_F(OemInfCleanupTest, ProtectedInfIsDeletedAndTheQueueDrained) {
    Plant(3, "TwainDsName=\"Vantrell Pixmoor-USB 300\"");
    ASSERT_TRUE(SetFileAttributesA(Copy(3, ".inf").c_str(),
                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    // A read-only companion is not reset: it stays.
    ASSERT_TRUE(SetFileAttributesA(Copy(3, ".PNF").c_str(), FILE_ATTRIBUTE_READONLY));
    PostProbe();
    RemoveByName();

    EXPECT_FALSE(FileExists(Copy(3, ".inf")));
    EXPECT_TRUE(FileExists(Copy(3, ".PNF")));
    EXPECT_FALSE(ProbeStillQueued());
}

TEST_F(OemInfCleanupTest, LastGoodOvtCamGoesOnlyWhenEmpty) {
    const std::string ovtCam = m_tree.WindowsDir() + "\\LastGood\\OvtCam";
    ASSERT_TRUE(MakeDirs(ovtCam));
    ASSERT_TRUE(WriteFileBytes(ovtCam + "\\ovt511.sys", "driver"));
    RemoveByName();
    EXPECT_TRUE(FileExists(ovtCam + "\\ovt511.sys"));

    ASSERT_TRUE(DeleteFileA((ovtCam + "\\ovt511.sys").c_str()));
    RemoveByName();
    EXPECT_FALSE(DirectoryExists(ovtCam));
    EXPECT_TRUE(DirectoryExists(m_tree.WindowsDir() + "\\LastGood"));
}

TEST_F(OemInfCleanupTest, PlantedDelProgramInTheInfFolderIsNeverStarted) {
    std::string recorder;
    ASSERT_TRUE(ReadFileBytes(EnvironmentPath("VANTRELL_HELPERS") + "\\argrecorder.exe", recorder))
        << "VANTRELL_HELPERS must name the folder with argrecorder.exe";
    ASSERT_TRUE(WriteFileBytes(m_inf + "\\del.exe", recorder));
    const std::string record = m_tree.Path("record.txt");
    SetEnvironmentVariableA("VANTRELL_RECORD", record.c_str());
    auto recorded = [&](DWORD timeoutMs) {
        std::string text;
        WaitUntil([&] { return ReadFileBytes(record, text) && !text.empty(); }, timeoutMs);
        return text;
    };

    // The trap works: a "del" command line from the INF folder starts it.
    ASSERT_TRUE(SetCurrentDirectoryA(m_inf.c_str()));
    ASSERT_GT(WinExec("del probe", SW_HIDE), 31u);
    ASSERT_NE(std::string::npos, recorded(15000).find("probe"));
    ASSERT_TRUE(DeleteFileA(record.c_str()));
    ASSERT_TRUE(SetCurrentDirectoryA(m_savedDir));

    Plant(0, "TwainDsName=\"Glimra View\"");
    RemoveByName();
    EXPECT_FALSE(FileExists(Copy(0, ".inf")));
    EXPECT_EQ("", recorded(3000));
    SetEnvironmentVariableA("VANTRELL_RECORD", nullptr);
}

TEST_F(OemInfCleanupTest, DescriptionTakesOnlyInfsWhose511plusContainsIt) {
    Plant(0, "511plus=\"OmniVision\\Dual Mode USB Camera Plus\"");
    Plant(1, "511plus=\"USB\\VID_05A9&PID_0511 OmniVision\\Dual Mode USB Camera Plus (WDM)\"");
    Plant(2, "511plus=\"omnivision\\dual mode usb camera plus\"");
    Plant(3, "511plus=\"OmniVision\\Dual Mode USB Camera\"");
    Plant(4, "TwainDsName=\"OmniVision\\Dual Mode USB Camera Plus\"");
    Plant(100, "511plus=\"OmniVision\\Dual Mode USB Camera Plus\"");
    PostProbe();
    RemoveOemInfsByDescription(m_inf.c_str(), kDescription);

    EXPECT_FALSE(FileExists(Copy(0, ".inf")));
    EXPECT_FALSE(FileExists(Copy(1, ".inf")));
    for (int n : {2, 3, 4, 100}) EXPECT_TRUE(FileExists(Copy(n, ".inf"))) << n;
    for (int n : {0, 1, 2, 3, 4, 100}) EXPECT_TRUE(FileExists(Copy(n, ".PNF"))) << n;
    EXPECT_TRUE(ProbeStillQueued());
}

TEST_F(OemInfCleanupTest, EmptyDescriptionTakesNothing) {
    Plant(0, "511plus=\"Acme Camera\"");
    Plant(1, "TwainDsName=\"Acme Flatbed\"");
    RemoveOemInfsByDescription(m_inf.c_str(), "");
    EXPECT_TRUE(FileExists(Copy(0, ".inf")));
    EXPECT_TRUE(FileExists(Copy(1, ".inf")));
}

TEST_F(OemInfCleanupTest, InfFolderTooLongForItsCopiesIsNotCut) {
    // dir + "\oem1.inf" needs 260 characters; cut to fit it would name oem1.in.
    const std::string dir = m_inf + "\\" + std::string(250 - m_inf.size(), 'd');
    ASSERT_EQ(251u, dir.size());
    ASSERT_TRUE(MakeDirs(dir));
    ASSERT_TRUE(WriteFileBytes(dir + "\\oem1.in",
                               "[Strings]\r\nTwainDsName=\"Glimra View\"\r\n511plus=\"" + std::string(kDescription) +
                                   "\"\r\n"));
    ASSERT_TRUE(WriteFileBytes(dir + "\\oem1.PN", "PNF"));
    RemoveOemInfs(dir.c_str(), m_tree.WindowsDir().c_str());
    RemoveOemInfsByDescription(dir.c_str(), kDescription);
    EXPECT_TRUE(FileExists(dir + "\\oem1.in"));
    EXPECT_TRUE(FileExists(dir + "\\oem1.PN"));
}
