#include "app/setup_app.h"

#include "app/directx_probe.h"
#include "app/os_flag.h"
#include "app/run_mode.h"
#include "app/trace_report.h"
#include "app/uninstall_launcher.h"
#include "common/admin_rights.h"
#include "common/ascii_text.h"
#include "common/exit_codes.h"
#include "common/locations.h"
#include "common/run_options.h"
#include "common/single_run.h"
#include "common/text_format.h"
#include "common/product_profile.h"
#include "common/product_run.h"
#include "common/program_dir.h"
#include "common/reg_key.h"
#include "frame/main_frame.h"
#include "framework/modal_owner.h"
#include "framework/resource_text.h"
#include "install/file_tables.h"
#include "install/install_sequence.h"
#include "install/unattended_install.h"
#include "product/product_folder.h"
#include "traces/run_log.h"
#include "resources/setup/resource.h"
#include "wizard/install_wizard.h"
#include "wizard/rights_needed.h"
#include "wizard/second_run.h"
#include "wizard/uninstall_wizard.h"

CSetupApp& SetupApp() { return *static_cast<CSetupApp*>(CWinApp::Current()); }

BOOL CSetupApp::InitInstance() {
    m_bNtPaths = SetupNtPathsFlag(GetVersion());
    SetRegistryKey(g_Product.szBrandWord);
    GetProgramDir(m_szProgramDir);

    const RunMode mode = DecideRunMode(m_strExeName, m_strCmdLine, g_Product.szUninstallName);
    // The install's options are read, and its log made, before anything else.
    RunOptions options = {};
    if (mode == RunMode::Install && !ReadInstallOptions(options)) return FALSE;
    // The report only reads: no claim on the run, no rights needed.
    if (mode != RunMode::TraceReport && !MayChangeTheMachine(options.bSilent)) return FALSE;
    if (options.bSilent) {
        m_nExitCode = RunUnattendedInstall({m_bNtPaths, m_szProgramDir, options.szDir});
        return FALSE;
    }
    switch (mode) {
    case RunMode::UninstallLauncher:
        if (!RunLauncher()) return FALSE;
        break;
    case RunMode::Uninstall:
        m_bUninstall = 1;
        break;
    case RunMode::TraceReport:
        // No frame and no wizard: the report, or a box saying why there is none.
        m_nExitCode = RunTraceReport(m_strCmdLine, {m_bNtPaths, m_szProgramDir});
        return FALSE;
    case RunMode::Install:
        // The probe sets up several run-time libraries, which takes longer
        // than showing the frame and the wizard, and CheckDirectX accepts
        // every machine: it runs once the Welcome page has been painted,
        // instead of before the frame. It stays on this thread, as it was:
        // the libraries it loads are not made to be set up beside windows
        // that another thread is busy with.
        g_pfnInstallWizardShown = RunDirectXProbe;
        break;
    }
    return CreateFrame();
}

bool CSetupApp::MayChangeTheMachine(bool bSilent) {
    // One run of the product's programs at a time.
    if (!ClaimProductRun()) {
        m_nExitCode = EndSecondRun(bSilent);
        return false;
    }
    // Every mode but the report writes below HKLM and into the Windows
    // folder: a user without the rights is told before anything happens.
    if (!ProcessHasAdminRights()) {
        LogText("failed: administrator rights needed");
        if (!bSilent) ReportAdminRightsNeeded(IDS_ADMIN_RIGHTS_NEEDED);
        m_nExitCode = kExitFailed;
        return false;
    }
    return true;
}

bool CSetupApp::RunLauncher() {
    if (!ConfirmUninstall()) {
        m_nExitCode = kExitCancelled;
        return false;
    }
    char windowsDir[kPathChars] = "";
    const UINT len = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    if (len == 0 || len >= sizeof windowsDir) windowsDir[0] = '\0';
    // Beside this program, not in the current folder: a shortcut or a
    // command prompt may start it from anywhere.
    char sourceFile[kPathChars] = "";
    if (!JoinPath(m_szProgramDir, g_Product.szUninstallFile, sourceFile)) sourceFile[0] = '\0';
    const LauncherContext context = {m_bNtPaths, m_szProgramDir, windowsDir, sourceFile};
    switch (RelocateUninstaller(context)) {
    case LauncherOutcome::EndProcess:
        return false;
    case LauncherOutcome::ContinueInstall:
        return true;
    case LauncherOutcome::ContinueUninstall:
        m_bUninstall = 1;
        return true;
    }
    return false;
}

