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

// On the NT line, when the language of module's strings does not fit the
// system's code page, makes this thread's resource lookups take English.
// 95/98/Me convert with the code page of their own language: nothing
// changes there. Returns the language the strings are now shown in.
LANGID UseShowableResourceLanguage(HMODULE module);
