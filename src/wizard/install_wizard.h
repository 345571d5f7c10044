// The install wizard: welcome, agreement, destination.
#pragma once

#include <string>

// Runs the wizard; 1 when the user chose a destination with Next on the
// last page (destination then holds it). Any other end has already asked
// the frame to close.
int RunInstallWizard(std::string& destination);
