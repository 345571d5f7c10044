#include "progman/program_group.h"

#include <ddeml.h>
#include <tlhelp32.h>

#include <cstring>

#include "common/bounded_string.h"

DWORD g_idDdeInst = 0;

namespace {

// The DDE library calls its client back for notifications; this client
// only sends commands and waits for each, so every notification it may
// skip is skipped (CBF_SKIP_ALLNOTIFICATIONS) and the rest find nothing to
// answer. The library requires a callback, though Wine accepts none.
HDDEDATA CALLBACK IgnoreDdeNotification(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// One conversation with the program manager, for as long as it lives.
class ProgramManagerConversation {
public:
    ProgramManagerConversation() {
        g_idDdeInst = 0;
        const DWORD flags = APPCMD_CLIENTONLY | CBF_SKIP_ALLNOTIFICATIONS;
        if (DdeInitializeA(&g_idDdeInst, IgnoreDdeNotification, flags, 0) != DMLERR_NO_ERROR) return;
        m_bInitialized = true;
        m_service = DdeCreateStringHandleA(g_idDdeInst, "PROGMAN", CP_WINANSI);
        m_topic = DdeCreateStringHandleA(g_idDdeInst, "PROGMAN", CP_WINANSI);
        m_conversation = DdeConnect(g_idDdeInst, m_service, m_topic, nullptr);
    }
    ~ProgramManagerConversation() {
        if (!m_bInitialized) return;
        if (m_conversation != nullptr) DdeDisconnect(m_conversation);
        if (m_service != nullptr) DdeFreeStringHandle(g_idDdeInst, m_service);
        if (m_topic != nullptr) DdeFreeStringHandle(g_idDdeInst, m_topic);
        DdeUninitialize(g_idDdeInst);
        g_idDdeInst = 0;
    }
    ProgramManagerConversation(const ProgramManagerConversation&) = delete;
    ProgramManagerConversation& operator=(const ProgramManagerConversation&) = delete;

    HCONV Get() const { return m_conversation; }

    // The process of the program manager's side of the conversation; 0 when
    // there is none.
    DWORD PartnerProcess() const {
        CONVINFO info = {};
        info.cb = sizeof info;
        if (m_conversation == nullptr || DdeQueryConvInfo(m_conversation, QID_SYNC, &info) == 0) return 0;
        DWORD process = 0;
        if (info.hwndPartner == nullptr || GetWindowThreadProcessId(info.hwndPartner, &process) == 0) return 0;
        return process;
    }

private:
    bool m_bInitialized = false;
    HSZ m_service = nullptr;
    HSZ m_topic = nullptr;
    HCONV m_conversation = nullptr;
};

bool GetsItem(const FileEntry& row) {
    return row.szItemTitle[0] != '\0' && std::strcmp(row.szItemTitle, kDoNotCopy) != 0;
}

}  // namespace

std::vector<std::string> BuildProgramGroupCommands(const char* groupName, const std::string& directory,
                                                   bool bDelete, const FileEntry* table, int rowCount) {
    std::vector<std::string> commands;
    if (bDelete) {
        commands.push_back(std::string("[DeleteGroup (") + groupName + ")]");
        return commands;
    }
    commands.push_back(std::string("[CreateGroup (") + groupName + ")]");
    for (int i = 0; i < rowCount; ++i) {
        if (!GetsItem(table[i])) continue;
        // Only the command line is quoted; the title goes in as it stands.
        commands.push_back("[AddItem (\"" + directory + "\\" + table[i].szTargetName + "\", " +
                           table[i].szItemTitle + ")]");
    }
    return commands;
}

DWORD SendProgramManagerCommands(const std::vector<std::string>& commands, DWORD timeoutMs) {
    std::vector<ProgramManagerCommand> timed;
    for (const std::string& command : commands) timed.push_back({command, timeoutMs});
    return SendProgramManagerCommands(timed);
}

DWORD SendProgramManagerCommands(const std::vector<ProgramManagerCommand>& commands) {
    ProgramManagerConversation conversation;
    for (const ProgramManagerCommand& command : commands) {
        if (conversation.Get() == nullptr) break;
        const std::string& text = command.strCommand;
        DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(text.c_str())),
                             static_cast<DWORD>(text.size() + 1), conversation.Get(), nullptr, 0,
                             XTYP_EXECUTE, command.dwTimeoutMs, nullptr);
    }
    return conversation.PartnerProcess();
}

