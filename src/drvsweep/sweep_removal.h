// DRVSWEEP's removal sequence without its page: the product's files and
// folders, program groups, OEM INF copies, registry entries and system.ini
// entries, in the order the progress page runs them, over DRVSWEEP's own
// tables. Nothing is reported; whatever is missing or refuses removal is
// passed over. Every read and deletion goes through the sink.
#pragma once

#include <string>

#include "cleanup/removal_progress.h"
#include "traces/removal_sink.h"

struct SweepContext {
    const char* szWindowsDir;
    const char* szSystemDir;
    const char* szInfDir;
    std::string strSourceDir;   // the relocated copy's command line, whole (normally ends with '\')
    int bNtPaths;               // DRVSWEEP's OS flag (0 on 98/Me)
};

// 20 file rows + the device-instance probe + 3 value rows + 19 key rows.
constexpr unsigned int kSweepTotalSteps = 43;

// The whole removal, in its order, the program file last (see
// SweepRemoveProgramFile): what the page, the unattended run and the report
// all run.
class SweepRemoval : public RemovalSequence<SweepContext> {
public:
    using RemovalSequence::RemovalSequence;
    void Run(RemovalProgress& progress) override;

protected:
    // Just before the program file goes: where the unattended copy in Temp
    // hands its result over and waits for the first copy to end.
    virtual void BeforeProgramFile() {}
};

// Its steps, with the sequence's count of steps.
// The file rows (kind-5 rows also from the product folder at the root of
// the Windows drive), then Windows\OvtCam when empty. The queue is drained
// after each row. Kind-5 rows delete nothing when the source directory is
// not a full path below a drive root.
void SweepRemoveFiles(const SweepContext& context, RemovalSteps& steps, RemovalSink& sink = TheMachine());
// Removes the source directory when it is empty (and usable as above).
void SweepRemoveSourceDir(const SweepContext& context, RemovalSink& sink = TheMachine());
// Last of the whole removal: the uninstaller's own file in the product
// folder (the file rows pass over it), then the folder itself when empty.
// Until then the entry in the list of installed programs can start the
// removal again, should this one be ended part way.
void SweepRemoveProgramFile(const SweepContext& context, RemovalSink& sink = TheMachine());
// Deletes windowsDir\INF\OEM0.INF ... OEM99.INF whose [Strings] key reads
// exactly value (case-sensitive), each with its .PNF.
void RemoveOemInfByString(const char* windowsDir, const char* key, const char* value,
                          RemovalSink& sink = TheMachine());
// The four match pairs, in order.
void SweepRemoveOemInfs(const char* windowsDir, RemovalSink& sink = TheMachine());
// Device-instance probe, value rows, key rows (single delete, then whole
// trees), the per-user settings key and the three system.ini entries.
void SweepRemoveRegistryEntries(const SweepContext& context, RemovalSteps& steps, RemovalSink& sink = TheMachine());
