// Resource identifiers of the stand-alone uninstaller. They are the same in
// every language; the pages share their control identifiers with setup's.
#pragma once

#define IDI_PRODUCT 128
#define IDB_SIDE 140
#define IDB_BACKGROUND 141

#define IDD_UNINSTALL 142
#define IDD_UNINSTALL_COMPLETE 145

#define IDC_PROGRESS_BAR 1007
#define IDC_SIDE_FRAME 1010
#define IDC_UNINSTALL_DONE 1014
#define IDC_RESTART_YES 1015
#define IDC_RESTART_NO 1016
#define IDC_UNINSTALL_FINISHED 1021

#define IDS_APP_TITLE 57344          // "KD73"
#define IDS_CONFIRM_UNINSTALL 57361  // "This will remove %s. ..." (two %s)
#define IDS_CONFIRM_CAPTION 57362    // "Confirm File Deletion"
#define IDS_NOT_STARTED 57363        // the Temp copy cannot be started: its path, the system's reason (two %s)
#define IDS_ADMIN_RIGHTS_NEEDED 57364  // a limited user on 2000/XP: log on as an administrator (one %s, the product)
