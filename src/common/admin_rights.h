// Whether this process may change the machine: both programs write keys
// below HKEY_LOCAL_MACHINE\Software and files into the Windows folder. On
// 2000/XP a member of Users may start them, and every such write would then
// fail unseen; the programs ask first, without writing anything, and end
// with a message instead. Windows 95/98/Me keep no rights: always allowed.
#pragma once

#include <windows.h>

#include <string>

// The two questions put to the system. Each answers false only when the
// system refuses the access; any other failure is no question of rights
// and is left to the step that meets it.
struct AdminRightsProbe {
    bool (*pfnMayWriteKey)(HKEY root, const char* subKey);
    bool (*pfnMayWriteFolder)(const char* folder);
};

// The real questions: the key opened for creating subkeys and setting
// values, the folder opened for adding files (NT only: a directory opens
// only with backup semantics, which 95/98/Me reject).
extern const AdminRightsProbe g_SystemRightsProbe;

// The decision for a version word of GetVersion: true on the 9x line (high
// bit set) without asking probe; on the NT line true when probe allows
// writing below root\subKey and into folder.
bool HasAdminRights(DWORD version, HKEY root, const char* subKey, const char* folder,
                    const AdminRightsProbe& probe);

// The decision for this process and machine: HKEY_LOCAL_MACHINE\Software
// and the Windows folder, asked of the system.
bool ProcessHasAdminRights();

// The message that ends a program run without those rights: format (one
// %s, the product name) in a stop box without owner, captioned with the
// product name.
void ReportAdminRightsNeeded(const std::string& format);
