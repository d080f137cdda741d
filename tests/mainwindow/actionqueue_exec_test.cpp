// The main window's action queue carried out against a recording stand-in of
// the adapter library's entries.
#include "library_fake.h"

namespace {

using namespace fake;
using ActionQueueExec = MainWindowFake;

TEST_F(ActionQueueExec, ProfileRunsAtOnceAndIsCopiedIntoTheCurrentProfile)
{
    WLANPROFILE p = Profile("home", "HomeNet");
    EXPECT_EQ(main->InsertAction({actionTypeProfile, &p}), 1);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"StopAuth", "SetWLANProfile:home", "SetCCXInfo:0"}));
    EXPECT_STREQ(main->m_pProfData->strProfileName, "home");
    EXPECT_TRUE(main->m_pActionDataList->Empty());
}

TEST_F(ActionQueueExec, RequestWithoutCurrentProfileIsRefused)
{
    delete main->m_pProfData;
    main->m_pProfData = nullptr;
    WLANPROFILE p = Profile("home", "HomeNet");
    EXPECT_EQ(main->InsertAction({actionTypeProfile, &p}), 0);
    EXPECT_TRUE(main->m_pActionDataList->Empty());
    EXPECT_TRUE(g_calls.empty());
}

// A scan at the front holds up what is behind it while another scan runs; the survey's tick
// lets the queue go on once that scan has ended or the wait has passed its bound.
TEST_F(ActionQueueExec, ScanAtTheFrontWaitsOnlyForTheRunningScanAndItsBound)
{
    DWORD now = 100000;
    seams::clockOverride = [&now] { return now; };
    struct Case { const char* name; bool scanEnds; DWORD later; bool runs; };
    const Case cases[] = {
        {"still scanning", false, 2000, false},
        {"scan finished", true, 2000, true},
        {"scan hangs past the bound", false, kScanWaitMs, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_calls.clear();
        main->m_pActionDataList->Clear();
        now = 100000;
        FormSiteSurvey->m_bRescan = 1;   // a scan is running
        main->m_pActionDataList->Insert({actionTypeScan, nullptr});
        WLANPROFILE p = Profile("home", "HomeNet");
        EXPECT_EQ(main->InsertAction({actionTypeProfile, &p}), 0);
        EXPECT_TRUE(g_calls.empty());
        EXPECT_STREQ(main->m_pProfData->strProfileName, "home");   // copied at once all the same

        if (c.scanEnds)
            FormSiteSurvey->m_bRescan = 0;
        now += c.later;
        FormSiteSurvey->TimerSiteSurvey->Tick();

        const bool sent = std::count(g_calls.begin(), g_calls.end(), "SetWLANProfile:home") == 1;
        EXPECT_EQ(sent, c.runs);
        EXPECT_EQ(std::count(g_calls.begin(), g_calls.end(), "Scan") == 1, c.runs);
        EXPECT_EQ(main->m_pActionDataList->Empty(), c.runs);
    }
    seams::clockOverride = nullptr;
}

TEST_F(ActionQueueExec, QueuedProfileSendsItsOwnCopyWhenTheCallerReusesTheBuffer)
{
    WLANPROFILE shared = Profile("first", "NetA");
    BYTE bssid[6] = {1, 2, 3, 4, 5, 6};
    // an identity dialog is open: everything waits
    FormPeapIdPwd->Show();
    main->InsertAction({actionTypeProfile, &shared});
    main->InsertAction({actionTypeBSSID, bssid});
    shared = Profile("reused", "NetB");
    bssid[5] = 9;
    FormPeapIdPwd->Hide();
    main->InsertScanAction();   // scan at the back; the profile at the front runs
    EXPECT_EQ(g_calls, (std::vector<std::string>{"StopAuth", "SetWLANProfile:first", "SetCCXInfo:0", "SetBSSID:6",
                                                 "SetCCXInfo:0", "Scan"}));
}

TEST_F(ActionQueueExec, EmptyProfileIsDroppedAndLeavesTheRestQueued)
{
    WLANPROFILE empty{};
    NDIS_802_11_SSID ssid{};
    ssid.SsidLength = 3;
    std::memcpy(ssid.Ssid, "abc", 3);
    FormPeapIdPwd->Show();
    main->InsertAction({actionTypeProfile, &empty});
    main->InsertAction({actionTypeSSID, &ssid});
    FormPeapIdPwd->Hide();
    main->ActionExec();
    EXPECT_TRUE(g_calls.empty());
    ASSERT_EQ(main->m_pActionDataList->Count(), 1u);
    EXPECT_EQ(main->m_pActionDataList->Front().type, DWORD(actionTypeSSID));
    main->ActionExec();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"SetSSID:abc", "SetCCXInfo:0"}));
}

