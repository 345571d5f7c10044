// setup speaks the user's language: the pages come from the resources of
// the interface language Wine takes from the Unix locale.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "wine_settings.h"
#include "wizard_driver.h"

namespace {

struct Language {
    const char* locale;
    const char* welcomeTitle;
    const char* welcomeText;
    const char* agreementTitle;
    const char* yes;
    const char* no;
    const char* destinationTitle;
};

const Language kGerman = {
    "de_DE.UTF-8",
    "Willkommen",
    "Willkommen beim Setup-Programm für Vantrell Pixmoor-USB 300 plus. Dieses Programm installiert "
    "Vantrell Pixmoor-USB 300 plus auf Ihrem Computer.",
    "Software-Lizenzvertrag", "Ja", "Nein", "Zielpfad wählen"};

const Language kJapanese = {
    "ja_JP.UTF-8",
    "ようこそ",
    "Vantrell Pixmoor-USB 300 plus セットアップ プログラムへようこそ。このプログラムは、Vantrell "
    "Pixmoor-USB 300 plus をコンピュータにインストールします。",
    "ソフトウェア使用許諾契約", "はい", "いいえ", "インストール先の選択"};

const Language kEnglish = {
    "C.UTF-8",
    "Welcome",
    "Welcome to the Vantrell Pixmoor-USB 300 plus Setup program. This program will install "
    "Vantrell Pixmoor-USB 300 plus on your computer.",
    "Software License Agreement", "Yes", "No", "Choose Destination Location"};

// The language this run was started under (the Unix locale Wine takes the
// interface language from), as CTest names it.
const Language* ExpectedLanguage() {
    const std::string wanted = EnvironmentPath("VANTRELL_EXPECT_LANGUAGE");
    if (wanted == "de") return &kGerman;
    if (wanted == "ja") return &kJapanese;
    if (wanted == "en") return &kEnglish;
    return nullptr;
}

LANGID ExpectedUiLanguage(const Language* language) {
    if (language == &kGerman) return 0x0407;
    if (language == &kJapanese) return 0x0411;
    return 0;
}

// Walks welcome, agreement and destination and checks the texts there.
void WalkInLanguage(const Language& language, WizardSession& wizard) {
    ASSERT_TRUE(wizard.Start("\"" + CdImageDir() + "\\setup.exe\"", language.welcomeTitle))
        << language.locale << ": " << DescribeVisibleWindows();
    EXPECT_EQ(language.welcomeText, wizard.Text(ids::kWelcomeText));
    ASSERT_TRUE(wizard.Press(ids::kNext, language.agreementTitle)) << wizard.Title();
    EXPECT_EQ(language.yes, wizard.Text(ids::kNext));
    EXPECT_EQ(language.no, wizard.Text(ids::kCancel));
    // The whole agreement arrives, with the company named in all five places.
    const std::string agreement = wizard.Text(ids::kLicenseText);
    int shortNames = 0;
    for (std::size_t at = agreement.find("ORVANTO"); at != std::string::npos;
         at = agreement.find("ORVANTO", at + 1)) {
        ++shortNames;
    }
    EXPECT_EQ(4, shortNames) << agreement;
    EXPECT_NE(std::string::npos, agreement.find("Orvanto Inc.")) << agreement;
    ASSERT_TRUE(wizard.Press(ids::kNext, language.destinationTitle)) << wizard.Title();
    const std::string intro = wizard.Text(ids::kDestIntro);
    EXPECT_NE(std::string::npos, intro.find("Pixmoor-USB 300 plus")) << intro;
    EXPECT_EQ(std::string::npos, intro.find("%s")) << intro;
    if (&language == &kJapanese) {
        const std::string note = wizard.Text(ids::kJapaneseNote);
        EXPECT_EQ(0u, note.find("Pixmoor-USB 300 plus を別のフォルダに")) << note;
    } else {
        EXPECT_EQ(nullptr, FindControl(wizard.m_sheet, ids::kJapaneseNote));
    }
}

void ExitSetup(WizardSession& wizard) {
    ASSERT_TRUE(wizard.Press(ids::kCancel));
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (const TopWindow& w : ListTopLevelWindows()) {
            if (w.processId == wizard.m_process.Id() && w.className == "#32770" &&
                w.hWnd != wizard.m_sheet && w.visible) {
                question = w.hWnd;
                return true;
            }
        }
        return false;
    }, kWindowTimeoutMs));
    ASSERT_TRUE(wizard.Answer(question, IDCANCEL));
    EXPECT_TRUE(wizard.m_process.WaitForExit(kWindowTimeoutMs));
}

}  // namespace

// CTest runs this once per locale (German, Japanese and one without
// resources of its own, which gets English), and once for a Japanese user
// on a system whose code page is Western (VANTRELL_USER_SYSTEM=0411:1252):
// the Japanese texts cannot be shown there, and the pages are English.
TEST(LanguageE2E, WizardSpeaksTheUserInterfaceLanguage) {
    const Language* language = ExpectedLanguage();
    ASSERT_NE(nullptr, language) << "VANTRELL_EXPECT_LANGUAGE must be de, ja or en";
    const std::string userSystem = EnvironmentPath("VANTRELL_USER_SYSTEM");
    if (!userSystem.empty()) {
        ASSERT_EQ(std::strtoul(userSystem.c_str(), nullptr, 16), GetUserDefaultUILanguage()) << userSystem;
        ASSERT_EQ(std::strtoul(userSystem.c_str() + 5, nullptr, 10), GetACP()) << userSystem;
    } else if (ExpectedUiLanguage(language) != 0) {
        ASSERT_EQ(ExpectedUiLanguage(language), GetUserDefaultUILanguage())
            << "the locale " << language->locale << " is missing on this machine";
    }
    WizardSession wizard;
    WalkInLanguage(*language, wizard);
    ExitSetup(wizard);
}
