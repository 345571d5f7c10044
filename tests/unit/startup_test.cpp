// setup's start-up decisions: OS flag, run mode and the DirectX check.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/directx_probe.h"
#include "app/os_flag.h"
#include "app/run_mode.h"
#include "app/trace_report.h"
#include "common/reg_key.h"
#include "registry_sandbox.h"
#include "temp_tree.h"
#include "wine_settings.h"

TEST(SetupOsFlag, OnlyWindows98SelectsThe98Tables) {
    EXPECT_EQ(1, SetupNtPathsFlag(0xC3B60004));  // Windows 95
    EXPECT_EQ(0, SetupNtPathsFlag(0xC0000A04));  // Windows 98
    EXPECT_EQ(1, SetupNtPathsFlag(0xC0005A04));  // Windows Me counts as NT paths
    EXPECT_EQ(1, SetupNtPathsFlag(0x08930005));  // Windows 2000
    EXPECT_EQ(1, SetupNtPathsFlag(0x0A280105));  // Windows XP
    EXPECT_EQ(1, SetupNtPathsFlag(0x05000A04));  // minor 10 with top byte 5 is not 98
}

TEST(RunMode, UninstallNameInAnyCaseSelectsTheUninstallModes) {
    for (const char* name : {"uninstal", "UNINSTAL", "Uninstal"}) {
        EXPECT_EQ(RunMode::UninstallLauncher, DecideRunMode(name, "", "UNINSTAL")) << name;
        EXPECT_EQ(RunMode::Uninstall, DecideRunMode(name, "C:\\Program Files\\x", "UNINSTAL")) << name;
    }
    for (const char* name : {"setup", "SETUP", "Setup", "uninstall", "uninsta", "drvsweep"}) {
        EXPECT_EQ(RunMode::Install, DecideRunMode(name, "", "UNINSTAL")) << name;
        EXPECT_EQ(RunMode::Install, DecideRunMode(name, "D:\\", "UNINSTAL")) << name;
    }
}

TEST(RunMode, TracesSwitchSelectsTheReportUnderAnyNameButTheUninstallName) {
    struct Case { const char* cmdLine; RunMode mode; const char* file; };
    const Case cases[] = {
        {"/traces=C:\\r.txt", RunMode::TraceReport, "C:\\r.txt"},
        {"  /TRACES=\"C:\\My Reports\\r.txt\" ", RunMode::TraceReport, "C:\\My Reports\\r.txt"},
        {"\"/traces=C:\\My Reports\\r.txt\"", RunMode::TraceReport, "C:\\My Reports\\r.txt"},
        {"/traces", RunMode::TraceReport, ""},
        {"/traces= ", RunMode::TraceReport, ""},
        {"/tracesfile", RunMode::Install, ""},
        {"C:\\x /traces=r.txt", RunMode::Install, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.mode, DecideRunMode("setup", c.cmdLine, "UNINSTAL")) << c.cmdLine;
        std::string file;
        EXPECT_EQ(c.file[0] != '\0', TraceReportFile(c.cmdLine, file)) << c.cmdLine;
        EXPECT_EQ(c.file, file) << c.cmdLine;
    }
    EXPECT_EQ(RunMode::Uninstall, DecideRunMode("UNINSTAL", "/traces=r.txt", "UNINSTAL"));
}

TEST(RegistrySandbox, KeepsTestWritesAwayFromTheRealRegistry) {
    const char* probe = "SOFTWARE\\VantrellSandboxProbe";
    {
        RegistrySandbox sandbox;
        ASSERT_TRUE(sandbox.ok());
        RegKey key;
        ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, probe));
        ASSERT_TRUE(key.SetString("Seen", "inside"));
        EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, probe));
    }
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, probe));
    {
        RegistrySandbox fresh;
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, probe)) << "sandboxes must start empty";
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft"));
    }
}

// Libraries under the names the DirectX probe loads, planted in this test
// program's own folder, which every search order looks at first. This
// process does not restrict the search, and CTest has Wine prefer such a
// copy to its own (VANTRELL_NATIVE_FIRST), as Windows does for a library
// that is not one of its known DLLs.
TEST(DirectXProbe, TakesNoLibraryPlantedBesideTheProgram) {
    const std::string helpers = EnvironmentPath("VANTRELL_HELPERS");
    ASSERT_FALSE(helpers.empty());
    TempTree tree;
    const std::string record = tree.Path("planted.log");
    SetEnvironmentVariableA("VANTRELL_RECORD", record.c_str());
    std::vector<std::string> planted;
    for (const char* name : {"ddraw.dll", "dinput.dll", "d3d8.dll"}) {
        planted.push_back(helpers + "\\" + name);
        ASSERT_TRUE(CopyFileA((helpers + "\\planted.dll").c_str(), planted.back().c_str(), FALSE)) << name;
    }

    GetDirectXVersion();
    std::string loaded;
    ReadFileBytes(record, loaded);
    EXPECT_EQ("", loaded) << "the probe took a planted library";

    // A load by bare name takes the planted one: the check above can fail.
    HMODULE byName = LoadLibraryA("dinput.dll");
    EXPECT_NE(nullptr, byName);
    EXPECT_TRUE(ReadFileBytes(record, loaded) && !loaded.empty()) << "the planting did not take";
    if (byName != nullptr) FreeLibrary(byName);
    for (const std::string& path : planted) DeleteFileA(path.c_str());
    SetEnvironmentVariableA("VANTRELL_RECORD", nullptr);
}
