// The Wi-Fi Direct profile list: the stored profiles listed, the connected peer's row marked,
// delete, details and activation through the window's buttons.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "dialogs/FormMessageBox.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "support/TextFit.h"
#include "wifidirect/FormWiFiDirectProfile.h"
#include "wifidirect/WiFiDirectSetting.h"
#include "wifidirect/wifidirect_fixture.h"

namespace {

class WiFiDirectProfileList : public WiFiDirectFixture {
protected:
    TFormWiFiDirectProfile* L() const { return FormWiFiDirectProfile; }

    void StartList()
    {
        Start(41);
        m_onModal = [this](const std::string& what) {
            if (what.rfind("FormMessageBox", 0) == 0)
                m_messages.push_back(FormMessageBox->m_strMessage);
            if (what.rfind("FormWiFiDirectSetting", 0) == 0)
                m_wizardOpened = true;
        };
    }
    void Store(const char* name, const char* peer, uint8_t last, uint32_t intent, const char* ssid = "DIRECT-q1")
    {
        WIFIDIRECT_WPSE_PROFILE r{};
        std::strcpy(r.ProfileName, name);
        std::memcpy(r.PeerDeviceName[0], peer, std::strlen(peer));
        r.PeerDeviceNameCount = 1;
        const uint8_t mac[6] = {0x02, 0x50, 0xF2, 0xAA, 0x00, last};
        std::memcpy(r.DesiredMacAddr[0], mac, 6);
        r.DesiredMacCount = 1;
        r.GoIntentIdx = intent;
        r.ConfigMode = CONFIG_MODE_CONNECT;
        r.WpsMethod = WIFI_DIRECT_WPSE_PBC_MODE;
        r.SSIDLength = static_cast<uint32_t>(std::strlen(ssid));
        std::memcpy(r.SSID, ssid, r.SSIDLength);
        ASSERT_EQ(VOZEZIV.WVWL_WriteWifiDirectWpseProfile(name, &r), 1);
    }
    void Press(TWvImage* button)
    {
        const int x = button->Left() + button->Width() / 2, y = button->Top() + button->Height() / 2;
        HWND window = button->Parent()->Handle();
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Pump(10);
    }
    // The progress box is about to show (its one-second timer runs) or, where the press took
    // longer than that, has shown since m_modals was cleared.
    bool ProgressUnderWay() const
    {
        return FormWiFiDirect->TimerShowProgressBar->Enabled() ||
               std::any_of(m_modals.begin(), m_modals.end(),
                           [](const std::string& what) { return what.rfind("FormProgressMsg:", 0) == 0; });
    }
    std::string Row(int i) const
    {
        const TListItem* item = L()->lvProfileList->Item(i);
        return item->SubItem(0) + "|" + item->SubItem(1) + "|" + item->SubItem(2);
    }

    static std::string LatestPinFile() { return ProgramFolder() + "WevoSettings.ini"; }

