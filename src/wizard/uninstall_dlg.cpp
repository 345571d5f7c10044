#include "wizard/uninstall_dlg.h"

#include "common/message_queue.h"
#include "framework/resource_text.h"
#include "resources/setup/resource.h"

CUninstallDlg::CUninstallDlg(const FolderSet& folders) : CRemovalProgressPage(IDD_UNINSTALL), m_folders(folders) {}

void CUninstallDlg::OnFileRowDone(unsigned int percent) {
    SetPercent(percent);
    DrainMessageQueue();
}

void CUninstallDlg::RunUninstall() {
    RemovalContext context;
    context.szWindowsDir = m_folders.szWindowsDir;
    context.szSystemDir = m_folders.szSystemDir;
    context.szInfDir = m_folders.szInfDir;
    context.bNtPaths = m_folders.bNtPaths;
    context.strSourceDir = m_strSourceDir;
    context.strDeviceDescription = LoadResString(IDS_OEM_DEVICE_DESCRIPTION);
    RunRemovalPass(context, *this);
    ShowCompleted();
}
