// The install wizard: welcome, agreement, destination.
#pragma once

#include <string>

// Called once the wizard's first page has been painted (nullptr: nothing).
extern void (*g_pfnInstallWizardShown)();

// Runs the wizard; 1 when the user chose a destination with Next on the
// last page (destination then holds it). Any other end has already asked
// the frame to close.
int RunInstallWizard(std::string& destination);
