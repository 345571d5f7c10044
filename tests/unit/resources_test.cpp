// setup's resources in its eight languages: every language has every
// dialog and string, and each text carries the same placeholders as the
// English one, so formatting never differs between languages; every
// dialog's texts keep clear of its buttons.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "common/product_profile.h"
#include "framework/resource_language.h"
#include "framework/resource_text.h"
#include "install/next_disk_dlg.h"
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

namespace {

// One control of a dialog template, in dialog units.
struct TemplateItem {
    DWORD style;
    RECT rect;
    DWORD id;
    WORD classOrdinal;  // 0x80 button, 0x82 static; 0 for a class named by string
    std::wstring className;
    std::wstring text;
};

struct DialogTemplate {
    DWORD style = 0;
    short cx = 0, cy = 0;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0, charset = 0;
    std::wstring face;
    std::vector<TemplateItem> items;
};

// A name-or-ordinal field: ordinal set, or text read; returns what follows.
const WORD* ReadNameOrOrdinal(const WORD* p, WORD& ordinal, std::wstring& text) {
    ordinal = 0;
    text.clear();
    if (*p == 0xFFFF) {
        ordinal = p[1];
        return p + 2;
    }
    for (; *p != 0; ++p) text += static_cast<wchar_t>(*p);
    return p + 1;
}

// The extended template (what the resource compiler makes of DIALOGEX) of
// dialog id in exactly that language.
bool ReadTemplate(HMODULE module, UINT id, LANGID language, DialogTemplate& dialog) {
    HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(id), language);
    if (found == nullptr) return false;
    const auto* p = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
    if (p == nullptr || p[0] != 1 || p[1] != 0xFFFF) return false;
    dialog.style = *reinterpret_cast<const DWORD*>(p + 6);
    const WORD count = p[8];
    dialog.cx = static_cast<short>(p[11]);
    dialog.cy = static_cast<short>(p[12]);
    WORD ordinal;
    std::wstring ignored;
    p = ReadNameOrOrdinal(p + 13, ordinal, ignored);  // menu
    p = ReadNameOrOrdinal(p, ordinal, ignored);       // class
    p = ReadNameOrOrdinal(p, ordinal, ignored);       // caption
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = p[0];
        dialog.weight = p[1];
        dialog.italic = LOBYTE(p[2]);
        dialog.charset = HIBYTE(p[2]);
        p = ReadNameOrOrdinal(p + 3, ordinal, dialog.face);
    }
    for (WORD i = 0; i < count; ++i) {
        p = reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(p) + 3) & ~UINT_PTR(3));
        TemplateItem item;
        item.style = *reinterpret_cast<const DWORD*>(p + 4);
        const auto* box = reinterpret_cast<const short*>(p + 6);
        item.rect = {box[0], box[1], box[0] + box[2], box[1] + box[3]};
        item.id = *reinterpret_cast<const DWORD*>(p + 10);
        p = ReadNameOrOrdinal(p + 12, item.classOrdinal, item.className);
        WORD textOrdinal;
        p = ReadNameOrOrdinal(p, textOrdinal, item.text);
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p + 1) + *p);  // creation data
        dialog.items.push_back(item);
    }
    return true;
}

bool IsStaticText(const TemplateItem& item) {
    const bool isStatic = item.classOrdinal == 0x82 || lstrcmpiW(item.className.c_str(), L"Static") == 0;
    const DWORD type = item.style & SS_TYPEMASK;
    return isStatic && !item.text.empty() && (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT);
}

