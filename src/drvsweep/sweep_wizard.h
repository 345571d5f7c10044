// The stand-alone uninstaller's wizard: progress page, then the restart page.
#pragma once

class CMainFrame;

// Runs the wizard for the folder on the relocated copy's command line.
void RunDrvSweepWizard(CMainFrame& frame, const char* sourceDir);
