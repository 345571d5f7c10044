#include "traces/trace_recorder.h"

#include <cstring>

#include "common/path_chars.h"
#include "common/text_format.h"
#include "progman/program_group.h"

namespace {

// Longer than any name RegEnumKeyExA gives (255 characters and the zero).
constexpr DWORD kKeyNameChars = 256;
constexpr DWORD kProfileChars = 1024;
// A value no profile entry holds: tells an absent entry from an empty one.
constexpr const char* kAbsent = "\x01\x02\x03";

std::string Lower(std::string text) {
    if (!text.empty()) CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

bool Below(const std::string& id, const std::string& ancestor) {
    return id.size() > ancestor.size() && id.compare(0, ancestor.size(), ancestor) == 0 &&
           id[ancestor.size()] == '\\';
}

// Whether id or a key or folder above it is in the set.
bool GoneWithAncestors(const StringSet& gone, const std::string& id) {
    if (gone.Contains(id)) return true;
    for (std::size_t at = FindSeparator(id); at != std::string::npos; at = FindSeparator(id, at + 1)) {
        if (at > 0 && gone.Contains(id.substr(0, at))) return true;
    }
    return false;
}

// Device keys lie in an Enum branch: HKLM\Enum on 95/98/Me, a control set's
// Enum on 2000/XP.
bool IsDeviceKey(const std::string& id) {
    return id.rfind("hklm\\enum\\", 0) == 0 || FindInPath(id, "\\enum\\") != std::string::npos;
}

// The control set that CurrentControlSet links to on 2000/XP, "" where it
// is a key of its own (95/98/Me, and Wine): both names then reach the same
// keys, and what goes by one is gone by the other.
std::string CurrentControlSet() {
    HKEY link = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet", REG_OPTION_OPEN_LINK, KEY_QUERY_VALUE,
                      &link) != ERROR_SUCCESS) {
        return "";
    }
    WCHAR target[MAX_PATH] = L"";
    DWORD type = 0;
    DWORD size = sizeof target - sizeof(WCHAR);
    const LONG rc = RegQueryValueExA(link, "SymbolicLinkValue", nullptr, &type, reinterpret_cast<BYTE*>(target), &size);
    RegCloseKey(link);
    if (rc != ERROR_SUCCESS || type != REG_LINK) return "";
    // "\Registry\Machine\System\ControlSet001": the part below the machine key.
    std::string path;
    for (DWORD i = 0; i < size / sizeof(WCHAR) && target[i] != L'\0'; ++i) {
        if (target[i] > 0x7F) return "";
        path += static_cast<char>(target[i]);
    }
    static const char kMachine[] = "\\registry\\machine\\";
    path = Lower(path);
    return path.rfind(kMachine, 0) == 0 ? path.substr(sizeof kMachine - 1) : std::string();
}

// The program manager's groups are folders below this one (when the shell
// records it).
std::string ProgramsFolder() {
    RegKey folders;
    std::string programs;
    if (folders.Open(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders")) {
        folders.QueryString("Programs", programs);
    }
    return programs;
}

}  // namespace

const char* TraceKindName(TraceKind kind) {
    // In the order of TraceKind.
    static const char* const kNames[] = {"file",           "directory",        "program group",
                                         "OEM INF copy",   "registry value",   "registry key",
                                         "registry subtree", "device instance", "profile entry",
                                         "program item",   "program"};
    const auto at = static_cast<std::size_t>(kind);
    return at < sizeof kNames / sizeof kNames[0] ? kNames[at] : "";
}

TraceRecorder::TraceRecorder()
    : m_bDeleteTakesSubtree((GetVersion() & 0x80000000u) != 0), m_strCurrentSet(CurrentControlSet()) {
    char windows[MAX_PATH] = "";
    const UINT len = GetWindowsDirectoryA(windows, sizeof windows);
    if (len > 0 && len < sizeof windows) m_strWindowsDir = windows;
}

void TraceRecorder::Record(TraceKind kind, const std::string& path, const std::string& detail,
                           const std::string& id) {
    m_traces.push_back({kind, path, detail, id});
}

// ---- registry ----

std::string TraceRecorder::KeyId(HKEY root, const char* path) const {
    std::string id = Lower(path);
    StripTrailingSeparators(id);
    static const char kCurrent[] = "system\\currentcontrolset";
    const std::size_t len = sizeof kCurrent - 1;
    if (root == HKEY_LOCAL_MACHINE && !m_strCurrentSet.empty() && id.compare(0, len, kCurrent) == 0 &&
        (id.size() == len || id[len] == '\\')) {
        id = m_strCurrentSet + id.substr(len);
    }
    return Lower(RegistryRootName(root)) + "\\" + id;
}

bool TraceRecorder::KeyGone(const std::string& id) const { return GoneWithAncestors(m_goneKeys, id); }

