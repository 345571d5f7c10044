#include "drvsweep/drvsweep_app.h"

#include "common/admin_rights.h"
#include "common/ascii_text.h"
#include "common/exit_codes.h"
#include "common/locations.h"
#include "common/message_queue.h"
#include "common/product_profile.h"
#include "common/program_dir.h"
#include "common/single_run.h"
#include "common/text_format.h"
#include "drvsweep/self_relocation.h"
#include "drvsweep/sweep_removal.h"
#include "drvsweep/sweep_report.h"
#include "drvsweep/sweep_wizard.h"
#include "frame/main_frame.h"
#include "framework/modal_owner.h"
#include "framework/resource_text.h"
#include "resources/drvsweep/resource.h"
#include "traces/run_log.h"
#include "traces/trace_report_file.h"
#include "wizard/confirm_removal.h"
#include "wizard/rights_needed.h"
#include "wizard/second_run.h"

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
void ReportNotStarted(const std::string& copy, DWORD reason) {
    const std::string text =
        FormatText(LoadResString(IDS_NOT_STARTED), {copy.c_str(), SystemMessage(reason).c_str()});
    AppMessageBox(text.c_str(), g_Product.szProductName, MB_OK | MB_ICONSTOP);
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

namespace {

// No one to ask or to show the pages to: the progress goes nowhere. The
// first copy waits for the result, and its program file can only go once
// it has ended with it.
class UnattendedSweep : public SweepRemoval {
public:
    UnattendedSweep(const SweepContext& context, HANDLE resultPipe, HANDLE caller)
        : SweepRemoval(context), m_hResultPipe(resultPipe), m_hCaller(caller) {}

private:
    void BeforeProgramFile() override;

    HANDLE m_hResultPipe;
    HANDLE m_hCaller;
};

// How long the copy in Temp waits for the first copy to end before it
// deletes the first copy's program file.
constexpr DWORD kCallerEndMs = 30000;

// The first copy's wait with /S: the copy in Temp writes its exit code
// into a pipe, then waits for this copy to end, since it cannot delete a
// running program's file. Both ends and this process's own handle are
// inheritable; the copy in Temp gets their numbers first on its command
// line, as "/R=PIPE:CALLER".
class ResultPipe {
public:
    ~ResultPipe() {
        for (HANDLE handle : {m_read, m_write, m_self}) {
            if (handle != nullptr) CloseHandle(handle);
        }
    }
    bool Open(std::string& carried) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        if (!CreatePipe(&m_read, &m_write, &inherit, 0) ||
            !DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &m_self, SYNCHRONIZE,
                             TRUE, 0)) {
            return false;
        }
        char handles[48];
        FormatInto(handles, "/R=%lu:%lu ", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(m_write)),
                   static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(m_self)));
        carried = handles + carried;
        return true;
    }
    // The exit code the copy in Temp sends; its process's own when it ends
    // without sending one.
    int Wait(HANDLE process) {
        // Only the copy's end stays: its end (or its exit) ends the read.
        CloseHandle(m_write);
        m_write = nullptr;
        DWORD code = kExitFailed;
        DWORD got = 0;
        if (!ReadFile(m_read, &code, sizeof code, &got, nullptr) || got != sizeof code) {
            WaitForSingleObject(process, INFINITE);
            if (!GetExitCodeProcess(process, &code)) code = kExitFailed;
        }
        return static_cast<int>(code);
    }

private:
    HANDLE m_read = nullptr;
    HANDLE m_write = nullptr;
    HANDLE m_self = nullptr;
};

// The handles of a leading "/R=PIPE:CALLER"; the rest of the line. A line
// without them, or with numbers that do not parse, is left whole.
const char* ReadResultHandles(const char* line, HANDLE& pipe, HANDLE& caller) {
    while (*line == ' ' || *line == '\t') ++line;
    if (!EqualsNoCase(line, "/R=", 3)) return line;
    const char* end = nullptr;
    unsigned long first = 0, second = 0;
    if (!ParseDecimal(line + 3, first, end) || *end != ':') return line;
    if (!ParseDecimal(end + 1, second, end)) return line;
    if ((*end != ' ' && *end != '\0') || first == 0 || second == 0) return line;
    pipe = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(first));
    caller = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(second));
    return end;
}

