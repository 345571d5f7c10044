// The entry point every program of the product shares; the program's own
// part is its static application object.
#include "framework/win_app.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int) {
    return RunApplication(hInstance, lpCmdLine);
}
