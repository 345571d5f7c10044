// What the end-to-end tests share: the CD image, the helper programs, the
// prefix's Windows directory and a test drive mapped to a build folder.
#pragma once

#include <string>

#include "ui_driver.h"

constexpr DWORD kWindowTimeoutMs = 20000;

std::string CdImageDir();
std::string HelpersDir();
std::string WindowsDir();
// "P:\" : the root of a drive that maps to a folder of the build.
std::string TestDriveRoot();

// The folder of a program group in the Start Menu, the user's or the
// common one ("" when the shell created none).
std::string ProgramGroupFolder(const std::string& group);

// Copies a file, creating the target's folders; false on any failure.
bool CopyInto(const std::string& source, const std::string& target);

// Starts a program and waits for its frame window titled "Setup".
HWND StartAndFindFrame(ChildProcess& process, const std::string& commandLine,
                       const std::string& currentDir = "");
