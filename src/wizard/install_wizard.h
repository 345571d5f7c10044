// The install wizard: welcome, agreement, destination.
#pragma once

class ProductFolder;

// Called once the wizard's first page has been painted (nullptr: nothing).
extern void (*g_pfnInstallWizardShown)();

// Runs the wizard over the install's product folder, which its last page
// edits; 1 when the user chose it with Next there. Any other end has
// already asked the frame to close.
int RunInstallWizard(ProductFolder& folder);
