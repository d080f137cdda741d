// The site survey's decision tables on the simulated adapter: the texts of the detail pane for
// each kind of security the elements offer, and when Connect and Add to profile may be used.
#include "sitesurvey_fixture.h"

#include <cstdio>

#include "core/Helpers.h"
#include "wlapi/constants.h"

namespace {

class SiteSurveyRules : public SiteSurveyFixture {
protected:
    void Select(const std::string& ssid)
    {
        const int row = RowOf(ssid);
        ASSERT_GE(row, 0) << ssid;
        FormSiteSurvey->lvApList->Item(row)->SetSelected(true);
    }

    void Inject(const char* entry, int result) { SimCommand(std::string("inject ") + entry + " * " + std::to_string(result)); }
};

std::string Network(const char* ssid, int id, const char* keys)
{
    char text[256];
    std::snprintf(text, sizeof text, "[Network.%s]\r\nSSID=%s\r\nBSSID=02:00:00:00:01:%02X\r\nChannel=6\r\n%s", ssid, ssid,
                  id, keys);
    return text;
}

TEST_F(SiteSurveyRules, DetailTextsNameEveryKindOfSecurity)
{
    struct Case {
        const char* ssid;
        const char* keys;
        const char* auth;
        const char* cipher;
    } cases[] = {
        {"D-open", "Security=open\r\n", "Open", "NONE"},
        {"D-wep", "Security=wep\r\nKey=12345\r\n", "Open", "WEP"},
        {"D-wpa", "Security=wpa\r\nCipher=tkip\r\n", "WPA", "TKIP"},
        {"D-wpapsk", "Security=wpa-psk\r\nCipher=tkip\r\n", "WPA-PSK", "TKIP"},
        {"D-wpanone", "Security=wpa-none\r\nCipher=tkip\r\nInfrastructure=adhoc\r\n", "WPA-NONE", "TKIP"},
        {"D-wpa2", "Security=wpa2\r\nCipher=aes\r\n", "WPA2", "AES"},
        {"D-both", "Security=wpa-wpa2\r\nCipher=aes\r\n", "WPA+WPA2", "AES"},
        {"D-wpa2psk", "Security=wpa2-psk\r\nCipher=aes\r\n", "WPA2-PSK", "AES"},
        {"D-bothpsk", "Security=wpa-wpa2-psk\r\nCipher=tkip+aes\r\n", "WPA-PSK+WPA2-PSK", "TKIP+AES"},
        {"D-wpa2none", "Security=wpa2-none\r\nCipher=aes\r\nInfrastructure=adhoc\r\n", "WPA2-NONE", "AES"},
        {"D-wapipsk", "Security=wapi-psk\r\nCipher=sms4\r\n", "WAPI-PSK", "SMS"},
        {"D-wapicert", "Security=wapi-cert\r\nCipher=sms4\r\n", "WAPI-CERT", "SMS"},
        {"D-cckm", "Security=wpa2\r\nCipher=aes\r\nCCKM=1\r\n", "WPA2+CCKM", "AES"},
        // WPA with both 802.1X and PSK (bits 3): a value the table does not name.
        {"D-wpa3bits", "Security=wpa\r\nCipher=tkip\r\nExtraIEs=DD1A0050F20101000050F20201000050F20202000050F2010050F202\r\n",
         "", "TKIP"},
    };
    std::string scene;
    int id = 1;
    for (const Case& c : cases)
        scene += Network(c.ssid, id++, c.keys);
    Start(DefaultScene(scene));
    RescanAndShow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ssid);
        Select(c.ssid);
        EXPECT_EQ(FormSiteSurvey->lblAuthentication->Caption(), c.auth);
        EXPECT_EQ(FormSiteSurvey->lblAuthentication->Hint(), c.auth);
        EXPECT_EQ(FormSiteSurvey->lblEncryption->Caption(), c.cipher);
    }
}

