// The common-controls library (property sheets), bound at run time from
// the system directory: it is not one of the system's known DLLs, so a
// direct import would be looked up beside the program first.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

namespace comctl {

// Loads the library once and registers the standard control classes;
// false when it or one of its entry points is missing.
bool Init();

HPROPSHEETPAGE CreatePropertySheetPage(const PROPSHEETPAGEA* page);
INT_PTR PropertySheet(const PROPSHEETHEADERA* header);

}  // namespace comctl
