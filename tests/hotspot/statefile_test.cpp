// The state file: written on disable, replayed and deleted on enable, and a malformed, cut or
// over-full file refused whole and kept, never half replayed or lost.
#include "hotspot/hotspot_fixture.h"

#include <cstring>

#include "core/WvwlLib.h"
#include "hotspot/HS20StateFile.h"

using Rows_t = std::vector<std::string>;

namespace {

std::string Credential(int n, int type, int weight, int prefer, const std::string& name)
{
    return "[Credential " + std::to_string(n) + "]\r\nCredenType=" + std::to_string(type) +
           "\r\nUserName=user" + std::to_string(n) + "\r\nPassword=pw\r\nRootCa=\r\nRealm=example.org\r\nIMSI=\r\n"
           "MNC=\r\nMCC=\r\nPrefer=" + std::to_string(prefer) + "\r\nWeight=" + std::to_string(weight) +
           "\r\nName=" + name + "\r\n";
}

std::string Profile(int n, int psk, int weight, int prefer, const std::string& name)
{
    return "[Profile " + std::to_string(n) + "]\r\nIsPresent=1\r\nIsPSK=" + std::to_string(psk) +
           "\r\nUserName=\r\nPassword=\r\nRootCa=\r\nSsid=Net" + std::to_string(n) +
           "\r\nPassPhrase=secret\r\nEncpType=AES\r\nKeyMgmtType=WPA2\r\nPrefer=" + std::to_string(prefer) +
           "\r\nWeight=" + std::to_string(weight) + "\r\nName=" + name + "\r\n";
}

} // namespace

TEST_F(HotSpotFixture, EntriesSurviveOffAndOnInTheirOrderWithTheirMark)
{
    Enable();
    {
        HS20_CREDENTIAL c{};
        std::strcpy(c.Name, "Work");
        std::strcpy(c.UserName, "alice");
        c.UserNameLen = 5;
        std::strcpy(c.Password, "s3cret");
        c.PasswordLen = 6;
        c.Weight = 100;
        ASSERT_EQ(VOZEZIV.HS20_Add_Credential(c), 1);
        ASSERT_TRUE(Page()->AddSettingRow("Work", TFrameHotSpotMain::kCredential, 100, false));
    }
    AddProfile("Cafe", 90, true);
    AddCredential("Sim", 80);
    Page()->lvConnSettingTable->SetItemIndex(2);
    Page()->BtnUpClick(nullptr);
    ASSERT_EQ(Rows(), (Rows_t{"|Work", "|Sim", "P|Cafe"}));

    Disable();
    ASSERT_TRUE(StateFileExists());
    EXPECT_EQ(Entries(), "");  // the library kept nothing in memory

    JournalClear();
    Enable();

    EXPECT_EQ(Rows(), (Rows_t{"|Work", "|Sim", "P|Cafe"}));
    EXPECT_EQ(Page()->m_nPreferRow, 2);
    EXPECT_FALSE(StateFileExists());
    EXPECT_EQ(Journal().substr(Journal().find("HS20_Add_Credential")),
              "HS20_Add_Credential Work -> 1\nHS20_Add_Credential Sim -> 1\nHS20_Add_Profile Cafe -> 1\n"
              "HS20_Set_Prefer 1 0 1 -> 1\n"
              "HS20_Set_Weight 1/0/0/100 1/0/1/90 1/1/0/80 0/255/255/70 0/255/255/60 0/255/255/50 0/255/255/40 "
              "0/255/255/30 0/255/255/20 0/255/255/10 -> 1\n");
    HS20_CREDENTIAL back{};
    ASSERT_EQ(VOZEZIV.HS20_Get_Credential(&back, 0), 1);
    EXPECT_EQ(std::string(back.UserName), "alice");
    EXPECT_EQ(back.UserNameLen, 5);
    EXPECT_EQ(std::string(back.Password), "s3cret");
    EXPECT_EQ(back.PasswordLen, 6);
}