bool ProgramGroupExists(const char* groupName, DWORD timeoutMs) {
    ProgramManagerConversation conversation;
    if (conversation.Get() == nullptr) return false;
    HSZ item = DdeCreateStringHandleA(g_idDdeInst, "Groups", CP_WINANSI);
    HDDEDATA data = DdeClientTransaction(nullptr, 0, conversation.Get(), item, CF_TEXT, XTYP_REQUEST, timeoutMs,
                                         nullptr);
    if (item != nullptr) DdeFreeStringHandle(g_idDdeInst, item);
    if (data == nullptr) return false;
    std::string groups(DdeGetData(data, nullptr, 0, 0), '\0');
    if (!groups.empty()) DdeGetData(data, reinterpret_cast<LPBYTE>(&groups[0]), static_cast<DWORD>(groups.size()), 0);
    DdeFreeDataHandle(data);

    groups.resize(std::strlen(groups.c_str()));
    for (std::size_t start = 0; start < groups.size();) {
        std::size_t end = groups.find_first_of("\r\n", start);
        if (end == std::string::npos) end = groups.size();
        if (lstrcmpiA(groups.substr(start, end - start).c_str(), groupName) == 0) return true;
        start = end + 1;
    }
    return false;
}

DWORD UpdateProgramGroup(const std::string& directory, int bDelete, const char* groupName,
                         const FileEntry* table, int rowCount, DWORD timeoutMs) {
    return SendProgramManagerCommands(
        BuildProgramGroupCommands(groupName, directory, bDelete != 0, table, rowCount), timeoutMs);
}

namespace {

// The process that started `process`; 0 when it is not listed.
DWORD ParentProcess(DWORD process) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    DWORD parent = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID == process) {
            parent = entry.th32ParentProcessID;
            break;
        }
    }
    CloseHandle(snapshot);
    return parent;
}

// The folder window's title: the group's name, or its whole path when the
// shell is set to show paths in title bars.
bool IsGroupTitle(const char* title, const char* groupName) {
    const std::size_t len = std::strlen(title);
    const std::size_t nameLen = std::strlen(groupName);
    if (len < nameLen || lstrcmpiA(title + len - nameLen, groupName) != 0) return false;
    return len == nameLen || title[len - nameLen - 1] == '\\';
}

struct GroupWindowSearch {
    DWORD dwProgramManager;
    const char* szGroupName;
    bool bClosed;
};

BOOL CALLBACK CloseIfGroupWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<GroupWindowSearch*>(lParam);
    char title[kPathChars];
    if (!IsWindowVisible(window) || GetWindowTextA(window, title, sizeof title) == 0) return TRUE;
    if (!IsGroupTitle(title, search->szGroupName)) return TRUE;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // Windows' shell opens it in its own process; Wine's starts a shell
    // process of its own for it.
    if (process != search->dwProgramManager && ParentProcess(process) != search->dwProgramManager) return TRUE;
    PostMessageA(window, WM_CLOSE, 0, 0);
    search->bClosed = true;
    return TRUE;
}

}  // namespace

bool CloseProgramGroupWindow(DWORD programManagerProcess, const char* groupName, DWORD timeoutMs) {
    if (programManagerProcess == 0) return false;
    constexpr DWORD kPollMs = 50;
    GroupWindowSearch search = {programManagerProcess, groupName, false};
    for (DWORD waited = 0; waited <= timeoutMs; waited += kPollMs) {
        EnumWindows(CloseIfGroupWindow, reinterpret_cast<LPARAM>(&search));
        if (search.bClosed) return true;
        Sleep(kPollMs);
    }
    return false;
}
