// Registry subtree deletion and the device scans: what each one takes,
// and the other makers' and applications' entries beside them that stay.
#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include <string>
#include <utility>
#include <vector>

#include "cleanup/device_scans.h"
#include "cleanup/registry_tree.h"
#include "common/key_security.h"
#include "common/reg_key.h"
#include "hklm_keys.h"
#include "registry_sandbox.h"

namespace {

using Values = std::vector<std::pair<const char*, std::string>>;

const std::string kGuid = "\\Control\\Class\\{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\";
const char* const kSets[] = {"SYSTEM\\ControlSet001", "SYSTEM\\ControlSet002", "SYSTEM\\CurrentControlSet"};

bool Exists(const std::string& path) { return HklmKeyExists(path); }
bool HasValue(const std::string& path, const char* name) { return HklmHasValue(path, name); }
void Make(const std::string& path, const Values& values = {}) {
    RegKey key;
    ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, path.c_str())) << path;
    for (const auto& value : values) ASSERT_TRUE(key.SetString(value.first, value.second));
}
bool SetSecurity(const std::string& path, const std::string& sddl, SECURITY_INFORMATION what) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &sd, nullptr)) {
        return false;
    }
    RegKey key;
    const REGSAM access = what == OWNER_SECURITY_INFORMATION ? WRITE_OWNER : WRITE_OWNER | WRITE_DAC;
    const bool ok = key.Open(HKEY_LOCAL_MACHINE, path.c_str(), access) &&
                    RegSetKeySecurity(key.Get(), what, sd) == ERROR_SUCCESS;
    LocalFree(sd);
    return ok;
}
// Gives the key to LocalSystem, leaving this process only `rights` on it
// (its own keys grant their owner more than the DACL says).
bool HandAway(const std::string& path, const char* rights) {
    return SetSecurity(path, std::string("O:SYD:P(A;;") + rights + ";;;WD)",
                       OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION);
}
// Takes the key back (it kept WRITE_OWNER) so that the sandbox can go.
bool TakeBack(const std::string& path) {
    HANDLE token = nullptr;
    char user[256];
    DWORD len = 0;
    char* sid = nullptr;
    const bool got = OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) &&
                     GetTokenInformation(token, TokenUser, user, sizeof user, &len) &&
                     ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &sid);
    if (token != nullptr) CloseHandle(token);
    if (!got) return false;
    const bool ok = SetSecurity(path, std::string("O:") + sid, OWNER_SECURITY_INFORMATION);
    LocalFree(sid);
    return ok && OpenKeySecurity(path);
}
// The key's DACL in SDDL; "" when it cannot be read.
std::string DaclText(const std::string& path) {
    RegKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, path.c_str(), READ_CONTROL)) return "";
    char sd[1024];
    DWORD size = sizeof sd;
    if (RegGetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, sd, &size) != ERROR_SUCCESS) return "";
    char* text = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(sd, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text,
                                                              nullptr)) {
        return "";
    }
    const std::string dacl = text;
    LocalFree(text);
    return dacl;
}

}  // namespace

TEST(KeyRights, OpenedForADeletionTheyGrantAdministratorsAndSystemFullAccessAndNobodyElseAnything) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    const char path[] = "Enum\\USB\\Dev\\0";
    Make(path);
    KeyRights rights;
    ASSERT_TRUE(ReadKeyRights(HKEY_LOCAL_MACHINE, path, rights));
    EXPECT_FALSE(IsOpenKeyRights(rights));
    ASSERT_TRUE(OpenKeySecurity(path));
    EXPECT_EQ("D:(A;;KA;;;BA)(A;;KA;;;SY)", DaclText(path));
    // Opened again through another name of the key (CurrentControlSet and
    // the set it links to), they are known and not kept as its own.
    ASSERT_TRUE(ReadKeyRights(HKEY_LOCAL_MACHINE, path, rights));
    EXPECT_TRUE(IsOpenKeyRights(rights));
    EXPECT_TRUE(TheMachine().DeleteKey(HKEY_LOCAL_MACHINE, path));
}