TEST_F(ActionQueueExec, RadioOffDropsTheProfileWithoutStoppingAuthentication)
{
    g_radio = 0;
    WLANPROFILE p = Profile("home", "HomeNet");
    EXPECT_EQ(main->InsertAction({actionTypeProfile, &p}), 1);
    EXPECT_TRUE(g_calls.empty());
    EXPECT_TRUE(main->m_pActionDataList->Empty());
}

TEST_F(ActionQueueExec, PeerToPeerProfileInConcurrentModeKeepsAuthentication)
{
    g_opMode = OP_MODE_STA_WIFI_DIRECT;
    WLANPROFILE p = Profile("p2p", "DIRECT-xy");
    p.enumNetworkType = 7;
    main->InsertAction({actionTypeProfile, &p});
    EXPECT_EQ(g_calls.front(), "SetWLANProfile:p2p");
}

TEST_F(ActionQueueExec, ManagementFrameProtectionOnOlderWindows)
{
    VOZEZIV.nWinOS = 21;
    struct Case { uint32_t status; uint32_t sent; bool mfpBit; };
    for (Case c : {Case{11, 6, true}, Case{10, 4, true}, Case{6, 6, false}}) {
        g_calls.clear();
        g_ccxWord = CCX2_MFP | 0x1;   // the bit is stored cleared when not wanted
        if (c.mfpBit)
            g_ccxWord = 0x1;
        WLANPROFILE p = Profile("mfp", "Secure");
        p.enumAuthenMode = 7;
        p.enumEncryStatus = c.status;
        main->InsertAction({actionTypeProfile, &p});
        EXPECT_EQ(g_sentProfile.enumEncryStatus, c.sent) << c.status;
        EXPECT_EQ((g_storedCcx & CCX2_MFP) != 0, c.mfpBit) << c.status;
        EXPECT_EQ(g_storedCcx & 0x1, 1u);
    }
}

TEST_F(ActionQueueExec, PowerSaveModeIsTakenFromTheAdapterWithoutTheAdvancedPage)
{
    VOZEZIV.bProfAdvPage = 0;
    WLANPROFILE p = Profile("ps", "Net");
    main->InsertAction({actionTypeProfile, &p});
    EXPECT_EQ(g_sentProfile.enumPSMode, 2u);
}

TEST_F(ActionQueueExec, CancelledIdentityQuestionAbandonsOnlyThatConnect)
{
    VOZEZIV.nWinOS = 21;
    g_wpaCapable = 1;
    seams::modalAnswer = [](const std::string&) { return 2; };
    WLANPROFILE p = Profile("peap", "Corp");
    p.enumAuthenMode = 6;
    p.enumAuthenProtocol = 0;
    p.enumTunnel = 6;
    p.nPasswordMode = 0;
    NDIS_802_11_SSID ssid{};
    ssid.SsidLength = 1;
    ssid.Ssid[0] = 'x';
    FormPeapIdPwd->Show();
    main->InsertAction({actionTypeProfile, &p});
    main->InsertAction({actionTypeSSID, &ssid});
    FormPeapIdPwd->Hide();
    main->ActionExec();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"StopAuth"}));
    EXPECT_FALSE(main->m_bReConnect);
    ASSERT_EQ(main->m_pActionDataList->Count(), 1u);
    EXPECT_EQ(main->m_pActionDataList->Front().type, DWORD(actionTypeSSID));
}

TEST_F(ActionQueueExec, AnsweredIdentityQuestionSendsTheNewIdentity)
{
    VOZEZIV.nWinOS = 21;
    g_wpaCapable = 1;
    seams::modalAnswer = [](const std::string&) {
        FormPeapIdPwd->m_strTunnelID = "alice";
        FormPeapIdPwd->m_strTunnelPassword = "secret";
        return 1;
    };
    WLANPROFILE p = Profile("peap", "Corp");
    p.enumAuthenMode = 6;
    p.enumTunnel = 6;
    std::strcpy(p.chID, "old");
    main->InsertAction({actionTypeProfile, &p});
    EXPECT_STREQ(g_sentProfile.chID, "alice");
    EXPECT_STREQ(g_sentProfile.chPassword, "secret");
    EXPECT_TRUE(main->m_bReConnect);
}

