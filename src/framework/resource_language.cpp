#include "framework/resource_language.h"

#include "common/ascii_text.h"
#include "common/system_library.h"

namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
// The string block that holds the first of both programs' strings.
constexpr UINT kFirstString = 57344;
LPCSTR StringBlock() { return MAKEINTRESOURCEA(kFirstString / 16 + 1); }

struct LanguageSearch {
    HRSRC found;
    LANGID language;
};

BOOL CALLBACK MatchLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param) {
    auto* search = reinterpret_cast<LanguageSearch*>(param);
    if (FindResourceExA(module, type, name, language) != search->found) return TRUE;
    search->language = language;
    return FALSE;
}

// 2000/XP look resources up by the thread's locale, Vista and later by the
// thread's interface language: both are set where the system has them
// (neither is for 95/98/Me, whose kernel may lack them).
void TakeResourcesIn(LANGID language) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr) return;
    using SetLocaleFn = BOOL(WINAPI*)(LCID);
    using SetUiLanguageFn = LANGID(WINAPI*)(LANGID);
    auto setLocale = ProcAddress<SetLocaleFn>(kernel, "SetThreadLocale");
    if (setLocale != nullptr) setLocale(MAKELCID(language, SORT_DEFAULT));
    auto setUiLanguage = ProcAddress<SetUiLanguageFn>(kernel, "SetThreadUILanguage");
    if (setUiLanguage != nullptr) setUiLanguage(language);
}

struct LanguageChoice {
    LANGID wanted;
    LANGID exact;
    LANGID samePrimary;
};

BOOL CALLBACK WeighLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param) {
    auto* choice = reinterpret_cast<LanguageChoice*>(param);
    if (language == choice->wanted) choice->exact = language;
    if (choice->samePrimary == 0 && PRIMARYLANGID(language) == PRIMARYLANGID(choice->wanted)) {
        choice->samePrimary = language;
    }
    return TRUE;
}

}  // namespace

LANGID ShownResourceLanguage(HMODULE module, LPCSTR type, LPCSTR name) {
    LanguageSearch search = {FindResourceA(module, name, type), 0};
    if (search.found == nullptr) return 0;
    // The lookup does not say which language it took: the resource it found
    // is held against each language's own.
    EnumResourceLanguagesA(module, type, name, MatchLanguage, reinterpret_cast<LONG_PTR>(&search));
    return search.language;
}

bool LanguageFitsCodePage(LANGID language, UINT codePage) {
    if (PRIMARYLANGID(language) == LANG_ENGLISH) return true;
    char own[8] = "";
    if (GetLocaleInfoA(MAKELCID(language, SORT_DEFAULT), LOCALE_IDEFAULTANSICODEPAGE, own, sizeof own) == 0) {
        return true;  // nothing known against it
    }
    unsigned long number = 0;
    const char* end = own;
    return ParseDecimal(own, number, end) && number == codePage;
}

LANGID ResourceLanguageFor(HMODULE module, LANGID uiLanguage) {
    LanguageChoice choice = {uiLanguage, 0, 0};
    if (uiLanguage != 0) {
        EnumResourceLanguagesA(module, RT_STRING, StringBlock(), WeighLanguage, reinterpret_cast<LONG_PTR>(&choice));
    }
    return choice.exact != 0 ? choice.exact : choice.samePrimary;
}

LANGID ChooseResourceLanguage(HMODULE module, LANGID uiLanguage, UINT codePage) {
    // Windows draws the wizard's buttons in its display language, whatever
    // the regional settings: the pages speak it too where they can.
    const LANGID wanted = ResourceLanguageFor(module, uiLanguage);
    if (wanted != 0) TakeResourcesIn(wanted);
    const LANGID shown = ShownResourceLanguage(module, RT_STRING, StringBlock());
    if (shown == 0 || LanguageFitsCodePage(shown, codePage)) return shown;
    TakeResourcesIn(kEnglish);
    return ShownResourceLanguage(module, RT_STRING, StringBlock());
}

LANGID UseShowableResourceLanguage(HMODULE module) {
    if (!IsNtLine()) return ShownResourceLanguage(module, RT_STRING, StringBlock());
    return ChooseResourceLanguage(module, UserUiLanguage(), GetACP());
}
