#include "wifidirect/wifidirect_fixture.h"

#include <cstdio>
#include <cstring>

#include "mainwindow/FormMain.h"
#include "ui/Seams.h"
#include "ui/Snapshot.h"
#include "core/WvwlLib.h"
#include "wifidirect/WiFiDirectSetting.h"

void WiFiDirectFixture::TearDown()
{
    relaunchExecOverride = nullptr;
    ProgramFixture::TearDown();
}

void WiFiDirectFixture::Start(int winOS)
{
    TScenario scenario;
    scenario.Set("System", "WinOS", std::to_string(winOS));
    if (m_scenarioEdit)
        m_scenarioEdit(scenario);
    seams::modalAnswer = [this](const std::string& what) {
        m_modals.push_back(what);
        if (m_onModal)
            m_onModal(what);
        return m_answer;
    };
    relaunchExecOverride = [](const std::string&, UINT) { return 33u; };
    StartProgram(scenario);
    if (FormMain->m_hInitWiFiDirectThread)
        WaitForSingleObject(FormMain->m_hInitWiFiDirectThread, 10000);
    Pump(20);
    m_modals.clear();
}

void WiFiDirectFixture::SetStoredFlag(bool on)
{
    VOZEZIV.WVWL_WriteWifiDirectFlag(on ? 1 : 0);
}

std::string WiFiDirectFixture::WrittenPin()
{
    std::string reply;
    SimCommand("p2p pin", &reply);
    if (!reply.empty() && reply.back() == '\n')
        reply.pop_back();
    return reply;
}

WIFI_DIRECT_STATUS WiFiDirectFixture::Event(uint8_t code)
{
    WIFI_DIRECT_STATUS status{};
    status.WifiDirectStatus = code;
    return status;
}

void WiFiDirectFixture::Deliver(const WIFI_DIRECT_STATUS& status, size_t bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(&status);
    std::string hex;
    for (size_t i = 0; i < bytes && i < sizeof status; ++i) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", p[i]);
        hex += two;
    }
    std::string reply;
    // delivered here, not by the event thread as well
    SimCommand("p2p disarm");
    SimCommand("p2pstatus " + hex, &reply);
    ASSERT_EQ(reply, "ok\n");
    MarkCalls();
    SendMessageA(FormWiFiDirect->Handle(), MSG_WIFIDIRECT_EVENET, 0, 0);
}

bool WiFiDirectFixture::Logged(const std::string& part)
{
    return SimJournal().find(part) != std::string::npos;
}

void WiFiDirectFixture::MarkCalls()
{
    SimJournalClear();
}

int WiFiDirectFixture::CallsSinceMark(const char* entry)
{
    const std::string journal = SimJournal();
    const std::string needle = std::string(entry) + "(";
    int count = 0;
    for (size_t at = journal.find(needle); at != std::string::npos; at = journal.find(needle, at + 1))
        if (at == 0 || journal[at - 1] == '\n' || journal[at - 1] == ' ')
            ++count;
    return count;
}

int WiFiDirectFixture::Acknowledgements(unsigned long request)
{
    char needle[64];
    std::snprintf(needle, sizeof needle, "WVWL_OIDSetInfo(0x%08lX 4)", request);
    const std::string journal = SimJournal();
    int count = 0;
    for (size_t at = journal.find(needle); at != std::string::npos; at = journal.find(needle, at + 1))
        ++count;
    return count;
}

bool WiFiDirectFixture::WaitForDhcpThread()
{
    return PumpUntil([this] { return SimJournal().find("<-- EnableDHCPThread") != std::string::npos; }, 5000);
}

void WiFiDirectFixture::TurnOn()
{
    SetStoredFlag(false);
    auto previous = m_onModal;
    m_onModal = [](const std::string&) { FormWiFiDirect->m_bOK = TRUE; };
    FormMain->InitWiFidirect(TRUE);
    m_onModal = previous;
    ASSERT_TRUE(FormWiFiDirect->m_bEnableWiFiDirect);
    ASSERT_TRUE(WaitForEvents());
}

bool WiFiDirectFixture::WaitForEvents(DWORD timeoutMs)
{
    return PumpUntil(
        [this] {
            std::string reply;
            SimCommand("p2p queue", &reply);
            return reply.rfind("0 ", 0) == 0;
        },
        timeoutMs);
}

std::vector<std::string> WiFiDirectFixture::Lines(const std::string& entry)
{
    std::vector<std::string> lines;
    std::string journal = SimJournal();
    size_t at = 0;
    while (at < journal.size()) {
        size_t end = journal.find('\n', at);
        if (end == std::string::npos)
            end = journal.size();
        const std::string line = journal.substr(at, end - at);
        if (line.rfind(entry + "(", 0) == 0 || line.rfind(entry + " ", 0) == 0)
            lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

void WiFiDirectFixture::PressOn(TControl* control, UINT down, UINT up)
{
    const int x = control->Left() + control->Width() / 2;
    const int y = control->Top() + control->Height() / 2;
    HWND window = FormWiFiDirect->Handle();
    const WPARAM keys = down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON;
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageA(window, down, keys, MAKELPARAM(x, y));
    if (up)
        SendMessageA(window, up, 0, MAKELPARAM(x, y));
}

void WiFiDirectFixture::FinishWizardWith(uint32_t method, uint32_t intent)
{
    m_onModal = [method, intent](const std::string& what) {
        TFormWiFiDirectSetting* wizard = FormWiFiDirectSetting;
        if (!wizard || what.rfind("FormWiFiDirectSetting", 0) != 0)
            return;
        const DEVICE_ENTRY& peer = FormWiFiDirect->m_SeleteDeviceEntry;
        WIFIDIRECT_WPSE_PROFILE& r = wizard->m_data_WIFIDIRECT_WPSE_Profile;
        r = WIFIDIRECT_WPSE_PROFILE{};
        r.WpsMethod = method;
        r.GoIntentIdx = intent;
        std::memcpy(r.PIN, "12345670", 8);
        std::memcpy(r.PeerDeviceName[0], peer.chDeviceName, sizeof peer.chDeviceName);
        r.PeerDeviceNameCount = 1;
        std::memcpy(r.DesiredMacAddr[0], peer.chMacAddr, 6);
        r.DesiredMacCount = 1;
        wizard->SetWifiDirectWpseConfig();
    };
}

void WiFiDirectFixture::Snapshot(const std::string& name)
{
    Snapshot(FormWiFiDirect->Handle(), name);
}

void WiFiDirectFixture::Snapshot(HWND window, const std::string& name)
{
    char folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("WEVO_SHOTS", folder, sizeof folder))
        return;
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SnapshotIfAsked(window, name);
}
