#include "hklm_keys.h"

#include "common/reg_key.h"

bool HklmKeyExists(const std::string& path) { return RegKeyExists(HKEY_LOCAL_MACHINE, path.c_str()); }

bool HklmHasValue(const std::string& path, const char* name) {
    RegKey key;
    return key.Open(HKEY_LOCAL_MACHINE, path.c_str()) && key.QueryRaw(name, nullptr, 0);
}

bool MakeHklmKey(const std::string& path, const StringValues& values) {
    RegKey key;
    if (!key.Create(HKEY_LOCAL_MACHINE, path.c_str())) return false;
    for (const auto& value : values) {
        if (!key.SetString(value.first, value.second)) return false;
    }
    return true;
}
