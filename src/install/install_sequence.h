// The install road that the frame's timer 101 starts, and the steps it
// shares with the install without the user.
#pragma once

#include <string>

#include "stillimage/still_image_registration.h"

class CMainFrame;
class ProductRun;

// The wizard, then every step of the install, over the run's folders; the
// frame owns the windows it shows.
void RunInstall(CMainFrame& frame, const ProductRun& run);

// The product's program group with an item for each table row that has a
// title, pointing into destination; returns the program manager's process.
DWORD MakeProgramGroup(const std::string& destination);

// The last steps: the still-image registration and the two codec fix-ups,
// with the pauses the system's services need between them.
void RegisterDeviceAndCodecs(const char* windowsDir, const char* systemDir, const RegistrationPrompts& prompts);
