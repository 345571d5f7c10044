// Registers the camera with the still-image service: an image-class
// instance marked as ours, a root-enumerated image device pointing to it,
// the user-mode driver's COM class, the run-at-logon entries, the
// registered application and the OMSCAN kernel service, plus two profile
// file entries. The registry layout is the Windows 98 one on every system.
#pragma once

// How the registration talks to the user; tests pass their own.
struct RegistrationPrompts {
    void (*showMessage)(const char* text);
};

// The value that marks the image-class instance the registration wrote
// (under System\CurrentControlSet\Services\Class\Image): the removals
// take that instance by it.
extern const char kRegistrationMarker[];

// Message boxes with the application's title as caption.
extern const RegistrationPrompts g_RegistrationPrompts;

// windowsDir: the frame's Windows directory (no trailing backslash).
void RegisterStillImageDevice(const char* windowsDir, const RegistrationPrompts& prompts);