const std::vector<std::string>& TraceRecorder::MachineSubKeys(HKEY root, const std::string& path,
                                                              const std::string& id) {
    for (const SubKeys& read : m_subKeys) {
        if (read.strId == id) return read.names;
    }
    m_subKeys.push_back({id, {}});
    std::vector<std::string>& names = m_subKeys.back().names;
    RegKey key;
    if (key.Open(root, path.c_str(), KEY_READ)) {
        char name[kKeyNameChars];
        for (DWORD index = 0;; ++index) {
            DWORD chars = kKeyNameChars;
            if (RegEnumKeyExA(key.Get(), index, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
                break;
            }
            names.push_back(name);
        }
    }
    return names;
}

std::vector<std::string> TraceRecorder::StandingSubKeys(HKEY root, const std::string& path, const std::string& id) {
    std::vector<std::string> standing;
    for (const std::string& name : MachineSubKeys(root, path, id)) {
        if (!m_goneKeys.Contains(id + "\\" + Lower(name))) standing.push_back(name);
    }
    return standing;
}

int TraceRecorder::StandingKeysBelow(HKEY root, const std::string& path, const std::string& id) {
    int count = 0;
    for (const std::string& name : StandingSubKeys(root, path, id)) {
        count += 1 + StandingKeysBelow(root, path + "\\" + name, id + "\\" + Lower(name));
    }
    return count;
}

bool TraceRecorder::OpenKey(HKEY root, const char* path, REGSAM access, RegKey& key) {
    if (KeyGone(KeyId(root, path))) {
        key.Close();
        return false;
    }
    return key.Open(root, path, access);
}

LONG TraceRecorder::QueryValue(HKEY key, HKEY root, const char* path, const char* name, void* data, DWORD* size) {
    const std::string id = KeyId(root, path);
    if (KeyGone(id)) return ERROR_KEY_DELETED;
    if (m_goneValues.Contains(id + "\n" + Lower(name != nullptr ? name : ""))) return ERROR_FILE_NOT_FOUND;
    return RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(data), size);
}

LONG TraceRecorder::EnumSubKey(HKEY, HKEY root, const char* path, DWORD index, char* name, DWORD* chars) {
    const std::string id = KeyId(root, path);
    if (KeyGone(id)) return ERROR_KEY_DELETED;
    // Index i names the i-th subkey not taken yet, as on the machine after
    // the deletions.
    DWORD standing = 0;
    for (const std::string& found : MachineSubKeys(root, path, id)) {
        if (m_goneKeys.Contains(id + "\\" + Lower(found)) || standing++ != index) continue;
        if (found.size() + 1 > *chars) return ERROR_MORE_DATA;
        std::memcpy(name, found.c_str(), found.size() + 1);
        *chars = static_cast<DWORD>(found.size());
        return ERROR_SUCCESS;
    }
    return ERROR_NO_MORE_ITEMS;
}

