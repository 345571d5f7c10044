#include "wizard/wizard_buttons.h"

#include <commctrl.h>
#include <prsht.h>

#include "framework/property_sheet.h"

void PostWizardButtons(HWND sheet, DWORD buttons) {
    PostMessageA(sheet, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
}

void HideSheetButtons(HWND sheet) {
    for (int id : {kIdBack, kIdNext, IDCANCEL}) {
        HWND button = GetDlgItem(sheet, id);
        if (button != nullptr) ShowWindow(button, SW_HIDE);
    }
}
