// setup's application object: decides the run mode, computes the values the
// rest of the program reads (program directory, OS flag, uninstall flag)
// and creates the background frame.
#pragma once

#include <memory>

#include "common/bounded_string.h"
#include "common/product_run.h"
#include "common/run_options.h"
#include "frame/main_frame.h"
#include "framework/win_app.h"

// The application is also what its frame's timer starts: the install, or
// the removal wizard.
class CSetupApp : public CWinApp, private FrameRun {
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
    // Claims the run and checks the rights; false, with the exit code set
    // and the reason shown unless silent, when this run must not go on.
    bool MayChangeTheMachine(bool bSilent);
    // The uninstall name without a folder: asks, then places and starts the
    // uninstall copy; true when this process goes on (m_bUninstall tells as
    // what).
    bool RunLauncher();
    BOOL CreateFrame();
    void Start(CMainFrame& frame) override;
    static void RunDirectXProbe();

    std::unique_ptr<ProductRun> m_pRun;   // the folders the steps read
};

// The application object of the running setup.
CSetupApp& SetupApp();
