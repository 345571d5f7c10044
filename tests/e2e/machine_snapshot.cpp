#include "machine_snapshot.h"

#include <algorithm>

#include "common/ascii_text.h"
#include "e2e_env.h"
#include "temp_tree.h"

std::string Lower(std::string text) {
    // As the programs fold names: ASCII letters only, whatever the code
    // page, so a double-byte name's trail bytes stay as they are.
    for (char& c : text) c = AsciiLower(c);
    return text;
}

namespace {

// Registry links can make a walk come back to where it was; no real key
// of interest lies this deep.
constexpr int kMaxDepth = 24;
constexpr ULONGLONG kContentLimit = 64 * 1024;


bool Skipped(const std::string& keyName, const std::vector<std::string>& skipKeys) {
    for (const std::string& skip : skipKeys) {
        if (lstrcmpiA(skip.c_str(), keyName.c_str()) == 0) return true;
    }
    return false;
}

}  // namespace

bool ChangeMatches(const std::string& change, const std::string& pattern) {
    if (!pattern.empty() && pattern.back() == '*') return change.rfind(pattern.substr(0, pattern.size() - 1), 0) == 0;
    return change == pattern;
}

bool IsWineNoise(const std::string& change) {
    static const char* const kWineNoise[] = {
        "+ hkcu\\software\\microsoft\\windows\\currentversion\\explorer\\*",
        "~ hklm\\software\\microsoft\\windows nt\\currentversion\\perflib*",
        "+ c:\\windows\\temp\\*", "- c:\\windows\\temp\\*", "~ c:\\windows\\temp\\*",
    };
    for (const char* noise : kWineNoise) {
        if (ChangeMatches(change, noise)) return true;
    }
    return false;
}

void MachineSnapshot::AddRegistry(const std::vector<RegistryRoot>& roots, const std::vector<std::string>& skipKeys) {
    for (const RegistryRoot& root : roots) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root.root, root.path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
        WalkKey(key, root.rootName + "\\" + root.path, skipKeys, 0);
        RegCloseKey(key);
    }
}

void MachineSnapshot::WalkKey(HKEY key, const std::string& name, const std::vector<std::string>& skipKeys,
                              int depth) {
    const std::string keyName = Lower(name);
    m_entries[keyName + "\\"] = "(key)";
    for (DWORD index = 0;; ++index) {
        char valueName[16384];
        DWORD nameChars = sizeof valueName;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueA(key, index, valueName, &nameChars, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        std::string data(size, '\0');
        nameChars = sizeof valueName;
        RegEnumValueA(key, index, valueName, &nameChars, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
        data.resize(size);
        m_entries[keyName + "\\:" + Lower(valueName)] = std::to_string(type) + ":" + data;
    }
    if (depth >= kMaxDepth) return;
    for (DWORD index = 0;; ++index) {
        char subName[256];
        DWORD subChars = sizeof subName;
        if (RegEnumKeyExA(key, index, subName, &subChars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (Skipped(subName, skipKeys)) continue;
        HKEY sub = nullptr;
        if (RegOpenKeyExA(key, subName, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
        WalkKey(sub, name + "\\" + subName, skipKeys, depth + 1);
        RegCloseKey(sub);
    }
}

void MachineSnapshot::AddFiles(const std::string& folder) {
    // A folder that is not there is not in the picture either.
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) WalkFolder(folder, 0);
}

void MachineSnapshot::WalkFolder(const std::string& folder, int depth) {
    m_entries[Lower(folder) + "\\"] = "(folder)";
    if (depth >= kMaxDepth) return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            WalkFolder(path, depth + 1);
            continue;
        }
        const ULONGLONG size = (ULONGLONG(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        std::string contents;
        if (size > kContentLimit || !ReadFileBytes(path, contents)) {
            const ULONGLONG written =
                (ULONGLONG(found.ftLastWriteTime.dwHighDateTime) << 32) | found.ftLastWriteTime.dwLowDateTime;
            contents = std::to_string(size) + " bytes, written " + std::to_string(written);
        }
        m_entries[Lower(path)] = contents;
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::vector<std::string> MachineSnapshot::ChangesSince(const MachineSnapshot& before) const {
    std::vector<std::string> changes;
    for (const auto& entry : m_entries) {
        const auto earlier = before.m_entries.find(entry.first);
        if (earlier == before.m_entries.end()) {
            changes.push_back("+ " + entry.first);
        } else if (earlier->second != entry.second) {
            changes.push_back("~ " + entry.first);
        }
    }
    for (const auto& entry : before.m_entries) {
        if (m_entries.count(entry.first) == 0) changes.push_back("- " + entry.first);
    }
    return changes;
}

MachineSnapshot SnapshotOfMachine(const std::vector<std::string>& folders, const std::vector<std::string>& machineKeys) {
    std::vector<RegistryRoot> roots = {{HKEY_LOCAL_MACHINE, "HKLM", "Software"},
                                       {HKEY_LOCAL_MACHINE, "HKLM", "System\\ControlSet001"},
                                       {HKEY_LOCAL_MACHINE, "HKLM", "Enum"},
                                       {HKEY_CURRENT_USER, "HKCU", "Software"},
                                       {HKEY_USERS, "HKU", ".Default\\Software"}};
    for (const std::string& key : machineKeys) roots.push_back({HKEY_LOCAL_MACHINE, "HKLM", key});
    MachineSnapshot snapshot;
    snapshot.AddRegistry(roots, {"Wow6432Node", "Wine", "Fonts"});
    snapshot.AddFiles(WindowsDir());
    for (const std::string& folder : folders) snapshot.AddFiles(folder);
    return snapshot;
}
