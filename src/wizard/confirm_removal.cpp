#include "wizard/confirm_removal.h"

#include "common/product_profile.h"
#include "common/text_format.h"
#include "framework/modal_owner.h"
#include "framework/resource_text.h"

bool ConfirmRemoval(UINT textId, UINT captionId) {
    const std::string text =
        FormatText(LoadResString(textId), {g_Product.szProductName, g_Product.szProductName});
    const std::string caption = LoadResString(captionId);
    return AppMessageBox(text.c_str(), caption.c_str(), MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) ==
           IDOK;
}
