// setup's application object: decides the run mode, computes the values the
// rest of the program reads (program directory, OS flag, uninstall flag)
// and creates the background frame.
#pragma once

#include "common/bounded_string.h"
#include "common/run_options.h"
#include "framework/win_app.h"

class CSetupApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

    // Reads two DirectX registrations; the result is always TRUE.
    BOOL CheckDirectX();

    char m_szProgramDir[kPathChars] = "";
    int m_bUninstall = 0;
    int m_bNtPaths = 1;

private:
    // The install's /S, /D= and /LOG= options, checked, and its log opened;
    // false, with the exit code set and the reason shown unless /S, when
    // the install must not start.
    bool ReadInstallOptions(RunOptions& options);
    BOOL CreateFrame();
    static void RunDirectXProbe();
};

// The application object of the running setup.
CSetupApp& SetupApp();