TEST(KeyRights, AKeyThatStaysNeverGrantsEveryoneOrUsersMeanwhileAndGetsItsOwnRightsBack) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    const std::string instance = "Enum\\USB\\Dev\\1";
    Make(instance + "\\Firmware");  // no table names it: the instance cannot go
    const std::string own = "D:(A;;KR;;;WD)(A;;KR;;;BU)(A;;KA;;;BA)";
    ASSERT_TRUE(SetSecurity(instance, own, DACL_SECURITY_INFORMATION));
    ASSERT_EQ(own, DaclText(instance));

    ASSERT_TRUE(TheMachine().OpenKeySecurity(HKEY_LOCAL_MACHINE, instance.c_str()));
    const std::string opened = DaclText(instance);
    EXPECT_NE(std::string::npos, opened.find("(A;")) << opened << ": a null DACL grants everyone everything";
    EXPECT_EQ(std::string::npos, opened.find(";WD)")) << opened;
    EXPECT_EQ(std::string::npos, opened.find(";BU)")) << opened;
    EXPECT_FALSE(TheMachine().DeleteKey(HKEY_LOCAL_MACHINE, instance.c_str()));
    EXPECT_EQ(own, DaclText(instance));

    // Rights it cannot read are never replaced: they could not be put back.
    ASSERT_TRUE(HandAway(instance, "WDWO"));
    EXPECT_FALSE(TheMachine().OpenKeySecurity(HKEY_LOCAL_MACHINE, instance.c_str()));
    RegKey unread;
    EXPECT_FALSE(unread.Open(HKEY_LOCAL_MACHINE, instance.c_str(), READ_CONTROL)) << "its rights are as they were";
    ASSERT_TRUE(TakeBack(instance));
    DeleteRegistryTree(instance);
    EXPECT_FALSE(Exists(instance));
}

TEST(RegistryTree, DeletesADeepTreeAndNothingBesideIt) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    Make("Enum\\USB\\Dev\\1\\Device Parameters\\Deep\\Deeper", {{"x", "1"}});
    Make("Enum\\USB\\Dev\\1\\LogConf");
    Make("Enum\\USB\\Dev\\2");
    Make("Enum\\USB\\Dev2");
    // Deletable only once its rights are opened.
    ASSERT_TRUE(HandAway("Enum\\USB\\Dev\\1\\LogConf", "KRWD"));
    ASSERT_NE(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Enum\\USB\\Dev\\1\\LogConf"));
    DeleteRegistryTree("Enum\\USB\\Dev");
    EXPECT_FALSE(Exists("Enum\\USB\\Dev"));
    EXPECT_TRUE(Exists("Enum\\USB\\Dev2"));

    DeleteRegistryTree("");  // would name the whole machine root
    EXPECT_TRUE(Exists("Enum\\USB\\Dev2"));
}

TEST(RegistryTree, PassesOverASubkeyThatRefusesDeletionAndTakesItsSiblings) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    for (const char* name : {"a\\x", "b", "c\\y\\z"}) Make(std::string("Tree\\") + name);
    ASSERT_TRUE(HandAway("Tree\\b", "KRWO"));
    ASSERT_NE(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Tree\\b"));
    EXPECT_FALSE(OpenKeySecurity("Tree\\b"));

    DeleteRegistryTree("Tree");  // returning at all is the first check
    EXPECT_TRUE(Exists("Tree\\b"));
    EXPECT_FALSE(Exists("Tree\\a"));
    EXPECT_FALSE(Exists("Tree\\c"));

    ASSERT_TRUE(TakeBack("Tree\\b"));
    DeleteRegistryTree("Tree");
    EXPECT_FALSE(Exists("Tree"));

    // A subkey whose path would not fit is passed over the same way, not cut.
    const std::string deep = "Tree\\" + std::string(200, 'p');
    Make(deep + "\\short");
    RegKey parent, child;  // one create call would not take the whole path
    ASSERT_TRUE(parent.Open(HKEY_LOCAL_MACHINE, deep.c_str()));
    ASSERT_TRUE(child.Create(parent.Get(), std::string(100, 'c').c_str()));
    parent.Close();
    child.Close();
    DeleteRegistryTree(deep);
    ASSERT_TRUE(parent.Open(HKEY_LOCAL_MACHINE, deep.c_str()));
    EXPECT_TRUE(child.Open(parent.Get(), std::string(100, 'c').c_str()));
    EXPECT_FALSE(Exists(deep + "\\short"));
}

