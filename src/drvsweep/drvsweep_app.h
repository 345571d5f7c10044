// The stand-alone uninstaller's application object. The copy the user
// starts (no command line) asks and relocates itself; the relocated copy
// (any command line) shows the hidden frame whose timer runs the removal
// wizard for the folder on its command line.
#pragma once

#include <windows.h>

#include "common/bounded_string.h"
#include "framework/win_app.h"

// 0 on Windows 98 and Me, 1 on every other system (95, NT, 2000, XP).
int DrvSweepNtPathsFlag(DWORD version);

// The hidden commands that clear the read-only flag of the INF copies and
// OvtCam files, started by full path so that no program of the same name
// beside the uninstaller runs; "" for a command whose program is missing.
void ClearReadOnlyFlags(const char* windowsDir, const char* systemDir);

class CDrvSweepApp : public CWinApp {
public:
    BOOL InitInstance() override;

    char m_szCmdLine[kPathChars] = "";
    char m_szProgramDir[kPathChars] = "";
    int m_bNtPaths = 1;

private:
    void AskAndRelocate(const char* windowsDir);
    BOOL CreateFrame();
};

CDrvSweepApp& DrvSweepApp();
