// The stand-alone uninstaller's application object. The copy the user
// starts (no folder on its command line) asks and relocates itself; the
// relocated copy (a folder after the options) shows the hidden frame whose
// timer runs the removal wizard for that folder. With /S neither asks nor
// shows anything: the first copy waits for the relocated one and ends with
// its exit code; /LOG=FILE is carried on to it.
#pragma once

#include <windows.h>

#include <memory>

#include "common/bounded_string.h"
#include "common/product_run.h"
#include "common/run_options.h"
#include "frame/main_frame.h"
#include "framework/win_app.h"

// 0 on Windows 98 and Me, 1 on every other system (95, NT, 2000, XP).
int DrvSweepNtPathsFlag(DWORD version);

// The hidden commands that clear the read-only flag of the INF copies and
// OvtCam files, started by full path so that no program of the same name
// beside the uninstaller runs; "" for a command whose program is missing.
void ClearReadOnlyFlags(const char* windowsDir, const char* systemDir);

// The application is also what its frame's timer starts: the removal wizard.
class CDrvSweepApp : public CWinApp, private FrameRun {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

    char m_szCmdLine[kPathChars] = "";
    char m_szProgramDir[kPathChars] = "";
    int m_bNtPaths = 1;
    std::string m_strFolder;   // the folder the copy that removes works for
    // With /S, given by the first copy: the pipe that takes the exit code,
    // and that copy, which waits for it (see ResultPipe).
    HANDLE m_hResultPipe = nullptr;
    HANDLE m_hCaller = nullptr;

private:
    // Opens the log, for the copy in Temp (carriesOn) after the first
    // copy's lines; false, with the exit code set, when it cannot be written.
    bool OpenLog(const RunOptions& options, bool carriesOn);
    // The first copy: asks, then places and starts the copy in Temp; true
    // when this process is that copy and removes itself.
    bool AskAndRelocate(const char* windowsDir, const RunOptions& options);
    // "/traces=FILE": the report of what the removal would take.
    int RunReport();
    // The removal of the copy in Temp without the pages: /S.
    void RemoveUnattended();
    BOOL CreateFrame();
    void Start(CMainFrame& frame) override;

    std::unique_ptr<ProductRun> m_pRun;   // the folders the removal reads
};

CDrvSweepApp& DrvSweepApp();