void ShowStop(const char* text) { AppMessageBox(text, g_Product.szProductName, MB_OK | MB_ICONSTOP); }

}  // namespace

BOOL CDrvSweepApp::InitInstance() {
    m_bNtPaths = DrvSweepNtPathsFlag(GetVersion());
    // The report only reads: no options, no claim, no rights needed.
    if (AsksForTraceReport(m_strCmdLine)) {
        m_nExitCode = RunReport();
        return FALSE;
    }
    const char* line = ReadResultHandles(m_strCmdLine.c_str(), m_hResultPipe, m_hCaller);
    RunOptions options;
    if (!ReadRunOptions(line, false, options)) {
        m_nExitCode = kExitBadCommandLine;
        if (!options.bSilent) ShowStop("DRVSWEEP takes only these options:\n\nDRVSWEEP [/S] [/LOG=FILE]");
        return FALSE;
    }
    // The folder after the options: the copy that removes.
    const char* folder = options.pszRest;
    if (options.szLog[0] != '\0' && !OpenLog(options, folder[0] != '\0')) return FALSE;
    // One run of the product's programs at a time; the copy in Temp is
    // this run's own.
    if (!ClaimProductRun()) {
        m_nExitCode = EndSecondRun(options.bSilent);
        return FALSE;
    }
    // Both copies change files and keys.
    if (!ProcessHasAdminRights()) {
        LogText("failed: administrator rights needed");
        if (!options.bSilent) ReportAdminRightsNeeded(IDS_ADMIN_RIGHTS_NEEDED);
        m_nExitCode = kExitFailed;
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
    if (folder[0] != '\0') {
        m_strFolder = folder;
    } else {
        m_nExitCode = kExitFailed;
        if (windowsDir[0] == '\0' || !AskAndRelocate(windowsDir, options)) return FALSE;
        m_nExitCode = kExitDone;
    }
    // The copy that removes: the user has said OK (or started it with a
    // folder), so the read-only flags may go.
    if (windowsDir[0] != '\0' && systemDir[0] != '\0') ClearReadOnlyFlags(windowsDir, systemDir);
    if (!options.bSilent) return CreateFrame();
    RemoveUnattended();
    return FALSE;
}

bool CDrvSweepApp::OpenLog(const RunOptions& options, bool carriesOn) {
    DWORD error = 0;
    const char* what = carriesOn ? "removal, by the copy in Windows\\Temp" : "removal";
    if (OpenRunLog(options.szLog, carriesOn, what, m_strCmdLine.c_str(), error)) return true;
    // Nothing has been changed yet, and nothing will be.
    m_nExitCode = kExitFailed;
    if (!options.bSilent) {
        ShowStop(("The log could not be written to\n\n" + std::string(options.szLog) + "\n\n" + SystemMessage(error)).c_str());
    }
    return false;
}

int CDrvSweepApp::ExitInstance() {
    CloseRunLog(m_nExitCode);
    return m_nExitCode;
}

void UnattendedSweep::BeforeProgramFile() {
    if (m_hResultPipe == nullptr) return;
    // Done; a restart finishes it, which this run never makes.
    const DWORD code = kExitRestartNeeded;
    DWORD written = 0;
    WriteFile(m_hResultPipe, &code, sizeof code, &written, nullptr);
    CloseHandle(m_hResultPipe);
    WaitForSingleObject(m_hCaller, kCallerEndMs);
    CloseHandle(m_hCaller);
}

void CDrvSweepApp::RemoveUnattended() {
    const ProductRun run(m_bNtPaths, m_szProgramDir);
    UnattendedSweep removal({run.WindowsDir(), run.SystemDir(), run.InfDir(), m_strFolder, m_bNtPaths}, m_hResultPipe,
                            m_hCaller);
    m_hResultPipe = m_hCaller = nullptr;
    NoRemovalProgress progress;
    removal.Run(progress);
    m_nExitCode = kExitRestartNeeded;
}

int CDrvSweepApp::RunReport() {
    const std::string modulePath = ModulePath();
    if (modulePath.empty()) return kExitFailed;
    const ProductRun run(m_bNtPaths, "");
    return RunSweepReport(m_strCmdLine, {run, modulePath.c_str(), m_strExeName.c_str()});
}

bool CDrvSweepApp::AskAndRelocate(const char* windowsDir, const RunOptions& options) {
    const std::string modulePath = ModulePath();
    if (modulePath.empty()) return false;
    const RelocationPaths paths = MakeRelocationPaths(modulePath, m_strExeName, windowsDir);
    // Nothing is changed before the user's OK: Cancel leaves the system as it was.
    if (!options.bSilent && !ConfirmRemoval(IDS_CONFIRM_UNINSTALL, IDS_CONFIRM_CAPTION)) {
        m_nExitCode = kExitCancelled;
        return false;
    }
    // The copy a removal left in Temp is already where the relocation puts
    // it, and removes itself. It knows no product folder: the system's
    // Temp folder is none, and others' files of the product's names
    // (UNINSTAL.EXE) lie there.
    if (RunsFromTempFolder(paths)) return true;
    const DWORD installed = CopySelfToTemp(paths);
    const std::string copy = paths.strTempDir + "\\" + paths.strFileName;
    LogInstalled(TraceKind::File, copy.c_str(), nullptr, InstallResultError(installed) == 0, InstallResultError(installed));
    // The copy in Temp carries on the options, and the log.
    std::string carried = options.bSilent ? "/S" : "";
    if (options.szLog[0] != '\0') {
        carried += options.bSilent ? " /LOG=\"" : "/LOG=\"";
        carried += options.szLog;
        carried += '"';
    }
    ResultPipe result;
    if (options.bSilent && !result.Open(carried)) {
        LogItem(TraceKind::Program, copy.c_str(), nullptr, "failed: no pipe for its result");
        return false;
    }
    BoundedString<kPathChars> commandLine;
    DWORD reason = 0;
    HANDLE process = nullptr;
    // The copy in Temp writes the rest of the log and its exit code: the
    // file is free for it before it starts.
    ReleaseRunLog();
    if (!LaunchTempCopy(paths, installed, modulePath.c_str(), carried.c_str(), commandLine, options.bSilent ? &process : nullptr,
                        reason)) {
        DWORD error = 0;
        if (options.szLog[0] != '\0') OpenRunLog(options.szLog, true, "removal", m_strCmdLine.c_str(), error);
        LogItem(TraceKind::Program, copy.c_str(), nullptr, ("failed: " + SystemMessage(reason)).c_str());
        if (!options.bSilent) ReportNotStarted(copy, reason);
        return false;
    }
    commandLine.CopyTo(m_szCmdLine);
    m_nExitCode = kExitDone;
    if (process == nullptr) return false;
    // A script that started this copy learns how the removal ended.
    m_nExitCode = result.Wait(process);
    CloseHandle(process);
    return false;
}

BOOL CDrvSweepApp::CreateFrame() {
    m_pRun.reset(new ProductRun(m_bNtPaths, m_szProgramDir));
    FrameSettings settings = {};
    settings.bUninstall = 1;
    settings.szProgramDir = m_szProgramDir;
    settings.szTitleStart = " ";
    settings.bScreenSized = true;
    settings.bToolWindow = true;
    settings.nBitmapId = IDB_BACKGROUND;
    settings.pRun = this;
    m_pMainWnd = OpenMainFrame(settings, SW_HIDE);
    return m_pMainWnd != nullptr;
}

void CDrvSweepApp::Start(CMainFrame&) { RunDrvSweepWizard(*m_pRun, m_strFolder.c_str()); }
