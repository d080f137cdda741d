// The Wi-Fi Direct setting wizard driven as a user drives it: radio buttons clicked, PINs and
// names typed, Next, Back and Cancel pressed on the window; what it sends, stores and leaves.
#include <windows.h>

#include <cstring>
#include <string>

#include "dialogs/FormMessageBox.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "wifidirect/WiFiDirectSetting.h"
#include "wifidirect/wifidirect_fixture.h"

namespace {

const uint8_t kPeerMac[6] = {0x02, 0x50, 0xF2, 0xAA, 0x00, 0x01};
const char kSsidAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrsuvwxyz0123456789";

class WiFiDirectWizard : public WiFiDirectFixture {
protected:
    TFormWiFiDirectSetting* W() const { return FormWiFiDirectSetting; }
    TFrameWiFiDirectSettingWPS* Wps() const { return FormWiFiDirectSetting->FrameWiFiDirectSettingWPS; }

    void StartWith(int winOS, bool advanced)
    {
        Start(winOS);
        VOZEZIV.bSupportAdvanceSettings = advanced ? 1 : 0;
        VOZEZIV.bSupport8DigitPin = 1;
        VOZEZIV.bSupport4DigitPin = 1;
        FormWiFiDirect->m_nDefaultIntentIndex = 7;
        m_onModal = [this](const std::string& what) {
            if (what.rfind("FormMessageBox", 0) == 0)
                m_messages.push_back(FormMessageBox->m_strMessage);
        };
    }
    void SelectPeer(const char* name, uint16_t methods)
    {
        DEVICE_ENTRY& peer = FormWiFiDirect->m_SeleteDeviceEntry;
        peer = DEVICE_ENTRY{};
        std::memcpy(peer.chDeviceName, name, std::strlen(name));
        peer.ulStringLen = uint32_t(std::strlen(name));
        std::memcpy(peer.chMacAddr, kPeerMac, 6);
        peer.ConfigMethod = methods;
    }
    void Open(uint32_t action)
    {
        W()->m_enumActionTpye = action;
        MarkCalls();
        W()->Show();
        Pump(20);
    }
    // A press and release of a picture button, through the window it lies on.
    void Press(TWvImage* button)
    {
        const int x = button->Left() + button->Width() / 2, y = button->Top() + button->Height() / 2;
        HWND window = button->Parent()->Handle();
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Pump(10);
    }
    void Next() { Press(W()->BtnWiFiDirectNext); }
    void Pick(TRadioButton* radio) { SendMessageA(radio->Handle(), BM_CLICK, 0, 0); }
    void Type(TEdit* edit, const std::string& text)
    {
        SendMessageA(edit->Handle(), EM_SETSEL, 0, -1);
        SendMessageA(edit->Handle(), WM_CHAR, VK_BACK, 0);
        for (char c : text)
            SendMessageA(edit->Handle(), WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
    }
    // Calls of the entry since the last mark (journal lines that begin with it).
    int Calls(const std::string& entry)
    {
        int count = 0;
        for (const std::string& line : Lines(entry))
            count += line.rfind(entry + "(", 0) == 0;
        return count;
    }
    std::string LastRequest()
    {
        const auto lines = Lines("WVWL_SetWifiDirectWpseConfig");
        return lines.empty() ? std::string() : lines.back();
    }
    std::string Pin() const
    {
        const auto& r = W()->m_data_WIFIDIRECT_WPSE_Profile;
        return std::string(reinterpret_cast<const char*>(r.PIN), strnlen(reinterpret_cast<const char*>(r.PIN), 8));
    }
    void StoreProfile(const char* name, uint32_t intent, const char* pin)
    {
        WIFIDIRECT_WPSE_PROFILE r{};
        std::strcpy(r.ProfileName, name);
        std::memcpy(r.DeviceName, "Laptop", 6);
        r.DeviceNameLength = 6;
        r.WpsMethod = WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC;
        std::memcpy(r.PIN, pin, std::strlen(pin));
        r.GoIntentIdx = intent;
        r.ulOperatingChannel = 6;
        std::memcpy(r.SSID, "DIRECT-k2Lap", 12);
        r.SSIDLength = 12;
        std::memcpy(r.Key, "secret-key-1", 12);
        r.KeyLength = 12;
        std::memcpy(r.DesiredMacAddr[0], kPeerMac, 6);
        r.DesiredMacCount = 1;
        ASSERT_EQ(VOZEZIV.WVWL_WriteWifiDirectWpseProfile(name, &r), 1);
    }

    std::vector<std::string> m_messages;
};

// ---------------------------------------------------------------------------------------------
// The Next machine: one table of action, peer methods, the user's choices and Windows version
// to the pages, the request sent and the answer the opener reads.

struct NextCase {
    const char* name;
    uint32_t action;
    int winOS;
    bool advanced;         // [WiFiDirect] SupportAdvanceSettings
    uint16_t peerMethods;  // the selected peer's WPS config methods
    TRadioButton* TFrameWiFiDirectSettingWPS::*pick;  // the method the user clicks, or none
    const char* pin;       // typed into the PIN edit, or null
    int nexts;             // presses of Next
    // Expected.
    bool open;             // the wizard still shows
    BOOL ok;               // the opener's m_bOK
    const char* request;   // start of the last request's journal text, "" when none was sent
    const char* sentPin;   // the record's PIN text, or null when not checked
    const char* leave;     // the station-leaving entry called, or ""
};

void PrintTo(const NextCase& c, std::ostream* os) { *os << c.name; }

class WizardNext : public WiFiDirectWizard, public ::testing::WithParamInterface<NextCase> {};

TEST_P(WizardNext, RunsTheActionToItsRequest)
{
    const NextCase& c = GetParam();
    StartWith(c.winOS, c.advanced);
    SelectPeer("Phone-A", c.peerMethods);
    FormWiFiDirect->MyDeviceData.ConfigMethod = c.peerMethods;
    Open(c.action);
    if (c.pick)
        Pick(Wps()->*c.pick);
    if (c.pin)
        Type(Wps()->editPinCode, c.pin);
    for (int i = 0; i < c.nexts; ++i)
        Next();

    EXPECT_EQ(W()->Visible(), c.open);
    EXPECT_EQ(FormWiFiDirect->m_bOK, c.ok);
    const std::string sent = LastRequest();
    if (*c.request) {
        EXPECT_EQ(sent.find(std::string("WVWL_SetWifiDirectWpseConfig(") + c.request), 0u) << sent;
    } else {
        EXPECT_EQ(sent, "");
    }
    if (c.sentPin) {
        EXPECT_EQ(Pin(), c.sentPin);
    }
    if (c.sentPin && *c.request) {
        EXPECT_EQ(WrittenPin(), c.sentPin);
    }
    if (*c.leave) {
        // The station is left by the road of its Windows version (later events may call it again).
        const std::string other = std::string(c.leave) == "WVWL_SetAuthMode" ? "WVWL_WlanDisconnect" : "WVWL_SetAuthMode";
        EXPECT_GE(Calls(c.leave), 1) << c.leave;
        EXPECT_EQ(Calls(other), 0) << other;
    }
    EXPECT_TRUE(m_messages.empty()) << m_messages.front();
}

constexpr auto PBC = &TFrameWiFiDirectSettingWPS::rBtnPBC;
constexpr auto ENTER = &TFrameWiFiDirectSettingWPS::rBtnPIN_UserSpec;
constexpr auto SHOW = &TFrameWiFiDirectSettingWPS::rBtnPIN_RegSpec;

const NextCase kNextCases[] = {
    // A push-button peer: the advanced page is passed hidden, the connection applied.
    {"ConnectPushButton", ACTION_CONNECT, 41, false, 0x0080, nullptr, nullptr, 1,
     false, TRUE, "mode=3 intent=7 method=0x20000000 pin= peer=", "", "WVWL_WlanDisconnect"},
    {"ConnectPushButtonOldWindows", ACTION_CONNECT, 21, false, 0x0080, nullptr, nullptr, 1,
     false, TRUE, "mode=3 intent=7 method=0x20000000", "", "WVWL_SetAuthMode"},
    // Display and push button offered: push button is the last offered and stays chosen.
    {"ConnectOfferedBothChoosesPushButton", ACTION_CONNECT, 41, false, 0x0180, nullptr, nullptr, 1,
     false, TRUE, "mode=3 intent=7 method=0x20000000", "", ""},
    // Enter PIN with an empty edit: applied from the WPS page, the peer's PIN comes later.
    {"ConnectEnterPinLater", ACTION_CONNECT, 41, true, 0x0088, ENTER, nullptr, 1,
     false, FALSE, "mode=3 intent=7 method=0x40000000 pin= peer=", "", ""},
    // Advanced settings on: the first Next stays on the advanced page, the second applies.
    {"ConnectAdvancedFirstNextStays", ACTION_CONNECT, 41, true, 0x0080, PBC, nullptr, 1,
     true, FALSE, "", nullptr, ""},
    {"ConnectAdvancedSecondNextApplies", ACTION_CONNECT, 41, true, 0x0080, PBC, nullptr, 2,
     false, TRUE, "mode=3 intent=7 method=0x20000000", "", ""},
    // An incoming request answered with the peer's PIN.
    {"ConnectRequestPinTyped", ACTION_GET_CONNECT_REQUEST, 41, false, 0x0008, ENTER, "01234567", 1,
     false, TRUE, "mode=3 intent=7 method=0x40000000 pin=len=8 checksum=bad", "01234567", ""},
    {"AutonomousGroupOwner", ACTION_AUTONOMOUSGO, 41, false, 0x0080, nullptr, nullptr, 1,
     false, TRUE, "mode=3 intent=16 method=0x00000000", "", ""},
    {"GroupOwnerWpsPushButton", ACTION_WPS, 41, false, 0x0080, nullptr, nullptr, 1,
     false, TRUE, "mode=9 intent=0 method=0x20000000", "", ""},
    {"GroupOwnerWpsEnteredPin", ACTION_WPS, 41, false, 0x0008, ENTER, "12345670", 1,
     false, TRUE, "mode=9 intent=0 method=0x40000000 pin=len=8 checksum=ok", "12345670", ""},
    // The enter-PIN confirmation hands the PIN to the driver, not a request.
    {"ConfirmEnteredPin", ACTION_CONFIRM_ENTER_PIN, 41, false, 0x0008, ENTER, "87654325", 1,
     false, FALSE, "", "87654325", ""},
};

INSTANTIATE_TEST_SUITE_P(Table, WizardNext, ::testing::ValuesIn(kNextCases),
                         [](const ::testing::TestParamInfo<NextCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Pages and their refusals

TEST_F(WiFiDirectWizard, FirstTurnOnNamesTheDevice)
{
    StartWith(41, false);
    W()->m_strDeviceName.clear();
    Open(ACTION_ENABLE);
    auto* page = W()->FrameWiFiDirectSettingDeviceName;
    EXPECT_EQ(W()->m_pCurrentPage, page);
    EXPECT_TRUE(page->rBtnComputerName->Checked());
    EXPECT_FALSE(W()->BtnWiFiDirectBack->Enabled());

    Pick(page->rBtnEnterName);
    Next();  // an empty name is refused
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(W()->Visible());
    EXPECT_EQ(Calls("WVWL_WriteWiFiDirectDeviceName"), 0);

    Type(page->editDeviceName, "Laptop-9");
    Next();
    EXPECT_FALSE(W()->Visible());
    EXPECT_EQ(FormWiFiDirect->m_bOK, TRUE);
    EXPECT_EQ(W()->m_strDeviceName, "Laptop-9");
    EXPECT_EQ(std::string(FormWiFiDirect->MyDeviceData.chDeviceName, FormWiFiDirect->MyDeviceData.ulStringLen),
              "Laptop-9");
    char stored[65] = {};
    VOZEZIV.WVWL_ReadWiFiDirectDeviceName(stored);
    EXPECT_STREQ(stored, "Laptop-9");
}

TEST_F(WiFiDirectWizard, PinChecksFollowTheWpsVersion)
{
    StartWith(41, false);
    SelectPeer("Phone-A", 0x0008);
    Open(ACTION_CONNECT);
    TFrameWiFiDirectSettingWPS* page = Wps();
    struct {
        const char* pin;
        bool defaultPin;
        unsigned long version;
        const char* answer;
    } const cases[] = {
        {"1234", false, 0x10, "Invaild Pin Code"},
        {"1234", false, 0x20, ""},
        {"1234567", false, 0x20, "Invaild Pin Code"},
        {"12345670", true, 0x10, ""},
        {"12345671", true, 0x10, "Pin Code error"},
        {"1234", true, 0x20, ""},
        {"", false, 0x20, "Invaild Pin Code"},
    };
    for (const auto& c : cases) {
        VOZEZIV.WVWL_SetWPSVersion(c.version);
        EXPECT_EQ(page->CheckEditPinCode(c.pin, c.defaultPin), c.answer) << c.pin << " " << c.version;
    }
    VOZEZIV.WVWL_SetWPSVersion(0x10);
    Pick(page->rBtnPIN_UserSpec);
    Type(page->editPinCode, "1234");
    Next();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "Invaild Pin Code");
    EXPECT_TRUE(W()->Visible());
    EXPECT_EQ(W()->m_pCurrentPage, page);
    EXPECT_EQ(Calls("WVWL_SetWifiDirectWpseConfig"), 0);
}

TEST_F(WiFiDirectWizard, PinEditTakesDigitsOnly)
{
    StartWith(41, false);
    SelectPeer("Phone-A", 0x0008);
    Open(ACTION_CONNECT);
    Pick(Wps()->rBtnPIN_UserSpec);
    Type(Wps()->editPinCode, "12ab34567890");
    EXPECT_EQ(Wps()->editPinCode->Text(), "12345678");
}

TEST_F(WiFiDirectWizard, DisplayPinTellsTheDriverAndShowsIt)
{
    StartWith(41, false);
    W()->m_ulWiFiDirectDefPin = 1234567;  // seven digits: shown as eight with a leading zero
    Open(ACTION_DISPLAY_PIN);
    EXPECT_EQ(Wps()->editPinCode->Text(), "01234567");
    EXPECT_TRUE(Wps()->rBtnPIN_RegSpec->Checked());
    EXPECT_EQ(LastRequest().find("WVWL_SetWifiDirectWpseConfig(mode=9 intent=0 method=0x80000000 pin=len=8 checksum=bad"),
              0u)
        << LastRequest();
    EXPECT_EQ(WrittenPin(), "01234567");
    EXPECT_FALSE(W()->BtnWiFiDirectNext->Enabled());
    EXPECT_FALSE(W()->BtnWiFiDirectCancel->Enabled());

    // A new 4-digit PIN goes to the driver after four FF bytes.
    MarkCalls();
    Press(Wps()->BtnRenew4);
    const std::string shown = Wps()->editPinCode->Text();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(W()->m_ulWiFiDirectDefPin, std::stoul(shown));
    EXPECT_NE(LastRequest().find("method=0x80000000 pin=len=8 not-digits"), std::string::npos) << LastRequest();
    EXPECT_EQ(WrittenPin(), "\xFF\xFF\xFF\xFF" + shown);

    Press(W()->SysBtnClose);
    EXPECT_FALSE(W()->Visible());
    EXPECT_EQ(FormWiFiDirect->m_bOK, FALSE);
}

TEST_F(WiFiDirectWizard, AdvancedPageRefusesBadIntentAndEmptySsid)
{
    StartWith(41, true);
    SelectPeer("Phone-A", 0x0080);
    Open(ACTION_CONNECT);
    Next();
    auto* advanced = W()->FrameWiFiDirectSettingAdvanced;
    ASSERT_EQ(W()->m_pCurrentPage, advanced);
    EXPECT_TRUE(W()->BtnWiFiDirectBack->Enabled());
    EXPECT_EQ(advanced->editIntentIndex->Text(), "7");
    for (const char* intent : {"16", "x", ""}) {
        m_messages.clear();
        Type(advanced->editIntentIndex, intent);
        Next();
        ASSERT_EQ(m_messages.size(), 1u) << intent;
        EXPECT_TRUE(W()->Visible()) << intent;
    }
    Type(advanced->editIntentIndex, "3");
    Type(advanced->editSSID, "");
    m_messages.clear();
    Next();
    EXPECT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(W()->Visible());

    // Back returns to the WPS page; Next from there comes back to the advanced page.
    Press(W()->BtnWiFiDirectBack);
    EXPECT_EQ(W()->m_pCurrentPage, advanced);  // the empty SSID keeps the page
    Type(advanced->editSSID, "DIRECT-xyMine");
    Press(W()->BtnWiFiDirectBack);
    EXPECT_EQ(W()->m_pCurrentPage, Wps());
    EXPECT_FALSE(W()->BtnWiFiDirectBack->Enabled());
    Next();
    EXPECT_EQ(advanced->editSSID->Text(), "DIRECT-Wv");  // the run's SSID shown again
    Type(advanced->editSSID, "DIRECT-xyMine");
    m_messages.clear();
    Next();
    EXPECT_FALSE(W()->Visible());
    EXPECT_NE(LastRequest().find("mode=3 intent=3 "), std::string::npos) << LastRequest();
    EXPECT_NE(LastRequest().find("ssid=DIRECT-xyMine"), std::string::npos) << LastRequest();
    EXPECT_EQ(FormWiFiDirect->m_nSetIntentIndex, 3);
}

TEST_F(WiFiDirectWizard, GroupOwnerKeyRules)
{
    StartWith(41, false);
    const std::string hex64(64, 'a');
    const struct {
        std::string key;
        bool valid;
    } cases[] = {{"1234567", false}, {"12345678", true}, {std::string(63, 'z'), true},
                 {hex64, true},      {std::string(63, 'a') + "g", false}, {std::string(63, 'F') + "0", true}};
    for (const auto& c : cases)
        EXPECT_EQ(TFrameWiFiDirectSettingAutonomousGO::IsValidKey(c.key), c.valid) << c.key;

    // The group owner's key is set with the SSID: a short key is refused with a message.
    W()->m_strProfileName = "AutoGOLaptop";
    Open(ACTION_SET_GO_KEY);
    auto* page = W()->FrameWiFiDirectSettingAutonomousGO;
    EXPECT_EQ(page->editlPreshedKey->Text(), "12345678");
    Type(page->editlPreshedKey, "short");
    Next();
    EXPECT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(W()->Visible());
    Type(page->editlPreshedKey, hex64);
    Next();
    EXPECT_FALSE(W()->Visible());
    EXPECT_EQ(LastRequest().find("WVWL_SetWifiDirectWpseConfig(mode=13 "), 0u) << LastRequest();
    EXPECT_NE(LastRequest().find("ssid=DIRECT-Wv"), std::string::npos) << LastRequest();
    const auto& r = W()->m_data_WIFIDIRECT_WPSE_Profile;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(r.Key), r.KeyLength), hex64);  // stored as typed
}

TEST_F(WiFiDirectWizard, SetGoKeyWithoutAnEarlierRunIsRefused)
{
    StartWith(41, false);
    W()->m_strProfileName.clear();
    Open(ACTION_SET_GO_KEY);
    Next();
    EXPECT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(W()->Visible());
    EXPECT_EQ(Calls("WVWL_SetWifiDirectWpseConfig"), 0);
}

TEST_F(WiFiDirectWizard, RequestAnsweredWithEnteredPinKeepsItsLeadingZeros)
{
    StartWith(41, false);
    SelectPeer("Phone-A", 0x0008);
    Open(ACTION_GET_CONNECT_REQUEST);
    EXPECT_TRUE(W()->TimerPopupSettingTimeOut->Enabled());
    Type(Wps()->editPinCode, "00123456");
    Next();
    EXPECT_FALSE(W()->Visible());
    EXPECT_EQ(ReadINIStr("WiFiDirect", "LatestPIN", "", "ini").empty(), true);  // not in the settings file
    char latest[32] = {};
    GetPrivateProfileStringA("WiFiDirect", "LatestPIN", "", latest, sizeof latest,
                             (ProgramFolder() + "WevoSettings.ini").c_str());
    EXPECT_STREQ(latest, "00123456");
    DeleteFileA((ProgramFolder() + "WevoSettings.ini").c_str());
}

TEST_F(WiFiDirectWizard, ConfirmedPinGoesToTheDriverInEightBytes)
{
    const struct {
        int winOS;
        unsigned long version;
        const char* pin;
        const char* call;
        const char* data;
    } cases[] = {
        {41, 0x10, "87654325", "WVWL_OIDSetInfo(0xFF8C004D 8)", "3837363534333235"},
        {21, 0x20, "4321", "WVWL_OIDSetInfo(0x0D8C004D 8)", "FFFFFFFF34333231"},
        {41, 0x20, "", "WVWL_OIDSetInfo(0xFF8C004D 8)", "FFFFFFFFFFFFFFFF"},
    };
    StartWith(cases[0].winOS, false);
    for (const auto& c : cases) {
        VOZEZIV.nWinOS = c.winOS;
        VOZEZIV.WVWL_SetWPSVersion(c.version);
        SelectPeer("Phone-A", 0x0008);
        Open(ACTION_CONFIRM_ENTER_PIN);
        Type(Wps()->editPinCode, c.pin);
        Next();
        EXPECT_FALSE(W()->Visible()) << c.pin;
        const std::string journal = SimJournal();
        EXPECT_NE(journal.find(std::string("WVWL_OIDSetInfo data ") + c.data), std::string::npos) << c.pin;
        EXPECT_NE(journal.find(c.call), std::string::npos) << c.pin;
        EXPECT_EQ(FormWiFiDirect->m_bOK, FALSE);
    }
}

TEST_F(WiFiDirectWizard, UnansweredRequestClosesAfterItsTimeOut)
{
    StartWith(41, false);
    SelectPeer("Phone-A", 0x0080);
    Open(ACTION_GET_CONNECT_REQUEST);
    ASSERT_TRUE(W()->TimerPopupSettingTimeOut->Enabled());
    EXPECT_EQ(W()->TimerPopupSettingTimeOut->Interval(), 120000u);
    W()->TimerPopupSettingTimeOut->Tick();
    EXPECT_FALSE(W()->Visible());
    EXPECT_EQ(FormWiFiDirect->m_bOK, FALSE);
    EXPECT_FALSE(W()->TimerPopupSettingTimeOut->Enabled());

    // The enter-PIN confirmation only logs its time-out.
    Open(ACTION_CONFIRM_ENTER_PIN);
    W()->TimerPopupSettingTimeOut->Tick();
    EXPECT_TRUE(W()->Visible());
    EXPECT_FALSE(W()->TimerPopupSettingTimeOut->Enabled());
}

TEST_F(WiFiDirectWizard, ProfileNameFromPeerIsCutTo32)
{
    StartWith(41, false);
    SelectPeer("ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", 0x0080);
    Open(ACTION_CONNECT);
    EXPECT_EQ(W()->m_strProfileName, "Profile-ABCDEFGHIJKLMNOPQRSTUVWX");
    EXPECT_EQ(Wps()->editProfileName->Text(), W()->m_strProfileName);
    EXPECT_TRUE(Wps()->editProfileName->Visible());
}

TEST_F(WiFiDirectWizard, CancelLeavesNothingApplied)
{
    StartWith(41, false);
    SelectPeer("Phone-A", 0x0080);
    Open(ACTION_CONNECT);
    Press(W()->BtnWiFiDirectCancel);
    EXPECT_FALSE(W()->Visible());
    EXPECT_EQ(FormWiFiDirect->m_bOK, FALSE);
    EXPECT_EQ(Calls("WVWL_SetWifiDirectWpseConfig"), 0);
}

// ---------------------------------------------------------------------------------------------
// Profile details: the stored record shown and saved again

TEST_F(WiFiDirectWizard, ProfileDetailSavesOnTheSecondNext)
{
    StartWith(41, false);
    StoreProfile("Profile-Phone-A", 9, "12345670");
    VOZEZIV.WVWL_WriteActiveWifiDirectWpseProfileName("Profile-Phone-A");
    W()->m_strProfileName = "Profile-Phone-A";
    FormWiFiDirect->m_nSetIntentIndex = 0;
    Open(ACTION_Profile_DETAIL);
    ASSERT_EQ(W()->m_pCurrentPage, Wps());
    EXPECT_TRUE(Wps()->editPinCode->ReadOnly());
    EXPECT_FALSE(Wps()->cboxOperatingChannel->Enabled());
    EXPECT_EQ(Wps()->cboxOperatingChannel->Text(), "6");
    EXPECT_EQ(W()->m_strSSID, "DIRECT-k2Lap");

    Next();
    EXPECT_TRUE(W()->Visible());
    EXPECT_TRUE(W()->BtnWiFiDirectBack->Enabled());
    EXPECT_EQ(Calls("WVWL_WriteWifiDirectWpseProfile"), 0);
    Next();
    EXPECT_FALSE(W()->Visible());
    EXPECT_EQ(Calls("WVWL_DeleteWifiDirectWpseProfile"), 1);
    EXPECT_EQ(Calls("WVWL_WriteWifiDirectWpseProfile"), 1);
    EXPECT_EQ(Calls("WVWL_WriteActiveWifiDirectWpseProfileName"), 1);
    WIFIDIRECT_WPSE_PROFILE saved{};
    ASSERT_EQ(VOZEZIV.WVWL_ReadWifiDirectWpseProfile(&saved, "Profile-Phone-A"), 1);
    EXPECT_EQ(saved.GoIntentIdx, 9u);
    EXPECT_EQ(saved.ulOperatingChannel, 6u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(saved.SSID), saved.SSIDLength), "DIRECT-k2Lap");
    EXPECT_EQ(std::memcmp(saved.DesiredMacAddr[0], kPeerMac, 6), 0);
}

