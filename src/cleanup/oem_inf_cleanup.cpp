// Windows keeps each installed INF as oemN.inf in its INF directory, with a
// precompiled oemN.PNF beside it. The family's copies are recognised by a
// value of their [Strings] section, read as a profile file.
#include "cleanup/oem_inf_cleanup.h"

#include <windows.h>

#include <cstring>

#include "common/bounded_string.h"
#include "common/message_queue.h"
#include "common/text_format.h"

namespace {

// Only oem0 ... oem99 are examined; higher numbers are never touched.
constexpr int kOemCopies = 100;
// Far longer than any value the family writes.
constexpr DWORD kValueChars = 260;

struct TwainDsEntry {
    const char* szName;
    bool bDeletePnf;
    bool bDeleteInf;
};

// Compared whole and case-sensitively. The Pixmoor-USB 100 copy keeps its
// .inf: only its precompiled companion goes.
const TwainDsEntry g_twainDsNames[] = {
    {"Glimra View", true, true},
    {"Glimra TV", true, true},
    {"Glimra Eye", true, true},
    {"Vantrell USB Marlix", true, true},
    {"Vantrell USB Sepalo", true, true},
    {"Vantrell USB Dovrex", true, true},
    {"Dual Mode USB Camera", true, true},
    {"USB Camera", true, true},
    {"NUVision Video Service", true, true},
    {"NUVision Audio Service", true, true},
    {"Genius VideoCAM Express", true, true},
    {"VideoCAM Series", true, true},
    {"Genius VideoCAM Web", true, true},
    {"Vantrell Pixmoor-USB 100", true, false},
    {"Vantrell Pixmoor-USB 300", true, true},
};

// The folder + "\oemN" + extension; not ok() when it does not fit.
PathString OemCopyPath(const char* folder, int n, const char* extension) {
    char name[32];
    FormatInto(name, "oem%d%s", n, extension);
    PathString path(folder);
    path.AppendName(name);
    return path;
}

// How a copy was recognised, for a sink that records.
std::string Matched(const char* key, const char* how, const char* text) {
    return std::string("[Strings] ") + key + how + "\"" + text + "\"";
}

const TwainDsEntry* FindTwainDsName(const char* value) {
    for (const TwainDsEntry& entry : g_twainDsNames) {
        if (std::strcmp(entry.szName, value) == 0) return &entry;
    }
    return nullptr;
}

std::string MatchTwainDsName(const char* value, const void*, OemFiles files) {
    const TwainDsEntry* entry = FindTwainDsName(value);
    const bool goes = entry != nullptr && (files == OemFiles::Pnf ? entry->bDeletePnf : entry->bDeleteInf);
    return goes ? Matched("TwainDsName", " = ", value) : std::string();
}

std::string MatchDescription(const char* value, const void* data, OemFiles) {
    const char* description = static_cast<const char*>(data);
    return std::string(value).find(description) != std::string::npos ? Matched("511plus", " contains ", description) : std::string();
}

// An empty directory would turn "\oemN.inf" into a file at the drive root.
bool UsableDir(const char* dir) { return dir != nullptr && dir[0] != '\0'; }

void RemoveCopyFile(const PathString& path, const OemCopyRule& rule, const std::string& matched, RemovalSink& sink) {
    if (path.ok()) RemoveFileByRule(path.c_str(), rule.deletion, sink, matched.c_str());
}

}  // namespace

void RemoveOemCopies(const OemCopyRule& rule, RemovalSink& sink) {
    if (!UsableDir(rule.szFolder)) return;
    for (int n = 0; n < kOemCopies; ++n) {
        const PathString inf = OemCopyPath(rule.szFolder, n, rule.szInf);
        if (!inf.ok()) continue;
        char value[kValueChars] = "";
        sink.ReadProfileText("Strings", rule.szKey, "", value, kValueChars, inf.c_str());
        const std::string matched = rule.pfnMatch(value, rule.pData, rule.files);
        if (matched.empty()) continue;
        if (rule.files != OemFiles::Pnf) RemoveCopyFile(inf, rule, matched, sink);
        if (rule.files != OemFiles::Inf) RemoveCopyFile(OemCopyPath(rule.szFolder, n, rule.szPnf), rule, matched, sink);
        if (rule.bDrainQueue) DrainMessageQueue();
    }
}

void RemoveOemInfs(const char* infDir, const char* windowsDir, RemovalSink& sink) {
    if (UsableDir(infDir)) {
        SetCurrentDirectoryA(infDir);
        // Every .PNF first: a .PNF is recognised only by reading its .inf,
        // so no .inf may be gone yet.
        RemoveOemCopies({infDir, ".inf", ".PNF", "TwainDsName", MatchTwainDsName, nullptr, OemFiles::Pnf,
                         FileDeletion::Plain, true},
                        sink);
        // No "del" command line follows: "del" is a command-interpreter
        // built-in, so starting it would search for a program "del" in our
        // folder and the current one (this INF folder, which other
        // installers write to) and run whatever del.exe lies there.
        RemoveOemCopies({infDir, ".inf", ".PNF", "TwainDsName", MatchTwainDsName, nullptr, OemFiles::Inf,
                         FileDeletion::Normal, true},
                        sink);
    }

    if (UsableDir(windowsDir)) {
        PathString ovtCam(windowsDir);
        ovtCam.AppendName("LastGood").AppendName("OvtCam");
        // Removal fails, as wanted, while anything is left in it.
        if (ovtCam.ok()) sink.RemoveFolder(ovtCam.c_str());
    }
}

void RemoveOemInfsByDescription(const char* infDir, const std::string& description, RemovalSink& sink) {
    // Every value, even an absent one, contains the empty text: a string
    // resource that failed to load must not take every maker's copies.
    if (description.empty()) return;
    RemoveOemCopies({infDir, ".inf", ".PNF", "511plus", MatchDescription, description.c_str(), OemFiles::Inf,
                     FileDeletion::Plain, false},
                    sink);
}
