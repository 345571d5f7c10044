#include "wizard/rights_needed.h"

#include "common/product_profile.h"
#include "common/text_format.h"
#include "framework/modal_owner.h"
#include "framework/resource_text.h"

void ReportAdminRightsNeeded(UINT formatId) {
    const std::string text = FormatText(LoadResString(formatId), {g_Product.szProductName});
    // The program ends whatever the box answers, or if it cannot be shown.
    AppMessageBox(text.c_str(), g_Product.szProductName, MB_OK | MB_ICONSTOP);
}
