// The check behind the Choose Directory dialog's OK button: an existing
// directory is taken, a missing one is created after the user agreed, and
// anything else is reported as an invalid path.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

struct DirectoryPrompts {
    // "does not exist. Do you want the directory to be created?"; true for Yes.
    bool (*askCreate)(const std::string& path);
    // "is invalid, incomplete or write protected."
    void (*reportInvalid)(const std::string& path);
};

// true: the dialog may close with OK (the directory exists now and is the
// process's current directory when it existed before). false: it stays open.
bool AcceptChosenDirectory(const std::string& path, const DirectoryPrompts& prompts);

// The message boxes the user sees.
extern const DirectoryPrompts g_DirectoryPrompts;

// Shows the Choose Directory dialog (the old-style file dialog on template
// 137, used as a folder picker) starting in initialDir, with hook deciding
// what its OK takes; IDOK or IDCANCEL.
INT_PTR ShowChooseDirectoryDialog(HWND owner, const std::string& initialDir, LPOFNHOOKPROC hook);