// Connect and Add to profile: every condition that holds them back, one at a time, from a state
// in which both may be used.
TEST_F(SiteSurveyRules, ConnectAndAddToProfileFollowEveryCondition)
{
    Start(DefaultScene(Network("R-wpapsk", 1, "Security=wpa-psk\r\nCipher=tkip\r\n") +
                       Network("R-wpanone", 2, "Security=wpa-none\r\nCipher=tkip\r\n") +
                       Network("R-wapi", 3, "Security=wapi-psk\r\nCipher=sms4\r\n") +
                       Network("R-adhoc", 4, "Security=open\r\nInfrastructure=adhoc\r\n")));
    RescanAndShow();
    struct Case {
        const char* name;
        const char* ssid;
        int os;
        int msConfig, zeroConfig, radio, wpaCapable, opMode, admin, standardMay;
        bool rescanning, supportWapi;
        bool connect, add, addShown;
    } cases[] = {
        {"all hold", "CafeCorner", 41, 1, 0, 1, 1, 0, 1, 0, false, false, true, true, true},
        {"standard user may not add", "CafeCorner", 41, 1, 0, 1, 1, 0, 0, 0, false, false, true, false, true},
        {"standard user may add", "CafeCorner", 41, 1, 0, 1, 1, 0, 0, 1, false, false, true, true, true},
        {"configuration service refuses", "CafeCorner", 41, 0, 0, 1, 1, 0, 1, 0, false, false, false, false, true},
        {"older Windows, zero configuration", "CafeCorner", 21, 1, 2, 1, 1, 0, 1, 0, false, false, false, false, true},
        {"older Windows, own configuration", "CafeCorner", 21, 0, 0, 1, 1, 0, 1, 0, false, false, true, true, true},
        {"scanning", "CafeCorner", 41, 1, 0, 1, 1, 0, 1, 0, true, false, false, false, true},
        {"radio off", "CafeCorner", 41, 1, 0, 0, 1, 0, 1, 0, false, false, false, false, true},
        {"WPA without WPA support", "R-wpapsk", 41, 1, 0, 1, 0, 0, 1, 0, false, false, false, false, true},
        {"WPA with WPA support", "R-wpapsk", 41, 1, 0, 1, 1, 0, 1, 0, false, false, true, true, true},
        {"open without WPA support", "CafeCorner", 41, 1, 0, 1, 0, 0, 1, 0, false, false, true, true, true},
        {"WAPI without WAPI support", "R-wapi", 41, 1, 0, 1, 1, 0, 1, 0, false, false, false, false, true},
        {"WAPI with WAPI support", "R-wapi", 41, 1, 0, 1, 1, 0, 1, 0, false, true, true, true, true},
        {"WPA-NONE from code 31", "R-wpanone", 31, 1, 0, 1, 1, 0, 1, 0, false, false, false, false, true},
        {"WPA-NONE below code 31", "R-wpanone", 21, 1, 0, 1, 1, 0, 1, 0, false, false, true, true, true},
        {"ad hoc in access-point mode", "R-adhoc", 41, 1, 0, 1, 1, OP_MODE_AP, 1, 0, false, false, false, false, true},
        {"ad hoc in concurrent mode", "R-adhoc", 41, 1, 0, 1, 1, OP_MODE_STA_WIFI_DIRECT, 1, 0, false, false, true,
         true, true},
        {"ad hoc in access-point mode below code 41", "R-adhoc", 31, 1, 0, 1, 1, OP_MODE_AP, 1, 0, false, false, true,
         true, true},
        {"ad hoc from code 51 hides Add to profile", "R-adhoc", 51, 1, 0, 1, 1, 0, 1, 0, false, false, true, true,
         false},
    };
    const int os = VOZEZIV.nWinOS;
    const int wapi = VOZEZIV.bSupportWAPI;
    const DWORD kind = VOZEZIV.selectedAdapter.nAdapterKind;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Inject("WVWL_CheckMSConfigService", c.msConfig);
        Inject("WVWL_IsZeroConfig", c.zeroConfig);
        Inject("WVWL_IsWpaCapable", c.wpaCapable);
        Inject("WVWL_QueryOPMode", c.opMode);
        Inject("WVWL_DetectUserAdmin", c.admin);
        Inject("WVWL_IsAllowStandardUserSetProfile", c.standardMay);
        Inject("WVWL_ReadRadioStatus", 1);
        VOZEZIV.nWinOS = c.os;
        VOZEZIV.bSupportWAPI = c.supportWapi;
        VOZEZIV.selectedAdapter.nAdapterKind = 4;
        FormSiteSurvey->m_bRescan = 0;
        Select(c.ssid);
        Inject("WVWL_ReadRadioStatus", c.radio);
        FormSiteSurvey->m_bRescan = c.rescanning;
        FormSiteSurvey->ButtonShowHide();
        EXPECT_EQ(FormSiteSurvey->BtnSiteSurveyConnect->Enabled(), c.connect);
        EXPECT_EQ(FormSiteSurvey->BtnSiteSurveyAdd2Prof->Enabled(), c.add);
        EXPECT_EQ(FormSiteSurvey->BtnSiteSurveyAdd2Prof->Visible(), c.addShown);
        EXPECT_EQ(FormSiteSurvey->BtnSiteSurveyRescan->Enabled(), c.radio && !c.rescanning);
    }
    VOZEZIV.nWinOS = os;
    VOZEZIV.bSupportWAPI = wapi;
    VOZEZIV.selectedAdapter.nAdapterKind = kind;

    // An empty list: nothing to connect to.
    Inject("WVWL_ReadRadioStatus", 1);
    Inject("WVWL_DetectUserAdmin", 1);
    FormSiteSurvey->m_bRescan = 0;
    Select("CafeCorner");
    FormSiteSurvey->lvApList->ClearItems();
    FormSiteSurvey->ButtonShowHide();
    EXPECT_FALSE(FormSiteSurvey->BtnSiteSurveyConnect->Enabled());
    EXPECT_FALSE(FormSiteSurvey->BtnSiteSurveyAdd2Prof->Enabled());
    EXPECT_TRUE(FormSiteSurvey->BtnSiteSurveyRescan->Enabled());
}

