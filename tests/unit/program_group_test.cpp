// The program group: the execute strings, and what the shell's program
// manager makes of them.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "progman/program_group.h"
#include "temp_tree.h"
#include "ui_driver.h"

namespace {

const FileEntry kRows[] = {
    {1, "drvsweep.ex_", "DRVSWEEP.EXE", LOC_DESTINATION, "Uninstall Pixmoor-USB 300 plus", 0},
    {1, "a.dl_", "A.DLL", LOC_SYSTEM, "", 0},
    {1, "b.dl_", "B.DLL", LOC_SYSTEM, "DO NOT COPY", 0},
    {1, "c.ex_", "VIEWER.EXE", LOC_DESTINATION, "Viewer, (beta)", 0},
};

std::string ProgramsFolder() {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, path);
    return path;
}

}  // namespace

TEST(ProgramGroupCommands, CreateAddsAnItemPerTitledRowAndDeleteSendsOneCommand) {
    EXPECT_EQ(std::vector<std::string>(
                  {"[CreateGroup (Pixmoor-USB 300 plus)]",
                   "[AddItem (\"C:\\Program Files\\Pixmoor\\DRVSWEEP.EXE\", Uninstall Pixmoor-USB 300 plus)]",
                   "[AddItem (\"C:\\Program Files\\Pixmoor\\VIEWER.EXE\", Viewer, (beta))]"}),
              BuildProgramGroupCommands("Pixmoor-USB 300 plus", "C:\\Program Files\\Pixmoor", false, kRows, 4));
    EXPECT_EQ(std::vector<std::string>({"[CreateGroup (G)]"}),
              BuildProgramGroupCommands("G", "D:\\", false, kRows + 1, 2))
        << "untitled and DO NOT COPY rows get no item";
    EXPECT_EQ("[AddItem (\"D:\\\\DRVSWEEP.EXE\", Uninstall Pixmoor-USB 300 plus)]",
              BuildProgramGroupCommands("G", "D:\\", false, kRows, 1).at(1))
        << "the directory is used as it stands";
    EXPECT_EQ(std::vector<std::string>({"[DeleteGroup (Pixmoor-USB 300 plus)]"}),
              BuildProgramGroupCommands("Pixmoor-USB 300 plus", "", true, kRows, 4));
}

TEST(ProgramGroup, TheShellsProgramManagerCreatesAndDeletesTheGroup) {
    TempTree tree;
    // The program manager only adds items whose target exists.
    const FileEntry rows[] = {
        {1, "x", "DRVSWEEP.EXE", LOC_DESTINATION, "Uninstall Test Camera", 0},
    };
    ASSERT_TRUE(WriteFileBytes(tree.Path("DRVSWEEP.EXE"), "MZ"));
    const std::string group = ProgramsFolder() + "\\Vantrell Test Group";
    RemoveTree(group);

    // The shell starts a folder window inside CreateGroup, which takes its
    // time when the machine is busy (the tests run side by side): a command
    // that timed out would leave the next one to a conversation that ends.
    constexpr DWORD kBusyShellMs = 30000;
    // In a fresh prefix the shell may not serve the program manager yet:
    // the commands would go nowhere.
    ASSERT_TRUE(WaitForProgramManager(kBusyShellMs)) << "the shell's program manager never answered";
    UpdateProgramGroup(tree.Root(), 0, "Vantrell Test Group", rows, 1, kBusyShellMs);
    EXPECT_TRUE(WaitUntil([&] { return FileExists(group + "\\Uninstall Test Camera.lnk"); }, 10000))
        << "no item in " << group;
    EXPECT_TRUE(CloseGroupFolderWindow("Vantrell Test Group", 10000));

    UpdateProgramGroup("", 1, "Vantrell Test Group", rows, 1, kBusyShellMs);
    EXPECT_TRUE(WaitUntil([&] { return !DirectoryExists(group); }, 10000));
    EXPECT_EQ(0u, g_idDdeInst) << "the instance lives for one call";
    RemoveTree(group);
}
