#include "wizard/side_picture.h"

#include "common/system_library.h"

namespace {

// Where every page's template puts the picture, in dialog units.
constexpr RECT kPlaceUnits = {0, 0, 79, 159};

HWND FindPicture(HWND page) {
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = "";
        if (GetClassNameA(child, className, sizeof className) == 0 || lstrcmpiA(className, "Static") != 0) continue;
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) return child;
    }
    return nullptr;
}

// Draws all of bitmap over width x height of target.
bool StretchOnto(HDC target, HDC source, HBITMAP bitmap, int width, int height) {
    BITMAP info = {};
    if (GetObjectA(bitmap, sizeof info, &info) == 0) return false;
    // Smoothed on 2000/XP; 95/98/Me have no halftone mode and take the plain one.
    const bool ntLine = IsNtLine();
    SetStretchBltMode(target, ntLine ? HALFTONE : COLORONCOLOR);
    if (ntLine) SetBrushOrgEx(target, 0, 0, nullptr);  // as the halftone mode asks
    HGDIOBJ old = SelectObject(source, bitmap);
    const BOOL drawn = StretchBlt(target, 0, 0, width, height, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(source, old);
    return drawn != FALSE;
}

// A copy of bitmap at width x height, in the screen's format; nullptr on failure.
HBITMAP StretchedCopy(HBITMAP bitmap, int width, int height) {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return nullptr;
    HBITMAP copy = CreateCompatibleBitmap(screen, width, height);
    HDC source = CreateCompatibleDC(screen);
    HDC target = CreateCompatibleDC(screen);
    bool drawn = false;
    if (copy != nullptr && source != nullptr && target != nullptr) {
        HGDIOBJ old = SelectObject(target, copy);
        drawn = StretchOnto(target, source, bitmap, width, height);
        SelectObject(target, old);
    }
    if (source != nullptr) DeleteDC(source);
    if (target != nullptr) DeleteDC(target);
    ReleaseDC(nullptr, screen);
    if (!drawn && copy != nullptr) {
        DeleteObject(copy);
        copy = nullptr;
    }
    return copy;
}

}  // namespace

CSidePicture::~CSidePicture() {
    if (m_hStretched != nullptr) DeleteObject(m_hStretched);
}

void CSidePicture::Fit(HWND page) {
    HWND picture = FindPicture(page);
    if (picture == nullptr) return;
    RECT place = kPlaceUnits;
    if (!MapDialogRect(page, &place)) return;
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    auto shown = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    HBITMAP stretched = shown != nullptr ? StretchedCopy(shown, width, height) : nullptr;
    if (stretched == nullptr) return;  // the picture stays as loaded
    // The control sizes itself to the new bitmap; the one it loaded from the
    // resources comes back and is no longer used.
    auto loaded = reinterpret_cast<HBITMAP>(
        SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(stretched)));
    if (loaded != nullptr && loaded != stretched) DeleteObject(loaded);
    m_hStretched = stretched;
    SetWindowPos(picture, nullptr, place.left, place.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
