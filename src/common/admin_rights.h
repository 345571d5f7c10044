// Whether this process may change the machine: both programs write keys
// below HKEY_LOCAL_MACHINE\Software and \SYSTEM and files into the Windows,
// system and INF folders. On 2000/XP a member of Users or Power Users may
// start them; a Power User may write HKLM\Software and the Windows folder
// but not HKLM\SYSTEM nor the existing files of system32 and inf, so the
// install and the removals would do only part of their work, unseen. The
// programs ask first, without writing anything, and end with a message
// instead. Windows 95/98/Me keep no rights: always allowed.
#pragma once

#include <windows.h>


// The questions put to the system. Each answers false only when the system
// refuses: the token is not of the local Administrators group, or the
// access is denied. Any other failure is no question of rights and is left
// to the step that meets it.
struct AdminRightsProbe {
    bool (*pfnIsAdministrator)();
    bool (*pfnMayWriteKey)(HKEY root, const char* subKey);
    bool (*pfnMayWriteFolder)(const char* folder);
};

// The real questions: the token's membership of the local Administrators
// group (S-1-5-32-544), the key opened for creating subkeys and setting
// values, the folder opened for adding files (NT only: the membership
// check is bound at run time, and a directory opens only with backup
// semantics, which 95/98/Me reject).
extern const AdminRightsProbe g_SystemRightsProbe;

// The decision for a version word of GetVersion: true on the 9x line (high
// bit set) without asking probe; on the NT line true when the token is an
// administrator's and probe allows writing below root\subKey and into folder.
bool HasAdminRights(DWORD version, HKEY root, const char* subKey, const char* folder,
                    const AdminRightsProbe& probe);

// The decision for this process and machine: HKEY_LOCAL_MACHINE\Software
// and the Windows folder, asked of the system.
bool ProcessHasAdminRights();
