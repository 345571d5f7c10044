// The stop box both programs end with when the user lacks administrator
// rights (common/admin_rights.h decides).
#pragma once

#include <windows.h>

// formatId: the resource text, one %s for the product name; captioned with
// the product name and owned as framework/modal_owner.h says.
void ReportAdminRightsNeeded(UINT formatId);
