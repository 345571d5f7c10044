// Yardstick for start-up: the least a Win32 program does to show a
// one-page property-sheet wizard ("Minimal wizard" with one static text),
// built with the same toolchain and flags.
#include <windows.h>
#include <commctrl.h>

namespace {

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// An in-memory dialog template: no resources needed.
struct PageTemplate {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
    DLGITEMTEMPLATE item;
    WORD itemClassMarker, itemClass;
    WCHAR itemText[8];
    WORD creationData;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    alignas(4) PageTemplate page = {};
    page.dialog.style = WS_CHILD;
    page.dialog.cdit = 1;
    page.dialog.cx = 300;
    page.dialog.cy = 140;
    page.item.style = WS_CHILD | WS_VISIBLE;
    page.item.x = 10;
    page.item.y = 10;
    page.item.cx = 200;
    page.item.cy = 10;
    page.item.id = 100;
    page.itemClassMarker = 0xFFFF;
    page.itemClass = 0x0082;  // static
    lstrcpyW(page.itemText, L"Welcome");

    PROPSHEETPAGEA sheetPage = {};
    sheetPage.dwSize = sizeof sheetPage;
    // A wizard's title bar shows its page's caption, as setup's does.
    sheetPage.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
    sheetPage.pszTitle = "Minimal wizard";
    sheetPage.hInstance = instance;
    sheetPage.pResource = &page.dialog;
    sheetPage.pfnDlgProc = PageProc;
    HPROPSHEETPAGE pages[1] = {CreatePropertySheetPageA(&sheetPage)};

    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_WIZARD;
    header.hInstance = instance;
    header.pszCaption = "Minimal wizard";
    header.nPages = 1;
    header.phpage = pages;
    return PropertySheetA(&header) >= 0 ? 0 : 1;
}