TEST_F(WiFiDirectWizard, ProfileDetailFailedWriteKeepsTheStoredProfile)
{
    StartWith(41, true);
    StoreProfile("AutoGOLaptop", 16, "");
    W()->m_strProfileName = "AutoGOLaptop";
    Open(ACTION_Profile_DETAIL);
    ASSERT_EQ(W()->m_pCurrentPage, W()->FrameWiFiDirectSettingAutonomousGO);
    EXPECT_TRUE(W()->FrameWiFiDirectSettingAutonomousGO->editlPreshedKey->ReadOnly());
    EXPECT_EQ(W()->FrameWiFiDirectSettingAutonomousGO->editlPreshedKey->Text(), "secret-key-1");
    Next();
    EXPECT_EQ(W()->FrameWiFiDirectSettingAdvanced->editIntentIndex->Text(), "Autonomous GO index");
    std::string reply;
    const int nextWrite = SimCallCount("WVWL_WriteWifiDirectWpseProfile") + 1;
    SimCommand("inject WVWL_WriteWifiDirectWpseProfile " + std::to_string(nextWrite) + " 0", &reply);
    MarkCalls();
    Next();
    EXPECT_FALSE(W()->Visible());
    WIFIDIRECT_WPSE_PROFILE kept{};
    ASSERT_EQ(VOZEZIV.WVWL_ReadWifiDirectWpseProfile(&kept, "AutoGOLaptop"), 1);
    EXPECT_EQ(kept.GoIntentIdx, 16u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(kept.Key), kept.KeyLength), "secret-key-1");
}

