// A registry key handle that closes itself. The programs ignore most
// registry failures and go on, so the accessors answer with a plain
// success flag instead of error codes.
#pragma once

#include <windows.h>

#include <string>

class RegKey {
public:
    RegKey() = default;
    ~RegKey() { Close(); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    RegKey(RegKey&& other) noexcept : m_hKey(other.m_hKey) { other.m_hKey = nullptr; }

    bool Open(HKEY root, const char* subKey, REGSAM access = KEY_READ);
    bool Create(HKEY root, const char* subKey, REGSAM access = KEY_ALL_ACCESS);
    void Close();

    bool IsOpen() const { return m_hKey != nullptr; }
    HKEY Get() const { return m_hKey; }

    // Reads a value of any type as raw bytes into a buffer of bufferSize
    // bytes; false when it is missing or does not fit.
    bool QueryRaw(const char* name, void* buffer, DWORD bufferSize, DWORD* type = nullptr,
                  DWORD* size = nullptr) const;
    // Reads a string value; false when it is missing or not a string.
    bool QueryString(const char* name, std::string& out) const;
    bool QueryDword(const char* name, DWORD& out) const;

    bool SetString(const char* name, const std::string& value);
    bool SetDword(const char* name, DWORD value);
    bool SetBinary(const char* name, const void* data, DWORD size);

    // Name of the subkey at index; false past the end.
    bool EnumSubKey(DWORD index, std::string& name) const;

private:
    HKEY m_hKey = nullptr;
};

// True when the key exists and can be opened for reading.
bool RegKeyExists(HKEY root, const char* subKey);

// "HKLM", "HKCU", "HKU" or "HKCR", as the report and the log name the roots.
const char* RegistryRootName(HKEY root);
