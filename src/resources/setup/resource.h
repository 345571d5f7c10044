// Resource identifiers of setup. They are the same in every language.
#pragma once

#define IDI_PRODUCT 128

#define IDS_CONFIRM_UNINSTALL 57353  // "This will remove %s. ..." (two %s)
#define IDS_CONFIRM_CAPTION 57354    // "Confirm File Deletion"
