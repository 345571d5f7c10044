// The sheet's wizard buttons as the pages drive them.
#pragma once

#include <windows.h>

// Sets which wizard buttons are enabled, by posting (not sending) to the sheet.
void PostWizardButtons(HWND sheet, DWORD buttons);
// Hides Back, Next and Cancel: the removal pages lead the user themselves.
void HideSheetButtons(HWND sheet);
