// The state file: written on disable, replayed section by section and deleted on enable; a
// malformed or refused section, or an entry beyond the ten rows, is skipped and logged while
// every other entry is replayed.
#include "hotspot/hotspot_fixture.h"

#include <cstring>

#include "core/WvwlLib.h"
#include "hotspot/HS20StateFile.h"
#include "../ui/UiTestSupport.h"

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
    FormHotSpot->Show();
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
    ClickControl(Page()->BtnUp);
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

TEST_F(HotSpotFixture, ReplayKeepsEveryGoodEntryAndSkipsWhatItCannotReplay)
{
    const std::string good = Credential(0, 0, 100, 0, "Good");
    std::string eleven;
    for (int n = 0; n < 10; ++n)
        eleven += Credential(n, 0, 100 - n, 0, "C" + std::to_string(n));
    eleven += Profile(0, 1, 50, 0, "P");
    Rows_t tenRows;
    for (int n = 0; n < 10; ++n)
        tenRows.push_back("|C" + std::to_string(n));
    const std::string tail = Profile(2, 0, 70, 1, "Tail");
    struct Case {
        const char* name;
        std::string text;
        int refuseCredentialCall;  // 0: none
        Rows_t rows;
        std::string logged;
    } cases[] = {
        {"Good", good + Credential(1, 2, 80, 0, "Sim") + tail, 0, {"|Good", "|Sim", "P|Tail"}, ""},
        {"Eleven", eleven, 0, tenRows, " --> HotSpotMain: [Profile 0] (P) not replayed, the table is full\n"},
        {"NotANumber", good + "[Credential 1]\r\nCredenType=0\r\nPrefer=0\r\nWeight=abc\r\nName=B\r\n" + tail, 0,
         {"|Good", "P|Tail"}, "skipped: [Credential 1] Weight=\"abc\" is not a number from 0 to 255"},
        {"OutOfRange", good + "[Credential 1]\r\nCredenType=0\r\nWeight=300\r\nName=B\r\n" + tail, 0,
         {"|Good", "P|Tail"}, "[Credential 1] Weight=\"300\""},
        {"NoSuchType", good + "[Credential 1]\r\nCredenType=7\r\nName=B\r\n" + tail, 0, {"|Good", "P|Tail"},
         "[Credential 1] CredenType=7 is no credential type"},
        {"NoSuchProfileType", good + "[Profile 4]\r\nIsPSK=2\r\nName=P\r\n" + tail, 0, {"|Good", "P|Tail"},
         "[Profile 4] IsPSK=2 is neither 0 nor 1"},
        {"Refused", good + Credential(1, 0, 90, 0, "B") + Credential(2, 0, 80, 0, "C"), 2, {"|Good", "|C"},
         " --> HotSpotMain: [Credential 1] (B) refused by the library, skipped\n"},
        // Cut after a key: what is there is replayed, the missing keys take their defaults.
        {"CutOff", good + "[Credential 1]\r\nCredenType=1\r\nUserName=bob\r\nPass", 0, {"|Good", "|"}, ""},
        {"Junk", std::string("\x01\x02\xff\xfe binary \x00 junk", 18), 0, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Disable();
        m_log.clear();
        WriteStateFile(c.text);
        if (c.refuseCredentialCall)
            Inject("HS20_Add_Credential", Calls("HS20_Add_Credential") + c.refuseCredentialCall, 0);
        const int adds = Calls("HS20_Add_Credential") + Calls("HS20_Add_Profile");

        Enable();

        EXPECT_EQ(Page()->m_bHS20Active, 1);
        EXPECT_EQ(Rows(), c.rows);
        // The library holds exactly the rows' entries.
        const int refused = c.refuseCredentialCall ? 1 : 0;
        EXPECT_EQ(Calls("HS20_Add_Credential") + Calls("HS20_Add_Profile") - adds, int(c.rows.size()) + refused);
        EXPECT_EQ(Page()->m_nCredentialCount + Page()->m_nProfileCount, int(c.rows.size()));
        EXPECT_FALSE(StateFileExists());
        if (!c.logged.empty()) {
            EXPECT_TRUE(Logged(c.logged)) << c.logged;
        }
    }
}

TEST_F(HotSpotFixture, ACutOffEntryIsReplayedWithTheDefaultsOfItsMissingKeys)
{
    WriteStateFile("[Credential 0]\r\nCredenType=1\r\nUserName=bob\r\nRealm=cut.example\r\nPass");

    Enable();

    ASSERT_EQ(Rows(), Rows_t{"|"});
    HS20_CREDENTIAL back{};
    ASSERT_EQ(VOZEZIV.HS20_Get_Credential(&back, 0), 1);
    EXPECT_EQ(back.CredenType, 1);
    EXPECT_EQ(std::string(back.UserName), "bob");
    EXPECT_EQ(back.UserNameLen, 3);
    EXPECT_EQ(back.PasswordLen, 0);
    EXPECT_EQ(std::string(back.Realm), "cut.example");
    EXPECT_EQ(Page()->m_nInsertWeight[0], 99);
    EXPECT_EQ(Page()->m_nPreferRow, TFrameHotSpotMain::kNoPreferRow);
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
    std::vector<std::string> skipped;
    ReadHS20StateFile(path, entries, skipped);
    EXPECT_TRUE(skipped.empty());
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
    EXPECT_EQ(entries[1].section, "Profile 9");
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
        if (c.written) {
            EXPECT_NE(Journal().find("HS20_Write_IniFile 66 " + path + " -> 1"), std::string::npos);
        } else {
            EXPECT_TRUE(Logged("does not fit, state not saved"));
        }
        DeleteFileA(path.c_str());
    }
}
