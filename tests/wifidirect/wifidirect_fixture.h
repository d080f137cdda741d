#pragma once
// The program on the simulated adapter with the Wi-Fi Direct window ready for events:
// records are queued in the simulator and delivered as the event thread would.
#include <windows.h>

#include <string>
#include <vector>

#include "mainwindow/program_fixture.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidirect/WiFiDirectRecords.h"

class WiFiDirectFixture : public ProgramFixture {
protected:
    void TearDown() override;

    // Starts the program on Windows code winOS, with every modal answered by m_answer
    // (after m_onModal ran) and no relaunch.
    void Start(int winOS = 41);
    // Queues the first `bytes` of the record and sends one event message to the window.
    void Deliver(const WIFI_DIRECT_STATUS& status, size_t bytes = sizeof(WIFI_DIRECT_STATUS));
    void SetStoredFlag(bool on);

    // A line the program logged (any level) since the last Deliver or MarkCalls.
    bool Logged(const std::string& part);
    // Calls of the entry since the last Deliver or MarkCalls.
    int CallsSinceMark(const char* entry);
    void MarkCalls();
    int Acknowledgements(unsigned long request = SET_P2P_EVENT_READY_NEW);
    // Waits until a started DHCP worker has finished.
    bool WaitForDhcpThread();

    static WIFI_DIRECT_STATUS Event(uint8_t code);

    int m_answer = 2;
    std::function<void(const std::string&)> m_onModal;
    std::vector<std::string> m_modals;

private:
    std::string m_journalAtMark;
};
