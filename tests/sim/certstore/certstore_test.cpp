// The simulated WAPI certificate library as the program loads it: install result codes, the
// store record it fills, identities by number, move and delete, the store file, hostile stores.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "support/WapiCertFiles.h"
#include "wlapi/constants.h"
#include "wlapi/entries.h"

namespace {

std::string Text(const char (&field)[256])
{
    return std::string(field, strnlen(field, sizeof field));
}

class CertStoreLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetEnvironmentVariableA("WEVO_CERT_STATE", "none");
        Load();
    }
    void TearDown() override
    {
        if (m_module)
            FreeLibrary(m_module);
        SetEnvironmentVariableA("WEVO_CERT_STATE", nullptr);
    }
    void Load()
    {
        m_module = LoadLibraryA("ZeZuveZud.dll");
        ASSERT_NE(m_module, nullptr);
        Get(getCert, "ZeZuveZud_GetCert");
        Get(writeUserAS, "ZeZuveZud_WriteUserASCert");
        Get(writeExtraAS, "ZeZuveZud_WriteExtraASCertByIndex");
        Get(deleteUser, "ZeZuveZud_DeleteUserASCertByIndex");
        Get(deleteExtra, "ZeZuveZud_DeleteExtraASCertByIndex");
        Get(moveCert, "ZeZuveZud_MoveCert");
        Get(getIdentity, "ZeZuveZud_GetIdentity");
        Get(getCertIndex, "ZeZuveZud_GetCertIndex");
        Get(clearCert, "ZeZuveZud_ClearCert");
        Get(isLegal, "ZeZuveZud_IsLegal");
    }
    template <class F>
    void Get(F& entry, const char* name)
    {
        entry = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
        ASSERT_NE(entry, nullptr) << name;
    }
    // A path in its zero-filled 256-byte buffer, as the program hands it.
    static std::string Buffer(const std::string& path)
    {
        std::string buffer(256, '\0');
        path.copy(buffer.data(), 255);
        return buffer;
    }
    int InstallPair(const std::string& user, const std::string& as)
    {
        return writeUserAS(m_store.get(), Buffer(user).c_str(), Buffer(as).c_str());
    }
    int InstallExtra(const std::string& as, int userIndex)
    {
        return writeExtraAS(m_store.get(), Buffer(as).c_str(), userIndex);
    }
    // A user certificate named subject issued by "Wevo AS" (serial given), with that AS.
    int InstallUser(const std::string& subject, const std::string& serial)
    {
        return InstallPair(m_files.Write(subject + ".cer", subject, "Wevo AS", serial), m_as);
    }
    std::string Subjects()
    {
        getCert(m_store.get());
        std::string names;
        for (uint32_t i = 0; i < m_store->nCount && i < 16; ++i)
            names += (names.empty() ? "" : ",") + Text(m_store->Cert[i].UserCert.Subject);
        return names;
    }

    HMODULE m_module = nullptr;
    std::unique_ptr<WAPI_CERT_STORE> m_store = std::make_unique<WAPI_CERT_STORE>();
    WapiCertFiles m_files;
    std::string m_as = m_files.WriteAS("as.cer", "Wevo AS", "A0");
    PFN_ZeZuveZud_GetCert getCert = nullptr;
    PFN_ZeZuveZud_WriteUserASCert writeUserAS = nullptr;
    PFN_ZeZuveZud_WriteExtraASCertByIndex writeExtraAS = nullptr;
    PFN_ZeZuveZud_DeleteUserASCertByIndex deleteUser = nullptr;
    PFN_ZeZuveZud_DeleteExtraASCertByIndex deleteExtra = nullptr;
    PFN_ZeZuveZud_MoveCert moveCert = nullptr;
    PFN_ZeZuveZud_GetIdentity getIdentity = nullptr;
    PFN_ZeZuveZud_GetCertIndex getCertIndex = nullptr;
    PFN_ZeZuveZud_ClearCert clearCert = nullptr;
    PFN_ZeZuveZud_IsLegal isLegal = nullptr;
};

