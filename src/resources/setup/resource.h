// Resource identifiers of setup. They are the same in every language.
#pragma once

#define IDI_PRODUCT 128
#define IDB_SIDE 140

// Dialogs.
#define IDD_WELCOME 130
#define IDD_LICENSE 131
#define IDD_DESTINATION 132
#define IDD_COPY_PROGRESS 135
#define IDD_EXIT_SETUP 136
#define IDD_CHOOSE_DIRECTORY 137
#define IDD_NEXT_DISK 138
#define IDD_CREATING_ICONS 139
#define IDD_UNINSTALL 142
#define IDD_UNINSTALL_COMPLETE 145

// Controls.
#define IDC_LICENSE_TEXT 1000
#define IDC_BROWSE 1001
#define IDC_DESTINATION 1002
#define IDC_COPY_FROM 1005
#define IDC_COPY_TO 1006
#define IDC_PROGRESS_BAR 1007
#define IDC_SIDE_FRAME 1010
#define IDC_DISK_NAME 1011
#define IDC_DISK_PATH 1012
#define IDC_UNINSTALL_DONE 1014
#define IDC_RESTART_YES 1015
#define IDC_RESTART_NO 1016
#define IDC_DEST_INTRO 1017
#define IDC_DEST_CANCEL_NOTE 1018
#define IDC_LICENSE_QUESTION 1019
#define IDC_WELCOME_TEXT 1020
#define IDC_UNINSTALL_FINISHED 1021
#define IDC_DEST_JAPANESE_NOTE 1022

// Controls the system's old-style file dialog expects in template 137.
#define IDC_FD_PATH 1088          // shows (and takes) the directory
#define IDC_FD_STC2 1089
#define IDC_FD_STC3 1090
#define IDC_FD_STC4 1091
#define IDC_FD_FILES 1120
#define IDC_FD_DIRECTORIES 1121
#define IDC_FD_TYPES 1136
#define IDC_FD_DRIVES 1137
#define IDC_FD_FILE_NAME 1152
#define IDC_FD_NETWORK 1037
#define IDC_FD_HELP 1038
#define IDC_FD_READ_ONLY 1040

// Strings.
#define IDS_APP_TITLE 57344
#define IDS_LICENSE_1 57345         // 57345-57352 joined: the agreement, five %s
#define IDS_LICENSE_8 57352
#define IDS_CONFIRM_UNINSTALL 57353  // "This will remove %s. ..." (two %s)
#define IDS_CONFIRM_CAPTION 57354    // "Confirm File Deletion"
#define IDS_YES 57355
#define IDS_NO 57356
#define IDS_OEM_DEVICE_DESCRIPTION 57357  // the same in every language
#define IDS_DIRECTX_MISSING 57358
#define IDS_DIRECTX_INSTALL 57359
#define IDS_COMPANION_START 57360
#define IDS_COMPANION_WAIT 57361
#define IDS_ADMIN_RIGHTS_NEEDED 57362  // a limited user on 2000/XP: log on as an administrator (one %s, the product)
