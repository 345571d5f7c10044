#include "progman/program_group.h"

#include <ddeml.h>

#include <cstring>

DWORD g_idDdeInst = 0;

namespace {

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

void SendProgramManagerCommands(const std::vector<std::string>& commands, DWORD timeoutMs) {
    std::vector<ProgramManagerCommand> timed;
    for (const std::string& command : commands) timed.push_back({command, timeoutMs});
    SendProgramManagerCommands(timed);
}

void SendProgramManagerCommands(const std::vector<ProgramManagerCommand>& commands) {
    g_idDdeInst = 0;
    if (DdeInitializeA(&g_idDdeInst, nullptr, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return;
    HSZ service = DdeCreateStringHandleA(g_idDdeInst, "PROGMAN", CP_WINANSI);
    HSZ topic = DdeCreateStringHandleA(g_idDdeInst, "PROGMAN", CP_WINANSI);
    HCONV conversation = DdeConnect(g_idDdeInst, service, topic, nullptr);
    for (const ProgramManagerCommand& command : commands) {
        if (conversation == nullptr) break;
        const std::string& text = command.strCommand;
        DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(text.c_str())),
                             static_cast<DWORD>(text.size() + 1), conversation, nullptr, 0,
                             XTYP_EXECUTE, command.dwTimeoutMs, nullptr);
    }
    if (conversation != nullptr) DdeDisconnect(conversation);
    if (service != nullptr) DdeFreeStringHandle(g_idDdeInst, service);
    if (topic != nullptr) DdeFreeStringHandle(g_idDdeInst, topic);
    DdeUninitialize(g_idDdeInst);
    g_idDdeInst = 0;
}

void UpdateProgramGroup(const std::string& directory, int bDelete, const char* groupName,
                        const FileEntry* table, int rowCount, DWORD timeoutMs) {
    SendProgramManagerCommands(
        BuildProgramGroupCommands(groupName, directory, bDelete != 0, table, rowCount), timeoutMs);
}