TEST_F(CertStoreLibrary, UserAndASInstallAnswersEachCode)
{
    const std::string user = m_files.Write("alice.cer", "alice", "Wevo AS", "0102");
    struct Case {
        const char* what;
        std::string user, as;
        int code;
    } cases[] = {
        {"no user file", m_files.Folder() + "missing.cer", m_as, WAPI_INSTALL_STA_ERR},
        {"user without serial", m_files.Write("bad.cer", "bob", "Wevo AS", "XYZ"), m_as, WAPI_INSTALL_STA_ERR},
        {"no AS file", user, m_files.Folder() + "missing.cer", WAPI_INSTALL_AS_ERR},
        {"AS not self-signed", user, m_files.Write("as2.cer", "Wevo AS", "Root", "B0"), WAPI_INSTALL_AS_ISSUER_SUBJECT},
        {"other issuer", user, m_files.WriteAS("other.cer", "Other AS", "C0"), WAPI_INSTALL_STA_AS_NOT_MATCH},
        {"other type", user, m_files.WriteAS("gbw.cer", "Wevo AS", "D0", {"Type=GBW"}), WAPI_INSTALL_STA_AS_NOT_MATCH},
        {"good", user, m_as, WAPI_INSTALL_DONE},
        {"again", user, m_as, WAPI_INSTALL_EXIST},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InstallPair(c.user, c.as), c.code) << c.what;
    EXPECT_EQ(Subjects(), "alice");

    for (int i = 1; i < 16; ++i)
        ASSERT_EQ(InstallUser("u" + std::to_string(i), "1" + std::to_string(i % 10) + std::to_string(i / 10) + "0"),
                  WAPI_INSTALL_DONE);
    EXPECT_EQ(InstallUser("full", "FF"), WAPI_INSTALL_MAX_SIZE);
    getCert(m_store.get());
    EXPECT_EQ(m_store->nCount, 16u);
}

TEST_F(CertStoreLibrary, ExtraASInstallAnswersEachCode)
{
    ASSERT_EQ(InstallUser("alice", "01"), WAPI_INSTALL_DONE);
    struct Case {
        const char* what;
        std::string as;
        int user, code;
    } cases[] = {
        {"no such user", m_files.WriteAS("e1.cer", "Wevo AS", "E1"), 1, WAPI_INSTALL_FAILED},
        {"no file", m_files.Folder() + "none.cer", 0, WAPI_INSTALL_AS_ERR},
        {"other subject", m_files.WriteAS("e2.cer", "Other AS", "E2"), 0, WAPI_INSTALL_EXTRA_ISSUER_SUBJECT},
        {"other type", m_files.WriteAS("e3.cer", "Wevo AS", "E3", {"Type=GBW"}), 0, WAPI_INSTALL_STA_AS_NOT_MATCH},
        {"the issuing AS", m_as, 0, WAPI_INSTALL_EXIST},
        {"renewed AS", m_files.WriteAS("e4.cer", "Wevo AS", "E4"), 0, WAPI_INSTALL_EXTRA_DONE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InstallExtra(c.as, c.user), c.code) << c.what;
    for (int i = 1; i < 16; ++i)
        ASSERT_EQ(InstallExtra(m_files.WriteAS("x" + std::to_string(i) + ".cer", "Wevo AS", "F" + std::string(1, "0123456789ABCDEF"[i])), 0),
                  WAPI_INSTALL_EXTRA_DONE);
    EXPECT_EQ(InstallExtra(m_files.WriteAS("y.cer", "Wevo AS", "77"), 0), WAPI_INSTALL_MAX_SIZE);
    getCert(m_store.get());
    EXPECT_EQ(m_store->Cert[0].nExtraASCount, 16u);
    EXPECT_EQ(Text(m_store->Cert[0].ExtraAS[0].Subject), "Wevo AS");
    EXPECT_EQ(m_store->Cert[0].ExtraAS[0].nSerialLen, 1u);
    EXPECT_EQ(m_store->Cert[0].ExtraAS[0].Serial[0], 0xE4);
}

TEST_F(CertStoreLibrary, StoreRecordAndIdentitiesByNumber)
{
    ASSERT_EQ(InstallPair(m_files.Write("a.cer", "alice", "Wevo AS", "0A0B0C", {"Version=2", "ValidTo=2030-06-01"}), m_as),
              WAPI_INSTALL_DONE);
    ASSERT_EQ(InstallUser("bob", "0B"), WAPI_INSTALL_DONE);
    std::memset(m_store.get(), 0xCC, sizeof *m_store);
    ASSERT_EQ(getCert(m_store.get()), 1);
    ASSERT_EQ(m_store->nCount, 2u);
    const WAPI_CERT_INFO& alice = m_store->Cert[0];
    EXPECT_EQ(alice.UserCert.nVersion, 2u);
    EXPECT_EQ(alice.UserCert.nType, WAPI_CERT_TYPE_X509);
    EXPECT_EQ(alice.UserCert.nSerialLen, 3u);
    EXPECT_EQ(alice.UserCert.Serial[0], 0x0A);
    EXPECT_EQ(alice.UserCert.Serial[2], 0x0C);
    EXPECT_EQ(Text(alice.UserCert.Issuer), "Wevo AS");
    EXPECT_EQ(Text(alice.UserCert.ValidTo), "2030-06-01");
    EXPECT_EQ(alice.nExtraASCount, 0u);
    EXPECT_EQ(m_store->Cert[2].UserCert.nVersion, 0u) << "records past the count are zero";

    WAPI_ID_BUFFER id{};
    ASSERT_EQ(getIdentity(1, alice.UserCert.nUserIdValue1, alice.UserCert.nUserIdValue2, &id), 1);
    const std::string expected = std::string("alice") + '\0' + "Wevo AS" + '\0' + "\x0A\x0B\x0C";
    EXPECT_EQ(std::string(reinterpret_cast<char*>(id.Data), id.Length), expected);
    EXPECT_EQ(getCertIndex(m_store.get(), &id), 0);
    ASSERT_EQ(getIdentity(0, alice.nASIdValue, 0, &id), 1);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(id.Data), id.Length), std::string("Wevo AS") + '\0' + "Wevo AS" + '\0' + "\xA0");

    // Values that name no certificate, or a stale pair, give nothing.
    EXPECT_EQ(getIdentity(1, alice.UserCert.nUserIdValue1, alice.UserCert.nUserIdValue2 + 1, &id), 0);
    EXPECT_EQ(id.Length, 0);
    EXPECT_EQ(getIdentity(1, 0, 0, &id), 0);
    EXPECT_EQ(getIdentity(0, alice.UserCert.nUserIdValue1, 0, &id), 0);
    EXPECT_EQ(getIdentity(1, 1, 1, nullptr), 0);

    EXPECT_EQ(clearCert(m_store.get()), 1);
    EXPECT_EQ(m_store->nCount, 0u);
    EXPECT_EQ(CertSimCalls("ZeZuveZud_ClearCert"), 1);
}