bool TraceRecorder::DeleteValue(HKEY key, HKEY root, const char* path, const char* name) {
    const std::string id = KeyId(root, path);
    const std::string valueId = id + "\n" + Lower(name != nullptr ? name : "");
    if (KeyGone(id) || m_goneValues.Contains(valueId)) return false;
    if (RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return false;
    m_goneValues.Insert(valueId);
    Record(TraceKind::RegistryValue, std::string(RegistryRootName(root)) + "\\" + path,
           std::string("value \"") + (name != nullptr ? name : "") + "\"", id);
    return true;
}

bool TraceRecorder::DeleteKey(HKEY root, const char* path) {
    const std::string id = KeyId(root, path);
    if (KeyGone(id) || !RegKey().Open(root, path, KEY_READ)) return false;
    const int keysBelow = StandingKeysBelow(root, path, id);
    // 2000/XP delete only a key without subkeys; 95/98/Me take the subtree.
    if (keysBelow > 0 && !m_bDeleteTakesSubtree) return false;
    m_goneKeys.Insert(id);
    RecordKey(root, path, id, keysBelow);
    return true;
}

void TraceRecorder::RecordKey(HKEY root, const char* path, const std::string& id, int keysBelow) {
    // A key taken right after the keys below it (a subtree deleted leaves
    // first) is one line: the keys below fold into it.
    while (!m_traces.empty() && Below(m_traces.back().strId, id)) {
        const Trace& below = m_traces.back();
        if (below.kind != TraceKind::RegistryValue) keysBelow += 1 + below.nKeysBelow;
        m_traces.pop_back();
    }
    char detail[48] = "";
    if (keysBelow > 0) FormatInto(detail, "with %d key%s below", keysBelow, keysBelow == 1 ? "" : "s");
    const TraceKind kind = IsDeviceKey(id)   ? TraceKind::DeviceInstance
                           : keysBelow > 0 ? TraceKind::RegistrySubtree
                                           : TraceKind::RegistryKey;
    Record(kind, std::string(RegistryRootName(root)) + "\\" + path, detail, id);
    m_traces.back().nKeysBelow = keysBelow;
}

bool TraceRecorder::OpenKeySecurity(HKEY root, const char* path) {
    // The report writes nothing: the rights are taken as opened.
    return path != nullptr && path[0] != '\0' && !KeyGone(KeyId(root, path)) && RegKey().Open(root, path, KEY_READ);
}

// ---- files ----

std::string TraceRecorder::FileId(const std::string& path) const {
    std::string id = Lower(path);
    StripTrailingSeparators(id, 3);
    return id;
}

bool TraceRecorder::FileGone(const std::string& id) const { return GoneWithAncestors(m_goneFiles, id); }

DWORD TraceRecorder::Attributes(const char* path) {
    const std::string id = FileId(path);
    if (FileGone(id)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    for (auto changed = m_attributes.rbegin(); changed != m_attributes.rend(); ++changed) {
        if (changed->strId == id) return changed->dwAttributes;
    }
    return GetFileAttributesA(path);
}

bool TraceRecorder::SetAttributes(const char* path, DWORD attributes) {
    const DWORD now = Attributes(path);
    if (now == INVALID_FILE_ATTRIBUTES) return false;
    // A folder stays a folder whatever is asked.
    m_attributes.push_back({FileId(path), (attributes & ~FILE_ATTRIBUTE_DIRECTORY) | (now & FILE_ATTRIBUTE_DIRECTORY)});
    return true;
}

bool TraceRecorder::RemoveFile(const char* path, const std::string& matched) {
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        return false;
    }
    const std::string id = FileId(path);
    m_goneFiles.Insert(id);
    Record(matched.empty() ? TraceKind::File : TraceKind::OemInfCopy, path, matched, id);
    return true;
}

bool TraceRecorder::RemoveFolder(const char* path) {
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    const std::string id = FileId(path);
    // Not while it is the process's current directory.
    char current[MAX_PATH] = "";
    const DWORD len = GetCurrentDirectoryA(sizeof current, current);
    if (len > 0 && len < sizeof current && FileId(current) == id) return false;

    // Only when everything in it has been taken.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(path) + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        bool empty = true;
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != ".." && !FileGone(id + "\\" + Lower(name))) empty = false;
        } while (empty && FindNextFileA(search, &found));
        FindClose(search);
        if (!empty) return false;
    }
    m_goneFiles.Insert(id);
    Record(TraceKind::Directory, path, "", id);
    return true;
}

// ---- profiles and the program group ----

std::string TraceRecorder::ProfilePath(const char* file) const {
    if (FindSeparator(file) != std::string::npos || m_strWindowsDir.empty()) return file;
    return m_strWindowsDir + "\\" + file;
}

DWORD TraceRecorder::ReadProfileText(const char* section, const char* key, const char* fallback, char* out,
                                     DWORD chars, const char* file) {
    if (!FileGone(FileId(ProfilePath(file)))) {
        return GetPrivateProfileStringA(section, key, fallback, out, chars, file);
    }
    // A file taken reads as a missing one: the fallback, cut to the buffer.
    if (chars == 0) return 0;
    const std::string text = fallback != nullptr ? fallback : "";
    const std::size_t copied = text.size() < chars - 1 ? text.size() : chars - 1;
    std::memcpy(out, text.c_str(), copied);
    out[copied] = '\0';
    return static_cast<DWORD>(copied);
}

void TraceRecorder::WriteProfileText(const char* section, const char* key, const char* value, const char* file) {
    const std::string path = ProfilePath(file);
    char now[kProfileChars] = "";
    ReadProfileText(section, key, kAbsent, now, sizeof now, file);
    if (std::strcmp(now, value) == 0) return;
    const std::string entry = std::string("[") + section + "] " + key + "=";
    const std::string detail = std::strcmp(now, kAbsent) == 0 ? entry + value + " added"
                                                               : entry + now + " becomes " + entry + value;
    Record(TraceKind::ProfileEntry, path, detail, FileId(path));
}

void TraceRecorder::RemoveProgramGroups(const std::vector<GroupRemoval>& groups) {
    for (const GroupRemoval& group : groups) RemoveProgramGroup(group.szName, group.dwTimeoutMs);
}

void TraceRecorder::RemoveProgramGroup(const char* groupName, DWORD timeoutMs) {
    const std::string id = Lower(groupName);
    if (m_goneGroups.Contains(id) || !ProgramGroupExists(groupName, timeoutMs)) return;
    m_goneGroups.Insert(id);
    const std::string programs = ProgramsFolder();
    const std::string path = programs.empty() ? std::string(groupName) : programs + "\\" + groupName;
    Record(TraceKind::ProgramGroup, path, std::string("\"") + groupName + "\", over PROGMAN", FileId(path));
}
