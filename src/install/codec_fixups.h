// Two codec fix-ups after the registration: the encoder library under a
// second name, and the capture filter registered with the system.
#pragma once

#include <string>

// Renames systemDir\h2_enc.dll to systemDir\hmpv2_enc.dll; when that
// fails (the second name exists, say), copies it over the second name.
void InstallEncoderSecondName(const char* systemDir);

// "<systemDir>\regsvr32" -s "<systemDir>\htm1_rec.ax"; "" when too long.
std::string CaptureFilterCommandLine(const char* systemDir);

// Starts the registration of the capture filter, hidden, without waiting.
void RegisterCaptureFilter(const char* systemDir);
