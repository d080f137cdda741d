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

    // Turns Wi-Fi Direct on as the user's double click does from Windows code 41 (the
    // device-name question answered), with the event thread armed, and waits for the
    // simulator's events to be handled.
    void TurnOn();
    // Pumps until the simulator has no event left to deliver.
    bool WaitForEvents(DWORD timeoutMs = 10000);
    // Journal lines of the entry since the last mark, with their arguments (PINs masked).
    std::vector<std::string> Lines(const std::string& entry);
    // The PIN bytes of the last configuration the program wrote to the simulator.
    std::string WrittenPin();
    // Presses, double-clicks or right-clicks a control of the window through its window procedure.
    void PressOn(TControl* control, UINT down, UINT up);
    // With WEVO_SHOTS naming a folder, saves the Wi-Fi Direct window as NAME.bmp there.
    void Snapshot(const std::string& name);
    // The same for any window.
    void Snapshot(HWND window, const std::string& name);
    // Answers the wizard as a user finishing it with a method and intent for the selected peer.
    void FinishWizardWith(uint32_t method, uint32_t intent);

    int m_answer = 2;
    std::function<void(TScenario&)> m_scenarioEdit;
    std::function<void(const std::string&)> m_onModal;
    std::vector<std::string> m_modals;

private:
    std::string m_journalAtMark;
};
