// The copy window with a two-row table: the next-disk prompt as a user
// meets it, pointing to another folder or leaving Setup.
#include <gtest/gtest.h>

#include <string>

#include "install/copy_progress_dlg.h"
#include "install/file_tables.h"
#include "resources/setup/resource.h"
#include "temp_tree.h"
#include "ui_driver.h"
#include "wine_settings.h"

namespace {

const FileEntry kTwoRows[] = {
    {1, "payload.ex_", "FIRST.EXE", LOC_DESTINATION, "", 1},
    {1, "payload.ex_", "SECOND.EXE", LOC_DESTINATION, "", 1},
};

// Puts a two-row table in place of the product's one-row table.
class TwoRowTable {
public:
    TwoRowTable() : m_table(g_pFileTable), m_count(g_nFileCount) {
        g_pFileTable = kTwoRows;
        g_nFileCount = 2;
    }
    ~TwoRowTable() {
        g_pFileTable = m_table;
        g_nFileCount = m_count;
    }

private:
    const FileEntry* m_table;
    int m_count;
};

class CopyDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ReadFileBytes(EnvironmentPath("VANTRELL_HELPERS") + "\\payload.ex_", m_compressed));
        m_cd = m_tree.Path("cd");
        m_disk2 = m_tree.Path("disk 2");
        m_destination = m_tree.Path("product");
        ASSERT_TRUE(MakeDirs(m_cd) && MakeDirs(m_disk2) && MakeDirs(m_destination));
        ASSERT_TRUE(WriteFileBytes(m_cd + "\\payload.ex_", m_compressed));
        m_windows = m_tree.WindowsDir();
        m_system = m_tree.SystemDir();
        m_inf = m_windows + "\\INF";
    }

    INT_PTR RunCopy(bool pointToDisk2, std::string& promptPath) {
        const FolderSet folders = {m_windows.c_str(), m_system.c_str(), m_inf.c_str(), m_destination.c_str(), 1};
        UserThread user([&] {
            HWND prompt = WaitForDialog("Setup Needs The Next Disk", GetCurrentProcessId(), 20000);
            if (prompt == nullptr) return;
            promptPath = ControlText(prompt, IDC_DISK_PATH);
            if (pointToDisk2) {
                // The user put the next disk in: the files are there.
                WriteFileBytes(m_disk2 + "\\payload.ex_", m_compressed);
                SetControlText(prompt, IDC_DISK_PATH, m_disk2);
                PressButton(prompt, IDOK);
                return;
            }
            PressButton(prompt, IDCANCEL);
            HWND exitSetup = WaitForDialog("Exit Setup", GetCurrentProcessId(), 20000);
            if (exitSetup != nullptr) PressButton(exitSetup, IDCANCEL);
        });
        TwoRowTable table;
        CCopyProgressDlg dialog(folders, m_cd.c_str());
        const INT_PTR result = dialog.DoModal();
        user.Join();
        return result;
    }

    TempTree m_tree;
    std::string m_compressed;
    std::string m_cd;
    std::string m_disk2;
    std::string m_destination;
    std::string m_windows;
    std::string m_system;
    std::string m_inf;
};

}  // namespace

TEST_F(CopyDialogTest, NextDiskPromptTakesAnotherFolderForTheRestOfTheCopy) {
    // With two rows the first is the second-to-last: its missing source asks for the next disk.
    ASSERT_TRUE(DeleteFileA((m_cd + "\\payload.ex_").c_str()));
    std::string promptPath;
    EXPECT_EQ(IDOK, RunCopy(true, promptPath));
    EXPECT_EQ(m_cd, promptPath) << "the prompt shows the folder it could not read";
    EXPECT_TRUE(FileExists(m_destination + "\\FIRST.EXE"));
    EXPECT_TRUE(FileExists(m_destination + "\\SECOND.EXE"));
}

TEST_F(CopyDialogTest, ExitSetupAtTheNextDiskPromptCancelsTheCopy) {
    ASSERT_TRUE(DeleteFileA((m_cd + "\\payload.ex_").c_str()));
    std::string promptPath;
    EXPECT_EQ(IDCANCEL, RunCopy(false, promptPath));
    EXPECT_FALSE(FileExists(m_destination + "\\SECOND.EXE")) << "nothing after Exit Setup";
}
