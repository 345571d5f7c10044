// DRVSWEEP's removal sequence without its page: the product's files and
// folders, program groups, OEM INF copies, registry entries and system.ini
// entries, in the order the progress page runs them. Nothing is reported;
// whatever is missing or refuses removal is passed over.
#pragma once

#include <string>

struct SweepContext {
    const char* szWindowsDir;   // frame's m_szWindowsDir
    const char* szSystemDir;    // frame's m_szSystemDir
    const char* szInfDir;       // frame's m_szInfDir
    std::string strSourceDir;   // the relocated copy's command line, whole (normally ends with '\')
    int bNtPaths;               // DRVSWEEP's OS flag (0 on 98/Me)
};

class SweepProgress {            // the page implements it
public:
    virtual ~SweepProgress() = default;
    // One step done (m_nStep += 1 is the page's); repaint: whether the page
    // should invalidate the bar (the probe's step does not).
    virtual void OnStep(bool bInvalidate) = 0;
};

// 20 file rows + the device-instance probe + 3 value rows + 19 key rows.
constexpr unsigned int kSweepTotalSteps = 43;

// The file rows (kind-5 rows also from the product folder at the root of
// the Windows drive), then Windows\OvtCam when empty. The queue is drained
// after each row. Kind-5 rows delete nothing when the source directory is
// not a full path below a drive root.
void SweepRemoveFiles(const SweepContext& context, SweepProgress& progress);
// Removes the source directory when it is empty (and usable as above).
void SweepRemoveSourceDir(const SweepContext& context);
// Last of the whole removal: the uninstaller's own file in the product
// folder (the file rows pass over it), then the folder itself when empty.
// Until then the entry in the list of installed programs can start the
// removal again, should this one be ended part way.
void SweepRemoveProgramFile(const SweepContext& context);
// Deletes the program group, then a group named after the product folder.
void SweepDeleteProgramGroups();

// Deletes a file whatever its read-only, hidden or system attributes, or
// removes path when it is a plain, empty directory. matched: for an OEM INF
// copy, the text it was recognised by (the log names it).
void ForceDeleteFile(const char* path, const char* matched = nullptr);
// Deletes windowsDir\INF\OEM0.INF ... OEM99.INF whose [Strings] key reads
// exactly value (case-sensitive), each with its .PNF.
void RemoveOemInfByString(const char* windowsDir, const char* key, const char* value);
// The four match pairs, in order.
void SweepRemoveOemInfs(const char* windowsDir);

// Device-instance probe, value rows, key rows (single delete, then whole
// trees), the per-user settings key and the three system.ini entries.
void SweepRemoveRegistryEntries(const SweepContext& context, SweepProgress& progress);

// The removal in the page's order up to the program file, which the
// caller removes last (SweepRemoveProgramFile): files, source folder,
// program groups, OEM INF copies, registry entries.
void RunSweepRemoval(const SweepContext& context, SweepProgress& progress);