TEST(DeviceScans, UsbScansTakeOnlyTheFamilysVendorInTheirOwnSpelling) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    Make("Enum\\USB\\VID_05A9&PID_0511\\1\\Device Parameters");
    Make("Enum\\USB\\vid_05a9&pid_a511");
    Make("SYSTEM\\ControlSet001\\Enum\\USB\\Vid_05a9&Pid_a511\\5&1\\Control");
    Make("SYSTEM\\CurrentControlSet\\Enum\\USB\\Vid_05a9&Pid_a511\\5&1");
    for (const char* other : {"Vid_05ac&Pid_0001", "vid_05a9&pid_0511", "Vid_05A9&Pid_0001"}) {
        Make(std::string("SYSTEM\\ControlSet001\\Enum\\USB\\") + other);
    }
    PurgeUsbEnumKeys();
    PurgeControlSetUsbKeys();

    EXPECT_FALSE(Exists("Enum\\USB\\VID_05A9&PID_0511"));
    EXPECT_TRUE(Exists("Enum\\USB\\vid_05a9&pid_a511"));
    for (const char* set : kSets) EXPECT_FALSE(Exists(std::string(set) + "\\Enum\\USB\\Vid_05a9&Pid_a511")) << set;
    for (const char* other : {"Vid_05ac&Pid_0001", "vid_05a9&pid_0511", "Vid_05A9&Pid_0001"}) {
        EXPECT_TRUE(Exists(std::string("SYSTEM\\ControlSet001\\Enum\\USB\\") + other)) << other;
    }
}

TEST(DeviceScans, AdjacentMatchesNeedASecondRunAndEachRunScansOnce) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    Make("Enum\\USB\\VID_05A9&PID_0001\\1");
    Make("Enum\\USB\\VID_05A9&PID_0002\\1");
    RunDeviceScans();
    EXPECT_FALSE(Exists("Enum\\USB\\VID_05A9&PID_0001"));
    EXPECT_TRUE(Exists("Enum\\USB\\VID_05A9&PID_0002"));
    RunDeviceScans();
    EXPECT_FALSE(Exists("Enum\\USB\\VID_05A9&PID_0002"));
}

TEST(DeviceScans, DescriptionScansReadInstances0000To0019ExactlyAndInFull) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    const std::string root = "Enum\\Root\\Image\\";
    const std::string image = "System\\CurrentControlSet\\Services\\Class\\Image\\";
    Make(root + "0000", {{"DeviceDesc", "USB Still Image Camera"}});
    Make(root + "0001", {{"DeviceDesc", "usb still image camera"}});
    Make(root + "0002", {{"DeviceDesc", "USB Still" + std::string(300, 'x')}});  // does not fit
    Make(root + "0019", {{"DeviceDesc", "USB Still"}});
    Make(root + "0020", {{"DeviceDesc", "USB Still"}});
    Make(image + "0003", {{"DriverDesc", "Genius VideoCAM Express"}});
    Make(image + "0004", {{"DriverDesc", "Genius VideoCam Express"}});
    Make(image + "0012", {{"DriverDesc", "Genius VideoCAM"}});
    PurgeRootImageStill();
    PurgeImageClassByDesc();
    for (const char* n : {"0000", "0019"}) EXPECT_FALSE(Exists(root + n)) << n;
    for (const char* n : {"0001", "0002", "0020"}) EXPECT_TRUE(Exists(root + n)) << n;
    for (const char* n : {"0003", "0012"}) EXPECT_FALSE(Exists(image + n)) << n;
    EXPECT_TRUE(Exists(image + "0004"));
}

