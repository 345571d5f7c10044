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
constexpr DWORD kValueChars = 255;

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

// infDir + "\oemN" + extension; not ok() when it does not fit.
PathString OemCopyPath(const char* infDir, int n, const char* extension) {
    char name[32];
    FormatInto(name, "oem%d%s", n, extension);
    PathString path(infDir);
    path.AppendName(name);
    return path;
}

// The copy's [Strings] value of key; "" when the copy or the key is missing.
void ReadStringsValue(const PathString& inf, const char* key, char (&value)[kValueChars], RemovalSink& sink) {
    value[0] = '\0';
    sink.ReadProfileText("Strings", key, nullptr, value, kValueChars, inf.c_str());
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

// An empty directory would turn "\oemN.inf" into a file at the drive root.
bool UsableDir(const char* dir) { return dir != nullptr && dir[0] != '\0'; }

}  // namespace

void RemoveOemInfs(const char* infDir, const char* windowsDir, RemovalSink& sink) {
    if (UsableDir(infDir)) {
        SetCurrentDirectoryA(infDir);
        char value[kValueChars];

        // Every .PNF first: a .PNF is recognised only by reading its .inf,
        // so no .inf may be gone yet.
        for (int n = 0; n < kOemCopies; ++n) {
            const PathString inf = OemCopyPath(infDir, n, ".inf");
            const PathString pnf = OemCopyPath(infDir, n, ".PNF");
            if (!inf.ok() || !pnf.ok()) continue;
            ReadStringsValue(inf, "TwainDsName", value, sink);
            const TwainDsEntry* entry = FindTwainDsName(value);
            if (entry == nullptr || !entry->bDeletePnf) continue;
            sink.RemoveFile(pnf.c_str(), Matched("TwainDsName", " = ", value));
            DrainMessageQueue();
        }

        for (int n = 0; n < kOemCopies; ++n) {
            const PathString inf = OemCopyPath(infDir, n, ".inf");
            if (!inf.ok()) continue;
            ReadStringsValue(inf, "TwainDsName", value, sink);
            const TwainDsEntry* entry = FindTwainDsName(value);
            if (entry == nullptr || !entry->bDeleteInf) continue;
            // Read-only, hidden or system copies would refuse deletion.
            sink.SetAttributes(inf.c_str(), FILE_ATTRIBUTE_NORMAL);
            sink.RemoveFile(inf.c_str(), Matched("TwainDsName", " = ", value));
            DrainMessageQueue();
            // No "del" command line follows: "del" is a command-interpreter
            // built-in, so starting it would search for a program "del" in
            // our folder and the current one (this INF folder, which other
            // installers write to) and run whatever del.exe lies there.
        }
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
    if (!UsableDir(infDir) || description.empty()) return;
    char value[kValueChars];
    for (int n = 0; n < kOemCopies; ++n) {
        const PathString inf = OemCopyPath(infDir, n, ".inf");
        if (!inf.ok()) continue;
        ReadStringsValue(inf, "511plus", value, sink);
        if (std::string(value).find(description) != std::string::npos) {
            sink.RemoveFile(inf.c_str(), Matched("511plus", " contains ", description.c_str()));
        }
    }
}
