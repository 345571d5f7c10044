// Shared helpers: bounded path building, resource text formatting, the
// program directory and the whole-file copy.
#include <gtest/gtest.h>

#include <string>

#include "common/bounded_string.h"
#include "common/file_copy.h"
#include "common/path_chars.h"
#include "common/program_dir.h"
#include "common/text_format.h"
#include "temp_tree.h"

TEST(BoundedString, JoinsAndRefusesToCut) {
    char out[kPathChars];
    ASSERT_TRUE(JoinPath("C:\\WINDOWS", "INF", out));
    EXPECT_STREQ("C:\\WINDOWS\\INF", out);

    // 255 + "\" + 4 = 260 characters, one more than the buffer holds with its zero.
    const std::string longDir(255, 'd');
    EXPECT_FALSE(JoinPath(longDir.c_str(), "name", out));
    EXPECT_STREQ("", out);
    EXPECT_TRUE(JoinPath(longDir.c_str(), "abc", out));  // 259 characters fit

    // Once something did not fit, later short appends do not make it usable.
    BoundedString<8> small("1234567");
    small.Append("8").Append("");
    EXPECT_FALSE(small.ok());
    EXPECT_STREQ("1234567", small.c_str());
}

TEST(FormatText, FillsPlaceholdersInOrderAndNeverReadsPastTheArguments) {
    EXPECT_EQ("This will remove A. Make sure you are not running B Application.",
              FormatText("This will remove %s. Make sure you are not running %s Application.",
                         {"A", "B"}));
    EXPECT_EQ("100% of x and ", FormatText("100%% of %s and %s", {"x"}));
    EXPECT_EQ("%d stays, a", FormatText("%d stays, %s", {"a", "unused"}));
    EXPECT_EQ("ends with %", FormatText("ends with %", {}));
}

TEST(FormatInto, FormatsWholeOrLeavesTheBufferEmpty) {
    char name[8];
    EXPECT_EQ(4, FormatInto(name, "00%d", 19));
    EXPECT_STREQ("0019", name);
    EXPECT_EQ(7, FormatInto(name, "oem%d", 1234));
    EXPECT_STREQ("oem1234", name);
    // Eight characters leave no room for the terminator.
    EXPECT_EQ(-1, FormatInto(name, "oem%d", 12345));
    EXPECT_STREQ("", name);
    EXPECT_EQ(-1, FormatInto(name, "oem%d%s", 12, ".inf"));
    EXPECT_STREQ("", name);
}

TEST(FormatInto, WritesEachDirectiveTheProgramsUseAsTheCLibraryDoes) {
    char text[96];
    FormatInto(text, "[%-6s|%3s|%04u-%02u|%lu|%d|%d|%x|%%|%u%%]", "file", "ab", 7u, 12u, 4294967295ul, -42, 0, 0xbeefu,
               100u);
    EXPECT_STREQ("[file  | ab|0007-12|4294967295|-42|0|beef|%|100%]", text);
    FormatInto(text, "%05d %-5d| %s %q %", -42, 7, static_cast<const char*>(nullptr));
    EXPECT_STREQ("-0042 7    | (null) %q %", text) << "an unknown directive and a cut one stay as they are";
}

TEST(ProgramDir, DriveRootGivesTwoCharactersAndFoldersLoseTheirBackslash) {
    char dir[kPathChars];
    ASSERT_TRUE(ProgramDirFromModulePath("E:\\setup.exe", dir));
    EXPECT_STREQ("E:", dir);
    ASSERT_TRUE(ProgramDirFromModulePath("E:\\CD\\setup.exe", dir));
    EXPECT_STREQ("E:\\CD", dir);
    ASSERT_TRUE(ProgramDirFromModulePath("C:\\Program Files\\Pixmoor CD\\UNINSTAL.EXE", dir));
    EXPECT_STREQ("C:\\Program Files\\Pixmoor CD", dir);
    ASSERT_TRUE(ProgramDirFromModulePath("\\\\server\\share\\setup.exe", dir));
    EXPECT_STREQ("\\\\server\\share", dir);
}

TEST(CopyWholeFile, CopiesAnySizeAndNeverLeavesAPartialTarget) {
    TempTree tree;
    // Larger than the 655,360 bytes a single fixed read would take.
    std::string big(700001, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 251);
    const std::string source = tree.Path("source.exe");
    ASSERT_TRUE(WriteFileBytes(source, big));

    const std::string target = tree.Path("WINDOWS\\uninstal.exe");
    ASSERT_EQ(CopyResult::Copied, CopyWholeFile(source.c_str(), target.c_str()));
    std::string copied;
    ASSERT_TRUE(ReadFileBytes(target, copied));
    EXPECT_TRUE(copied == big) << "copy differs: " << copied.size() << " bytes";

    EXPECT_EQ(CopyResult::SourceMissing,
              CopyWholeFile(tree.Path("missing.exe").c_str(), tree.Path("x.exe").c_str()));
    EXPECT_FALSE(FileExists(tree.Path("x.exe")));

    const std::string noFolder = tree.Path("no\\such\\folder\\uninstal.exe");
    EXPECT_EQ(CopyResult::TargetFailed, CopyWholeFile(source.c_str(), noFolder.c_str()));
    EXPECT_FALSE(FileExists(noFolder));
}

// Characters whose second byte is the backslash's: "表" (0x95 0x5C) in
// code page 932, "許" (0xB3 0x5C) in 950. A separator is only ever a
// character of its own.
TEST(PathChars, ASecondByteLikeABackslashIsNoSeparator) {
    struct Case { UINT codePage; const char* character; };
    for (const Case& c : {Case{932, "\x95\x5C"}, Case{950, "\xB3\x5C"}}) {
        const std::string folder = std::string("C:\\") + c.character;  // C:\表
        std::string stripped = folder + "\\\\";
        StripTrailingSeparators(stripped, 0, c.codePage);
        EXPECT_EQ(folder, stripped) << c.codePage;
        std::string root = "C:\\";
        StripTrailingSeparators(root, 3, c.codePage);
        EXPECT_EQ("C:\\", root) << "a drive root keeps its backslash";

        const std::string file = folder + "\\DRVSWEEP.EXE";
        EXPECT_EQ(folder.size(), FindLastSeparator(file, "\\", c.codePage)) << c.codePage;
        EXPECT_EQ(2u, FindLastSeparator(folder, "\\", c.codePage)) << c.codePage;
        EXPECT_EQ(std::string::npos, FindSeparator(folder, 3, c.codePage)) << c.codePage;
        EXPECT_EQ(folder.size(), FindSeparator(file, 3, c.codePage)) << c.codePage;
        EXPECT_EQ(std::string::npos, FindInPath(std::string(c.character) + "enum\\", "\\enum\\", 0, c.codePage));
        // The same bytes in a code page without double-byte characters are
        // two characters, the second a backslash.
        EXPECT_EQ(folder.size() - 1, FindLastSeparator(folder, "\\", 1252)) << c.codePage;
    }
}
