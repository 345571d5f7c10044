// The background frame: its painted title and its one-shot start timers.
#include <gtest/gtest.h>

#include <string>

#include "common/product_profile.h"
#include "common/product_run.h"
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

// Counts the frame's starts of the run.
struct CountingRun : FrameRun {
    void Start(CMainFrame&) override { ++starts; }
    int starts = 0;
};

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

TEST(MainFrame, StartsItsRunOnceAndClosesAfterTheRemovalWizardOnly) {
    TempTree tree;
    for (int bUninstall : {0, 1}) {
        CountingRun run;
        FrameSettings settings = {};
        settings.bUninstall = bUninstall;
        settings.szProgramDir = tree.Root().c_str();
        settings.szTitleStart = g_Product.szTitleText;
        settings.pRun = &run;
        auto* frame = new CMainFrame(settings);
        HWND hWnd = frame->m_hWnd;
        ASSERT_NE(nullptr, hWnd);
        EXPECT_EQ(hWnd, FindMainFrame()) << "found by its title";

        PumpFor(400);
        EXPECT_EQ(1, run.starts) << "bUninstall " << bUninstall;
        if (bUninstall) {
            EXPECT_FALSE(IsWindow(hWnd)) << "the frame closes itself after the removal wizard";
        } else {
            EXPECT_TRUE(IsWindow(hWnd)) << "the install road closes the frame itself";
            DestroyWindow(hWnd);  // the frame deletes itself
        }
        EXPECT_EQ(nullptr, FindMainFrame());
    }
}

TEST(ProductRun, ReadsTheSystemFolders) {
    const ProductRun run(0, "D:\\Pixmoor CD");
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_EQ(std::string(system) + "\\drivers", run.DriversDir());
    EXPECT_EQ(std::string(windows) + "\\INF", run.InfDir());
    EXPECT_STREQ("D:\\Pixmoor CD", run.ProgramDir());
    EXPECT_EQ(0, run.Folders("").bNtPaths);
}
