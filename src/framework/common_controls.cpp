#include "framework/common_controls.h"

#include "common/system_library.h"

namespace comctl {
namespace {

using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
using InitOldFn = void(WINAPI*)();
using CreatePageFn = HPROPSHEETPAGE(WINAPI*)(const PROPSHEETPAGEA*);
using SheetFn = INT_PTR(WINAPI*)(const PROPSHEETHEADERA*);

struct Entries {
    InitFn init = nullptr;
    InitOldFn initOld = nullptr;
    CreatePageFn createPage = nullptr;
    SheetFn sheet = nullptr;
};

const Entries& Library() {
    static const Entries entries = [] {
        Entries found;
        HMODULE module = LoadSystemLibrary("comctl32.dll");
        if (module == nullptr) return found;
        found.init = ProcAddress<InitFn>(module, "InitCommonControlsEx");
        // The first Windows 95 release's library (4.00) has only this one.
        found.initOld = ProcAddress<InitOldFn>(module, "InitCommonControls");
        found.createPage = ProcAddress<CreatePageFn>(module, "CreatePropertySheetPageA");
        found.sheet = ProcAddress<SheetFn>(module, "PropertySheetA");
        return found;
    }();
    return entries;
}

}  // namespace

bool Init() {
    const Entries& entries = Library();
    if (entries.createPage == nullptr || entries.sheet == nullptr) return false;
    if (entries.init != nullptr) {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
        return entries.init(&icc) != FALSE;
    }
    if (entries.initOld == nullptr) return false;
    entries.initOld();
    return true;
}

HPROPSHEETPAGE CreatePropertySheetPage(const PROPSHEETPAGEA* page) {
    return Library().createPage != nullptr ? Library().createPage(page) : nullptr;
}

INT_PTR PropertySheet(const PROPSHEETHEADERA* header) {
    return Library().sheet != nullptr ? Library().sheet(header) : -1;
}

}  // namespace comctl