TEST_F(CertStoreLibrary, MoveAndDeleteKeepTheRightCertificates)
{
    for (const char* name : {"a", "b", "c"})
        ASSERT_EQ(InstallUser(name, std::string("0") + name), WAPI_INSTALL_DONE);
    EXPECT_EQ(moveCert(m_store.get(), 2, 1), 1);
    EXPECT_EQ(Subjects(), "a,c,b");
    EXPECT_EQ(moveCert(m_store.get(), 0, 0), 1);
    EXPECT_EQ(Subjects(), "c,a,b");
    EXPECT_EQ(moveCert(m_store.get(), 0, 1), 0) << "the first cannot go up";
    EXPECT_EQ(moveCert(m_store.get(), 2, 0), 0) << "the last cannot go down";
    EXPECT_EQ(moveCert(m_store.get(), 7, 1), 0);
    EXPECT_EQ(Subjects(), "c,a,b");

    ASSERT_EQ(InstallExtra(m_files.WriteAS("x1.cer", "Wevo AS", "E1"), 1), WAPI_INSTALL_EXTRA_DONE);
    ASSERT_EQ(InstallExtra(m_files.WriteAS("x2.cer", "Wevo AS", "E2"), 1), WAPI_INSTALL_EXTRA_DONE);
    EXPECT_EQ(deleteExtra(m_store.get(), 1, 0), 1);
    EXPECT_EQ(deleteExtra(m_store.get(), 1, 1), 0);
    getCert(m_store.get());
    ASSERT_EQ(m_store->Cert[1].nExtraASCount, 1u);
    EXPECT_EQ(m_store->Cert[1].ExtraAS[0].Serial[0], 0xE2);

    EXPECT_EQ(deleteUser(m_store.get(), 0), 1);
    EXPECT_EQ(deleteUser(m_store.get(), 5), 0);
    EXPECT_EQ(deleteUser(m_store.get(), -1), 0);
    EXPECT_EQ(Subjects(), "a,b");
    EXPECT_EQ(m_store->Cert[0].nExtraASCount, 1u) << "a's AS certificate moved with it";
}

