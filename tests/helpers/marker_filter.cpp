// Test stand-in for the capture filter that setup registers with
// regsvr32: its registration writes a marker value, so a test can see
// that the registration command ran.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

extern "C" HRESULT __stdcall DllRegisterServer() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\VantrellTests", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return E_FAIL;
    }
    const char value[] = "registered";
    RegSetValueExA(key, "CaptureFilter", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
    RegCloseKey(key);
    return S_OK;
}

extern "C" HRESULT __stdcall DllUnregisterServer() { return S_OK; }
