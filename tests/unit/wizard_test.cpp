// The wizard's own logic: the directory check of the picker, the restart
// procedure, the agreement text, the default destination, the bars, the
// side picture and the "creating icons" notice.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <atomic>
#include <string>
#include <vector>

#include "common/percent_bar.h"
#include "common/product_profile.h"
#include "framework/resource_text.h"
#include "progman/program_group.h"
#include "resources/setup/resource.h"
#include "temp_tree.h"
#include "ui_driver.h"
#include "wizard/choose_directory.h"
#include "wizard/creating_icons_dlg.h"
#include "product/product_folder.h"
#include "wizard/destination_dlg.h"
#include "wizard/license_dlg.h"
#include "wizard/restart.h"
#include "wizard/uninstall_complete_dlg.h"

namespace {

int g_asked = 0;
int g_reported = 0;
bool g_answerYes = false;
bool AskCreate(const std::string&) { ++g_asked; return g_answerYes; }
void ReportInvalid(const std::string&) { ++g_reported; }
const DirectoryPrompts kPrompts = {AskCreate, ReportInvalid};

void ResetPrompts(bool answerYes) {
    g_asked = g_reported = 0;
    g_answerYes = answerYes;
}

}  // namespace

TEST(ChooseDirectory, TakesExistingCreatesOnYesAndRefusesTheRest) {
    TempTree tree;
    ResetPrompts(false);
    EXPECT_TRUE(AcceptChosenDirectory(tree.WindowsDir(), kPrompts));
    EXPECT_EQ(0, g_asked + g_reported) << "an existing directory needs no question";

    const std::string fresh = tree.Path("Pixmoor Software");
    ResetPrompts(false);
    EXPECT_FALSE(AcceptChosenDirectory(fresh, kPrompts));
    EXPECT_EQ(1, g_asked);
    EXPECT_FALSE(DirectoryExists(fresh)) << "No leaves nothing behind";

    ResetPrompts(true);
    EXPECT_TRUE(AcceptChosenDirectory(fresh, kPrompts));
    EXPECT_TRUE(DirectoryExists(fresh));

    const std::string tooLong = tree.Path(std::string(270, 'x'));
    for (const std::string& bad : {tree.Path("no parent\\child"), std::string("relative"),
                                   std::string("Q:\\missing drive"), tooLong}) {
        ResetPrompts(true);
        EXPECT_FALSE(AcceptChosenDirectory(bad, kPrompts)) << bad;
        EXPECT_EQ(1, g_reported) << bad;
        EXPECT_EQ(0, g_asked) << bad;
    }
    EXPECT_FALSE(DirectoryExists(tree.Path("no parent")));
}

namespace {

std::vector<std::string> g_calls;
bool g_exitSucceeds = false;
bool g_tokenOpens = true;
TOKEN_PRIVILEGES g_adjusted = {};

BOOL WINAPI FakeExitWindowsEx(UINT flags, DWORD) {
    g_calls.push_back(flags == EWX_REBOOT ? "exit(reboot)" : "exit(other)");
    return g_exitSucceeds;
}
BOOL WINAPI FakeOpenProcessToken(HANDLE, DWORD access, PHANDLE token) {
    g_calls.push_back(access == (TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY) ? "token" : "token(wrong access)");
    *token = nullptr;
    return g_tokenOpens;
}
BOOL WINAPI FakeLookup(LPCSTR, LPCSTR name, PLUID luid) {
    g_calls.push_back(std::string("lookup ") + name);
    luid->LowPart = 19;
    luid->HighPart = 0;
    return TRUE;
}
BOOL WINAPI FakeAdjust(HANDLE, BOOL, PTOKEN_PRIVILEGES state, DWORD, PTOKEN_PRIVILEGES, PDWORD) {
    g_calls.push_back("adjust");
    g_adjusted = *state;
    return TRUE;
}

// Replaces the system calls of the restart for one test.
class FakeRestart {
public:
    FakeRestart() : m_saved(g_RestartCalls) {
        g_RestartCalls = {FakeExitWindowsEx, FakeOpenProcessToken, FakeLookup, FakeAdjust};
        g_calls.clear();
        g_exitSucceeds = false;
        g_tokenOpens = true;
    }
    ~FakeRestart() { g_RestartCalls = m_saved; }

private:
    RestartCalls m_saved;
};

}  // namespace

