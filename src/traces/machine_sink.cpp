// The sink that works on the machine: each call is the platform call, and
// what it takes goes into the run's log, when there is one.
#include "traces/removal_sink.h"

#include <vector>

#include "common/key_security.h"
#include "progman/program_group.h"
#include "traces/run_log.h"

namespace {

bool HasSubKeys(HKEY root, const char* path) {
    RegKey key;
    char name[256];
    DWORD chars = sizeof name;
    return RunLogActive() && key.Open(root, path) &&
           RegEnumKeyExA(key.Get(), 0, name, &chars, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

class MachineSinkImpl : public RemovalSink {
public:
    bool OpenKey(HKEY root, const char* path, REGSAM access, RegKey& key) override {
        return key.Open(root, path, access);
    }
    LONG QueryValue(HKEY key, HKEY, const char*, const char* name, void* data, DWORD* size) override {
        return RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(data), size);
    }
    LONG EnumSubKey(HKEY key, HKEY, const char*, DWORD index, char* name, DWORD* chars) override {
        return RegEnumKeyExA(key, index, name, chars, nullptr, nullptr, nullptr, nullptr);
    }
    bool DeleteValue(HKEY key, HKEY root, const char* path, const char* name) override {
        const LONG result = RegDeleteValueA(key, name);
        LogKeyRemoved(root, path, name, result == ERROR_SUCCESS, static_cast<DWORD>(result));
        return result == ERROR_SUCCESS;
    }
    bool DeleteKey(HKEY root, const char* path) override;
    bool OpenKeySecurity(HKEY root, const char* path) override;

    DWORD Attributes(const char* path) override { return GetFileAttributesA(path); }
    bool SetAttributes(const char* path, DWORD attributes) override {
        return SetFileAttributesA(path, attributes) != FALSE;
    }
    bool RemoveFile(const char* path, const std::string& matched) override {
        const bool done = DeleteFileA(path) != FALSE;
        LogRemoved(matched.empty() ? TraceKind::File : TraceKind::OemInfCopy, path, matched.c_str(), done,
                   GetLastError());
        return done;
    }
    bool RemoveFolder(const char* path) override {
        const bool done = RemoveDirectoryA(path) != FALSE;
        // A folder that still holds files stays, as the removals mean it to.
        const DWORD error = GetLastError();
        if (error != ERROR_DIR_NOT_EMPTY) LogRemoved(TraceKind::Directory, path, nullptr, done, error);
        return done;
    }

    DWORD ReadProfileText(const char* section, const char* key, const char* fallback, char* out, DWORD chars,
                          const char* file) override {
        return GetPrivateProfileStringA(section, key, fallback, out, chars, file);
    }
    void WriteProfileText(const char* section, const char* key, const char* value, const char* file) override {
        const bool done = WritePrivateProfileStringA(section, key, value, file) != FALSE;
        const DWORD error = GetLastError();
        LogOutcome(TraceKind::ProfileEntry, file, key, done, error, "changed");
    }

    void RemoveProgramGroups(const std::vector<GroupRemoval>& groups) override;

private:
    // The rights a key had before OpenKeySecurity opened them, until the
    // key's deletion: a key that stays gets them back.
    struct SavedRights {
        HKEY root;
        std::string path;
        KeyRights rights;
    };
    std::vector<SavedRights> m_saved;

    std::vector<SavedRights>::iterator Saved(HKEY root, const char* path);
};

std::vector<MachineSinkImpl::SavedRights>::iterator MachineSinkImpl::Saved(HKEY root, const char* path) {
    auto it = m_saved.begin();
    while (it != m_saved.end() && !(it->root == root && lstrcmpiA(it->path.c_str(), path) == 0)) ++it;
    return it;
}

bool MachineSinkImpl::DeleteKey(HKEY root, const char* path) {
    const LONG result = RegDeleteKeyA(root, path);
    const bool deleted = result == ERROR_SUCCESS;
    // Windows 2000/XP refuse a key that has subkeys; the removals then take
    // the keys below first and this one again, so only that try is logged.
    if (deleted || !HasSubKeys(root, path)) LogKeyRemoved(root, path, nullptr, deleted, static_cast<DWORD>(result));
    const auto saved = Saved(root, path);
    if (saved != m_saved.end()) {
        // No one to tell but a debugger: the removal goes on either way.
        if (!deleted && !WriteKeyRights(root, path, saved->rights)) {
            OutputDebugStringA(("Couldn't put back the rights of registry key " + saved->path + "\r\n").c_str());
        }
        m_saved.erase(saved);
    }
    return deleted;
}

bool MachineSinkImpl::OpenKeySecurity(HKEY root, const char* path) {
    if (path == nullptr || path[0] == '\0') return false;
    // Rights that cannot be read could not be put back: such a key is
    // deleted under its own (95/98/Me keep none, and nothing changes there).
    KeyRights before;
    if (!ReadKeyRights(root, path, before)) return false;
    // Rights this removal opened already (through another name of the same
    // key, CurrentControlSet and the set it links to) are not worth keeping:
    // they would overwrite the real ones.
    const bool keep = !IsOpenKeyRights(before);
    if (!WriteOpenKeyRights(root, path)) return false;
    if (keep && Saved(root, path) == m_saved.end()) m_saved.push_back({root, path, before});
    return true;
}

void MachineSinkImpl::RemoveProgramGroups(const std::vector<GroupRemoval>& groups) {
    // The log names each group once, as the program manager lists it before.
    std::string listed(groups.size(), '\0');
    std::vector<ProgramManagerCommand> commands;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        bool repeated = false;
        for (std::size_t j = 0; j < i; ++j) repeated = repeated || lstrcmpiA(groups[i].szName, groups[j].szName) == 0;
        listed[i] = !repeated && GroupListedForLog(groups[i].szName, groups[i].dwTimeoutMs);
        // Delete mode reads no table rows.
        commands.push_back({BuildProgramGroupCommands(groups[i].szName, "", true, nullptr, 0).front(),
                            groups[i].dwTimeoutMs});
    }
    SendProgramManagerCommands(commands);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (listed[i]) LogGroupRemoved(groups[i].szName, groups[i].dwTimeoutMs);
    }
}

// At namespace scope, so that no thread ever sees it half made.
MachineSinkImpl g_machine;

}  // namespace

RemovalSink& TheMachine() { return g_machine; }

bool SinkKey::Open(HKEY root, const char* path, REGSAM access) {
    m_root = root;
    m_path = path;
    return m_sink.OpenKey(root, path, access, m_key);
}

LONG SinkKey::Query(const char* name, void* data, DWORD* size) const {
    if (!m_key.IsOpen()) return ERROR_INVALID_HANDLE;
    return m_sink.QueryValue(m_key.Get(), m_root, m_path.c_str(), name, data, size);
}

LONG SinkKey::SubKey(DWORD index, char* name, DWORD* chars) const {
    if (!m_key.IsOpen()) return ERROR_INVALID_HANDLE;
    return m_sink.EnumSubKey(m_key.Get(), m_root, m_path.c_str(), index, name, chars);
}

bool SinkKey::DeleteValue(const char* name) {
    return m_key.IsOpen() && m_sink.DeleteValue(m_key.Get(), m_root, m_path.c_str(), name);
}