    std::vector<std::string> m_messages;
    bool m_wizardOpened = false;
};

TEST_F(WiFiDirectProfileList, ListsTheStoredProfilesAndDeletesTheSelectedOne)
{
    StartList();
    Store("Profile-TV", "Living-Room-TV", 1, 7);
    Store("Profile-Tablet", "Kitchen-Tablet", 2, 7);
    Store("AutoGOLaptop", "", 3, 16);
    L()->Show();
    Pump(20);
    ASSERT_EQ(L()->lvProfileList->ItemCount(), 3);
    EXPECT_EQ(Row(0), "Profile-TV|Living-Room-TV|DIRECT-q1");
    EXPECT_EQ(L()->lvProfileList->ItemIndex(), 0);
    EXPECT_EQ(L()->lblProfileName->Caption(), "Profile-TV");
    EXPECT_EQ(L()->lblSSID->Caption(), "DIRECT-q1");
    EXPECT_TRUE(L()->BtnProfileDelete->Enabled());

    // Deleting the last row selects the new last row.
    L()->lvProfileList->SetItemIndex(2);
    Press(L()->BtnProfileDelete);
    ASSERT_EQ(L()->lvProfileList->ItemCount(), 2);
    EXPECT_EQ(L()->lvProfileList->ItemIndex(), 1);
    WIFIDIRECT_WPSE_PROFILE gone{};
    EXPECT_NE(VOZEZIV.WVWL_ReadWifiDirectWpseProfile(&gone, "AutoGOLaptop"), 1);

    Press(L()->BtnProfileDelete);
    Press(L()->BtnProfileDelete);  // one row left: acted on without a highlight
    EXPECT_EQ(L()->lvProfileList->ItemCount(), 0);
    EXPECT_FALSE(L()->BtnProfileDelete->Enabled());
    EXPECT_FALSE(L()->BtnProfileDetail->Enabled());
    EXPECT_FALSE(L()->BtnProfileActivate->Enabled());
    EXPECT_EQ(L()->lblProfileName->Caption(), "");
    EXPECT_TRUE(m_messages.empty());
}

// Names of up to 32 characters: the list keeps its columns inside its width (no sideways
// scrolling, however many rows), a network name shows whole in its column, and the
// information box shows the whole profile name.
struct FitCase {
    const char* name;
    int rows;
    const char* ssid;
    bool ssidWhole;  // an SSID of wide letters may end in an ellipsis
};

class ProfileColumns : public WiFiDirectProfileList, public ::testing::WithParamInterface<FitCase> {};

TEST_P(ProfileColumns, FitTheListAndTheInformationBoxShowsTheWholeName)
{
    const FitCase& c = GetParam();
    StartList();
    const std::string profile = "Profile-Living-Room-Television-X";  // 32 characters
    const std::string peer = "Living-Room-Television-XL-Screen";
    ASSERT_EQ(profile.size(), 32u);
    ASSERT_EQ(std::string(c.ssid).size(), 32u);
    Store(profile.c_str(), peer.c_str(), 1, 7, c.ssid);
    for (int i = 1; i < c.rows; ++i)
        Store(("Profile-" + std::to_string(i)).c_str(), "Kitchen-Tablet", uint8_t(i + 1), 7, "DIRECT-56");
    L()->Show();
    Pump(20);
    const HWND list = L()->lvProfileList->Handle();
    ASSERT_EQ(L()->lvProfileList->ItemCount(), c.rows);
    RECT client{};
    GetClientRect(list, &client);
    int total = 0;
    for (int column = 0; column < 4; ++column)
        total += L()->lvProfileList->Column(column)->Width();
    EXPECT_LE(total, client.right - client.left);
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & WS_HSCROLL, 0) << "the list scrolls sideways";
    for (int column = 1; column < 4; ++column)
        EXPECT_GE(L()->lvProfileList->Column(column)->Width(), 52) << column;

