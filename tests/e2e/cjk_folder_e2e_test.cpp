// A product folder whose name ends in a character with the backslash's
// byte as its second byte ("表" in code page 932, "許" in 950), as a user of
// that language meets it: installed there through the directory picker and
// removed by DRVSWEEP; an earlier version's folder reported and removed by
// setup's uninstall mode. CTest runs these in a fresh XP prefix per locale
// (Japanese, Traditional Chinese).
#include <gtest/gtest.h>

#include <string>

#include "temp_tree.h"
#include "wine_settings.h"
#include "wizard_driver.h"

namespace {

struct LocaleCase {
    UINT codePage;
    const char* lastCharacter;  // UTF-8
    WizardTitles titles;
    const char* question;       // the uninstallers' confirmation caption
};

const LocaleCase kCases[] = {
    {932, "表",
     {"ようこそ", "ソフトウェア使用許諾契約", "インストール先の選択", "フォルダの選択",
      "コンピュータからのプログラムの削除", "アンインストールの完了"},
     "ファイル削除の確認"},
    {950, "許",
     {"歡迎", "軟體授權合約", "選擇目的地位置", "選擇資料夾", "從您的電腦移除程式", "解除安裝完成"},
     "確認刪除檔案"},
};

class CjkFolderE2E : public ::testing::Test {
protected:
    void SetUp() override {
        for (const LocaleCase& c : kCases) {
            if (c.codePage == GetACP()) m_case = &c;
        }
        ASSERT_NE(nullptr, m_case) << "code page " << GetACP() << ": the locale is missing on this machine";
        for (const char* program : {"setup.exe", "uninstal.exe", "DRVSWEEP.EXE"}) {
            ASSERT_TRUE(SetProgramWindowsVersion(program, "winxp"));
        }
        m_folderUtf8 = WindowsDir().substr(0, 3) + m_case->lastCharacter;
        m_folder = AnsiFromUtf8(m_folderUtf8);
        ASSERT_EQ(m_folder.size(), 5u) << "a double-byte character after \"C:\\\"";
        ASSERT_EQ('\\', m_folder.back()) << "its second byte is the backslash's";
    }

    void Install() {
        std::string failure;
        ASSERT_TRUE(InstallInto(CdImageDir(), m_folderUtf8, m_case->titles, failure)) << failure;
        ASSERT_TRUE(FileExists(m_folder + "\\DRVSWEEP.EXE")) << m_folderUtf8;
    }

    // Answers the question of the program started and walks every removal
    // wizard that comes up to its end.
    void AnswerAndRemove(ChildProcess& program) {
        HWND question = WaitForDialog(m_case->question, program.Id(), kWindowTimeoutMs);
        ASSERT_NE(nullptr, question) << DescribeVisibleWindows();
        ASSERT_TRUE(PressButton(question, IDOK));
        int wizards = 0;
        for (HWND sheet; (sheet = WaitForDialog(m_case->titles.removal, 0, wizards == 0 ? kWindowTimeoutMs : 5000));) {
            DWORD processId = 0;
            GetWindowThreadProcessId(sheet, &processId);
            std::string failure;
            ASSERT_TRUE(FinishRemovalWizardWithoutRestart(processId, failure, m_case->titles)) << failure;
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, kWindowTimeoutMs));
            ++wizards;
        }
        EXPECT_GE(wizards, 1);
        EXPECT_TRUE(WaitForWindowGone("Setup", 0, kWindowTimeoutMs)) << DescribeVisibleWindows();
    }

    const LocaleCase* m_case = nullptr;
    std::string m_folderUtf8;
    std::string m_folder;  // in the ANSI code page
};

}  // namespace

TEST_F(CjkFolderE2E, DrvSweepRemovesTheFolderAndEverythingInIt) {
    Install();
    ASSERT_FALSE(HasFatalFailure());
    ChildProcess sweep;
    ASSERT_TRUE(sweep.Start("\"" + m_folder + "\\DRVSWEEP.EXE\"", m_folder));
    AnswerAndRemove(sweep);
    EXPECT_FALSE(FileExists(m_folder + "\\DRVSWEEP.EXE"));
    EXPECT_FALSE(DirectoryExists(m_folder)) << m_folderUtf8 << " stays";
}

// setup's removal tables name the files of earlier versions in the product
// folder, not DRVSWEEP.EXE, which an install of this one leaves there: the
// folder holds what an earlier version left, as recorded in vantrell.ini.
TEST_F(CjkFolderE2E, SetupsUninstallModeReportsAndRemovesTheFolderAndEverythingInIt) {
    ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr)) << m_folderUtf8;
    for (const char* file : {"USBCAM.EXE", "UNINSTAL.EXE", "USBCAM.HLP"}) {
        ASSERT_TRUE(WriteFileBytes(m_folder + "\\" + file, "earlier version")) << file;
    }
    WritePrivateProfileStringA("DestPath", "DestPath", m_folder.c_str(), "vantrell.ini");

    // The report names the folder as the removal then takes it.
    const std::string reportFile = WindowsDir() + "\\Temp\\traces.txt";
    ChildProcess report;
    ASSERT_TRUE(report.Start("\"" + CdImageDir() + "\\setup.exe\" /traces=\"" + reportFile + "\""));
    ASSERT_TRUE(report.WaitForExit(kWindowTimeoutMs)) << DescribeVisibleWindows();
    std::string text;
    ASSERT_TRUE(ReadFileBytes(reportFile, text));
    EXPECT_NE(std::string::npos, text.find("  directory         " + m_folderUtf8 + "\r\n")) << text;

    ChildProcess launcher;
    ASSERT_TRUE(launcher.Start("\"" + CdImageDir() + "\\uninstal.exe\"", CdImageDir()));
    AnswerAndRemove(launcher);
    EXPECT_FALSE(FileExists(m_folder + "\\USBCAM.EXE"));
    EXPECT_FALSE(DirectoryExists(m_folder)) << m_folderUtf8 << " stays";
}
