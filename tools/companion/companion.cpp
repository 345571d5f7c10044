// Stand-in for the companion software installer that the product CD
// carries as PICTAVO\setup.exe. It shows one window titled
// "Pictavo Companion Setup" and ends when that window is closed, which is
// all setup relies on: it starts the companion and waits for its end.
#include <windows.h>

namespace {

LRESULT CALLBACK CompanionProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hWnd, &ps);
        const char text[] = "Companion software setup (stand-in). Close this window to finish.";
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, 16, 16, text, sizeof text - 1);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

int Run(HINSTANCE instance) {
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = CompanionProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "PictavoCompanionSetup";
    if (!RegisterClassA(&wc)) return 1;
    HWND hWnd = CreateWindowA(wc.lpszClassName, "Pictavo Companion Setup",
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                              480, 160, nullptr, nullptr, instance, nullptr);
    if (hWnd == nullptr) return 1;
    ShowWindow(hWnd, SW_SHOWDEFAULT);  // as the program that started it asks
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

}  // namespace

// The program starts here, without the C runtime, whose DLL Windows 95
// lacks: it uses nothing of the C library.
extern "C" __attribute__((force_align_arg_pointer)) void WINAPI CompanionEntry() {
    ExitProcess(static_cast<UINT>(Run(GetModuleHandleA(nullptr))));
}
