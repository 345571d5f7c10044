// Libraries that are not among the system's known DLLs are loaded from the
// system directory by full path, never by name: the uninstaller runs from
// the Temp folder, where anyone can place a DLL of the same name.
#pragma once

#include <windows.h>

// LoadLibrary of system directory + "\" + name; the library's own imports
// are looked up beside it, not beside the program. nullptr on failure.
HMODULE LoadSystemLibrary(const char* name);

// Takes the program's and the current folder out of the search path of
// later library loads, where the system allows it (XP SP1 and later).
void RestrictLibrarySearchPath();

// True on the NT line (2000, XP and later), false on 95/98/Me.
bool IsNtLine();

// The user's interface language. Windows 95 and 98 have no separate one
// (their kernel lacks GetUserDefaultUILanguage, and a program importing it
// would not start there): the user's default language stands in.
LANGID UserUiLanguage();

// An entry point of module as the function type the caller names; nullptr
// when the module lacks it.
template <typename Fn>
Fn ProcAddress(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