TEST_F(CertStoreLibrary, StoreOutlivesTheLibraryInItsFile)
{
    FreeLibrary(m_module);
    const std::string file = m_files.Folder() + "store.ini";
    SetEnvironmentVariableA("WEVO_CERT_STATE", file.c_str());
    Load();
    ASSERT_EQ(InstallUser("alice", "01"), WAPI_INSTALL_DONE);
    ASSERT_EQ(InstallUser("bob", "02"), WAPI_INSTALL_DONE);
    ASSERT_EQ(InstallExtra(m_files.WriteAS("x.cer", "Wevo AS", "E1"), 1), WAPI_INSTALL_EXTRA_DONE);
    ASSERT_EQ(moveCert(m_store.get(), 1, 1), 1);
    getCert(m_store.get());
    const uint32_t value1 = m_store->Cert[0].UserCert.nUserIdValue1;
    const uint32_t value2 = m_store->Cert[0].UserCert.nUserIdValue2;
    FreeLibrary(m_module);

    Load();
    EXPECT_EQ(Subjects(), "bob,alice");
    EXPECT_EQ(m_store->Cert[0].nExtraASCount, 1u);
    WAPI_ID_BUFFER id{};
    EXPECT_EQ(getIdentity(1, value1, value2, &id), 1) << "the numbers stay valid across a restart";
    ASSERT_EQ(InstallUser("carol", "03"), WAPI_INSTALL_DONE);
    getCert(m_store.get());
    EXPECT_NE(m_store->Cert[2].UserCert.nUserIdValue1, value1);
}

TEST_F(CertStoreLibrary, HostileCertificatesAndStores)
{
    const std::string longText(400, 'L');
    ASSERT_EQ(InstallPair(m_files.Write("long.cer", longText, "Wevo AS", "01", {"IdentityLength=300", "Unterminated=1"}), m_as),
              WAPI_INSTALL_DONE);
    auto claims = CertSimEntry<void (*)(int, int)>("SimCertSetClaims");
    ASSERT_NE(claims, nullptr);
    claims(20, 40);
    getCert(m_store.get());
    EXPECT_EQ(m_store->nCount, 21u);
    EXPECT_EQ(m_store->Cert[0].nExtraASCount, 40u);
    EXPECT_NE(m_store->Cert[0].UserCert.Subject[255], 0) << "a text that fills its field";
    WAPI_ID_BUFFER id{};
    ASSERT_EQ(getIdentity(1, m_store->Cert[0].UserCert.nUserIdValue1, m_store->Cert[0].UserCert.nUserIdValue2, &id), 1);
    EXPECT_EQ(id.Length, 300) << "a length above what the buffer holds";

    // A path that fills its buffer with no terminating zero is read no further.
    std::string full(256, 'p');
    EXPECT_EQ(writeUserAS(m_store.get(), full.c_str(), full.c_str()), WAPI_INSTALL_STA_ERR);
    EXPECT_EQ(isLegal(m_as.c_str()), 1);
    EXPECT_EQ(isLegal((m_files.Folder() + "none.cer").c_str()), 0);
}

TEST_F(CertStoreLibrary, InjectedResultsAndJournal)
{
    CertSimInject("ZeZuveZud_WriteUserASCert", 1, WAPI_INSTALL_MAX_SIZE);
    EXPECT_EQ(InstallUser("alice", "01"), WAPI_INSTALL_MAX_SIZE);
    EXPECT_EQ(Subjects(), "") << "an injected result does nothing";
    EXPECT_EQ(InstallUser("alice", "01"), WAPI_INSTALL_DONE);
    const std::string journal = CertSimJournal();
    EXPECT_NE(journal.find("ZeZuveZud_WriteUserASCert(store, " + m_files.Folder() + "alice.cer, " + m_as + ") -> 7 injected"),
              std::string::npos)
        << journal;
    EXPECT_NE(journal.find(") -> 3\n"), std::string::npos) << journal;
    EXPECT_EQ(CertSimCalls("ZeZuveZud_WriteUserASCert"), 2);
}

} // namespace
