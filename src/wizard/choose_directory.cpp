#include "wizard/choose_directory.h"

#include <windows.h>

#include "common/ascii_text.h"
#include "common/bounded_string.h"
#include "framework/file_dialog.h"
#include "framework/modal_owner.h"
#include "framework/resource_text.h"
#include "resources/setup/resource.h"
#include "traces/run_log.h"

namespace {

bool AskCreate(const std::string& path) {
    const std::string text = "The directory:\n\n'" + path +
                             "'\n\ndoes not exist. Do you want the directory to be created?";
    return AppMessageBox(text.c_str(), "Setup", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void ReportInvalid(const std::string& path) {
    const std::string text = "The specified directory:\n\n'" + path +
                             "'\n\nis invalid, incomplete or write protected. Please type a full "
                             "path with drive letter; for example 'C:\\APPS'.";
    AppMessageBox(text.c_str(), "Setup", MB_ICONEXCLAMATION);
}

// "X:\..." or "\\server\share...": the product directory must not depend on
// where the process happens to be.
bool IsFullPath(const std::string& path) {
    const bool drive = path.size() >= 3 && IsAsciiLetter(path[0]) &&
                       path[1] == ':' && path[2] == '\\';
    const bool unc = path.size() >= 3 && path[0] == '\\' && path[1] == '\\';
    return drive || unc;
}

}  // namespace

const DirectoryPrompts g_DirectoryPrompts = {AskCreate, ReportInvalid};

bool AcceptChosenDirectory(const std::string& path, const DirectoryPrompts& prompts) {
    // A path that would not fit the destination buffer is never cut to one that does.
    if (path.size() >= kPathChars || !IsFullPath(path)) {
        prompts.reportInvalid(path);
        return false;
    }
    if (SetCurrentDirectoryA(path.c_str())) return true;
    // Trying the creation tells an acceptable new directory from an invalid path.
    if (!CreateDirectoryA(path.c_str(), nullptr)) {
        prompts.reportInvalid(path);
        return false;
    }
    RemoveDirectoryA(path.c_str());
    if (!prompts.askCreate(path)) return false;
    if (CreateDirectoryA(path.c_str(), nullptr)) {
        // The install's folder, made at the user's word: the log names it.
        LogInstalled(TraceKind::Directory, path.c_str(), nullptr, true, 0);
        return true;
    }
    prompts.reportInvalid(path);
    return false;
}

INT_PTR ShowChooseDirectoryDialog(HWND owner, const std::string& initialDir, LPOFNHOOKPROC hook) {
    // The file-name field is hidden; the dialog only needs some name in it.
    CFileDialog dialog(FALSE, nullptr, "setup.dir", OFN_HIDEREADONLY | OFN_LONGNAMES, owner);
    dialog.m_ofn.lpstrInitialDir = initialDir.c_str();
    // The old-style dialog would otherwise be titled as a plain save dialog.
    const std::string title = LoadDialogCaption(IDD_CHOOSE_DIRECTORY);
    dialog.m_ofn.lpstrTitle = title.c_str();
    dialog.m_ofn.lpfnHook = hook;
    dialog.m_ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_CHOOSE_DIRECTORY);
    dialog.m_ofn.Flags |= OFN_ENABLETEMPLATE;
    dialog.m_ofn.Flags &= ~OFN_EXPLORER;
    return dialog.DoModal();
}
