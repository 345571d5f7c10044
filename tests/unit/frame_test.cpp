// The background frame: its painted title and its one-shot start timers.
#include <gtest/gtest.h>

#include <string>

#include "common/product_profile.h"
#include "frame/frame_title.h"
#include "frame/main_frame.h"
#include "temp_tree.h"

TEST(FrameTitle, TakesTheInfSuffixCutTo31Characters) {
    TempTree tree;
    char version[kSoftwareVersionChars];
    char title[kTitleChars];

    ReadSoftwareVersion(tree.Root().c_str(), "USBDE301r.INF", version);
    BuildFrameTitle(g_Product.szTitleText, version, title);
    EXPECT_STREQ("Pixmoor-USB 300 plus 3.01 Setup.", title) << "no INF";

    ASSERT_TRUE(WriteFileBytes(tree.Path("USBDE301r.INF"), "[Version]\r\nSoftware=b\r\n"));
    ReadSoftwareVersion(tree.Root().c_str(), "USBDE301r.INF", version);
    BuildFrameTitle(g_Product.szTitleText, version, title);
    EXPECT_STREQ("Pixmoor-USB 300 plus 3.01b Setup.", title);

    const std::string forty = "0123456789abcdefghijABCDEFGHIJ0123456789";
    ASSERT_TRUE(WriteFileBytes(tree.Path("USBDE301r.INF"), "[Version]\r\nSoftware=" + forty + "\r\n"));
    ReadSoftwareVersion(tree.Root().c_str(), "USBDE301r.INF", version);
    EXPECT_EQ(forty.substr(0, 31), version);
    BuildFrameTitle(g_Product.szTitleText, version, title);
    EXPECT_EQ("Pixmoor-USB 300 plus 3.01" + forty.substr(0, 31) + " Setup.", std::string(title));

    ASSERT_TRUE(WriteFileBytes(tree.Path("USBDE301r.INF"), "[Strings]\r\nSoftware=x\r\n"));
    ReadSoftwareVersion(tree.Root().c_str(), "USBDE301r.INF", version);
    EXPECT_STREQ("", version) << "only [Version] counts";
}

namespace {

int g_installRuns = 0;
int g_uninstallRuns = 0;
int g_selectedTable = -1;
std::string g_sourceDir;

void CountInstall(CMainFrame&) { ++g_installRuns; }
void CountUninstall(CMainFrame&, const char* sourceDir) {
    ++g_uninstallRuns;
    g_sourceDir = sourceDir;
}
void RememberTable(int bNtPaths) { g_selectedTable = bNtPaths; }

// Pumps messages for a while so that timers fire.
void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < ms) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

}  // namespace

TEST(MainFrame, FiresTheTimerOfItsModeExactlyOnceAndClosesAfterTheRemovalWizard) {
    TempTree tree;
    for (int bUninstall : {0, 1}) {
        g_installRuns = g_uninstallRuns = 0;
        g_selectedTable = -1;
        g_sourceDir.clear();
        FrameSettings settings = {};
        settings.bUninstall = bUninstall;
        settings.szProgramDir = tree.Root().c_str();
        settings.szTitleStart = g_Product.szTitleText;
        settings.pfnSelectFileTable = RememberTable;
        settings.szCommandLine = "D:\\Pixmoor CD";
        settings.pfnRunInstall = CountInstall;
        settings.pfnRunUninstallSheet = CountUninstall;
        auto* frame = new CMainFrame(settings);
        HWND hWnd = frame->m_hWnd;
        ASSERT_NE(nullptr, hWnd);
        EXPECT_EQ(0, g_selectedTable) << "file table chosen by the OS flag";
        EXPECT_EQ(hWnd, FindMainFrame()) << "found by its title";

        char system[MAX_PATH];
        GetSystemDirectoryA(system, sizeof system);
        EXPECT_EQ(std::string(system) + "\\drivers", frame->m_szDriversDir);
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, sizeof windows);
        EXPECT_EQ(std::string(windows) + "\\INF", frame->m_szInfDir);

        PumpFor(400);
        EXPECT_EQ(bUninstall ? 0 : 1, g_installRuns) << "bUninstall " << bUninstall;
        EXPECT_EQ(bUninstall ? 1 : 0, g_uninstallRuns) << "bUninstall " << bUninstall;
        if (bUninstall) {
            EXPECT_EQ("D:\\Pixmoor CD", g_sourceDir);
            EXPECT_FALSE(IsWindow(hWnd)) << "the frame closes itself after the removal wizard";
        } else {
            EXPECT_TRUE(IsWindow(hWnd)) << "the install road closes the frame itself";
            DestroyWindow(hWnd);  // the frame deletes itself
        }
        EXPECT_EQ(nullptr, FindMainFrame());
    }
}
