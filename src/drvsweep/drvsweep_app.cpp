#include "drvsweep/drvsweep_app.h"

#include "common/admin_rights.h"
#include "common/message_queue.h"
#include "common/product_profile.h"
#include "common/program_dir.h"
#include "common/text_format.h"
#include "drvsweep/self_relocation.h"
#include "drvsweep/sweep_wizard.h"
#include "frame/main_frame.h"
#include "framework/resource_text.h"
#include "resources/drvsweep/resource.h"
#include "wizard/confirm_removal.h"

namespace {

bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// attrib.exe of this system: the system directory on the NT line, the
// COMMAND folder on 95/98/Me; "" when neither has it.
std::string AttribProgram(const char* windowsDir, const char* systemDir) {
    const std::string nt = std::string(systemDir) + "\\attrib.exe";
    if (FileExists(nt.c_str())) return nt;
    const std::string dos = std::string(windowsDir) + "\\COMMAND\\attrib.exe";
    if (FileExists(dos.c_str())) return dos;
    return std::string();
}

// The removal cannot start: the Temp copy's path and the system's reason.
void ReportNotStarted(const RelocationPaths& paths, DWORD reason) {
    const std::string copy = paths.strTempDir + "\\" + paths.strFileName;
    const std::string text =
        FormatText(LoadResString(IDS_NOT_STARTED), {copy.c_str(), SystemMessage(reason).c_str()});
    MessageBoxA(nullptr, text.c_str(), g_Product.szProductName, MB_OK | MB_ICONSTOP);
}

}  // namespace

int DrvSweepNtPathsFlag(DWORD version) {
    const DWORD minor = (version >> 8) & 0xFF;
    const DWORD top = (version >> 24) & 0xFF;
    const bool win98 = minor == 10 && top != 5;
    const bool winMe = minor == 90 && top == 0xC0;
    return (win98 || winMe) ? 0 : 1;
}

void ClearReadOnlyFlags(const char* windowsDir, const char* systemDir) {
    const std::string attrib = AttribProgram(windowsDir, systemDir);
    if (attrib.empty()) return;
    for (const char* files : {"\\inf\\*.inf", "\\OvtCam\\*.*", "\\inf\\other\\*.inf"}) {
        BoundedString<kPathChars * 2> command;
        command.Append("\"").Append(attrib.c_str()).Append("\" -r ").Append(windowsDir).Append(files);
        if (command.ok()) WinExec(command.c_str(), SW_HIDE);
        DrainMessageQueue();
    }
}

CDrvSweepApp& DrvSweepApp() { return *static_cast<CDrvSweepApp*>(CWinApp::Current()); }

BOOL CDrvSweepApp::InitInstance() {
    m_bNtPaths = DrvSweepNtPathsFlag(GetVersion());
    // Both copies change files and keys.
    if (!ProcessHasAdminRights()) {
        ReportAdminRightsNeeded(LoadResString(IDS_ADMIN_RIGHTS_NEEDED));
        return FALSE;
    }
    char windowsDir[256] = "";
    const UINT winLen = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    if (winLen == 0 || winLen >= sizeof windowsDir) windowsDir[0] = '\0';
    char systemDir[kPathChars] = "";
    const UINT sysLen = GetSystemDirectoryA(systemDir, sizeof systemDir);
    if (sysLen == 0 || sysLen >= sizeof systemDir) systemDir[0] = '\0';

    SetRegistryKey(g_Product.szBrandWord);
    GetProgramDir(m_szProgramDir);
    if (!m_strCmdLine.empty()) {
        // The copy that removes: the user has said OK (or started it with a
        // folder), so the read-only flags may go.
        if (windowsDir[0] != '\0' && systemDir[0] != '\0') ClearReadOnlyFlags(windowsDir, systemDir);
        return CreateFrame();
    }
    if (windowsDir[0] != '\0') AskAndRelocate(windowsDir);
    return FALSE;
}

void CDrvSweepApp::AskAndRelocate(const char* windowsDir) {
    char modulePath[kPathChars] = "";
    const DWORD len = GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    if (len == 0 || len >= sizeof modulePath) return;
    const RelocationPaths paths = MakeRelocationPaths(modulePath, m_strExeName, windowsDir);
    // Nothing is changed before the user's OK: Cancel leaves the system as it was.
    if (!ConfirmRemoval(IDS_CONFIRM_UNINSTALL, IDS_CONFIRM_CAPTION)) return;
    const DWORD installed = CopySelfToTemp(paths);
    BoundedString<kPathChars> commandLine;
    DWORD reason = 0;
    if (LaunchTempCopy(paths, installed, modulePath, commandLine, reason) == 0) ReportNotStarted(paths, reason);
    commandLine.CopyTo(m_szCmdLine);
}

BOOL CDrvSweepApp::CreateFrame() {
    const FrameSettings settings = {
        m_bNtPaths,
        1,
        m_szProgramDir,
        " ",
        true,
        true,
        IDB_BACKGROUND,
        nullptr,
        m_strCmdLine.c_str(),
        nullptr,
        RunDrvSweepWizard,
    };
    auto* frame = new CMainFrame(settings);
    if (frame->m_hWnd == nullptr) {
        delete frame;
        return FALSE;
    }
    m_pMainWnd = frame;
    frame->ShowWindow(SW_HIDE);
    frame->UpdateWindow();
    return TRUE;
}