// ---------------------------------------------------------------------------------------------
// SSID rule and channel lists

TEST_F(WiFiDirectWizard, SsidRuleKeepsOrReplacesTheStoredSsid)
{
    StartWith(41, false);
    SelectPeer("Phone-A", 0x0080);
    Open(ACTION_CONNECT);
    EXPECT_EQ(W()->m_strSSID, "DIRECT-Wv");  // station mode keeps the stored one
    Press(W()->BtnWiFiDirectCancel);

    FormWiFiDirect->m_strVenderSSID = std::string(30, 'v');
    Open(ACTION_AUTONOMOUSGO);
    const std::string generated = W()->m_strSSID;
    ASSERT_EQ(generated.size(), 32u);
    EXPECT_EQ(generated.rfind("DIRECT-", 0), 0u);
    EXPECT_NE(std::string(kSsidAlphabet).find(generated[7]), std::string::npos);
    EXPECT_NE(std::string(kSsidAlphabet).find(generated[8]), std::string::npos);
    EXPECT_EQ(generated.substr(9), std::string(23, 'v'));
}

TEST_F(WiFiDirectWizard, ChannelListsFollowTheAdapter)
{
    StartWith(41, false);
    TComboBox* list = Wps()->cboxOperatingChannel;
    EXPECT_EQ(W()->CheckCountryRegion("11", list, false, true), 1);
    ASSERT_EQ(list->Items().Count(), 3);
    EXPECT_EQ(list->Items().Strings(0), "1");
    EXPECT_EQ(list->Items().Strings(2), "11");
    EXPECT_EQ(list->Text(), "11");
    EXPECT_EQ(W()->CheckCountryRegion("5", list, false, true), -1);
    EXPECT_EQ(list->ItemIndex(), 0);

    EXPECT_EQ(W()->CheckCountryRegion("", list, false, false), -1);
    for (int i = 0; i < list->Items().Count(); ++i)
        for (const char* absent : {"14", "34", "38", "42", "46"})
            EXPECT_NE(list->Items().Strings(i), absent);
    EXPECT_GT(list->Items().Count(), 3);
}

} // namespace

