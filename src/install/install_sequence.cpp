#include "install/install_sequence.h"

#include <cstring>
#include <string>

#include "common/exit_codes.h"
#include "common/product_profile.h"
#include "common/product_run.h"
#include "common/program_dir.h"
#include "frame/frame_title.h"
#include "frame/main_frame.h"
#include "framework/win_app.h"
#include "install/codec_fixups.h"
#include "install/companion.h"
#include "install/copy_engine.h"
#include "install/copy_progress_dlg.h"
#include "install/file_tables.h"
#include "install/uninstall_entry.h"
#include "product/product_folder.h"
#include "progman/program_group.h"
#include "stillimage/earlier_still_image.h"
#include "stillimage/still_image_registration.h"
#include "traces/run_log.h"
#include "wizard/creating_icons_dlg.h"
#include "wizard/install_wizard.h"

namespace {

constexpr DWORD kProgramManagerTimeoutMs = 6000;

}  // namespace

namespace {

// Builds the program group while the "creating icons" notice is shown.
void CreateProgramGroup(CMainFrame& frame, const std::string& destination) {
    CCreatingIconsDlg notice;
    notice.Create(frame.m_hWnd);
    MakeProgramGroup(destination);
    if (notice.m_hWnd != nullptr) DestroyWindow(notice.m_hWnd);
}

// Each missing level of the folder the wizard chose, logged as the
// unattended install makes them; the current directory, which the level
// test moves, stays where the wizard left it.
void MakeWizardFolder(const ProductFolder& folder) {
    char current[kPathChars] = "";
    const DWORD len = GetCurrentDirectoryA(sizeof current, current);
    MakeFolderLevels(2, folder.c_str());
    if (len > 0 && len < sizeof current) SetCurrentDirectoryA(current);
}

}  // namespace

DWORD MakeProgramGroup(const std::string& destination) {
    const DWORD programManager = UpdateProgramGroup(destination, 0, g_Product.szProductName, g_pFileTable,
                                                    g_nFileCount, kProgramManagerTimeoutMs);
    if (!RunLogActive()) return programManager;
    // The program manager answers nothing: what it lists afterwards tells.
    const bool made = ProgramGroupExists(g_Product.szProductName, kProgramManagerTimeoutMs);
    LogInstalled(TraceKind::ProgramGroup, g_Product.szProductName, nullptr, made, ERROR_GEN_FAILURE);
    for (int i = 0; i < g_nFileCount; ++i) {
        const FileEntry& row = g_pFileTable[i];
        if (row.szItemTitle[0] == '\0' || std::strcmp(row.szItemTitle, kDoNotCopy) == 0) continue;
        LogInstalled(TraceKind::ProgramItem, row.szItemTitle, row.szTargetName, made, ERROR_GEN_FAILURE);
    }
    return programManager;
}

void RegisterDeviceAndCodecs(const char* windowsDir, const char* systemDir, const RegistrationPrompts& prompts) {
    RegisterStillImageDevice(windowsDir, prompts);
    Sleep(1000);
    InstallEncoderSecondName(systemDir);
    Sleep(1000);
    RegisterCaptureFilter(systemDir);
    Sleep(500);
}

void RunInstall(CMainFrame& frame, const ProductRun& run) {
    const std::string companion = CompanionInstallerPath(ModulePath().c_str());
    ProductFolder folder(run.WindowsDir());
    if (RunInstallWizard(folder) != 1) {  // Exit Setup closed the frame
        CWinApp::Current()->m_nExitCode = kExitCancelled;
        return;
    }
    const std::string& destination = folder.Path();
    MakeWizardFolder(folder);

    PurgeEarlierStillImage(run.Folders(""));

    // Recorded before the uninstaller is copied into it, for the removal.
    folder.RecordDestPath(run.NtPaths());
    CCopyProgressDlg copy(run.Folders(folder.c_str()), run.ProgramDir());
    if (copy.DoModal() != IDOK) {
        // A stopped copy ends setup, as Exit Setup does: none of the later
        // steps run, and the frame would otherwise stay with nothing on it.
        CWinApp::Current()->m_nExitCode = kExitCancelled;
        PostMessageA(frame.m_hWnd, WM_CLOSE, 0, 0);
        return;
    }
    // The uninstaller is in the product folder now: the product can be
    // listed, and removed, where users look for installed programs.
    char version[kSoftwareVersionChars];
    ReadSoftwareVersion(run.ProgramDir(), g_Product.szProductInf, version);
    WriteUninstallEntry(destination, version);

    CreateProgramGroup(frame, destination);
    Sleep(1000);

    StartCompanionInstaller(companion);
    WatchCompanion();

    RegisterDeviceAndCodecs(run.WindowsDir(), run.SystemDir(), g_RegistrationPrompts);
}
