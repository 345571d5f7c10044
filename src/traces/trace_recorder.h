// The sink of setup's report mode. It deletes nothing: it reads the machine,
// hides from every later read what the removal has taken so far, and notes
// each taking in the removal's order. So the removal code, run against it,
// scans, matches and skips exactly as it would on the machine.
#pragma once

#include <string>
#include <vector>

#include "common/string_set.h"
#include "traces/removal_sink.h"

enum class TraceKind {
    File,
    Directory,
    ProgramGroup,
    OemInfCopy,
    RegistryValue,
    RegistryKey,
    RegistrySubtree,
    DeviceInstance,
    ProfileEntry,
    ProgramItem,  // the install's log only: an item of the program group
    Program,      // the install's log only: a program it starts
};

// One thing a removal takes. strPath is whole: "C:\...", "HKLM\...", or the
// group's folder; strDetail names the value, the text an OEM INF copy
// matched, how many keys go below a key, or the profile entry's change.
struct Trace {
    TraceKind kind;
    std::string strPath;
    std::string strDetail;
    std::string strId;    // the recorder's identity of the path
    int nKeysBelow = 0;   // for a key: the keys that go with it
};

// The kind as the report names it.
const char* TraceKindName(TraceKind kind);

class TraceRecorder : public RemovalSink {
public:
    TraceRecorder();

    const std::vector<Trace>& Traces() const { return m_traces; }

    bool OpenKey(HKEY root, const char* path, REGSAM access, RegKey& key) override;
    LONG QueryValue(HKEY key, HKEY root, const char* path, const char* name, void* data, DWORD* size) override;
    LONG EnumSubKey(HKEY key, HKEY root, const char* path, DWORD index, char* name, DWORD* chars) override;
    bool DeleteValue(HKEY key, HKEY root, const char* path, const char* name) override;
    bool DeleteKey(HKEY root, const char* path) override;
    bool OpenKeySecurity(HKEY root, const char* path) override;

    DWORD Attributes(const char* path) override;
    bool SetAttributes(const char* path, DWORD attributes) override;
    bool RemoveFile(const char* path, const std::string& matched) override;
    bool RemoveFolder(const char* path) override;

    DWORD ReadProfileText(const char* section, const char* key, const char* fallback, char* out, DWORD chars,
                          const char* file) override;
    void WriteProfileText(const char* section, const char* key, const char* value, const char* file) override;

    void RemoveProgramGroups(const std::vector<GroupRemoval>& groups) override;

private:
    void RemoveProgramGroup(const char* groupName, DWORD timeoutMs);
    std::string KeyId(HKEY root, const char* path) const;
    bool KeyGone(const std::string& id) const;
    // The key's subkeys as the machine has them, read once (the report
    // changes nothing, so they stay as read), and those not taken yet. The
    // list holds until the next call.
    const std::vector<std::string>& MachineSubKeys(HKEY root, const std::string& path, const std::string& id);
    std::vector<std::string> StandingSubKeys(HKEY root, const std::string& path, const std::string& id);
    int StandingKeysBelow(HKEY root, const std::string& path, const std::string& id);
    void RecordKey(HKEY root, const char* path, const std::string& id, int keysBelow);

    std::string FileId(const std::string& path) const;
    bool FileGone(const std::string& id) const;
    std::string ProfilePath(const char* file) const;

    void Record(TraceKind kind, const std::string& path, const std::string& detail, const std::string& id);

    bool m_bDeleteTakesSubtree;       // Windows 95/98/Me delete a key with its subkeys
    std::string m_strCurrentSet;      // "system\controlset001" when CurrentControlSet stands for it
    std::string m_strWindowsDir;
    // Looked up by id from the newest: few, and the last read or change wins.
    struct SubKeys {
        std::string strId;
        std::vector<std::string> names;
    };
    struct ChangedAttributes {
        std::string strId;
        DWORD dwAttributes;
    };
    std::vector<SubKeys> m_subKeys;
    StringSet m_goneKeys;
    StringSet m_goneValues;
    StringSet m_goneFiles;
    StringSet m_goneGroups;
    std::vector<ChangedAttributes> m_attributes;
    std::vector<Trace> m_traces;
};
