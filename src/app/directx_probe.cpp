// The DirectX SDK's version detection: each step tries an interface that a
// later DirectX version added, and the first one missing tells the version.
#include "app/directx_probe.h"

#include <ddraw.h>
#include <objbase.h>

#include "common/system_library.h"

namespace {

// The interface and class identifiers the probe asks for.
const GUID kIidDirectDraw2 = {0xB3A6F3E0, 0x2B43, 0x11CF, {0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};
const GUID kIidSurface3 = {0xDA044E00, 0x69B2, 0x11D0, {0xA1, 0xD5, 0x00, 0xAA, 0x00, 0xB8, 0xDF, 0xBB}};
const GUID kIidSurface4 = {0x0B2B8630, 0xAD35, 0x11D0, {0x8E, 0xA6, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}};
const GUID kClsidDirectMusic = {0x636B9F10, 0x0C7D, 0x11D1, {0x95, 0xB2, 0x00, 0x20, 0xAF, 0xDC, 0x74, 0x21}};
const GUID kIidDirectMusic = {0x6536115A, 0x7B2D, 0x11D2, {0xBA, 0x18, 0x00, 0x00, 0xF8, 0x75, 0xAC, 0x12}};
const GUID kIidDirectDraw7 = {0x15E65EC0, 0x3B9C, 0x11D2, {0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}};

using DirectDrawCreateFn = HRESULT(WINAPI*)(GUID*, IDirectDraw**, IUnknown*);
using DirectDrawCreateExFn = HRESULT(WINAPI*)(GUID*, void**, REFIID, IUnknown*);

// Entry points are looked up by name; go through a plain pointer so the
// compiler sees the cast as intended.
template <typename Fn>
Fn ProcAs(FARPROC proc) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
}

// Releases a COM interface when the probe leaves its scope.
template <typename T>
class Held {
public:
    ~Held() { Reset(); }
    T** Out() { Reset(); return &m_p; }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    void Reset() {
        if (m_p != nullptr) m_p->Release();
        m_p = nullptr;
    }

private:
    T* m_p = nullptr;
};

// Frees a library when the probe leaves its scope. Loaded by full path
// from the system folder: setup runs from folders others can write to, and
// on 95/98/Me/XP nothing takes the program's own folder out of the search.
class Library {
public:
    explicit Library(const char* name) : m_h(LoadSystemLibrary(name)) {}
    ~Library() { if (m_h != nullptr) FreeLibrary(m_h); }
    HMODULE Get() const { return m_h; }
    FARPROC Proc(const char* name) const { return GetProcAddress(m_h, name); }

private:
    HMODULE m_h;
};

DWORD Report(const char* text, DWORD version) {
    OutputDebugStringA(text);
    return version;
}

// The COM library is bound here, where the probe needs it, so that the
// program's start does not load it (and the libraries it brings).
struct Com {
    using InitializeFn = HRESULT(WINAPI*)(LPVOID);
    using CreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    using UninitializeFn = void(WINAPI*)();
    Library library;
    InitializeFn initialize = nullptr;
    CreateInstanceFn createInstance = nullptr;
    UninitializeFn uninitialize = nullptr;

    Com() : library("ole32.dll") {
        if (library.Get() == nullptr) return;
        initialize = ProcAs<InitializeFn>(library.Proc("CoInitialize"));
        createInstance = ProcAs<CreateInstanceFn>(library.Proc("CoCreateInstance"));
        uninitialize = ProcAs<UninitializeFn>(library.Proc("CoUninitialize"));
    }
    bool ok() const { return initialize != nullptr && createInstance != nullptr && uninitialize != nullptr; }
};

DWORD ProbeDirectMusic() {
    DWORD version = 0x601;
    Com com;
    if (!com.ok() || FAILED(com.initialize(nullptr))) return Report("Couldn't create CLSID_DirectMusic\r\n", 0x600);
    IUnknown* music = nullptr;
    if (FAILED(com.createInstance(kClsidDirectMusic, nullptr, CLSCTX_INPROC_SERVER, kIidDirectMusic,
                                  reinterpret_cast<void**>(&music)))) {
        version = Report("Couldn't create CLSID_DirectMusic\r\n", 0x600);
    } else {
        music->Release();
    }
    com.uninitialize();
    return version;
}

}  // namespace

DWORD GetDirectXVersion() {
    Library ddraw("DDRAW.DLL");
    if (ddraw.Get() == nullptr) return 0x000;

    auto create = ProcAs<DirectDrawCreateFn>(ddraw.Proc("DirectDrawCreate"));
    if (create == nullptr) return Report("Couldn't LoadLibrary DDraw\r\n", 0x000);
    Held<IDirectDraw> dd;
    if (FAILED(create(nullptr, dd.Out(), nullptr))) return Report("Couldn't create DDraw\r\n", 0x000);

    Held<IDirectDraw> dd2;
    if (FAILED(dd->QueryInterface(kIidDirectDraw2, dd2.OutVoid()))) {
        return Report("Couldn't QI DDraw2\r\n", 0x100);
    }
    {
        Library dinput("DINPUT.DLL");
        if (dinput.Get() == nullptr) return Report("Couldn't LoadLibrary DInput\r\n", 0x200);
        if (dinput.Proc("DirectInputCreateA") == nullptr) {
            return Report("Couldn't GetProcAddress DInputCreate\r\n", 0x200);
        }
    }

    if (FAILED(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL))) {
        return Report("Couldn't Set coop level\r\n", 0x000);
    }
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    Held<IDirectDrawSurface> surface;
    if (FAILED(dd->CreateSurface(&desc, surface.Out(), nullptr))) {
        return Report("Couldn't CreateSurface\r\n", 0x000);
    }
    Held<IUnknown> surface3;
    if (FAILED(surface->QueryInterface(kIidSurface3, surface3.OutVoid()))) return 0x300;
    Held<IUnknown> surface4;
    if (FAILED(surface->QueryInterface(kIidSurface4, surface4.OutVoid()))) return 0x500;

    if (ProbeDirectMusic() == 0x600) return 0x600;

    auto createEx = ProcAs<DirectDrawCreateExFn>(ddraw.Proc("DirectDrawCreateEx"));
    if (createEx == nullptr) return 0x601;
    Held<IUnknown> dd7;
    if (FAILED(createEx(nullptr, dd7.OutVoid(), kIidDirectDraw7, nullptr))) return 0x601;

    Library d3d8("D3D8.DLL");
    return d3d8.Get() != nullptr ? 0x800 : 0x700;
}
