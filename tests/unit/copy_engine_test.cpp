// The copy loop: real installs with LZ expansion, and the result handling
// with a scripted install call.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "common/version_library.h"
#include "install/copy_engine.h"
#include "product/product_folder.h"
#include "temp_tree.h"
#include "wine_settings.h"

namespace {

// Plays the user: scripted answers, and a record of what was shown.
class ScriptedUser : public CopyObserver {
public:
    std::deque<ErrorAnswer> errorAnswers;
    std::deque<std::pair<NextDiskAnswer, std::string>> diskAnswers;
    std::vector<std::string> messages;
    std::vector<std::string> diskPrompts;   // the source folder each prompt showed
    std::vector<std::string> fromLines;
    std::vector<std::string> toLines;
    std::vector<unsigned int> percents;

    ErrorAnswer OnError(const std::string& message) override {
        messages.push_back(message);
        if (errorAnswers.empty()) return ErrorAnswer::Abort;
        const ErrorAnswer answer = errorAnswers.front();
        errorAnswers.pop_front();
        return answer;
    }
    NextDiskAnswer OnNextDisk(std::string& sourceDir) override {
        diskPrompts.push_back(sourceDir);
        if (diskAnswers.empty()) return NextDiskAnswer::ExitSetup;
        const auto answer = diskAnswers.front();
        diskAnswers.pop_front();
        if (answer.first == NextDiskAnswer::UseDirectory) sourceDir = answer.second;
        return answer.first;
    }
    void OnRow(const std::string& from, const std::string& to) override {
        fromLines.push_back(from);
        toLines.push_back(to);
    }
    void OnProgress(DWORD, unsigned int percent) override { percents.push_back(percent); }
};

// Scripted install results, one per call; records each call's source folder.
std::deque<DWORD> g_results;
std::vector<std::string> g_installCalls;

DWORD APIENTRY ScriptedInstall(DWORD, LPSTR sourceName, LPSTR, LPSTR sourceDir, LPSTR targetDir, LPSTR,
                               LPSTR tempFile, PUINT tempLength) {
    g_installCalls.push_back(std::string(sourceDir) + "\\" + sourceName);
    DWORD result = 0;
    if (!g_results.empty()) {
        result = g_results.front();
        g_results.pop_front();
    }
    if (result & VIF_TEMPFILE) {
        // The service leaves its temporary copy behind and names it.
        lstrcpynA(tempFile, "VER1A2B.TMP", *tempLength);
        WriteFileBytes(std::string(targetDir) + "\\VER1A2B.TMP", "partial");
    }
    return result;
}

class CopyEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_results.clear();
        g_installCalls.clear();
        m_cd = m_tree.Path("cd");
        m_destination = m_tree.Path("Pixmoor-USB 300 plus");
        ASSERT_TRUE(MakeDirs(m_cd));
        ASSERT_TRUE(MakeDirs(m_destination));
        WritePrivateProfileStringA("DestPath", nullptr, nullptr, "vantrell.ini");
    }
    void TearDown() override { WritePrivateProfileStringA("DestPath", nullptr, nullptr, "vantrell.ini"); }

    CopyJob Job(const FileEntry* rows, int count, int bNtPaths, InstallFileFn install) {
        m_windows = m_tree.WindowsDir();
        m_system = m_tree.SystemDir();
        m_inf = m_windows + "\\INF";
        return {rows, count,
                {m_windows.c_str(), m_system.c_str(), m_inf.c_str(), m_destination.c_str(), bNtPaths},
                m_cd, "Copying Files From:", "To:", install};
    }
    static std::string DestPath() {
        char value[MAX_PATH] = "";
        GetPrivateProfileStringA("DestPath", "DestPath", "", value, sizeof value, "vantrell.ini");
        return value;
    }

    TempTree m_tree;
    std::string m_cd;
    std::string m_destination;
    std::string m_windows;
    std::string m_system;
    std::string m_inf;
};

const FileEntry kUninstallerRow[] = {
    {1, "drvsweep.ex_", "DRVSWEEP.EXE", LOC_DESTINATION, "Uninstall Pixmoor-USB 300 plus", 0},
};

