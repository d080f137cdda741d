#include "wifidirect/wifidirect_fixture.h"

#include <cstdio>

#include "mainwindow/FormMain.h"
#include "ui/Seams.h"

void WiFiDirectFixture::TearDown()
{
    relaunchExecOverride = nullptr;
    ProgramFixture::TearDown();
}

void WiFiDirectFixture::Start(int winOS)
{
    TScenario scenario;
    scenario.Set("System", "WinOS", std::to_string(winOS));
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