TEST(Restart, RetriesWithTheShutdownPrivilegeOnlyWhenRefused) {
    FakeRestart fake;
    g_exitSucceeds = true;
    RestartComputer(g_RestartCalls);
    EXPECT_EQ(std::vector<std::string>({"exit(reboot)"}), g_calls);

    g_calls.clear();
    g_exitSucceeds = false;
    RestartComputer(g_RestartCalls);
    EXPECT_EQ(std::vector<std::string>(
                  {"exit(reboot)", "token", "lookup SeShutdownPrivilege", "adjust", "exit(reboot)"}),
              g_calls);
    EXPECT_EQ(1u, g_adjusted.PrivilegeCount);
    EXPECT_EQ(static_cast<DWORD>(SE_PRIVILEGE_ENABLED), g_adjusted.Privileges[0].Attributes);
    EXPECT_EQ(19u, g_adjusted.Privileges[0].Luid.LowPart);

    g_calls.clear();
    g_tokenOpens = false;
    RestartComputer(g_RestartCalls);
    EXPECT_EQ(std::vector<std::string>({"exit(reboot)", "token"}), g_calls);
}

namespace {

// What the user saw on the restart page.
struct RestartPageSeen {
    bool yesPreselected = false;
    SIZE picture = {};  // the side picture's control
    SIZE place = {};    // where the page's template puts it: 79 x 159 dialog units
};

BOOL CALLBACK FindSidePicture(HWND window, LPARAM found) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0 || (GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

RestartPageSeen LookAtRestartPage(HWND sheet) {
    RestartPageSeen seen;
    seen.yesPreselected = IsButtonChecked(sheet, IDC_RESTART_YES);
    HWND picture = nullptr;
    EnumChildWindows(sheet, FindSidePicture, reinterpret_cast<LPARAM>(&picture));
    RECT shown = {};
    RECT place = {0, 0, 79, 159};
    if (picture != nullptr && GetWindowRect(picture, &shown) && MapDialogRect(GetParent(picture), &place)) {
        seen.picture = {shown.right - shown.left, shown.bottom - shown.top};
        seen.place = {place.right, place.bottom};
    }
    return seen;
}

// Runs the restart page in a sheet of this process; another thread plays
// the user: looks at the page, optionally picks "later", then presses Finish.
INT_PTR FinishRestartPage(bool chooseLater, RestartPageSeen& seen) {
    UserThread user([&] {
        HWND sheet = WaitForDialog("Uninstall Complete", GetCurrentProcessId(), 10000);
        if (sheet == nullptr) return;
        WaitUntil([&] { return IsControlVisible(sheet, 12325); }, 5000);
        seen = LookAtRestartPage(sheet);
        if (chooseLater) SendMessageA(FindControl(sheet, IDC_RESTART_NO), BM_CLICK, 0, 0);
        PressButton(sheet, 12325);
    });
    CUninstallCompleteDlg page;
    CPropertySheet sheet(g_Product.szProductName);
    sheet.m_psh.dwFlags |= PSH_WIZARD;
    sheet.AddPage(&page);
    const INT_PTR result = sheet.DoModal();
    user.Join();
    return result;
}

}  // namespace

TEST(UninstallCompletePage, FinishRestartsOnlyWithYesSelected) {
    FakeRestart fake;
    RestartPageSeen seen;
    EXPECT_EQ(kIdFinish, FinishRestartPage(false, seen));
    EXPECT_TRUE(seen.yesPreselected);
    EXPECT_EQ(std::vector<std::string>(
                  {"exit(reboot)", "token", "lookup SeShutdownPrivilege", "adjust", "exit(reboot)"}),
              g_calls);

    g_calls.clear();
    EXPECT_EQ(kIdFinish, FinishRestartPage(true, seen));
    EXPECT_TRUE(g_calls.empty()) << "restart later must not restart";
}

// The side picture's bitmap has a fixed size in pixels; the page's place
// for it follows the page's font: the picture is stretched to that place.
TEST(SidePicture, FillsThePlaceItsPageGivesIt) {
    FakeRestart fake;
    RestartPageSeen seen;
    EXPECT_EQ(kIdFinish, FinishRestartPage(true, seen));
    EXPECT_GT(seen.place.cy, 0) << "no side picture on the page";
    EXPECT_EQ(seen.place.cx, seen.picture.cx);
    EXPECT_EQ(seen.place.cy, seen.picture.cy);
}

TEST(Agreement, JoinsTheTextsAndNamesTheCompany) {
    const std::string text = LoadAgreementText();
    EXPECT_EQ(0u, text.find("END-USER SOFTWARE LICENSE AGREEMENT\r\n"));
    EXPECT_EQ(std::string::npos, text.find("%s"));
    auto count = [&](const std::string& word) {
        int n = 0;
        for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(1, count("Orvanto Inc."));
    EXPECT_EQ(4, count("ORVANTO"));
    EXPECT_EQ(' ', text.back()) << "the six blank parts follow the text";
}

TEST(Destination, DefaultsToTheProductFolderOnTheWindowsDrive) {
    EXPECT_EQ("D:\\Pixmoor-USB 300 plus", ProductFolder("D:\\WINDOWS").Path());
    EXPECT_EQ("C:\\Pixmoor-USB 300 plus", ProductFolder("").Path());
    EXPECT_EQ("Choose Directoty", LoadDialogCaption(IDD_CHOOSE_DIRECTORY));
}

namespace {

// Paints a bar into a memory bitmap and returns the colours along its middle.
std::vector<COLORREF> PaintedBar(unsigned int& percent, int width) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width + 2, 14);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT bar = {1, 1, width + 1, 13};
    PaintPercentBar(dc, bar, percent, RGB(255, 0, 0));
    std::vector<COLORREF> row;
    for (int x = 1; x <= width; ++x) row.push_back(GetPixel(dc, x, 12));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return row;
}

}  // namespace

