#include "registry_call_counter.h"

#include <windows.h>

#include <cstring>

namespace {

volatile LONG g_calls = 0;

// One wrapper per routed function: counts, then calls the original.
template <int Id, typename Result, typename... Args>
struct Counted {
    static Result(WINAPI* s_original)(Args...);
    static Result WINAPI Call(Args... args) {
        InterlockedIncrement(&g_calls);
        return s_original(args...);
    }
};
template <int Id, typename Result, typename... Args>
Result(WINAPI* Counted<Id, Result, Args...>::s_original)(Args...) = nullptr;

struct Route {
    const char* name;
    void* original;
    void* wrapper;
};

template <int Id, typename Result, typename... Args>
Route MakeRoute(const char* name, Result(WINAPI* original)(Args...)) {
    Counted<Id, Result, Args...>::s_original = original;
    return {name, reinterpret_cast<void*>(original), reinterpret_cast<void*>(&Counted<Id, Result, Args...>::Call)};
}

bool Patch(void** slot, void* wrapper) {
    DWORD oldProtect = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &oldProtect)) return false;
    *slot = wrapper;
    VirtualProtect(slot, sizeof *slot, oldProtect, &oldProtect);
    return true;
}

}  // namespace

bool StartCountingRegistryCalls() {
    const Route routes[] = {
        MakeRoute<0>("RegOpenKeyA", &RegOpenKeyA),
        MakeRoute<1>("RegOpenKeyExA", &RegOpenKeyExA),
        MakeRoute<2>("RegCreateKeyExA", &RegCreateKeyExA),
        MakeRoute<3>("RegEnumKeyExA", &RegEnumKeyExA),
        MakeRoute<4>("RegQueryValueExA", &RegQueryValueExA),
        MakeRoute<5>("RegSetValueExA", &RegSetValueExA),
        MakeRoute<6>("RegDeleteKeyA", &RegDeleteKeyA),
        MakeRoute<7>("RegDeleteValueA", &RegDeleteValueA),
        MakeRoute<8>("RegCloseKey", &RegCloseKey),
        MakeRoute<9>("RegSetKeySecurity", &RegSetKeySecurity),
        MakeRoute<10>("RegEnumValueA", &RegEnumValueA),
        MakeRoute<11>("RegQueryInfoKeyA", &RegQueryInfoKeyA),
        MakeRoute<12>("RegEnumKeyA", &RegEnumKeyA),
        MakeRoute<13>("RegCreateKeyA", &RegCreateKeyA),
    };
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    bool ok = true;
    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); desc->Name; ++desc) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + desc->Name), "advapi32.dll") != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const char* name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
            if (std::strncmp(name, "Reg", 3) != 0) continue;
            bool routed = false;
            for (const Route& route : routes) {
                if (std::strcmp(route.name, name) != 0) continue;
                routed = Patch(reinterpret_cast<void**>(&slots->u1.Function), route.wrapper);
            }
            ok = ok && routed;
        }
    }
    return ok;
}

unsigned long RegistryCallCount() { return static_cast<unsigned long>(g_calls); }
void ResetRegistryCallCount() { InterlockedExchange(&g_calls, 0); }