bool IsPushButton(const TemplateItem& item) {
    const DWORD type = item.style & 0x0F;
    return (item.classOrdinal == 0x80 || lstrcmpiW(item.className.c_str(), L"Button") == 0) &&
           (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

// A dialog laid out as the dialog manager does at a given number of pixels
// per inch: its font, its base units, and each control in pixels.
class DialogLayout {
public:
    DialogLayout(const DialogTemplate& dialog, int dpi) : m_dc(CreateCompatibleDC(nullptr)) {
        m_font = CreateFontW(-MulDiv(dialog.pointSize, dpi, 72), 0, 0, 0, dialog.weight, dialog.italic, FALSE,
                             FALSE, dialog.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, dialog.face.c_str());
        m_old = SelectObject(m_dc, m_font);
        TEXTMETRICW metrics;
        GetTextMetricsW(m_dc, &metrics);
        SIZE letters;
        GetTextExtentPoint32W(m_dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
        m_baseX = (letters.cx / 26 + 1) / 2;
        m_baseY = metrics.tmHeight;
    }
    ~DialogLayout() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_font);
        DeleteDC(m_dc);
    }
    DialogLayout(const DialogLayout&) = delete;
    DialogLayout& operator=(const DialogLayout&) = delete;

    RECT Pixels(const RECT& units) const {
        const int left = MulDiv(units.left, m_baseX, 4);
        const int top = MulDiv(units.top, m_baseY, 8);
        return {left, top, left + MulDiv(units.right - units.left, m_baseX, 4),
                top + MulDiv(units.bottom - units.top, m_baseY, 8)};
    }
    int LineHeight() const { return m_baseY; }
    // Height of a static control's text, wrapped as the control wraps it.
    int TextHeight(const TemplateItem& item, const std::wstring& text) const {
        const RECT box = Pixels(item.rect);
        RECT measured = {0, 0, box.right - box.left, 0};
        const UINT noPrefix = (item.style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        DrawTextW(m_dc, text.c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | noPrefix);
        return measured.bottom;
    }

private:
    HDC m_dc;
    HFONT m_font;
    HGDIOBJ m_old;
    int m_baseX = 0, m_baseY = 0;
};

std::wstring Wide(const char* text) {
    WCHAR wide[128] = L"";
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 128);
    return wide;
}

// The text as its page shows it: the Welcome text names the brand and the
// product twice, every other %s is the product.
std::wstring Shown(const TemplateItem& item) {
    const std::wstring brand = Wide(g_Product.szBrandWord);
    const std::wstring product = Wide(g_Product.szProductName);
    std::wstring shown = item.text;
    int n = 0;
    for (std::size_t at = shown.find(L"%s"); at != std::wstring::npos; at = shown.find(L"%s", at)) {
        const std::wstring& value = (item.id == IDC_WELCOME_TEXT && n++ % 2 == 0) ? brand : product;
        shown.replace(at, 2, value);
        at += value.size();
    }
    return shown;
}

std::string Narrow(const std::wstring& text) {
    char buffer[512] = "";
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, buffer, sizeof buffer - 1, nullptr, nullptr);
    return std::string(buffer).substr(0, 40);
}

struct PlacedText {
    RECT box;     // the control, in pixels
    int bottom;   // where its wrapped text ends
    std::string quote;
};

// Every text of one dialog at one resolution: none reaches the buttons
// (a page's are the sheet's, below the page); where paragraphs must stay
// apart, each fits its control and a blank line parts it from the next
// paragraph and from the buttons.
std::string CheckDialog(const DialogTemplate& dialog, int dpi, bool keepsParagraphs) {
    const DialogLayout layout(dialog, dpi);
    std::vector<PlacedText> texts;
    std::vector<RECT> buttons;
    for (const TemplateItem& item : dialog.items) {
        if (IsPushButton(item)) buttons.push_back(layout.Pixels(item.rect));
        if (!IsStaticText(item)) continue;
        const RECT box = layout.Pixels(item.rect);
        texts.push_back({box, box.top + layout.TextHeight(item, Shown(item)), Narrow(item.text)});
    }
    std::ostringstream faults;
    const bool isPage = (dialog.style & WS_CHILD) != 0;
    const int pageBottom = layout.Pixels({0, 0, dialog.cx, dialog.cy}).bottom;
    for (const PlacedText& text : texts) {
        const int bottom = std::max<int>(text.bottom, text.box.bottom);
        if (isPage && bottom > pageBottom) faults << " \"" << text.quote << "\" reaches below the page;";
        for (const RECT& button : buttons) {
            if (text.box.left < button.right && button.left < text.box.right && text.box.top < button.bottom &&
                button.top < bottom) {
                faults << " \"" << text.quote << "\" touches a button;";
            }
        }
    }
    if (!keepsParagraphs) return faults.str();
    std::sort(texts.begin(), texts.end(), [](const PlacedText& a, const PlacedText& b) { return a.box.top < b.box.top; });
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].bottom > texts[i].box.bottom) faults << " \"" << texts[i].quote << "\" is cut off;";
        std::vector<int> below;  // tops of what follows the paragraph
        if (i + 1 < texts.size()) below.push_back(texts[i + 1].box.top);
        for (const RECT& button : buttons) {
            if (button.top >= texts[i].box.top) below.push_back(button.top);
        }
        for (int top : below) {
            if (texts[i].bottom + layout.LineHeight() > top) {
                faults << " no blank line after \"" << texts[i].quote << "\";";
                break;
            }
        }
    }
    return faults.str();
}

}  // namespace

// What each language's user sees, at 96 and 120 pixels per inch, in the
// fonts the resources name: no text of a page or dialog touches the
// buttons, and the paragraphs of the Welcome page and of Exit Setup stand
// apart as the English ones do, each whole in its control.
TEST(Resources, TextsKeepClearOfTheButtonsAndWelcomeKeepsItsParagraphs) {
    const std::string sweepPath = EnvironmentPath("VANTRELL_CDIMAGE") + "\\..\\drvsweep.exe";
    HMODULE sweep = LoadLibraryExA(sweepPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, sweep) << sweepPath;
    struct Program {
        HMODULE module;
        std::vector<UINT> dialogs;
    };
    const Program programs[] = {{GetModuleHandleA(nullptr), std::vector<UINT>(std::begin(kDialogs), std::end(kDialogs))},
                                {sweep, {IDD_UNINSTALL, IDD_UNINSTALL_COMPLETE}}};
    for (const Program& program : programs) {
        for (LANGID language : kLanguages) {
            for (UINT id : program.dialogs) {
                DialogTemplate dialog;
                if (!ReadTemplate(program.module, id, language, dialog)) {
                    EXPECT_TRUE(program.module == sweep && language == 1046) << "dialog " << id << " in " << language;
                    continue;
                }
                const bool keepsParagraphs = id == IDD_WELCOME || id == IDD_EXIT_SETUP;
                for (int dpi : {96, 120}) {
                    EXPECT_EQ("", CheckDialog(dialog, dpi, keepsParagraphs))
                        << (program.module == sweep ? "DRVSWEEP " : "setup ") << "dialog " << id << " in "
                        << language << " at " << dpi << " dpi";
                }
            }
        }
    }
    FreeLibrary(sweep);
}