// The end of a WAPI connection attempt starts a scan on its own; while it lasts, no scan counts
// as running.
TEST_F(SiteSurveyRules, TheEndOfAWapiAttemptStartsAScan)
{
    Start();
    RescanAndShow();
    SimCommand("journal clear");
    Inject("WVWL_IsWAPIConnecting", 1);
    FormSiteSurvey->m_bRescan = 1;
    FormSiteSurvey->ButtonShowHide();
    EXPECT_EQ(FormSiteSurvey->m_bRescan, 0);
    EXPECT_EQ(SimJournal().find("WVWL_SiteSurveyScan"), std::string::npos);

    // The completion function ignores a scan that ends while WAPI still connects.
    m_bSurveyComplete = 0;
    TFormSiteSurvey::FuncScanFinished();
    EXPECT_EQ(m_bSurveyComplete, 0);

    Inject("WVWL_IsWAPIConnecting", 0);
    FormSiteSurvey->ButtonShowHide();
    EXPECT_EQ(FormSiteSurvey->m_bRescan, 1);
    EXPECT_NE(SimJournal().find("WVWL_SiteSurveyScan"), std::string::npos);
    EXPECT_FALSE(FormSiteSurvey->BtnSiteSurveyConnect->Enabled());  // scanning again
    ASSERT_TRUE(PumpUntil([] { return m_bSurveyComplete != 0; }));
    EXPECT_EQ(FormSiteSurvey->m_bRescan, 0);

    // A second check with WAPI idle starts nothing more.
    SimCommand("journal clear");
    FormSiteSurvey->ButtonShowHide();
    EXPECT_EQ(SimJournal().find("WVWL_SiteSurveyScan"), std::string::npos);
}

}  // namespace
