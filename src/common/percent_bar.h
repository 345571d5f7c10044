// The painted progress bars of the copy and removal windows: a grey bar
// filled from the left in the window's colour, with the percentage centred
// on it.
#pragma once

#include <windows.h>

// Rectangle of control id in the dialog's client coordinates, one pixel
// inside its frame on every side.
RECT BarRect(HWND dialog, int id);

// Paints the bar; a percentage above 100 is stored back as 100.
void PaintPercentBar(HDC dc, const RECT& bar, unsigned int& percent, COLORREF fill);

// The WM_PAINT handling of a window whose only painting is the bar in
// control id.
void PaintBarOfControl(HWND dialog, int id, unsigned int& percent, COLORREF fill);
