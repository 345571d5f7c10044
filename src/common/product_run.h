// One run of either program: its OS flag, the folder it runs from, and the
// system's folders that every install and removal step reads, read once
// when the run starts. The steps receive it; the frame only paints.
#pragma once

#include "common/bounded_string.h"
#include "common/locations.h"

class ProductRun {
public:
    ProductRun(int bNtPaths, const char* programDir);

    int NtPaths() const { return m_bNtPaths; }
    const char* ProgramDir() const { return m_szProgramDir; }
    const char* WindowsDir() const { return m_szWindowsDir; }
    const char* SystemDir() const { return m_szSystemDir; }
    const char* DriversDir() const { return m_szDriversDir; }
    const char* InfDir() const { return m_szInfDir; }
    // The folders for a pass over the file tables.
    FolderSet Folders(const char* destination) const {
        return {m_szWindowsDir, m_szSystemDir, m_szInfDir, destination, m_bNtPaths};
    }

private:
    int m_bNtPaths;
    char m_szProgramDir[kPathChars];
    char m_szWindowsDir[kPathChars];
    char m_szSystemDir[kPathChars];
    char m_szDriversDir[kPathChars];
    char m_szInfDir[kPathChars];
};
