// The start-up check for administrator rights. Wine runs every program
// with full access to its files and as a member of Administrators, so the
// decision is driven through a probe that answers as a limited user's or a
// Power User's system would; the registry half also
// runs for real, against a sandbox key whose rights grant only reading,
// which Wine's registry enforces.
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <string>

#include "common/admin_rights.h"
#include "common/key_security.h"
#include "common/reg_key.h"
#include "registry_sandbox.h"

namespace {

struct ProbeAnswers {
    bool bAdministrator = true;
    bool bKey = true;
    bool bFolder = true;
    int nAsked = 0;
    HKEY hRoot = nullptr;
    std::string strSubKey;
    std::string strFolder;
};
ProbeAnswers g_answers;

bool AnswerAdministrator() {
    ++g_answers.nAsked;
    return g_answers.bAdministrator;
}

bool AnswerKey(HKEY root, const char* subKey) {
    ++g_answers.nAsked;
    g_answers.hRoot = root;
    g_answers.strSubKey = subKey;
    return g_answers.bKey;
}

bool AnswerFolder(const char* folder) {
    ++g_answers.nAsked;
    g_answers.strFolder = folder;
    return g_answers.bFolder;
}

const AdminRightsProbe kAnsweringProbe = {AnswerAdministrator, AnswerKey, AnswerFolder};

bool Decide(DWORD version, bool key, bool folder, bool administrator = true) {
    g_answers = ProbeAnswers();
    g_answers.bAdministrator = administrator;
    g_answers.bKey = key;
    g_answers.bFolder = folder;
    return HasAdminRights(version, HKEY_LOCAL_MACHINE, "Software", "C:\\WINNT", kAnsweringProbe);
}

// Gives a key rights that let everyone only read it, and puts its own
// rights back at the end of the scope through the handle opened before,
// so that the sandbox can still delete it.
class ReadOnlyKey {
public:
    explicit ReadOnlyKey(const char* path) {
        if (!ReadKeyRights(HKEY_LOCAL_MACHINE, path, m_original)) return;
        if (!m_key.Open(HKEY_LOCAL_MACHINE, path, WRITE_DAC)) return;
        PSECURITY_DESCRIPTOR readOnly = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;KR;;;WD)", SDDL_REVISION_1, &readOnly,
                                                                  nullptr)) {
            return;
        }
        m_bLocked = RegSetKeySecurity(m_key.Get(), DACL_SECURITY_INFORMATION, readOnly) == ERROR_SUCCESS;
        LocalFree(readOnly);
    }
    ~ReadOnlyKey() {
        if (m_bLocked) RegSetKeySecurity(m_key.Get(), DACL_SECURITY_INFORMATION, m_original.data());
    }
    bool locked() const { return m_bLocked; }

private:
    KeyRights m_original;
    RegKey m_key;
    bool m_bLocked = false;
};

}  // namespace

TEST(AdminRights, TheNtLineNeedsAnAdministratorWhoMayWriteAndThe9xLineIsNeverAsked) {
    for (DWORD version : {0x08930005u /* 2000 */, 0x0A280105u /* XP */}) {
        EXPECT_TRUE(Decide(version, true, true)) << std::hex << version;
        EXPECT_EQ(HKEY_LOCAL_MACHINE, g_answers.hRoot);
        EXPECT_EQ("Software", g_answers.strSubKey);
        EXPECT_EQ("C:\\WINNT", g_answers.strFolder);
        EXPECT_FALSE(Decide(version, false, true)) << std::hex << version << ": HKLM\\Software refused";
        EXPECT_FALSE(Decide(version, true, false)) << std::hex << version << ": the Windows folder refused";
        // A Power User may write both, yet not HKLM\SYSTEM nor system32:
        // the token's group decides.
        EXPECT_FALSE(Decide(version, true, true, false)) << std::hex << version << ": not an administrator";
    }
    // No rights to ask about there, and the folder probe's flag would make
    // the system reject the call.
    for (DWORD version : {0xC3B60004u /* 95 */, 0xC0000A04u /* 98 */, 0xC0005A04u /* Me */}) {
        EXPECT_TRUE(Decide(version, false, false, false)) << std::hex << version;
        EXPECT_EQ(0, g_answers.nAsked) << std::hex << version;
    }
}

TEST(AdminRights, ThisProcessIsRefusedWhenHklmSoftwareOnlyGrantsReading) {
    ASSERT_EQ(0u, GetVersion() & 0x80000000) << "the unit tests run as an NT-line program";
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.ok());
    RegKey software;
    ASSERT_TRUE(software.Create(HKEY_LOCAL_MACHINE, "Software"));
    software.Close();

    // The real probes: Wine's user is in Administrators (the group's SID as
    // the check builds it), and an administrator passes.
    EXPECT_TRUE(g_SystemRightsProbe.pfnIsAdministrator());
    EXPECT_TRUE(ProcessHasAdminRights());
    {
        ReadOnlyKey lock("Software");
        ASSERT_TRUE(lock.locked());
        EXPECT_FALSE(g_SystemRightsProbe.pfnMayWriteKey(HKEY_LOCAL_MACHINE, "Software"));
        EXPECT_FALSE(ProcessHasAdminRights());
        // A key that is missing is no refusal: that step meets it later.
        EXPECT_TRUE(g_SystemRightsProbe.pfnMayWriteKey(HKEY_LOCAL_MACHINE, "Software\\Missing"));
    }
    EXPECT_TRUE(ProcessHasAdminRights()) << "the key's own rights are back";
}