TEST(PercentBar, FillsItsShareAndClampsAbove100) {
    unsigned int half = 50;
    const std::vector<COLORREF> row = PaintedBar(half, 200);
    EXPECT_EQ(RGB(255, 0, 0), row[5]);
    EXPECT_EQ(RGB(255, 0, 0), row[60]);  // away from the centred text
    EXPECT_EQ(RGB(192, 192, 192), row[140]);
    EXPECT_EQ(RGB(192, 192, 192), row[195]);

    unsigned int over = 150;
    const std::vector<COLORREF> full = PaintedBar(over, 200);
    EXPECT_EQ(100u, over) << "stored back as 100";
    EXPECT_EQ(RGB(255, 0, 0), full[195]);
}

namespace {

// Shown, with nothing left to paint: the window itself and every control.
BOOL CALLBACK ControlPainted(HWND control, LPARAM painted) {
    if (!IsWindowVisible(control) || GetUpdateRect(control, nullptr, FALSE)) *reinterpret_cast<bool*>(painted) = false;
    return TRUE;
}
bool ShownAndPainted(HWND window) {
    bool painted = IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE);
    EnumChildWindows(window, ControlPainted, reinterpret_cast<LPARAM>(&painted));
    return painted;
}

}  // namespace

// The program group is built on the thread that shows the notice, and the
// conversation with the program manager paints nothing: the notice's icon
// and text must already be on screen when it starts.
TEST(CreatingIconsNotice, IsPaintedBeforeTheProgramManagerIsCalled) {
    TempTree tree;
    ASSERT_TRUE(WriteFileBytes(tree.Path("DRVSWEEP.EXE"), "MZ"));
    const FileEntry rows[] = {{1, "x", "DRVSWEEP.EXE", LOC_DESTINATION, "Uninstall Test Camera", 0}};
    ASSERT_TRUE(WaitForProgramManager(30000)) << "the shell's program manager never answered";
    std::atomic<HWND> shown(nullptr);
    std::atomic<int> seen(-1);  // -1: no conversation seen; else whether the notice was painted
    UserThread observer([&] {
        // The group's DDE instance exists from just before the connection
        // until the conversation ends.
        const DWORD start = GetTickCount();
        while (g_idDdeInst == 0 && GetTickCount() - start < 10000) Sleep(1);
        if (g_idDdeInst != 0) seen = ShownAndPainted(shown) ? 1 : 0;
    });
    CCreatingIconsDlg notice;
    ASSERT_TRUE(notice.Create(nullptr));
    shown = notice.m_hWnd;
    UpdateProgramGroup(tree.Root(), 0, "Vantrell Notice Group", rows, 1, 6000);
    observer.Join();
    DestroyWindow(notice.m_hWnd);
    EXPECT_EQ(1, seen.load()) << "-1: the program manager was never called; 0: the notice was not painted";

    EXPECT_TRUE(CloseGroupFolderWindow("Vantrell Notice Group", 10000));
    UpdateProgramGroup("", 1, "Vantrell Notice Group", rows, 1, 6000);
    char programs[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs);
    RemoveTree(std::string(programs) + "\\Vantrell Notice Group");
}