namespace {

UINT AnsiCodePage(LANGID language) {
    char number[8] = "";
    GetLocaleInfoA(MAKELCID(language, SORT_DEFAULT), LOCALE_IDEFAULTANSICODEPAGE, number, sizeof number);
    return static_cast<UINT>(std::atoi(number));
}

std::string Narrow(const std::wstring& text, UINT codePage) {
    std::string bytes(text.size() * 2 + 1, '\0');
    const int n = WideCharToMultiByte(codePage, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0],
                                      static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(n > 0 ? n : 0);
    return bytes;
}

std::wstring Widen(const std::string& bytes, UINT codePage) {
    std::wstring text(bytes.size() + 1, L'\0');
    const int n = MultiByteToWideChar(codePage, 0, bytes.c_str(), static_cast<int>(bytes.size()), &text[0],
                                      static_cast<int>(text.size()));
    text.resize(n > 0 ? n : 0);
    return text;
}

}  // namespace

// The copy engine writes the disk number over the label's second-to-last
// byte in the language's own code page: each language's label must hold
// the number there, so that the sentence stays whole with another number.
TEST(Resources, TheNextDiskLabelTakesTheDiskNumberInEveryLanguage) {
    HMODULE self = GetModuleHandleA(nullptr);
    for (LANGID language : kLanguages) {
        DialogTemplate dialog;
        ASSERT_TRUE(ReadTemplate(self, IDD_NEXT_DISK, language, dialog)) << language;
        const TemplateItem* label = nullptr;
        std::wstring before;  // the text in front of the label
        for (const TemplateItem& item : dialog.items) {
            if (item.id == IDC_DISK_NAME) {
                label = &item;
                break;
            }
            if (IsStaticText(item)) before = item.text;
        }
        ASSERT_NE(nullptr, label) << language;
        if ((label->style & WS_VISIBLE) == 0) {
            // The sentence before it carries the number; the hidden label stays empty.
            EXPECT_TRUE(label->text.empty()) << language;
            EXPECT_NE(std::wstring::npos, before.find(L'2')) << language;
            continue;
        }
        const UINT codePage = AnsiCodePage(language);
        std::string bytes = Narrow(label->text, codePage);
        PutDiskNumber(bytes, 3);
        std::wstring expected = label->text;
        const std::size_t number = expected.rfind(L'2');
        ASSERT_NE(std::wstring::npos, number) << language;
        expected[number] = L'3';
        EXPECT_TRUE(expected == Widen(bytes, codePage)) << language << ": the disk number is not the label's "
                                                        << "second-to-last byte in code page " << codePage;
    }
}

// On 2000/XP the system draws the wizard's buttons in its display
// language, whatever the regional settings: the pages take the display
// language (Wine's own lookup follows it already, so the choice is driven
// here with the display language given and the regional settings set).
TEST(ResourceLanguage, PagesFollowTheDisplayLanguageNotTheRegionalSettings) {
    HMODULE self = GetModuleHandleA(nullptr);
    const LCID regionalBefore = GetThreadLocale();
    const LANGID german = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

    SetThreadLocale(MAKELCID(german, SORT_DEFAULT));
    EXPECT_EQ(english, ChooseResourceLanguage(self, english, 1252)) << "German regional settings, English display";
    EXPECT_EQ("Confirm File Deletion", LoadResString(IDS_CONFIRM_CAPTION));
    SetThreadLocale(MAKELCID(english, SORT_DEFAULT));
    EXPECT_EQ(german, ChooseResourceLanguage(self, german, 1252)) << "English regional settings, German display";
    EXPECT_NE("Confirm File Deletion", LoadResString(IDS_CONFIRM_CAPTION));

    // A display language of the same family takes its relative; the
    // Japanese pages on a Western system still become English.
    EXPECT_EQ(german, ResourceLanguageFor(self, MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_SWISS)));
    EXPECT_EQ(0, ResourceLanguageFor(self, MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN)));
    EXPECT_EQ(english, ChooseResourceLanguage(self, MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), 1252));

    SetThreadLocale(regionalBefore);
    UseShowableResourceLanguage(self);
}
