// Where the removals' reads and deletions go. The machine sink deletes; the
// trace recorder of setup's report mode deletes nothing and notes what would
// go, while the removal code runs exactly as it does for real. Every call
// answers as the same platform call would on the machine the sink shows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/reg_key.h"

// A program group to delete, and how long the program manager may take.
struct GroupRemoval {
    const char* szName;
    DWORD dwTimeoutMs;
};

class RemovalSink {
public:
    virtual ~RemovalSink() = default;

    // Registry, as RegOpenKeyExA, RegQueryValueExA, RegEnumKeyExA,
    // RegDeleteValueA and RegDeleteKeyA: error codes, not flags, where the
    // callers tell "no more" from "did not fit". `key` is open on rootName
    // \ path as the sink shows it.
    virtual bool OpenKey(HKEY root, const char* path, REGSAM access, RegKey& key) = 0;
    virtual LONG QueryValue(HKEY key, HKEY root, const char* path, const char* name, void* data, DWORD* size) = 0;
    virtual LONG EnumSubKey(HKEY key, HKEY root, const char* path, DWORD index, char* name, DWORD* chars) = 0;
    virtual bool DeleteValue(HKEY key, HKEY root, const char* path, const char* name) = 0;
    virtual bool DeleteKey(HKEY root, const char* path) = 0;
    // Opens the key's rights for its deletion: full access for the local
    // Administrators group and SYSTEM, no entry for anyone else. A key that
    // then stays gets its own rights back; one whose rights cannot be read
    // is left as it is (false).
    virtual bool OpenKeySecurity(HKEY root, const char* path) = 0;

    // Files, as GetFileAttributesA, SetFileAttributesA, DeleteFileA and
    // RemoveDirectoryA (the names keep clear of the system's macros). `matched` names, for an OEM INF copy, the text it
    // was recognised by.
    virtual DWORD Attributes(const char* path) = 0;
    virtual bool SetAttributes(const char* path, DWORD attributes) = 0;
    virtual bool RemoveFile(const char* path, const std::string& matched = std::string()) = 0;
    virtual bool RemoveFolder(const char* path) = 0;

    // Profile files, as GetPrivateProfileStringA and WritePrivateProfileStringA
    // (a file name without a folder is in the Windows directory).
    virtual DWORD ReadProfileText(const char* section, const char* key, const char* fallback, char* out,
                                    DWORD chars, const char* file) = 0;
    virtual void WriteProfileText(const char* section, const char* key, const char* value, const char* file) = 0;

    // Deletes the program manager's groups of these names, in order, over
    // one conversation.
    virtual void RemoveProgramGroups(const std::vector<GroupRemoval>& groups) = 0;
};

// The sink that works on the machine itself.
RemovalSink& TheMachine();

// A registry key opened through a sink: the removal code reads and deletes
// through it as it would through a plain handle.
class SinkKey {
public:
    explicit SinkKey(RemovalSink& sink) : m_sink(sink) {}

    bool Open(HKEY root, const char* path, REGSAM access = KEY_READ);
    void Close() { m_key.Close(); }
    bool IsOpen() const { return m_key.IsOpen(); }

    // RegQueryValueExA into a buffer of *size bytes.
    LONG Query(const char* name, void* data, DWORD* size) const;
    // RegEnumKeyExA into a buffer of *chars characters.
    LONG SubKey(DWORD index, char* name, DWORD* chars) const;
    bool DeleteValue(const char* name);

private:
    RemovalSink& m_sink;
    RegKey m_key;
    HKEY m_root = nullptr;
    std::string m_path;
};
