// setup's run mode follows from the name it runs under and its command line.
#pragma once

#include <string>

enum class RunMode {
    Install,            // any name but the uninstall name
    TraceReport,        // any name but the uninstall name, "/traces=FILE": list, delete nothing
    UninstallLauncher,  // uninstall name, empty command line: confirm and relocate
    Uninstall,          // uninstall name with a directory on the command line
};

RunMode DecideRunMode(const std::string& exeName, const std::string& cmdLine,
                      const char* uninstallName);
