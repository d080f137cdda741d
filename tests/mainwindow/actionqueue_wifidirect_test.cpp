// A Wi-Fi Direct WPS result queued on the main window: saved as a group profile
// for the known peer, then connected.
#include "library_fake.h"
#include "wifidirect/FormWiFiDirect.h"

namespace {

using namespace fake;

WIFIDIRECT_WPSE_PROFILE g_saved{};
std::string g_savedName, g_activeName;
unsigned long g_persistent = 99;
BYTE g_content[124] = {};

int __stdcall FakeWriteWpse(const char* name, const void* profile)
{
    g_savedName = name;
    std::memcpy(&g_saved, profile, sizeof g_saved);
    return 1;
}
int __stdcall FakeWriteActive(const char* name)
{
    g_activeName = name;
    return 1;
}
int g_listRefreshes = 0;
int __stdcall FakeReadWpseList(void* profiles, unsigned long* count)
{
    if (!profiles)
        ++g_listRefreshes;
    *count = 0;
    return 1;
}
int __stdcall FakeYes()
{
    return 1;
}
int __stdcall FakeConnectWpse(unsigned long persistent, const void* content)
{
    g_persistent = persistent;
    std::memcpy(g_content, content, sizeof g_content);
    g_calls.push_back("ConnectWpse");
    return 1;
}

class WiFiDirectAction : public MainWindowFake {
protected:
    void SetUp() override
    {
        MainWindowFake::SetUp();
        VOZEZIV.WVWL_WriteWifiDirectWpseProfile = FakeWriteWpse;
        VOZEZIV.WVWL_WriteActiveWifiDirectWpseProfileName = FakeWriteActive;
        VOZEZIV.WVWL_ConnectWPSProfileWithWifiDirectWpse = FakeConnectWpse;
        VOZEZIV.WVWL_ReadWifiDirectWpseProfileList = FakeReadWpseList;
        VOZEZIV.WVWL_DetectUserAdmin = FakeYes;
        VOZEZIV.WVWL_IsAllowStandardUserSetProfile = FakeYes;
        g_listRefreshes = 0;
        Application->CreateForm(FormWiFiDirectSetting);
        Application->CreateForm(FormWiFiDirectProfile);
        Application->CreateForm(FormWiFiDirect);
        WIFI_DIRECT_TOPOPOGY peer;
        std::memcpy(peer.Device.chMacAddr, kPeer, 6);
        std::memcpy(peer.Device.chDeviceName, "Living Room TV", 14);
        peer.Device.ulStringLen = 14;
        FormWiFiDirect->m_vecTopology.push_back(peer);
        FormWiFiDirectSetting->m_strDeviceName = "MyLaptop";
        g_savedName.clear();
        g_activeName = "unset";
    }

    // The WPS-done part of the status record: persistent byte, then the content.
    void FillWpsDone(BYTE* w, BYTE persistent)
    {
        std::memset(w, 0, 128);
        w[0] = persistent;
        w[4] = 1;   // content valid
        std::memcpy(w + 6, kPeer, 6);
        uint32_t ssidLength = 9, keyLength = 8;
        std::memcpy(w + 12, &ssidLength, 4);
        std::memcpy(w + 16, "DIRECT-ab", 9);
        std::memcpy(w + 60, &keyLength, 4);
        std::memcpy(w + 64, "12345678", 8);
    }

    static constexpr BYTE kPeer[6] = {2, 0, 0, 0, 0, 7};
};

TEST_F(WiFiDirectAction, PersistentGroupIsSavedForThePeerAndConnected)
{
    FormWiFiDirectSetting->FrameWiFiDirectSettingWPS->m_bPersistSupported = 1;
    BYTE status[1808];
    FillWpsDone(status + 4, 1);
    main->InsertAction({actionTypeWiFiDirectProfile, status + 4});
    EXPECT_EQ(g_savedName, "Profile-Living Room TV");
    EXPECT_EQ(g_activeName, "Profile-Living Room TV");
    EXPECT_EQ(g_saved.ConfigMode, 3u);
    EXPECT_EQ(g_saved.GoIntentIdx, 7u);
    EXPECT_EQ(g_saved.PeerDeviceNameCount, 1u);
    EXPECT_EQ(g_saved.DesiredMacCount, 1u);
    EXPECT_EQ(std::memcmp(g_saved.DesiredMacAddr[0], kPeer, 6), 0);
    EXPECT_EQ(std::string(g_saved.DeviceName, g_saved.DeviceNameLength), "MyLaptop");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(g_saved.SSID), g_saved.SSIDLength), "DIRECT-ab");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(g_saved.Key), g_saved.KeyLength), "12345678");
    EXPECT_EQ(g_listRefreshes, 1);
    EXPECT_EQ(g_persistent, 1u);
    EXPECT_EQ(g_content[0], 1);   // the content starts with its valid byte
}

TEST_F(WiFiDirectAction, WithoutSavedProfilesItOnlyConnects)
{
    FormWiFiDirectSetting->FrameWiFiDirectSettingWPS->m_bPersistSupported = 0;
    BYTE w[128];
    FillWpsDone(w, 0);
    main->InsertAction({actionTypeWiFiDirectProfile, w});
    EXPECT_TRUE(g_savedName.empty());
    EXPECT_EQ(g_activeName, "");
    EXPECT_EQ(g_listRefreshes, 0);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"ConnectWpse"}));
    EXPECT_EQ(g_persistent, 0u);
}

TEST_F(WiFiDirectAction, QueuedResultKeepsItsOwnCopyAndHostileLengthsAreCut)
{
    FormWiFiDirectSetting->FrameWiFiDirectSettingWPS->m_bPersistSupported = 1;
    BYTE w[128];
    FillWpsDone(w, 1);
    uint32_t huge = 0xFFFFFFFF;
    std::memcpy(w + 12, &huge, 4);
    std::memcpy(w + 60, &huge, 4);
    FormPeapIdPwd->Show();   // everything waits
    main->InsertAction({actionTypeWiFiDirectProfile, w});
    std::memset(w, 0, sizeof w);   // the caller reuses its record
    FormPeapIdPwd->Hide();
    main->ActionExec();
    EXPECT_EQ(g_persistent, 1u);
    EXPECT_EQ(g_saved.SSIDLength, 32u);
    EXPECT_EQ(g_saved.KeyLength, 64u);
}

TEST_F(WiFiDirectAction, RadioOffDropsIt)
{
    g_radio = 0;
    BYTE w[128];
    FillWpsDone(w, 1);
    EXPECT_EQ(main->InsertAction({actionTypeWiFiDirectProfile, w}), 1);
    EXPECT_TRUE(g_calls.empty());
    EXPECT_TRUE(main->m_pActionDataList->Empty());
}

}  // namespace