TEST_F(HotSpotFixture, ReplayOrdersRowsByTheirSavedWeight)
{
    WriteStateFile(Credential(0, 0, 100, 0, "A") + Credential(1, 1, 80, 1, "B") + Credential(2, 2, 90, 0, "C") +
                   Profile(0, 1, 70, 0, "D"));

    Enable();

    EXPECT_EQ(Rows(), (Rows_t{"|A", "|C", "P|B", "|D"}));
    EXPECT_EQ(WeightTable()[1], "1/0/2/90");
    EXPECT_EQ(WeightTable()[2], "1/0/1/80");
    EXPECT_EQ(Page()->m_nPreferRow, 2);
    EXPECT_FALSE(StateFileExists());
    EXPECT_EQ(Page()->m_nCredentialCount, 3);
    EXPECT_EQ(Page()->m_nProfileCount, 1);
}

TEST_F(HotSpotFixture, AMalformedStateFileIsRefusedWholeAndKeptAside)
{
    const std::string good = Credential(0, 0, 100, 0, "Good");
    std::string eleven;
    for (int n = 0; n < 10; ++n)
        eleven += Credential(n, 0, 100 - n, 0, "C" + std::to_string(n));
    eleven += Profile(0, 1, 50, 0, "P");
    struct Case {
        std::string text;
        std::string reason;
    } cases[] = {
        {eleven, "11 entries, more than the 10 rows"},
        {good + "[Credential 1]\r\nCredenType=0\r\nPrefer=0\r\nWeight=abc\r\nName=B\r\n", "Weight=\"abc\""},
        {good + "[Credential 1]\r\nCredenType=0\r\nPrefer=0\r\nWeight=300\r\nName=B\r\n", "Weight=\"300\""},
        {good + "[Credential 1]\r\nCredenType=0\r\nPrefer=-1\r\nWeight=90\r\nName=B\r\n", "Prefer=\"-1\""},
        {good + "[Credential 1]\r\nCredenType=7\r\nPrefer=0\r\nWeight=90\r\nName=B\r\n", "CredenType=7"},
        {good + "[Credential 1]\r\nCredenType=x\r\n", "CredenType=\"x\""},
        {good + "[Profile 4]\r\nIsPresent=1\r\nIsPSK=2\r\nPrefer=0\r\nWeight=90\r\nName=P\r\n", "IsPSK=2"},
        {good + "[Credential 1]\r\nCredenType=1\r\nUserName=bob\r\nPass", "has no Prefer"},
        {good + "[Profile 0]\r\nIsPresent=1\r\nIsPSK=0\r\nPrefer=0\r\nWeight=90\r\n", "has no Name"},
        {std::string("\x01\x02\xff\xfe binary \x00 junk", 18), "holds no Credential or Profile section"},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        Disable();
        m_log.clear();
        DeleteFileA((m_stateFile + ".bak").c_str());
        WriteStateFile(c.text);
        const int adds = Calls("HS20_Add_Credential") + Calls("HS20_Add_Profile");

        Enable();

        EXPECT_EQ(Page()->m_bHS20Active, 1);
        EXPECT_TRUE(Rows().empty());
        EXPECT_EQ(Calls("HS20_Add_Credential") + Calls("HS20_Add_Profile"), adds);  // nothing half replayed
        EXPECT_FALSE(StateFileExists());
        EXPECT_EQ(ReadStateFile(m_stateFile + ".bak"), c.text);  // nothing lost
        EXPECT_TRUE(Logged(" refused: ")) << (m_log.empty() ? "" : m_log.back());
        EXPECT_TRUE(Logged(c.reason));
        EXPECT_TRUE(Logged(" --> HotSpotMain: state file kept as " + m_stateFile + ".bak\n"));
    }
}

