// TDLS links to a Wi-Fi Display device: the request to the driver, the wait dialog with its
// ticks, time-out and cancel, and the popup's TDLS connect road up to the sink's connect.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "resources/FormResource.h"
#include "resources/UiStr.h"
#include "ui/Seams.h"
#include "wifidisplay/FormWDPTDLSProgressMsg.h"
#include "wifidisplay/source_fixture.h"

namespace {

const BYTE kDevice[6] = {0x02, 0x50, 0xF2, 0xAA, 0x00, 0x01};
const BYTE kTdls[6] = {0x0E, 0x50, 0xF2, 0xAA, 0x00, 0x01};
const BYTE kAddress[4] = {192, 168, 1, 50};

class Tdls : public SourceFixture {
protected:
    void TearDown() override
    {
        SourceFixture::TearDown();
    }
    void StartTdls()
    {
        WriteINIStr("WiFiDisplay", "TDLS", "1", "ini", "");
        StartOn({1366, 768}, {{1366, 768, 32, 60}});
        ASSERT_EQ(FormWiFiDisplay->iUseTDLS, 1u);
        m_wait = FormWDPTDLSProgressMsg;
        ASSERT_TRUE(m_wait);
    }
    // The device (a source preferring TDLS) with its TDLS MAC and address in the driver's table.
    void DeviceTable(int clientNumber = 1)
    {
        WDP_ENTRY e = Entry(kDevice, 0x0090);
        std::memcpy(e.TdlsMac, kTdls, 6);
        std::memcpy(e.TdlsIp, kAddress, 4);
        Table(0, uint8_t(clientNumber), {e}, {0});
    }
    // Driver answer to link requests, and how many table reads pass before the address shows.
    void Driver(int result, int reads)
    {
        std::string reply;
        SimCommand("wdptdls " + std::to_string(result) + " " + std::to_string(reads), &reply);
        ASSERT_EQ(reply, "ok\n");
    }
    std::vector<std::string> Requests()
    {
        std::vector<std::string> lines;
        const std::string journal = SimJournal();
        for (size_t at = journal.find("wdp tdls request "); at != std::string::npos;
             at = journal.find("wdp tdls request ", at + 1))
            lines.push_back(journal.substr(at + 17, journal.find('\n', at) - at - 17));
        return lines;
    }
    // The user's click on the dialog's cancel picture, through the dialog's window.
    void ClickCancel()
    {
        const TWvImage* button = m_wait->BtnProgCancel;
        const LPARAM at = MAKELPARAM(button->Left() + 5, button->Top() + 5);
        SendMessageA(m_wait->Handle(), WM_MOUSEMOVE, 0, at);
        SendMessageA(m_wait->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(m_wait->Handle(), WM_LBUTTONUP, 0, at);
    }
    void Tick(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            m_wait->TimerProgress->Tick();
    }
    TFormWDPTDLSProgressMsg* m_wait = nullptr;
};

TEST_F(Tdls, RequestBytesFromTheMacText)
{
    StartTdls();
    // dashes, colons, lower case and no separators give the same request
    const char* const same[] = {"0E:50:F2:AA:00:01", "0e-50-f2-aa-00-01", "0E50F2AA0001"};
    for (const char* text : same) {
        SimJournalClear();
        EXPECT_EQ(FormWiFiDisplay->DoTDLS(0, text), 1) << text;
        EXPECT_EQ(FormWiFiDisplay->m_strWDPConnectedMac, "0e-50-f2-aa-00-01") << text;
        EXPECT_EQ(Requests(), std::vector<std::string>{"0E:50:F2:AA:00:01 action=1 kind=2 bytes "
                                                       "000000000E50F2AA00010001020000000000000000000000 -> 1"})
            << text;
    }
    // anything but 12 hex digits is refused before the driver is asked
    const char* const refused[] = {"", "0E:50:F2:AA:00", "0E:50:F2:AA:00:01:02", "ZZ:50:F2:AA:00:01"};
    for (const char* text : refused) {
        SimJournalClear();
        FormWiFiDisplay->m_strWDPConnectedMac = "kept";
        EXPECT_EQ(FormWiFiDisplay->DoTDLS(0, text), 0) << text;
        EXPECT_TRUE(Requests().empty()) << text;
        EXPECT_EQ(FormWiFiDisplay->m_strWDPConnectedMac, "kept") << text;
    }
    // the driver's refusal is only logged
    Driver(-5, -1);
    SimJournalClear();
    EXPECT_EQ(FormWiFiDisplay->DoTDLS(0, "0E:50:F2:AA:00:01"), 1);
    ASSERT_EQ(Requests().size(), 1u);
    EXPECT_NE(Requests()[0].find("-> -5"), std::string::npos);
}

TEST_F(Tdls, WaitDialogTicksUntilTheAddressShows)
{
    StartTdls();
    DeviceTable();
    Driver(1, 2);
    ASSERT_EQ(FormWiFiDisplay->DoTDLS(0, WDPMacText(kTdls)), 1);
    m_wait->SetTargetMac("02-50-f2-aa-00-01");  // either separator, any case
    m_wait->Show();
    ASSERT_TRUE(m_wait->TimerProgress->Enabled());
    EXPECT_EQ(m_wait->m_nFrame, 0);
    for (int tick = 1; tick <= 2; ++tick) {
        Tick();
        EXPECT_EQ(m_wait->m_nFrame, tick);
        EXPECT_EQ(m_wait->m_bTDLSConnectFail, 1);
        EXPECT_EQ(m_wait->m_strTDLSIP, "0.0.0.0");
        EXPECT_TRUE(m_wait->Visible());
    }
    Tick();
    EXPECT_EQ(m_wait->m_nFrame, 3);
    EXPECT_EQ(m_wait->m_bTDLSConnectFail, 0);
    EXPECT_EQ(m_wait->m_strTDLSIP, "192.168.1.50");
    EXPECT_FALSE(m_wait->TimerProgress->Enabled());
    EXPECT_FALSE(m_wait->Visible());
    EXPECT_TRUE(m_modals.empty());
}

TEST_F(Tdls, WaitDialogGivesUpOnTheThirtiethTick)
{
    StartTdls();
    struct Case {
        const char* what;
        int clientNumber;
    };
    // no link ever comes up; a table with an impossible count has no address either
    const Case cases[] = {{"no address", 1}, {"count above the table", 31}};
    Driver(-1, 0);
    for (const Case& c : cases) {
        DeviceTable(c.clientNumber);
        m_modals.clear();
        m_wait->SetTargetMac(WDPMacText(kDevice));
        m_wait->Show();
        Tick(29);
        EXPECT_TRUE(m_wait->Visible()) << c.what;
        EXPECT_EQ(m_wait->m_nFrame, 29 % 10) << c.what;
        EXPECT_TRUE(m_modals.empty()) << c.what;
        Tick();
        EXPECT_FALSE(m_wait->Visible()) << c.what;
        EXPECT_FALSE(m_wait->TimerProgress->Enabled()) << c.what;
        EXPECT_EQ(m_wait->m_bTDLSConnectFail, 1) << c.what;
        ASSERT_EQ(m_modals.size(), 1u) << c.what;
        EXPECT_NE(m_modals[0].find(FormResource->UI_Str->STR_TDLS_CONNECT_FAIL), std::string::npos) << c.what;
    }
}

TEST_F(Tdls, CancelKeepsTheOutcomeOfItsOwnWait)
{
    StartTdls();
    DeviceTable();
    Driver(1, 0);
    ASSERT_EQ(FormWiFiDisplay->DoTDLS(0, WDPMacText(kTdls)), 1);
    m_wait->SetTargetMac(WDPMacText(kDevice));

    // cancelled before the link is up: failure
    Driver(1, 5);
    ASSERT_EQ(FormWiFiDisplay->DoTDLS(0, WDPMacText(kTdls)), 1);
    m_wait->Show();
    Tick();
    ClickCancel();
    EXPECT_FALSE(m_wait->Visible());
    EXPECT_FALSE(m_wait->TimerProgress->Enabled());
    EXPECT_EQ(m_wait->m_bTDLSConnectFail, 1);

    // a click that arrives after the tick that found the address changes nothing, and the
    // link is left up
    Driver(1, 0);
    ASSERT_EQ(FormWiFiDisplay->DoTDLS(0, WDPMacText(kTdls)), 1);
    SimJournalClear();
    m_wait->Show();
    Tick();
    ASSERT_EQ(m_wait->m_bTDLSConnectFail, 0);
    ClickCancel();
    EXPECT_EQ(m_wait->m_bTDLSConnectFail, 0);
    EXPECT_EQ(m_wait->m_strTDLSIP, "192.168.1.50");
    EXPECT_EQ(SimJournal().find("wdp tdls teardown"), std::string::npos);

    // the next wait starts afresh: cancelled at once, it reports failure, not the last success
    m_wait->Show();
    EXPECT_EQ(m_wait->m_bTDLSConnectFail, 1);
    EXPECT_EQ(m_wait->m_strTDLSIP, "");
    ClickCancel();
    EXPECT_FALSE(m_wait->Visible());
    EXPECT_EQ(m_wait->m_bTDLSConnectFail, 1);
    EXPECT_EQ(m_wait->m_strTDLSIP, "");
}

// The popup's TDLS connect: the request, the wait (shown while its real timer ticks), and on
// success the connection recorded and the sink's connect timer started with the address.
TEST_F(Tdls, ConnectFromThePopup)
{
    StartTdls();
    DeviceTable();
    FormWiFiDisplay->Show();
    FormWiFiDisplay->rbPSink->SetChecked(true);
    FormWiFiDisplay->m_WDPConfig.DevInfo = 1;
    m_wait->TimerProgress->SetInterval(20);
    bool cancelAtOnce = false;
    seams::modalAnswer = [&](const std::string& what) {
        m_modals.push_back(what);
        if (what.rfind("FormWDPTDLSProgressMsg", 0) != 0)
            return 1;
        m_wait->Show();
        if (cancelAtOnce)
            ClickCancel();
        PumpUntil([&] { return !m_wait->Visible(); }, 5000);
        return 2;
    };
    const auto connect = [&] {
        FormWiFiDisplay->GetUpdateDiscovery();
        ASSERT_EQ(FormWiFiDisplay->lvWDPList->ItemCount(), 1);
        FormWiFiDisplay->lvWDPList->Item(0)->SetSelected(true);
        const std::vector<std::string> shown = Popup(FormWiFiDisplay->ID_TRAY_TDLS_CONNECT);
        EXPECT_NE(std::find(shown.begin(), shown.end(), "TDLS Connect"), shown.end());
    };

    // the driver refuses the link: the wait times out and nothing is recorded
    Driver(-1, 1);
    SimJournalClear();
    connect();
    EXPECT_EQ(Requests().size(), 1u);
    EXPECT_EQ(FormWiFiDisplay->m_iNowConnectType, WDP_CONNECT_NONE);
    EXPECT_FALSE(FormWiFiDisplay->TimerConnectRTSPServer->Enabled());
    EXPECT_TRUE(Logged("TDLS connect fail"));

    // the link comes up on the third read: connection recorded, the sink's timer connects
    Driver(1, 2);
    m_modals.clear();
    connect();
    ASSERT_EQ(FormWiFiDisplay->m_iNowConnectType, WDP_CONNECT_TDLS);
    EXPECT_EQ(FormWiFiDisplay->m_strWDPConnectedMac, WDPMacText(kDevice));
    EXPECT_EQ(FormWiFiDisplay->m_strWDPConnectedIP, "192.168.1.50");
    EXPECT_EQ(FormWiFiDisplay->lvWDPList->Item(0)->ImageIndex(), 0);
    ASSERT_TRUE(FormWiFiDisplay->TimerConnectRTSPServer->Enabled());
    PlayerClear();
    ASSERT_EQ(FormWiFiDisplay->QueryWDPTable(), 1);  // as the driver's table event has it read
    FormWiFiDisplay->TimerConnectRTSPServer->Tick();
    bool connected = false;
    for (const std::string& line : PlayerCalls())
        connected = connected || line.rfind("SetPath(\"rtsp://192.168.1.50:7236\"", 0) == 0;
    EXPECT_TRUE(connected);
    EXPECT_TRUE(FormWiFiDisplay->TimerRTSPRetry->Enabled());

    // a later wait cancelled at once does not take the earlier success for its own
    FormWiFiDisplay->ResetAllParameter();
    cancelAtOnce = true;
    connect();
    EXPECT_EQ(FormWiFiDisplay->m_iNowConnectType, WDP_CONNECT_NONE);
    EXPECT_EQ(FormWiFiDisplay->m_strWDPConnectedIP, "");
    EXPECT_FALSE(FormWiFiDisplay->TimerConnectRTSPServer->Enabled());
}

}  // namespace
