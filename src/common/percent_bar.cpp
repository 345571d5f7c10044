#include "common/percent_bar.h"

#include "common/text_format.h"

RECT BarRect(HWND dialog, int id) {
    RECT rect = {};
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    InflateRect(&rect, -1, -1);
    return rect;
}

namespace {
void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}
}  // namespace

void PaintPercentBar(HDC dc, const RECT& bar, unsigned int& percent, COLORREF fill) {
    FillSolid(dc, bar, RGB(192, 192, 192));
    if (percent > 100) percent = 100;
    const int width = bar.right - bar.left;
    RECT done = bar;
    done.right = bar.left + static_cast<int>(static_cast<unsigned int>(width) * percent / 100);
    FillSolid(dc, done, fill);

    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    SetBkColor(dc, RGB(192, 192, 192));
    SetBkMode(dc, TRANSPARENT);
    char text[16];
    const int len = FormatInto(text, "%u%%", percent);
    TextOutA(dc, bar.left + width / 2, bar.top, text, len);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldFont);
}

void PaintBarOfControl(HWND dialog, int id, unsigned int& percent, COLORREF fill) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    PaintPercentBar(dc, BarRect(dialog, id), percent, fill);
    EndPaint(dialog, &ps);
}
