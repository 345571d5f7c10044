// The removal wizards of both uninstallers: a progress page, then the
// restart page.
#pragma once

class ProductRun;
class CRemovalProgressPage;

// Runs the two-page sheet, captioned with the product name, to its end.
void RunRemovalSheet(CRemovalProgressPage& progress);

// setup's: runs the wizard for the directory the launcher passed.
void RunSetupUninstallWizard(const ProductRun& run, const char* sourceDir);