TEST_F(HotSpotFixture, AnEntryTheLibraryRefusesIsSkippedAndTheFileKept)
{
    const std::string text =
        Credential(0, 0, 100, 0, "A") + Credential(1, 0, 90, 0, "B") + Credential(2, 0, 80, 0, "C");
    WriteStateFile(text);
    Inject("HS20_Add_Credential", 2, 0);

    Enable();

    EXPECT_EQ(Rows(), (Rows_t{"|A", "|C"}));
    EXPECT_EQ(WeightTable()[1], "1/0/1/90");  // C is the library's entry 1
    EXPECT_EQ(Page()->m_nCredentialCount, 2);
    EXPECT_TRUE(Logged(" --> HotSpotMain: Credential 1 (B) refused by the library, skipped\n"));
    EXPECT_EQ(ReadStateFile(m_stateFile + ".bak"), text);
}

TEST(HS20StateFileRead, TextsAreCutToTheirFieldsWithTheirLengths)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "hs20cut" + std::to_string(GetCurrentProcessId()) + ".ini";
    const std::string user40(40, 'u'), ssid32(32, 's'), name70(70, 'n');
    WritePrivateProfileStringA("Credential 0", "CredenType", "2", path.c_str());
    WritePrivateProfileStringA("Credential 0", "UserName", user40.c_str(), path.c_str());
    WritePrivateProfileStringA("Credential 0", "MNC", "12345", path.c_str());
    WritePrivateProfileStringA("Credential 0", "Prefer", "1", path.c_str());
    WritePrivateProfileStringA("Credential 0", "Weight", "70", path.c_str());
    WritePrivateProfileStringA("Credential 0", "Name", name70.c_str(), path.c_str());
    WritePrivateProfileStringA("Profile 9", "IsPSK", "1", path.c_str());
    WritePrivateProfileStringA("Profile 9", "Ssid", ssid32.c_str(), path.c_str());
    WritePrivateProfileStringA("Profile 9", "Prefer", "0", path.c_str());
    WritePrivateProfileStringA("Profile 9", "Weight", "99", path.c_str());
    WritePrivateProfileStringA("Profile 9", "Name", "P", path.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());

    std::vector<HS20_STATE_ENTRY> entries;
    std::string error;
    ASSERT_TRUE(ReadHS20StateFile(path, entries, error)) << error;
    DeleteFileA(path.c_str());
    ASSERT_EQ(entries.size(), 2u);

    const HS20_CREDENTIAL& c = entries[0].credential;
    EXPECT_EQ(c.CredenType, 2);
    EXPECT_EQ(c.UserNameLen, 32);
    EXPECT_EQ(std::string(c.UserName, 32), user40.substr(0, 32));
    EXPECT_EQ(c.IMSI[0], 0);  // the field after is untouched
    EXPECT_EQ(std::string(c.MNC, 4), "1234");
    EXPECT_EQ(entries[0].name, name70.substr(0, 64));
    EXPECT_EQ(c.Prefer, 1);
    EXPECT_EQ(c.Weight, 70);

    const HS20_PROFILE& p = entries[1].profile;
    EXPECT_EQ(entries[1].kind, 1);
    EXPECT_EQ(entries[1].section, 9);
    EXPECT_EQ(p.SsidLen, 32);
    EXPECT_EQ(std::string(p.Ssid, 32), ssid32);
    EXPECT_EQ(p.IsPresent, 99);  // missing: the default
    EXPECT_EQ(p.UserNameLen, 0);
}

TEST_F(HotSpotFixture, AStateFilePathLongerThanTheRecordHoldsIsNotCut)
{
    Enable();
    struct Case {
        size_t length;
        bool written;
    } cases[] = {{66, true}, {67, false}, {127, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::string path = m_folder + "\\";
        path += std::string(c.length - path.size() - 4, 'p') + ".ini";
        ASSERT_EQ(path.size(), c.length);
        const int calls = Calls("HS20_Write_IniFile");

        EXPECT_EQ(Page()->WriteHS20IniFile(path.c_str()), c.written);

        EXPECT_EQ(Calls("HS20_Write_IniFile") - calls, c.written ? 1 : 0);
        if (c.written)
            EXPECT_NE(Journal().find("HS20_Write_IniFile 66 " + path + " -> 1"), std::string::npos);
        else
            EXPECT_TRUE(Logged("does not fit, state not saved"));
        DeleteFileA(path.c_str());
    }
}
