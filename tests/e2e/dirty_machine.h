// A machine with the traces of earlier versions of the product family and
// with bystanders beside them, written down as data: what is seeded, and
// whether it must be gone or stay byte for byte after a removal. Removal
// scenarios of both uninstallers seed it and check it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

enum class Fate { Removed, Kept };

struct SeedFile {
    std::string path;
    Fate fate;
    bool readOnly;
};

// A value under root (HKEY_LOCAL_MACHINE unless named); an empty name
// stands for the key itself (seeded with one value "Seed"), whose fate is
// then the key's.
struct SeedValue {
    std::string key;
    std::string name;
    std::string data;
    Fate fate;
    HKEY root = HKEY_LOCAL_MACHINE;
};

struct DirtyMachine {
    std::vector<SeedFile> files;
    std::vector<SeedValue> registry;
};

struct MachineDirs {
    std::string windows;      // C:\windows
    std::string system;       // the system directory
    std::string installDir;   // the product directory of the earlier install
    bool ntLine;              // which table set the removal uses
};

// A device instance of the product on the NT line with a key below it that
// no table names: the scan opens the instance's rights, 2000/XP then
// refuse its deletion, and it stays, with the rights it had.
constexpr char kStubbornInstance[] = "SYSTEM\\ControlSet002\\Enum\\USB\\Vid_05a9&Pid_a511\\5&20d06fa8&0&2";

// The traces and bystanders for setup's removal pass on this system.
DirtyMachine SetupRemovalMachine(const MachineDirs& dirs);

// The traces and bystanders for the stand-alone uninstaller on this system
// (dirs.ntLine is its own OS flag: 0 on 98 and Me). The uninstaller is
// started for dirs.installDir.
DirtyMachine SweepRemovalMachine(const MachineDirs& dirs);

// Writes every file and value; false (with the reason) on the first failure.
bool SeedMachine(const DirtyMachine& machine, std::string& failure);

// Every trace that is still there and every bystander that changed.
std::vector<std::string> CheckMachine(const DirtyMachine& machine);
