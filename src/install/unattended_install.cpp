#include "install/unattended_install.h"

#include <windows.h>

#include "common/exit_codes.h"
#include "common/locations.h"
#include "common/path_chars.h"
#include "common/product_profile.h"
#include "common/product_run.h"
#include "common/program_dir.h"
#include "common/version_library.h"
#include "frame/frame_title.h"
#include "install/companion.h"
#include "install/copy_engine.h"
#include "install/file_tables.h"
#include "install/install_sequence.h"
#include "install/uninstall_entry.h"
#include "product/product_folder.h"
#include "progman/program_group.h"
#include "stillimage/earlier_still_image.h"
#include "traces/run_log.h"

namespace {

// No one to ask: an error stops the copy, the log says which file and why.
class UnattendedCopy : public CopyObserver {
public:
    ErrorAnswer OnError(const std::string&) override { return ErrorAnswer::Abort; }
    NextDiskAnswer OnNextDisk(std::string&) override { return NextDiskAnswer::ExitSetup; }
    void OnRow(const std::string&, const std::string&) override {}
    void OnProgress(DWORD, unsigned int) override {}
};

// How long the shell may take to open the group's folder window.
constexpr DWORD kGroupWindowWaitMs = 5000;

void LogNotice(const char* text) { LogItem(TraceKind::Program, "setup", nullptr, text); }
const RegistrationPrompts kLoggedPrompts = {LogNotice};

}  // namespace

int RunUnattendedInstall(const UnattendedInstall& run) {
    const ProductRun folders(run.bNtPaths, run.szProgramDir);
    SelectFileTable(run.bNtPaths);
    char version[kSoftwareVersionChars];
    ReadSoftwareVersion(run.szProgramDir, g_Product.szProductInf, version);
    const std::string companion = CompanionInstallerPath(ModulePath().c_str());
    ProductFolder folder(folders.WindowsDir());
    if (run.szDestination[0] != '\0') folder.Set(run.szDestination);
    const std::string& destination = folder.Path();

    // Each missing level, as the wizard's browse box would make it.
    MakeFolderLevels(2, folder.c_str());
    PurgeEarlierStillImage(folders.Folders(""));

    folder.RecordDestPath(run.bNtPaths);
    UnattendedCopy observer;
    const CopyJob job = {g_pFileTable, g_nFileCount, folders.Folders(folder.c_str()), run.szProgramDir, "", "",
                         InstallFileVersion};
    if (!CopyFiles(job, observer)) return kExitFailed;
    WriteUninstallEntry(destination, version);
    // Nothing of this run may stay on the screens of the machines it is
    // deployed to: the shell's folder window for the new group goes again.
    CloseProgramGroupWindow(MakeProgramGroup(destination), g_Product.szProductName, kGroupWindowWaitMs);
    Sleep(1000);
    // As the wizard does: the companion runs while the registration goes on,
    // and setup ends when it ends.
    StartCompanionInstaller(companion);
    LogOutcome(TraceKind::Program, companion.c_str(), nullptr, g_hCompanionProcess != nullptr, GetLastError(),
               "started");
    RegisterDeviceAndCodecs(folders.WindowsDir(), folders.SystemDir(), kLoggedPrompts);
    WaitForCompanionToEnd(companion);
    return kExitDone;
}
