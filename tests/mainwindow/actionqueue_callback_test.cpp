// The adapter callback: codes that queue work or touch windows reach the main
// window's thread; texts handed back are cut to their buffers.
#include <thread>

#include "library_fake.h"

namespace {

using namespace fake;
using AdapterCallback = MainWindowFake;

void CallFromLibraryThread(int code, const void* data, int out)
{
    std::thread library([=] { rsCallBackFunc(code, data, out); });
    library.join();
}

TEST_F(AdapterCallback, DiagnosticProfileIsQueuedOnTheWindowThread)
{
    DWORD on = 1;
    CallFromLibraryThread(25, &on, 0);
    EXPECT_TRUE(g_profileThreads.empty());   // nothing ran on the library's thread
    PumpMessages();
    ASSERT_EQ(g_profileThreads.size(), 1u);
    EXPECT_EQ(g_profileThreads[0], GetCurrentThreadId());
    EXPECT_STREQ(g_sentProfile.strProfileName, "active");
}

TEST_F(AdapterCallback, DiagnosticProfileOffDoesNothing)
{
    DWORD off = 0;
    CallFromLibraryThread(25, &off, 0);
    PumpMessages();
    EXPECT_EQ(g_calls, std::vector<std::string>{});
}

TEST_F(AdapterCallback, WpsProgressReachesTheEditorOnTheWindowThread)
{
    // code: the external registrar's code; found: the device flag after it (from false).
    const struct {
        int code;
        bool found;
    } cases[] = {{222, true}, {201, true}, {202, true}, {223, false}, {222, true}, {214, false}};
    for (const auto& c : cases) {
        const BOOL before = FormProfileEdit->m_bExtRegDeviceFound;
        CallFromLibraryThread(c.code, nullptr, 0);
        EXPECT_EQ(FormProfileEdit->m_bExtRegDeviceFound, before) << c.code;  // not on the library's thread
        PumpMessages();
        EXPECT_EQ(bool(FormProfileEdit->m_bExtRegDeviceFound), c.found) << c.code;
    }
}

TEST_F(AdapterCallback, IdentityRejectedDisconnectsAndRetriesOnTheWindowThread)
{
    int shown = 0;
    seams::modalAnswer = [&shown](const std::string&) { ++shown; return 1; };
    CallFromLibraryThread(16, nullptr, 0);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"Disconnect"}));
    EXPECT_EQ(main->m_nAuthFailState, 1u);
    EXPECT_FALSE(main->m_bReConnect);
    EXPECT_EQ(shown, 0);
    PumpMessages();
    EXPECT_EQ(shown, 1);   // the invalid-identity dialog, on the window thread
}

TEST_F(AdapterCallback, TimeoutOfABssidProfileIsIgnored)
{
    main->m_pProfData->bBssid = 1;
    CallFromLibraryThread(17, nullptr, 0);
    EXPECT_EQ(g_calls, std::vector<std::string>{});
    main->m_pProfData->bBssid = 0;
    main->m_pProfData->ccx2Ctrl = CCX2_ROTATE_PROFILE;
    CallFromLibraryThread(17, nullptr, 0);
    EXPECT_EQ(g_calls, std::vector<std::string>{});
}

TEST_F(AdapterCallback, PasswordRequestAnswersWithTheStoredPasswordFromTheLowByte)
{
    std::strcpy(main->m_pProfData->chPassword, "before");
    char out[128];
    std::memset(out, 'x', sizeof out);
    int shown = 0;
    seams::modalAnswer = [&shown](const std::string&) {
        ++shown;
        FormPeapIdPwd->m_strTunnelPassword = "after";
        return 1;
    };
    CallFromLibraryThread(0x114, nullptr, int(reinterpret_cast<INT_PTR>(out)));
    EXPECT_STREQ(out, "before");
    EXPECT_EQ(shown, 0);
    PumpMessages();
    EXPECT_EQ(shown, 1);
    EXPECT_STREQ(main->m_pProfData->chPassword, "after");
    EXPECT_EQ(g_calls, (std::vector<std::string>{"WriteIDnPasswd:/after"}));
}

