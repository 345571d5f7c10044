// setup's resources in its eight languages: every language has every
// dialog and string, and each text carries the same placeholders as the
// English one, so formatting never differs between languages.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "resources/setup/resource.h"
#include "wine_settings.h"

namespace {

const LANGID kLanguages[] = {1028, 1031, 1033, 1036, 1041, 1046, 2058, 2070};
const UINT kDialogs[] = {IDD_WELCOME,      IDD_LICENSE,   IDD_DESTINATION,    IDD_COPY_PROGRESS,
                         IDD_EXIT_SETUP,   IDD_CHOOSE_DIRECTORY, IDD_NEXT_DISK, IDD_CREATING_ICONS,
                         IDD_UNINSTALL,    IDD_UNINSTALL_COMPLETE};

// The string with this identifier in exactly this language, as UTF-16;
// false when that language lacks it.
bool LoadStringIn(UINT id, LANGID language, std::wstring& text, HMODULE module = GetModuleHandleA(nullptr)) {
    HRSRC block = FindResourceExA(module, MAKEINTRESOURCEA(6), MAKEINTRESOURCEA(id / 16 + 1), language);
    if (block == nullptr) return false;
    const auto* p = static_cast<const WCHAR*>(LockResource(LoadResource(module, block)));
    for (UINT i = 0; i < id % 16; ++i) p += 1 + *p;
    if (*p == 0) return false;
    text.assign(p + 1, *p);
    return true;
}

int Placeholders(const std::wstring& text) {
    int n = 0;
    for (std::size_t at = text.find(L"%s"); at != std::wstring::npos; at = text.find(L"%s", at + 2)) ++n;
    return n;
}

}  // namespace

TEST(Resources, EveryLanguageHasEveryDialogAndString) {
    for (LANGID language : kLanguages) {
        for (UINT dialog : kDialogs) {
            EXPECT_NE(nullptr, FindResourceExA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(5),
                                               MAKEINTRESOURCEA(dialog), language))
                << "dialog " << dialog << " in " << language;
        }
        for (UINT id = IDS_APP_TITLE; id <= IDS_ADMIN_RIGHTS_NEEDED; ++id) {
            std::wstring english;
            std::wstring text;
            ASSERT_TRUE(LoadStringIn(id, 1033, english)) << id;
            ASSERT_TRUE(LoadStringIn(id, language, text)) << "string " << id << " in " << language;
            EXPECT_EQ(Placeholders(english), Placeholders(text)) << "string " << id << " in " << language;
        }
        std::wstring description;
        ASSERT_TRUE(LoadStringIn(IDS_OEM_DEVICE_DESCRIPTION, language, description));
        EXPECT_EQ(L"OmniVision\\Dual Mode USB Camera Plus", description) << language;
    }
}

// The stand-alone uninstaller's own resources, in its seven languages: both
// pages, the application title, the question and the message that the
// removal cannot start, each with two placeholders, and the message that
// administrator rights are needed, with the product name.
TEST(Resources, TheUninstallerHasItsPagesAndQuestionInSevenLanguages) {
    const std::string program = EnvironmentPath("VANTRELL_CDIMAGE") + "\\..\\drvsweep.exe";
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module) << program;
    for (LANGID language : {1028, 1031, 1033, 1036, 1041, 2058, 2070}) {
        for (UINT dialog : {142u, 145u}) {
            EXPECT_NE(nullptr, FindResourceExA(module, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(dialog), language))
                << "dialog " << dialog << " in " << language;
        }
        std::wstring title, question, caption, notStarted;
        ASSERT_TRUE(LoadStringIn(57344, language, title, module)) << language;
        EXPECT_EQ(L"KD73", title);
        ASSERT_TRUE(LoadStringIn(57361, language, question, module)) << language;
        EXPECT_EQ(2, Placeholders(question)) << language;
        ASSERT_TRUE(LoadStringIn(57363, language, notStarted, module)) << language;
        EXPECT_EQ(2, Placeholders(notStarted)) << language << ": the copy's path and the reason";
        EXPECT_TRUE(LoadStringIn(57362, language, caption, module) && !caption.empty()) << language;
        std::wstring adminRights;
        ASSERT_TRUE(LoadStringIn(57364, language, adminRights, module)) << language;
        EXPECT_EQ(1, Placeholders(adminRights)) << language << ": the product name";
    }
    for (UINT bitmap : {140u, 141u}) {
        EXPECT_NE(nullptr, FindResourceA(module, MAKEINTRESOURCEA(bitmap), MAKEINTRESOURCEA(2))) << bitmap;
    }
    FreeLibrary(module);
}