TEST(DeviceScans, OvtServicesGoFromAllThreeControlSets) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    for (const char* set : kSets) Make(std::string(set) + "\\Services\\OVT518\\Enum", {{"0", "USB\\Vid_05a9"}});
    Make("SYSTEM\\ControlSet002\\Services\\OVT511");  // not in the enumerated set
    for (const char* other : {"ovt519", "OVT6", "Disk"}) Make(std::string("SYSTEM\\CurrentControlSet\\Services\\") + other);
    PurgeOvtServices();
    for (const char* set : kSets) EXPECT_FALSE(Exists(std::string(set) + "\\Services\\OVT518")) << set;
    EXPECT_TRUE(Exists("SYSTEM\\ControlSet002\\Services\\OVT511"));
    for (const char* other : {"ovt519", "OVT6", "Disk"}) EXPECT_TRUE(Exists(std::string("SYSTEM\\CurrentControlSet\\Services\\") + other));
}

TEST(DeviceScans, StillImageRegistrationsOfOtherApplicationsStay) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    const std::string sti = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\StillImage\\";
    const Values family = {{"Vantrell Still Image Capture", "a"}, {"WDM Still Image Capture", "b"},
                           {"VGA USB Still Image Capture", "c"}, {"USB Still Image Device", "d"}};
    for (const char* key : {"Registered Applications", "RegisterOther"}) {
        Make(sti + key, family);
        Make(sti + key, {{"Scanner Suite", "e"}});
    }
    Make(sti + "Registered Applications\\Sub");
    PurgeStillImageKeys();
    for (const char* key : {"Registered Applications", "RegisterOther"}) {
        for (const auto& value : family) EXPECT_FALSE(HasValue(sti + key, value.first)) << key << value.first;
        EXPECT_TRUE(HasValue(sti + key, "Scanner Suite")) << key;
    }
    EXPECT_TRUE(Exists(sti + "Registered Applications\\Sub"));
}

TEST(DeviceScans, ImageClassSlotsGoOnlyWhenTheyAreTheFamilysInEachControlSet) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    const Values ours = {{"MatchingDeviceId", "USB\\VID_05A9&PID_0511"}};
    const Values theirs = {{"MatchingDeviceId", "usb\\vid_046d&pid_0840"}, {"DriverDesc", "QuickCam Express"}};
    for (const char* set : kSets) {
        Make(set + kGuid + "0000", ours);
        Make(set + kGuid + "0000\\Settings");
        Make(set + kGuid + "0001", {{"DriverDesc", "Vantrell Pixmoor-USB 300 plus"}});
        Make(set + kGuid + "0002", theirs);
        Make(set + kGuid + "0003", {{"DriverDesc", "OmniVision USB Camera"}});
        Make(set + kGuid + "0010", ours);
        // The product's own slot, by its USB ID in any case or by its description.
        Make(set + kGuid + "0005", {{"MatchingDeviceId", "USB\\Vid_0AC8&Pid_301B"}});
        Make(set + kGuid + "0006", {{"DriverDesc", "VideoCAM Web V2"}});
        Make(set + kGuid + "0007", {{"MatchingDeviceId", "usb\\vid_0ac8&pid_0303"}, {"DriverDesc", "VideoCAM Web V3"}});
    }
    Make(std::string(kSets[1]) + kGuid + "0004", theirs);  // the slot differs between the sets
    Make(std::string(kSets[0]) + kGuid + "0004", ours);
    for (int pass = 0; pass < 2; ++pass) PurgeImageClassInstances();  // a deletion shifts the next slot past the scan
    for (const char* set : kSets) {
        for (const char* n : {"0000", "0001", "0005", "0006"}) EXPECT_FALSE(Exists(set + kGuid + n)) << set << n;
        for (const char* n : {"0002", "0003", "0007", "0010"}) EXPECT_TRUE(Exists(set + kGuid + n)) << set << n;
    }
    EXPECT_FALSE(Exists(std::string(kSets[0]) + kGuid + "0004"));
    EXPECT_TRUE(Exists(std::string(kSets[1]) + kGuid + "0004"));
}

