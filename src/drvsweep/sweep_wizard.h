// The stand-alone uninstaller's wizard: progress page, then the restart page.
#pragma once

class ProductRun;

// Runs the wizard for the folder on the relocated copy's command line.
void RunDrvSweepWizard(const ProductRun& run, const char* sourceDir);