namespace {

// Every visible control of a page lies inside it (nothing cut off at the page's edge).
void ExpectInside(TWinControl* page)
{
    for (int i = 0; i < page->ControlCount(); ++i) {
        TControl* control = page->Controls(i);
        if (!control->Visible() || control == static_cast<TFrameBase*>(page)->ImgBackground)
            continue;
        EXPECT_GE(control->Left(), 0) << page->Name << " " << control->Name;
        EXPECT_LE(control->Left() + control->Width(), page->Width()) << page->Name << " " << control->Caption();
        EXPECT_LE(control->Top() + control->Height(), page->Height()) << page->Name << " " << control->Caption();
    }
}

class WiFiDirectWizardPages : public WiFiDirectWizard {};

TEST_F(WiFiDirectWizardPages, EachPageFitsAndIsShownForItsAction)
{
    StartWith(41, true);
    SelectPeer("Phone-A", 0x0188);
    const struct {
        uint32_t action;
        const char* shot;
    } cases[] = {
        {ACTION_ENABLE, "wizard_device_name"},
        {ACTION_CONNECT, "wizard_wps"},
        {ACTION_AUTONOMOUSGO, "wizard_autonomous_go"},
    };
    TFrameBase* const expected[] = {W()->FrameWiFiDirectSettingDeviceName, Wps(), W()->FrameWiFiDirectSettingAutonomousGO};
    for (size_t i = 0; i < std::size(cases); ++i) {
        Open(cases[i].action);
        ASSERT_EQ(W()->m_pCurrentPage, expected[i]);
        ExpectInside(W()->m_pCurrentPage);
        Snapshot(W()->Handle(), cases[i].shot);
        Press(W()->BtnWiFiDirectCancel);
    }
    // The advanced page, reached from the WPS page with advanced settings on.
    Open(ACTION_CONNECT);
    Next();
    ASSERT_EQ(W()->m_pCurrentPage, W()->FrameWiFiDirectSettingAdvanced);
    ExpectInside(W()->FrameWiFiDirectSettingAdvanced);
    ExpectInside(W()->FrameWiFiDirectSettingAutonomousGO->grpBoxAutoGO);
    ExpectInside(W()->FrameWiFiDirectSettingDeviceName->rGrpDeviceName);
    Snapshot(W()->Handle(), "wizard_advanced");
    // The buttons lie inside the window.
    for (TControl* button : {static_cast<TControl*>(W()->BtnWiFiDirectBack), static_cast<TControl*>(W()->BtnWiFiDirectNext),
                             static_cast<TControl*>(W()->BtnWiFiDirectCancel), static_cast<TControl*>(W()->SysBtnClose)}) {
        EXPECT_LE(button->Left() + button->Width(), W()->ClientWidth());
        EXPECT_LE(button->Top() + button->Height(), W()->ClientHeight());
    }
}

} // namespace
