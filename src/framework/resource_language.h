// The language of the resources a program shows. They follow the user's
// language, but on 2000/XP their text reaches the controls through the
// ANSI calls, converted with the system's code page for non-Unicode
// programs: a Japanese user on a Western system would see every text as
// question marks. There the program takes its English resources instead.
#pragma once

#include <windows.h>

// The language of the resource (type, name) that the system's ordinary
// lookup picks for module; 0 when it finds none.
LANGID ShownResourceLanguage(HMODULE module, LPCSTR type, LPCSTR name);

// True when text in language can be shown in code page codePage: English
// (plain ASCII in these resources) everywhere, another language where its
// own ANSI code page is codePage.
bool LanguageFitsCodePage(LANGID language, UINT codePage);

// The language of module's strings for a display language: the same one,
// else one of the same primary language; 0 when module has neither.
LANGID ResourceLanguageFor(HMODULE module, LANGID uiLanguage);

// Makes this thread's resource lookups take module's language for the
// display language uiLanguage (the lookup's own pick, by the regional
// settings, when module has none for it), then English when that language
// does not fit codePage. Returns the language the strings are shown in.
LANGID ChooseResourceLanguage(HMODULE module, LANGID uiLanguage, UINT codePage);

// At start: on the NT line, the choice above for the user's display
// language and the system's code page, so that the pages name the buttons
// as the system draws them. 95/98/Me have one language and convert with
// its code page: the lookup's own pick stays there. Returns the language
// the strings are shown in.
LANGID UseShowableResourceLanguage(HMODULE module);
