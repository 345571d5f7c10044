// A temporary folder laid out like a Windows directory, removed with
// everything in it afterwards. Tests pass its paths in as the directories.
#pragma once

#include <string>
#include <vector>

class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& Root() const { return m_root; }
    // Root + "\WINDOWS" with INF, INF\Other, SYSTEM, SYSTEM32\Drivers, TWAIN_32 and Temp.
    std::string WindowsDir() const { return m_root + "\\WINDOWS"; }
    std::string SystemDir() const { return WindowsDir() + "\\SYSTEM"; }
    std::string Path(const std::string& relative) const { return m_root + "\\" + relative; }

private:
    std::string m_root;
};

// File helpers for tests.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool ReadFileBytes(const std::string& path, std::string& bytes);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
void RemoveTree(const std::string& path);
bool MakeDirs(const std::string& path);