TEST(DeviceScans, MediaClassKeyFollowsTheFirstInstanceDriverTail) {
    const std::string inst = "System\\CurrentControlSet\\Enum\\USB\\VID_05A9&PID_";
    const std::string media = "System\\CurrentControlSet\\Services\\Class\\MEDIA";
    struct Case { const char* driver; const char* gone; };
    for (const Case& c : {Case{"MEDIA\\0003", "\\0003"}, Case{"12", "\\12"},
                          Case{"{4D36E96C-E325-11CE-BFC1-08002BE10318}\\0003", nullptr},
                          Case{"", nullptr}}) {
        RegistrySandbox sandbox;
        ASSERT_TRUE(sandbox.ok());
        Make(inst + "0511\\5&20d06fa8&0&2", {{"Driver", c.driver}});
        Make(inst + "A511\\5&20d06fa8&0&1", {{"Driver", "MEDIA\\0004"}});
        for (const char* n : {"\\0003", "\\12", "\\0004"}) Make(media + n);
        Make(media);
        DeleteMediaClassKey();
        for (const char* n : {"\\0003", "\\12", "\\0004"}) {
            EXPECT_EQ(c.gone == nullptr || std::string(n) != c.gone, Exists(media + n)) << c.driver << n;
        }
        if (c.gone == nullptr) {  // with the slots gone, an empty tail would take MEDIA itself
            for (const char* n : {"\\0003", "\\12", "\\0004"}) RegDeleteKeyA(HKEY_LOCAL_MACHINE, (media + n).c_str());
            DeleteMediaClassKey();
            EXPECT_TRUE(Exists(media)) << c.driver;
        }
    }
}

TEST(DeviceScans, UsbInstancesLoseTheirThreeSubkeysThenThemselves) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    const std::string a = "SYSTEM\\ControlSet002\\Enum\\USB\\Vid_05a9&Pid_0511\\5&20d06fa8&0&";
    const std::string b = "SYSTEM\\CurrentControlSet\\Enum\\USB\\Vid_05a9&Pid_a511\\5&20d06fa8&0&";
    for (const std::string& inst : {a + "0", b + "19"}) {
        for (const char* sub : {"\\Control", "\\Device Parameters", "\\LogConf"}) Make(inst + sub);
    }
    // Its rights refuse deletion until the unlock pass opens them.
    ASSERT_TRUE(HandAway(a + "0\\Control", "KRWD"));
    ASSERT_NE(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, (a + "0\\Control").c_str()));
    Make(a + "7\\Properties");  // not one of the three: the instance stays
    Make(b + "20\\Control");
    Make(b + "1x");
    UnlockAndDeleteUsbInstances();
    EXPECT_FALSE(Exists(a + "0"));
    EXPECT_FALSE(Exists(b + "19"));
    EXPECT_TRUE(Exists(a + "7\\Properties"));
    EXPECT_TRUE(Exists(b + "20\\Control"));
    EXPECT_TRUE(Exists(b + "1x"));
}

TEST(DeviceScans, VfwWdmSlots0000To0009WithExactlyOvfwwdmGo) {
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    const std::string image = "System\\CurrentControlSet\\Services\\Class\\Image\\";
    Make(image + "0000", {{"VfwEntryString", "OVFWWDM"}});
    Make(image + "0009", {{"VfwEntryString", "OVFWWDM"}});
    Make(image + "0001", {{"VfwEntryString", "OVFWWDM2"}});
    Make(image + "0002", {{"VfwEntryString", "ovfwwdm"}});
    Make(image + "0010", {{"VfwEntryString", "OVFWWDM"}});
    PurgeVfwWdmClassKeys();
    for (const char* n : {"0000", "0009"}) EXPECT_FALSE(Exists(image + n)) << n;
    for (const char* n : {"0001", "0002", "0010"}) EXPECT_TRUE(Exists(image + n)) << n;
}
