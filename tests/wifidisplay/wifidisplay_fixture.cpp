#include "wifidisplay/wifidisplay_fixture.h"

#include <cstdio>
#include <cstring>

#include "core/WvwlLib.h"
#include "ui/Menus.h"
#include "ui/Seams.h"
#include "wifidirect/FormWiFiDirect.h"

std::string Hex(const void* data, size_t size)
{
    std::string hex;
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", p[i]);
        hex += two;
    }
    return hex;
}

WDP_ENTRY Entry(const BYTE* mac, uint16_t devInfo)
{
    WDP_ENTRY e{};
    std::memcpy(e.DevMac, mac, 6);
    e.DevInfo = devInfo;
    e.ControlPort = 7236;
    return e;
}

void WiFiDisplayFixture::TearDown()
{
    TPopupMenu::chooseOverride = nullptr;
    if (HasFailure())
        std::printf("journal: %s\n", SimJournal().substr(SimJournal().size() > 8000 ? SimJournal().size() - 8000 : 0).c_str());
    ProgramFixture::TearDown();
}

void WiFiDisplayFixture::Start(const TScenario& scenario)
{
    seams::modalAnswer = [this](const std::string& what) {
        m_modals.push_back(what);
        return m_answer;
    };
    StartProgram(scenario);
    Pump(20);
    ASSERT_TRUE(FormWiFiDisplay);
}

void WiFiDisplayFixture::Table(uint8_t start, uint8_t count, const std::vector<WDP_ENTRY>& entries,
                               const std::vector<int>& slots)
{
    WDP_TABLE table{};
    table.Start = start;
    table.ClientNumber = count;
    for (size_t i = 0; i < entries.size(); ++i)
        table.Entry[slots[i]] = entries[i];
    std::string reply;
    SimCommand("wdptable " + Hex(&table, sizeof table), &reply);
    ASSERT_EQ(reply, "ok\n");
}

void WiFiDisplayFixture::DeliverDirect(const WIFI_DIRECT_STATUS& status)
{
    std::string reply;
    SimCommand("p2pstatus " + Hex(&status, sizeof status), &reply);
    ASSERT_EQ(reply, "ok\n");
    SendMessageA(FormWiFiDirect->Handle(), MSG_WIFIDIRECT_EVENET, 0, 0);
}

void WiFiDisplayFixture::DiscoveryNames(const std::vector<std::pair<std::string, const BYTE*>>& names, uint8_t count)
{
    WIFI_DIRECT_STATUS status{};
    status.WifiDirectStatus = WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY;
    WIFI_DIRECT_DISCOVERY_TABLE& t = status.WifiDirectStateContext.Discovery;
    t.chTotalNumber = count == 0xFF ? uint8_t(names.size()) : count;
    for (size_t i = 0; i < names.size(); ++i) {
        WIFI_DIRECT_DISCOVERY_ENTRY& e = t.DiscoveryEntry[i];
        std::memcpy(e.chMacAddr, names[i].second, 6);
        std::memcpy(e.chDeviceName, names[i].first.data(), std::min<size_t>(names[i].first.size(), 32));
        e.ulStringLen = uint32_t(names[i].first.size());
    }
    DeliverDirect(status);
}

std::vector<std::string> WiFiDisplayFixture::Rows() const
{
    std::vector<std::string> rows;
    TListView* list = FormWiFiDisplay->lvWDPList;
    for (int i = 0; i < list->ItemCount(); ++i) {
        TListItem* item = list->Item(i);
        rows.push_back(item->SubItem(0) + "|" + item->SubItem(1) + "|" + item->SubItem(2));
    }
    return rows;
}

std::vector<std::string> WiFiDisplayFixture::Popup(TMenuItem* choose)
{
    std::vector<std::string> shown;
    TPopupMenu::chooseOverride = [&](TPopupMenu* menu) -> TMenuItem* {
        for (int i = 0; i < menu->Items()->Count(); ++i)
            if (menu->Items()->Items(i)->Visible)
                shown.push_back(menu->Items()->Items(i)->Caption());
        return choose;
    };
    HWND list = FormWiFiDisplay->lvWDPList->Handle();
    RECT r;
    GetWindowRect(list, &r);
    SendMessageA(list, WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(r.left + 30, r.top + 8));
    TPopupMenu::chooseOverride = nullptr;
    return shown;
}

WDP_CONFIG WiFiDisplayFixture::StoredConfig()
{
    WDP_CONFIG config{};
    VOZEZIV.WVWL_ReadWDPConfig(&config);
    return config;
}
