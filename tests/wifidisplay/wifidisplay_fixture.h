#pragma once
// The whole program on the simulator with the Wi-Fi Display window reachable: device tables
// and Wi-Fi Direct names handed over as the driver and the Wi-Fi Direct window would.
#include <string>
#include <vector>

#include "mainwindow/program_fixture.h"
#include "wifidirect/WiFiDirectRecords.h"
#include "wifidisplay/FormWiFiDisplay.h"
#include "wlapi/records.h"

// One device of a table: slot, MAC, type bits and a few more fields.
struct TDevice {
    int slot;
    BYTE mac[6];
    uint16_t devInfo;
};

class WiFiDisplayFixture : public ProgramFixture {
protected:
    void TearDown() override;
    void Start(const TScenario& scenario = TScenario());

    // Hands the driver this table (Start, ClientNumber as given) and refreshes the list.
    void Table(uint8_t start, uint8_t count, const std::vector<WDP_ENTRY>& entries, const std::vector<int>& slots);
    // A Wi-Fi Direct discovery event naming these devices, delivered to the Wi-Fi Direct window.
    void DiscoveryNames(const std::vector<std::pair<std::string, const BYTE*>>& names, uint8_t count = 0xFF);
    void DeliverDirect(const WIFI_DIRECT_STATUS& status);
    // Rows as "name|type|MAC", top first.
    std::vector<std::string> Rows() const;
    // Opens the list's popup with a right click and returns the captions shown; picks `choose` when given.
    std::vector<std::string> Popup(TMenuItem* choose = nullptr);
    WDP_CONFIG StoredConfig();

    std::vector<std::string> m_modals;
    int m_answer = 1;
};

WDP_ENTRY Entry(const BYTE* mac, uint16_t devInfo);
std::string Hex(const void* data, size_t size);