namespace {

// Whether dir may be the product folder of /D=: a full path below a drive
// root (C:\...) that is not a root or the Windows folder; resolved.
bool InstallFolderOption(char (&dir)[kPathChars]) {
    // A second /D= would name a folder that takes the first one's place.
    for (const char* at = dir; *at != '\0'; ++at) {
        if (EqualsNoCase(at, "/D=", 3)) return false;
    }
    char windows[kPathChars], system[kPathChars], drivers[kPathChars], inf[kPathChars];
    ReadSystemFolders(windows, system, drivers, inf);
    return BoundedString<kPathChars>(UsableProductFolder(dir, windows, system).c_str()).CopyTo(dir) && dir[0] != '\0';
}

void ShowStop(const char* text) { AppMessageBox(text, "Setup", MB_OK | MB_ICONSTOP | MB_SETFOREGROUND); }

}  // namespace

bool CSetupApp::ReadInstallOptions(RunOptions& options) {
    // Options and nothing else; /D= only with /S, and a usable folder.
    const bool fine = ReadRunOptions(m_strCmdLine.c_str(), true, options) && !(options.bAny && *options.pszRest) &&
                      (!options.bDir || (options.bSilent && InstallFolderOption(options.szDir)));
    if (!fine) {
        m_nExitCode = kExitBadCommandLine;
        if (!options.bSilent) {
            ShowStop("Setup takes only these options:\n\nsetup [/S [/D=C:\\Folder]] [/LOG=FILE]");
        }
        return false;
    }
    if (options.szLog[0] == '\0') return true;
    DWORD error = 0;
    const char* what = options.bSilent ? "unattended install" : "install";
    if (OpenRunLog(options.szLog, false, what, m_strCmdLine.c_str(), error)) return true;
    // Nothing has been changed yet, and nothing will be.
    m_nExitCode = kExitFailed;
    if (!options.bSilent) {
        char text[kPathChars + 600];
        FormatInto(text, "The log could not be written to\n\n%s\n\n%s", options.szLog, SystemMessage(error).c_str());
        ShowStop(text);
    }
    return false;
}

int CSetupApp::ExitInstance() {
    CloseRunLog(m_nExitCode);
    return m_nExitCode;
}

void CSetupApp::RunDirectXProbe() {
    // CheckDirectX's result is always TRUE, so nothing depends on it.
    if (GetDirectXVersion() >= 0x800) SetupApp().CheckDirectX();
}

BOOL CSetupApp::CheckDirectX() {
    RegKey tuner;
    std::string firstSubKey;
    if (tuner.Open(HKEY_CLASSES_ROOT, "BDATuner.ChannelTuneRequest.1")) tuner.EnumSubKey(0, firstSubKey);
    RegKey directX;
    char version[255] = "";
    if (directX.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX")) {
        directX.QueryRaw("Version", version, sizeof version);
    }
    return TRUE;
}

BOOL CSetupApp::CreateFrame() {
    SelectFileTable(m_bNtPaths);
    m_pRun.reset(new ProductRun(m_bNtPaths, m_szProgramDir));
    FrameSettings settings = {};
    settings.bUninstall = m_bUninstall;
    settings.szProgramDir = m_szProgramDir;
    settings.szTitleStart = g_Product.szTitleText;
    settings.pRun = this;
    m_pMainWnd = OpenMainFrame(settings, m_bUninstall ? SW_HIDE : SW_SHOW);
    return m_pMainWnd != nullptr;
}

void CSetupApp::Start(CMainFrame& frame) {
    // The uninstall mode's command line is the directory it works for.
    if (m_bUninstall) {
        RunSetupUninstallWizard(*m_pRun, m_strCmdLine.c_str());
    } else {
        RunInstall(frame, *m_pRun);
    }
}
