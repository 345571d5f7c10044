// setup's start-up decisions: OS flag, run mode and the DirectX check.
#include <gtest/gtest.h>

#include "app/os_flag.h"
#include "app/run_mode.h"
#include "app/trace_report.h"
#include "common/reg_key.h"
#include "registry_sandbox.h"

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
