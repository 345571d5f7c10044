// A picture of the parts of a machine that an install touches: registry
// subtrees and the files below a folder. Two pictures compared give every
// key, value and file that came, went or changed in between.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// text with its ASCII letters in lower case: the entries' spelling.
std::string Lower(std::string text);

// Whether a change of ChangesSince ("+ ", "- " or "~ " and the lower-case
// entry) is the pattern's entry, or lies below it for a pattern ending in "*".
bool ChangeMatches(const std::string& change, const std::string& pattern);

// Wine's own bookkeeping, which changes whatever program runs.
bool IsWineNoise(const std::string& change);

struct RegistryRoot {
    HKEY root;
    std::string rootName;   // as it appears in the entries, e.g. "HKLM"
    std::string path;
};

class MachineSnapshot {
public:
    // Keys and values below each root; a key named in skipKeys (any depth,
    // any letter case) is left out with everything below it.
    void AddRegistry(const std::vector<RegistryRoot>& roots, const std::vector<std::string>& skipKeys);
    // Every file and folder below folder. Small files are taken by their
    // contents, large ones by size and last write time.
    void AddFiles(const std::string& folder);

    // "+ entry", "- entry" and "~ entry" lines, one per difference.
    std::vector<std::string> ChangesSince(const MachineSnapshot& before) const;

private:
    void WalkKey(HKEY key, const std::string& name, const std::vector<std::string>& skipKeys, int depth);
    void WalkFolder(const std::string& folder, int depth);

    std::map<std::string, std::string> m_entries;   // lower-case name -> contents
};

// The parts a removal works on: HKLM Software, ControlSet001 and Enum, the
// users' Software keys and the Windows directory, with the folders and the
// HKEY_LOCAL_MACHINE keys given.
MachineSnapshot SnapshotOfMachine(const std::vector<std::string>& folders = {},
                                  const std::vector<std::string>& machineKeys = {});