// The names of the files in a folder.
std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Free bytes of a drive root ("V:\"); false when there is no such drive.
bool FreeBytes(const std::string& root, unsigned long long& bytes) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) return false;
    bytes = 1ull * sectorsPerCluster * bytesPerSector * freeClusters;
    return true;
}

}  // namespace

TEST_F(CopyEngineTest, ExpandsTheCompressedUninstallerAndRecordsTheProductDirectory) {
    std::string compressed;
    std::string original;
    ASSERT_TRUE(ReadFileBytes(EnvironmentPath("VANTRELL_HELPERS") + "\\payload.ex_", compressed));
    ASSERT_TRUE(ReadFileBytes(EnvironmentPath("VANTRELL_HELPERS") + "\\payload.exe", original));
    ASSERT_EQ(0u, compressed.find("SZDD")) << "the CD's files are LZ-compressed";
    ASSERT_TRUE(WriteFileBytes(m_cd + "\\drvsweep.ex_", compressed));

    for (int bNtPaths : {1, 0}) {
        DeleteFileA((m_destination + "\\DRVSWEEP.EXE").c_str());
        WritePrivateProfileStringA("DestPath", nullptr, nullptr, "vantrell.ini");
        // As the install records the folder before its copy.
        ProductFolder folder(m_tree.WindowsDir().c_str());
        folder.Set(m_destination);
        folder.RecordDestPath(bNtPaths);
        ScriptedUser user;
        EXPECT_TRUE(CopyFiles(Job(kUninstallerRow, 1, bNtPaths, InstallFileVersion), user));
        std::string expanded;
        ASSERT_TRUE(ReadFileBytes(m_destination + "\\DRVSWEEP.EXE", expanded));
        EXPECT_TRUE(expanded == original) << "expanded " << expanded.size() << " of " << original.size();
        EXPECT_TRUE(user.messages.empty());
        EXPECT_EQ(bNtPaths ? m_destination : "", DestPath()) << "bNtPaths " << bNtPaths;
        ASSERT_EQ(1u, user.percents.size());
        EXPECT_EQ(compressed.size() * 100 / g_dwCopyTotalBytes, user.percents[0]);
        EXPECT_EQ("Copying Files From: " + m_cd + "\\", user.fromLines.at(0)) << "no source name shown";
        EXPECT_EQ("To: " + m_destination + "\\DRVSWEEP.EXE", user.toLines.at(0));
    }
}

