#include "install/install_sequence.h"

#include <string>

#include "common/product_profile.h"
#include "frame/main_frame.h"
#include "install/codec_fixups.h"
#include "install/companion.h"
#include "install/copy_progress_dlg.h"
#include "install/file_tables.h"
#include "install/uninstall_entry.h"
#include "progman/program_group.h"
#include "stillimage/earlier_still_image.h"
#include "stillimage/still_image_registration.h"
#include "wizard/creating_icons_dlg.h"
#include "wizard/install_wizard.h"

namespace {

constexpr DWORD kProgramManagerTimeoutMs = 6000;

std::string ModulePath() {
    char path[kPathChars] = "";
    const DWORD len = GetModuleFileNameA(nullptr, path, sizeof path);
    return (len > 0 && len < sizeof path) ? std::string(path) : std::string();
}

// Builds the program group while the "creating icons" notice is shown.
void CreateProgramGroup(CMainFrame& frame, const std::string& destination) {
    CCreatingIconsDlg notice;
    notice.Create(frame.m_hWnd);
    UpdateProgramGroup(destination, 0, g_Product.szProductName, g_pFileTable, g_nFileCount,
                       kProgramManagerTimeoutMs);
    if (notice.m_hWnd != nullptr) DestroyWindow(notice.m_hWnd);
}

}  // namespace

void RunInstall(CMainFrame& frame) {
    const std::string companion = CompanionInstallerPath(ModulePath().c_str());
    std::string destination;
    if (RunInstallWizard(destination) != 1) return;  // Exit Setup closed the frame

    PurgeEarlierStillImage(frame.Folders(""));

    CCopyProgressDlg copy(frame.Folders(destination.c_str()), frame.ProgramDir());
    copy.m_strDestination = destination;
    if (copy.DoModal() != IDOK) {
        // A stopped copy ends setup, as Exit Setup does: none of the later
        // steps run, and the frame would otherwise stay with nothing on it.
        PostMessageA(frame.m_hWnd, WM_CLOSE, 0, 0);
        return;
    }
    // The uninstaller is in the product folder now: the product can be
    // listed, and removed, where users look for installed programs.
    WriteUninstallEntry(destination, frame.m_szSoftwareVersion);

    CreateProgramGroup(frame, destination);
    Sleep(1000);

    StartCompanionInstaller(companion);
    WatchCompanion();

    RegisterStillImageDevice(frame.m_szWindowsDir, g_RegistrationPrompts);
    Sleep(1000);
    InstallEncoderSecondName(frame.m_szSystemDir);
    Sleep(1000);
    RegisterCaptureFilter(frame.m_szSystemDir);
    Sleep(500);
}
