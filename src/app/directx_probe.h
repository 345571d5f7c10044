// Presence probe of the DirectX run-time components.
#pragma once

#include <windows.h>

// Installed DirectX version: major in bits 8-15, minor in bits 0-7 (0x000
// none, 0x100 ... 0x800). Each failed step is written to the debugger output.
DWORD GetDirectXVersion();