TEST_F(ActionQueueExec, OverlongIdentityIsCutToItsField)
{
    VOZEZIV.nWinOS = 21;
    g_wpaCapable = 1;
    seams::modalAnswer = [](const std::string&) {
        FormPeapIdPwd->m_strTunnelID = std::string(300, 'i');
        FormPeapIdPwd->m_strTunnelPassword = std::string(500, 'p');
        return 1;
    };
    WLANPROFILE p = Profile("peap", "Corp");
    p.enumAuthenMode = 6;
    p.enumTunnel = 6;
    main->InsertAction({actionTypeProfile, &p});
    EXPECT_EQ(strnlen(g_sentProfile.chID, sizeof g_sentProfile.chID), 127u);
    EXPECT_EQ(strnlen(g_sentProfile.chPassword, sizeof g_sentProfile.chPassword), 127u);
    EXPECT_EQ(g_sentProfile.chServerName[0], 0);   // nothing spilled into the next field
}

TEST_F(ActionQueueExec, ThreeSilentRetriesThenTheInvalidIdentityDialog)
{
    int shown = 0;
    seams::modalAnswer = [&shown](const std::string&) { ++shown; return 1; };
    std::strcpy(g_pRegProfData->strProfileName, "reg");
    main->m_nAuthFailState = 0;
    for (int i = 0; i < 3; ++i)
        main->OnAuthFailRetry();
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(main->m_nAuthRetryCount, 3u);
    EXPECT_EQ(std::count(g_calls.begin(), g_calls.end(), "SetWLANProfile:reg"), 3);
    main->OnAuthFailRetry();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(main->m_nAuthRetryCount, 0u);

    main->m_nAuthFailState = 1;   // identity rejected: the dialog at once
    main->OnAuthFailRetry();
    EXPECT_EQ(shown, 2);
}

// A silent retry sends again what the connect actually sent: the identity typed at the question,
// the rewritten management-frame-protection status and the adapter's power-save mode, not the
// untouched start-up record the request was made from.
TEST_F(ActionQueueExec, SilentRetryResendsTheProfileAsSent)
{
    VOZEZIV.nWinOS = 21;
    VOZEZIV.bProfAdvPage = 0;
    g_wpaCapable = 1;
    seams::modalAnswer = [](const std::string&) {
        FormPeapIdPwd->m_strTunnelID = "alice";
        FormPeapIdPwd->m_strTunnelPassword = "secret";
        return 1;
    };
    std::memset(g_pRegProfData, 0, sizeof(WLANPROFILE));
    std::strcpy(g_pRegProfData->strProfileName, "reg");
    g_pRegProfData->SSID.SsidLength = 4;
    std::memcpy(g_pRegProfData->SSID.Ssid, "Corp", 4);
    g_pRegProfData->enumNetworkType = 1;
    g_pRegProfData->enumAuthenMode = 6;
    g_pRegProfData->enumTunnel = 6;
    g_pRegProfData->enumEncryStatus = 11;
    main->InsertAction({actionTypeProfile, g_pRegProfData});
    const WLANPROFILE first = g_sentProfile;
    ASSERT_STREQ(first.chID, "alice");

    main->m_nAuthFailState = 0;
    g_calls.clear();
    SendMessageA(main->Handle(), WM_USER + 20, 0, 0);   // MSG_AUTH_FAIL_RETRY

    EXPECT_EQ(g_calls, (std::vector<std::string>{"SetWLANProfile:reg"}));
    EXPECT_STREQ(g_sentProfile.chID, "alice");
    EXPECT_STREQ(g_sentProfile.chPassword, "secret");
    EXPECT_EQ(g_sentProfile.enumEncryStatus, 6u);
    EXPECT_EQ(g_sentProfile.enumPSMode, 2u);
    EXPECT_EQ(std::memcmp(&g_sentProfile, &first, sizeof first), 0);
}

}  // namespace