    const int row = 0;
    const std::string ssid = L()->lvProfileList->Item(row)->SubItem(2);
    RECT cell = {};
    cell.top = 3;
    cell.left = LVIR_LABEL;
    ASSERT_TRUE(SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell)));
    const int text = int(SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(ssid.c_str())));
    if (c.ssidWhole) {
        EXPECT_GT(cell.right - cell.left, text) << ssid;
    }

    L()->lvProfileList->SetItemIndex(row);
    Pump(20);
    Snapshot(L()->Handle(), std::string("wifidirect_profiles_") + c.name);
    ASSERT_EQ(L()->lblProfileName->Caption(), profile);
    EXPECT_LE(textfit::Measure(L()->lblProfileName->Font().Handle(), profile).cx,
              L()->lblProfileName->Width());
    EXPECT_LE(L()->lblProfileName->Left() + L()->lblProfileName->Width(), L()->grpProfileInfo->Width());
    EXPECT_EQ(L()->lblSSID->Caption(), c.ssid);
    if (c.ssidWhole) {
        EXPECT_LE(textfit::Measure(L()->lblSSID->Font().Handle(), c.ssid).cx, L()->lblSSID->Width());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, ProfileColumns,
    ::testing::Values(FitCase{"OneRow", 1, "DIRECT-xY-Kitchen-Tablet-Upstair", true},
                      FitCase{"RowsThatScrollDown", 9, "DIRECT-xY-Kitchen-Tablet-Upstair", true},
                      FitCase{"WideLetters", 3, "DIRECT-WMWMWMWMWMWMWMWMWMWMWMWMW", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WiFiDirectProfileList, TheSsidColumnNarrowsWithoutItsLongName)
{
    StartList();
    Store("Profile-TV", "Living-Room-TV", 1, 7, "DIRECT-56");
    Store("Profile-Tablet", "Kitchen-Tablet", 2, 7, "DIRECT-xY-Kitchen-Tablet-Upstairs");
    L()->Show();
    Pump(20);
    const int wide = L()->lvProfileList->Column(3)->Width();
    VOZEZIV.WVWL_DeleteWifiDirectWpseProfile("Profile-Tablet");
    L()->UpdateProfileList();
    EXPECT_LT(L()->lvProfileList->Column(3)->Width(), wide);
}

TEST_F(WiFiDirectProfileList, ConnectedPeerIsMarkedOnlyWhereTheSettingAllowsIt)
{
    StartList();
    Store("Profile-TV", "Living-Room-TV", 1, 7);
    Store("Profile-Tablet", "Kitchen-Tablet", 2, 7);
    WIFI_DIRECT_TOPOPOGY peer;
    peer.Device.bConnectToMe = 1;
    std::memcpy(peer.Device.chDeviceName, "Living-Room-Display", 19);
    peer.Device.ulStringLen = 19;
    const uint8_t mac[6] = {0x02, 0x50, 0xF2, 0xAA, 0x00, 0x01};
    std::memcpy(peer.Device.chMacAddr, mac, 6);
    FormWiFiDirect->m_vecTopology.push_back(peer);
    const struct {
        int winOS;
        int iconSetting;
        int mark;
    } cases[] = {{41, 1, 0}, {41, 0, -1}, {21, 0, 0}};
    for (const auto& c : cases) {
        VOZEZIV.nWinOS = c.winOS;
        VOZEZIV.bActiveProfileIcon = c.iconSetting;
        L()->UpdateProfileList();
        ASSERT_EQ(L()->lvProfileList->ItemCount(), 2);
        EXPECT_EQ(L()->lvProfileList->Item(0)->ImageIndex(), c.mark) << c.winOS << " " << c.iconSetting;
        EXPECT_EQ(L()->lvProfileList->Item(1)->ImageIndex(), -1);
    }
}

TEST_F(WiFiDirectProfileList, ActivationConnectsToTheStoredPeer)
{
    StartList();
    Store("Profile-TV", "Living-Room-TV", 1, 7);
    FormWiFiDirect->m_bEnableWiFiDirect = TRUE;
    L()->Show();
    Pump(20);
    MarkCalls();
    m_modals.clear();
    Press(L()->BtnProfileActivate);
    char active[129] = {};
    VOZEZIV.WVWL_ReadActiveWifiDirectWpseProfileName(active);
    EXPECT_STREQ(active, "Profile-TV");
    const auto requests = Lines("WVWL_SetWifiDirectWpseConfig");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NE(requests[0].find("mode=3 intent=7 method=0x20000000"), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("peer=02-50-F2-AA-00-01"), std::string::npos) << requests[0];
    EXPECT_EQ(FormWiFiDirect->m_bOK, TRUE);
    EXPECT_TRUE(ProgressUnderWay());
}

// Whatever the wizard ran last, activation applies the saved profile as it was read: the
// progress shows, the connection counts as started and this device takes the profile's SSID.
TEST_F(WiFiDirectProfileList, ActivationAfterAnyWizardRunAppliesTheProfileAsRead)
{
    StartList();
    WIFIDIRECT_WPSE_PROFILE r{};
    std::strcpy(r.ProfileName, "Profile-Tablet");
    std::memcpy(r.PeerDeviceName[0], "Kitchen-Tablet", 14);
    r.PeerDeviceNameCount = 1;
    const uint8_t mac[6] = {0x02, 0x50, 0xF2, 0xAA, 0x00, 0x02};
    std::memcpy(r.DesiredMacAddr[0], mac, 6);
    r.DesiredMacCount = 1;
    r.GoIntentIdx = 7;
    r.ConfigMode = CONFIG_MODE_CONNECT;
    r.WpsMethod = WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC;
    std::memcpy(r.PIN, "49226874", 8);
    r.SSIDLength = 9;
    std::memcpy(r.SSID, "DIRECT-q1", 9);
    ASSERT_EQ(VOZEZIV.WVWL_WriteWifiDirectWpseProfile(r.ProfileName, &r), 1);
    struct Forget {
        ~Forget() { VOZEZIV.WVWL_DeleteWifiDirectWpseProfile("Profile-Tablet"); }
    } forget;
    FormWiFiDirect->m_bEnableWiFiDirect = TRUE;
    L()->Show();
    Pump(20);

    const uint32_t previous[] = {0,
                                 ACTION_ENABLE,
                                 ACTION_CONNECT,
                                 ACTION_AUTONOMOUSGO,
                                 ACTION_DISPLAY_PIN,
                                 ACTION_GET_CONNECT_REQUEST,
                                 ACTION_WPS,
                                 ACTION_Profile_DETAIL,
                                 ACTION_SET_GO_KEY,
                                 ACTION_CONFIRM_ENTER_PIN};
    for (uint32_t action : previous) {
        SCOPED_TRACE("wizard action before " + std::to_string(action));
        FormWiFiDirectSetting->m_enumActionTpye = action;
        FormWiFiDirect->m_strMySSID = "DIRECT-56";
        FormWiFiDirect->m_nSetIntentIndex = 3;
        FormWiFiDirect->m_bOK = FALSE;
        FormWiFiDirect->StartWiFiDirectProgress(FALSE, 0);
        DeleteFileA(LatestPinFile().c_str());
        int row = -1;
        for (int i = 0; i < L()->lvProfileList->ItemCount(); ++i)
            if (Row(i).rfind("Profile-Tablet|", 0) == 0)
                row = i;
        ASSERT_GE(row, 0);
        L()->lvProfileList->SetItemIndex(row);
        MarkCalls();
        m_modals.clear();
        Press(L()->BtnProfileActivate);
        const auto requests = Lines("WVWL_SetWifiDirectWpseConfig");
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_NE(requests[0].find("peer=02-50-F2-AA-00-02"), std::string::npos) << requests[0];
        EXPECT_EQ(FormWiFiDirect->m_bOK, TRUE);
        EXPECT_TRUE(ProgressUnderWay());
        EXPECT_EQ(FormWiFiDirect->m_strMySSID, "DIRECT-q1");
        // a wizard's own steps stay out: no intent taken over, no PIN remembered
        EXPECT_EQ(FormWiFiDirect->m_nSetIntentIndex, 3);
        char latest[32] = {};
        GetPrivateProfileStringA("WiFiDirect", "LatestPIN", "", latest, sizeof latest, LatestPinFile().c_str());
        EXPECT_STREQ(latest, "");
    }
    DeleteFileA(LatestPinFile().c_str());
}

TEST_F(WiFiDirectProfileList, AProfileThatCannotBeReadIsNotApplied)
{
    StartList();
    Store("Profile-TV", "Living-Room-TV", 1, 7);
    FormWiFiDirect->m_bEnableWiFiDirect = TRUE;
    L()->Show();
    Pump(20);
    std::string reply;
    SimCommand("inject WVWL_ReadWifiDirectWpseProfile * 0", &reply);
    MarkCalls();
    Press(L()->BtnProfileActivate);
    EXPECT_TRUE(Lines("WVWL_SetWifiDirectWpseConfig").empty());
    EXPECT_EQ(FormWiFiDirect->m_bOK, FALSE);
}

TEST_F(WiFiDirectProfileList, DetailOpensTheWizardOnTheSelectedProfile)
{
    StartList();
    Store("Profile-TV", "Living-Room-TV", 1, 7);
    Store("AutoGOLaptop", "", 3, 16);
    L()->Show();
    Pump(20);
    L()->lvProfileList->SetItemIndex(1);
    Press(L()->BtnProfileDetail);
    EXPECT_TRUE(m_wizardOpened);
    EXPECT_EQ(FormWiFiDirectSetting->m_enumActionTpye, uint32_t(ACTION_Profile_DETAIL));
    EXPECT_EQ(FormWiFiDirectSetting->m_strProfileName, "AutoGOLaptop");
}

} // namespace
