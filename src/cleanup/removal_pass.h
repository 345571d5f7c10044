// setup's removal pass: the product's files, directories, program group,
// OEM INF copies and registry entries, by the compiled-in removal tables
// of the running system.
#pragma once

#include <string>

#include "cleanup/removal_progress.h"
#include "common/file_entry.h"
#include "common/locations.h"
#include "traces/removal_sink.h"

// What the pass works with.
struct RemovalContext {
    const char* szWindowsDir;
    const char* szSystemDir;
    const char* szInfDir;
    int bNtPaths;             // 1: the NT table set, 0: the 98 set
    std::string strSourceDir; // the directory the uninstall was started for
    std::string strDeviceDescription;  // string 57357, for RemoveOemInfsByDescription
};

// The product folders the pass removes from, read once before it deletes
// anything: the file rows delete "vantrell.ini" itself, after which the
// installation directory could not be read back.
struct RemovalFolders {
    std::string strInstallDir;     // InstallationDirectory
    // The folder the install recorded in its entry in the list of installed
    // programs, usable, when it differs; "" otherwise. On the 98 set the
    // uninstall runs for the folder it was started from, which need not be
    // where the install put the stand-alone uninstaller.
    std::string strEntryLocation;
};
RemovalFolders FindRemovalFolders(const RemovalContext& context, RemovalSink& sink = TheMachine());

// The pass's context for the running system's folders (folders.szDestination
// is not read), the folder the uninstall was started for, and the device
// description of the OEM INF copies.
RemovalContext MakeRemovalContext(const FolderSet& folders, const std::string& sourceDir,
                                  const std::string& deviceDescription);

// The installation directory the pass removes from: on the NT set the
// [DestPath] DestPath value of "vantrell.ini" (read whole, whatever its
// length), on the 98 set the source directory. "" when there is none or it
// would not fit a path: then nothing is resolved against it.
std::string InstallationDirectory(const RemovalContext& context, RemovalSink& sink = TheMachine());
// The whole pass, in its order.
void RunRemovalPass(const RemovalContext& context, RemovalProgress& progress, RemovalSink& sink = TheMachine());

// The pass as the wizard, the report and the bench run it.
class SetupRemoval : public RemovalSequence<RemovalContext> {
public:
    using RemovalSequence::RemovalSequence;
    void Run(RemovalProgress& progress) override { RunRemovalPass(m_context, progress, m_sink); }
};

// Its steps. The file rows are its steps for the bar; the queue is
// drained after each.
void RemoveFiles(const RemovalContext& context, const RemovalFolders& folders, RemovalProgress& progress,
                 RemovalSink& sink = TheMachine());
void RemoveDirectories(const RemovalFolders& folders, const char* windowsDir, RemovalSink& sink = TheMachine());
void RemoveRegistryEntries(const RemovalContext& context, RemovalSink& sink = TheMachine());

// The value rows (1-3) and key rows (4 on) of one registry removal table.
void RemoveRegistryRows(const RegRemoveEntry* rows, int count, RemovalSink& sink = TheMachine());