TEST_F(CopyEngineTest, ReportsSourcesThatCannotBeExpandedAndTargetsThatCannotBeWritten) {
    std::string compressed;
    ASSERT_TRUE(ReadFileBytes(EnvironmentPath("VANTRELL_HELPERS") + "\\payload.ex_", compressed));
    const std::string source = m_cd + "\\drvsweep.ex_";
    const std::string target = m_destination + "\\DRVSWEEP.EXE";

    struct Case { const char* what; std::string bytes; };
    const Case cases[] = {
        {"missing", ""},
        {"truncated", compressed.substr(0, 20)},
        {"wrong header", "SZXX" + compressed.substr(4)},
    };
    for (const Case& c : cases) {
        DeleteFileA(source.c_str());
        DeleteFileA(target.c_str());
        if (!c.bytes.empty()) {
            ASSERT_TRUE(WriteFileBytes(source, c.bytes));
        }
        ScriptedUser user;
        user.errorAnswers = {ErrorAnswer::Abort};
        EXPECT_FALSE(CopyFiles(Job(kUninstallerRow, 1, 1, InstallFileVersion), user)) << c.what;
        EXPECT_EQ(1u, user.messages.size()) << c.what;
        std::string landed;
        if (ReadFileBytes(target, landed)) {
            ADD_FAILURE() << c.what << ": a broken source must not land as DRVSWEEP.EXE (" << landed.size()
                          << " bytes)";
        }
    }

    // A read-only target of another version is reported, not counted as installed.
    ASSERT_TRUE(WriteFileBytes(source, compressed));
    ASSERT_TRUE(WriteFileBytes(target, "old version"));
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    ScriptedUser user;
    user.errorAnswers = {ErrorAnswer::Ignore};
    EXPECT_TRUE(CopyFiles(Job(kUninstallerRow, 1, 1, InstallFileVersion), user));
    ASSERT_EQ(1u, user.messages.size());
    EXPECT_NE(std::string::npos, user.messages[0].find(target)) << user.messages[0];
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The version installer expands into a temporary file of its own in the
// target folder and, when the disk fills up, leaves it there unnamed.
TEST_F(CopyEngineTest, AFullDiskKeepsNoTemporaryFileOfTheCopyWhateverTheAnswer) {
    const std::string drive = EnvironmentPath("VANTRELL_FULL_DRIVE");
    unsigned long long freeBytes = 0;
    if (drive.empty() || !FreeBytes(drive + "\\", freeBytes)) {
        GTEST_SKIP() << "no full drive (" << (drive.empty() ? "VANTRELL_FULL_DRIVE unset" : drive)
                     << "): the test's fixture mounts one only as root, where the mount is allowed";
    }
    std::string compressed;
    std::string original;
    ASSERT_TRUE(ReadFileBytes(EnvironmentPath("VANTRELL_HELPERS") + "\\payload.ex_", compressed));
    ASSERT_TRUE(ReadFileBytes(EnvironmentPath("VANTRELL_HELPERS") + "\\payload.exe", original));
    ASSERT_TRUE(WriteFileBytes(m_cd + "\\drvsweep.ex_", compressed));
    m_destination = drive + "\\Pixmoor-USB 300 plus";
    RemoveTree(m_destination);
    ASSERT_TRUE(MakeDirs(m_destination));
    // Someone else's file of the installer's kind, there before the copy.
    const std::string planted = m_destination + "\\ver7a3c.tmp";
    ASSERT_TRUE(WriteFileBytes(planted, "not the copy's"));
    ASSERT_TRUE(FreeBytes(drive + "\\", freeBytes));
    ASSERT_LT(freeBytes, original.size()) << "the drive must be too full for the expanded file";

    for (const ErrorAnswer answer : {ErrorAnswer::Abort, ErrorAnswer::Ignore}) {
        const char* what = answer == ErrorAnswer::Abort ? "Abort" : "Ignore";
        ScriptedUser user;
        user.errorAnswers = {answer};
        EXPECT_EQ(answer == ErrorAnswer::Ignore, CopyFiles(Job(kUninstallerRow, 1, 1, InstallFileVersion), user))
            << what;
        EXPECT_EQ(std::vector<std::string>({"Out of disk space."}), user.messages) << what;
        EXPECT_EQ(std::vector<std::string>({"ver7a3c.tmp"}), FileNames(m_destination)) << what;
    }
    std::string kept;
    EXPECT_TRUE(ReadFileBytes(planted, kept) && kept == "not the copy's");
    RemoveTree(m_destination);
}

TEST_F(CopyEngineTest, RetryInstallsAgainAndAnswersNeverCarryOver) {
    const FileEntry rows[] = {
        {1, "one.dll", "ONE.DLL", LOC_SYSTEM, "", 1},
        {1, "skip", "SKIP.DLL", LOC_SYSTEM, "DO NOT COPY", 1},
        {1, "two.dll", "TWO.DLL", LOC_SYSTEM, "", 1},
    };
    // A tenth of the product each, uncompressed: the bar shows what was
    // done, the ignored row included.
    for (const char* name : {"one.dll", "two.dll"}) {
        ASSERT_TRUE(WriteFileBytes(m_cd + "\\" + name, std::string(g_dwCopyTotalBytes / 10, 'x')));
    }
    g_results = {VIF_SHARINGVIOLATION, 0, VIF_OUTOFSPACE};
    ScriptedUser user;
    user.errorAnswers = {ErrorAnswer::Retry, ErrorAnswer::Ignore};
    EXPECT_TRUE(CopyFiles(Job(rows, 3, 1, ScriptedInstall), user));
    EXPECT_EQ(3u, g_installCalls.size()) << "row one twice, row two once, the skipped row never";
    ASSERT_EQ(2u, user.messages.size());
    EXPECT_EQ("File " + m_system + "\\ONE.DLL sharing violation.", user.messages[0]);
    EXPECT_EQ("Out of disk space.", user.messages[1]);
    EXPECT_EQ(std::vector<unsigned int>({10, 20}), user.percents)
        << "the skipped row does not move the bar; the ignored one does, as far as a copied one";
    EXPECT_EQ("Copying Files From: " + m_cd + "\\one.dll", user.fromLines.at(0));
}

TEST_F(CopyEngineTest, FailuresThatLeaveNoFileAreReportedOnEverySystem) {
    const FileEntry rows[] = {{1, "one.dl_", "ONE.DLL", LOC_SYSTEM, "", 0}};
    const DWORD failures[] = {VIF_ACCESSVIOLATION, VIF_WRITEPROT, VIF_FILEINUSE, VIF_CANNOTCREATE, VIF_CANNOTDELETE,
                              VIF_TEMPFILE | VIF_CANNOTRENAME, VIF_CANNOTREADDST, VIF_BUFFTOOSMALL,
                              VIF_CANNOTLOADLZ32};
    for (int bNtPaths : {1, 0}) {
        for (DWORD failure : failures) {
            g_results = {failure};
            ScriptedUser user;
            user.errorAnswers = {ErrorAnswer::Abort};
            EXPECT_FALSE(CopyFiles(Job(rows, 1, bNtPaths, ScriptedInstall), user)) << std::hex << failure;
            ASSERT_EQ(1u, user.messages.size()) << std::hex << failure;
            EXPECT_NE(std::string::npos, user.messages[0].find(m_system + "\\ONE.DLL")) << user.messages[0];
        }
    }
    EXPECT_FALSE(FileExists(m_system + "\\VER1A2B.TMP")) << "the service's temporary file is removed";
}

TEST_F(CopyEngineTest, OnlyTheSecondToLastRowAsksForTheNextDisk) {
    const FileEntry rows[] = {
        {1, "a.dl_", "A.DLL", LOC_SYSTEM, "", 0},
        {1, "b.dl_", "B.DLL", LOC_SYSTEM, "", 0},
        {1, "c.dl_", "C.DLL", LOC_SYSTEM, "", 0},
    };
    const std::string disk2 = m_tree.Path("disk2");

    // Another folder: that row and every later one come from there.
    g_results = {0, VIF_CANNOTREADSRC, 0, 0};
    ScriptedUser user;
    user.diskAnswers = {{NextDiskAnswer::UseDirectory, disk2}};
    EXPECT_TRUE(CopyFiles(Job(rows, 3, 1, ScriptedInstall), user));
    EXPECT_EQ(std::vector<std::string>({m_cd}), user.diskPrompts);
    EXPECT_EQ(std::vector<std::string>({m_cd + "\\a.dl_", m_cd + "\\b.dl_", disk2 + "\\b.dl_", disk2 + "\\c.dl_"}),
              g_installCalls);
    EXPECT_TRUE(user.messages.empty());

    // Resume tries the same folder again; Exit Setup ends the copy at once.
    g_results = {0, VIF_CANNOTREADSRC, VIF_CANNOTREADSRC};
    g_installCalls.clear();
    ScriptedUser leaving;
    leaving.diskAnswers = {{NextDiskAnswer::Resume, ""}, {NextDiskAnswer::ExitSetup, ""}};
    EXPECT_FALSE(CopyFiles(Job(rows, 3, 1, ScriptedInstall), leaving));
    EXPECT_EQ(3u, g_installCalls.size()) << "row c is never tried";

    // Any other row gets the message, never the prompt.
    g_results = {VIF_CANNOTREADSRC};
    ScriptedUser first;
    first.errorAnswers = {ErrorAnswer::Abort};
    EXPECT_FALSE(CopyFiles(Job(rows, 3, 1, ScriptedInstall), first));
    EXPECT_TRUE(first.diskPrompts.empty());
    ASSERT_EQ(1u, first.messages.size());
    EXPECT_EQ("Cannot read source file " + m_cd + "\\a.dl_.", first.messages[0]);
}
