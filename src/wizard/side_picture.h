// The side picture of the wizard pages: bitmap 140 in a picture control in
// the page's top-left corner. The control takes the bitmap's size in
// pixels, while the page grows with its font and the screen's resolution:
// on Japanese and Chinese pages, or at 120 dpi, the picture would fill only
// the top of its frame, and at 96 dpi in English it would lose its bottom
// edge. The page shows a copy stretched to the place its template gives it.
#pragma once

#include <windows.h>

class CSidePicture {
public:
    CSidePicture() = default;
    ~CSidePicture();
    CSidePicture(const CSidePicture&) = delete;
    CSidePicture& operator=(const CSidePicture&) = delete;

    // From the page's OnInitDialog; a page without the picture is left alone.
    void Fit(HWND page);

private:
    HBITMAP m_hStretched = nullptr;  // shown by the picture control, ours to delete
};