TEST_F(AdapterCallback, PacTextsAreCutToTheirBuffers)
{
    char aid[300];
    std::memset(aid, 'A', sizeof aid);   // no terminator at all
    CallFromLibraryThread(21, aid, 0);
    EXPECT_EQ(std::strlen(g_szPacAid), sizeof g_szPacAid - 1);

    char out[256];
    CallFromLibraryThread(23, nullptr, int(reinterpret_cast<INT_PTR>(out)));
    EXPECT_EQ(strnlen(out, sizeof out), sizeof out - 1);
    EXPECT_EQ(std::strlen(g_szPacPath), sizeof g_szPacPath - 1);
}

TEST_F(AdapterCallback, UnknownCodesAndLogOnlyCodesChangeNothing)
{
    for (int code : {0, 1, 3, 4, 5, 6, 7, 14, 15, 22, 26, 30, 31, 32, 99, 255})
        CallFromLibraryThread(code, nullptr, 0);
    PumpMessages();
    EXPECT_EQ(g_calls, std::vector<std::string>{});
    EXPECT_TRUE(main->m_bReConnect);
    EXPECT_EQ(main->m_nAuthFailState, 3u);
}

}  // namespace

namespace {

using fake::g_calls;

TEST_F(MainWindowFake, EveryCallbackCodeIsRecognisedByItsLowByte)
{
    std::vector<std::string> lines;
    seams::modalAnswer = [](const std::string&) { return 2; };
    VOZEZIV.nDebugMode = 8;
    seams::logSink = [&lines](const char* line) { lines.push_back(line); };
    const std::pair<int, const char*> codes[] = {
        {3, "RS_CBS_CHANGE_PASSWORD_SUCCESS"}, {4, "RS_CBS_AU_STATUS_LINK_DOWN"},
        {5, "RS_CBS_AU_STATUS_START"}, {6, "RS_CBS_AU_STATUS_LINK_UP"},
        {7, "RS_CBS_AU_STATUS_AUTHENTICATING"}, {14, "RS_CBS_AU_STATUS_AUTHENTICATED"},
        {15, "RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS"}, {0x210, "RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED"},
        {17, "RS_CBS_AU_STATUS_AUTH_TIMEOUT"}, {20, "RS_CBS_CHANGE_PASSWORD_REQUEST"},
        {21, "RS_CBS_FAST_PAC_AID_INFO"}, {22, "RS_CBS_FAST_INVALID_PAC_OPAQUE"},
        {23, "RS_CBS_FAST_LOAD_PAC"}, {25, "RS_CCX_DIAG_PROFILE"}, {26, "RS_CCX_AIRONET_MSG_STR"},
        {29, "RS_CBS_AU_STATUS_MEDIA_CONNECT"}, {30, "RS_CBS_AU_STATUS_MEDIA_DISCONNECT"},
        {31, "RS_CBS_ICV_ERROR"}, {32, "RS_CBS_PORT_SECURED"}, {201, "RC_STATUS_WPS_EAP"},
        {214, "RC_STATUS_WPS_EAP"}, {224, "RC_STATUS_WPS_EAP"},
    };
    DWORD zero = 0;
    for (const auto& [code, name] : codes) {
        lines.clear();
        rsCallBackFunc(code, &zero, 0);
        const std::string expected = std::string("[rsCallBackFunc] >>") + name + "<<\n";
        bool found = std::any_of(lines.begin(), lines.end(),
                                 [&](const std::string& l) { return l.find(expected) != std::string::npos; });
        EXPECT_TRUE(found) << code;
    }
    seams::logSink = nullptr;
    fake::PumpMessages();
}

}  // namespace
