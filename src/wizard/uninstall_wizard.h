// setup's removal wizard: progress page, then the restart page.
#pragma once

class CMainFrame;

// Runs the wizard for the directory the launcher passed.
void RunSetupUninstallWizard(CMainFrame& frame, const char* sourceDir);
