// Peer names under their pictures: what a label shows fits it in its own font, and a
// shortened name shows whole as the hint of its label and picture.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "support/TextFit.h"
#include "wifidirect/wifidirect_fixture.h"

namespace {

class TextFit : public WiFiDirectFixture {};

TEST_F(TextFit, PeerNamesFitTheirLabelsAndShowWholeAsHints)
{
    Start();
    FormWiFiDirect->m_bEnableWiFiDirect = TRUE;
    FormWiFiDirect->m_bDisableScan = TRUE;
    FormWiFiDirect->ShowWiFiDirectState(true);
    FormWiFiDirect->Show();
    Pump(20);

    const std::vector<std::string> names = {"Living-Room-TV", "Kitchen-Speaker", "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
                                            "Printer", "Camera-Of-The-Garden"};
    FormWiFiDirect->m_vecTopology.clear();
    WIFI_DIRECT_STATUS s = Event(WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY);
    WIFI_DIRECT_DISCOVERY_TABLE& d = s.WifiDirectStateContext.Discovery;
    for (size_t i = 0; i < names.size(); ++i) {
        WIFI_DIRECT_DISCOVERY_ENTRY& e = d.DiscoveryEntry[i];
        e.chNoOfThisGroup = 1;
        e.nRule = 2;
        const uint8_t address[6] = {0x02, 0x50, 0xF2, 0xAA, 0x00, uint8_t(0x10 + i)};
        std::memcpy(e.chMacAddr, address, 6);
        e.nPrimaryDeviceType.CategoryID = 0x0700;
        std::memcpy(e.chDeviceName, names[i].data(), std::min(names[i].size(), sizeof e.chDeviceName));
        e.ulStringLen = uint32_t(names[i].size());
    }
    d.chTotalNumber = uint8_t(names.size());
    Deliver(s);

    TFormWiFiDirect* w = FormWiFiDirect;
    const std::pair<TImage*, TLabel*> slots[] = {{w->ImgDevice0, w->lblDevice0}, {w->ImgDevice1, w->lblDevice1},
                                                 {w->ImgDevice2, w->lblDevice2}, {w->ImgDevice3, w->lblDevice3},
                                                 {w->ImgDevice4, w->lblDevice4}};
    std::vector<std::string> hints;
    for (const auto& [picture, label] : slots) {
        if (!label->Visible())
            continue;
        EXPECT_EQ(textfit::LabelCuts(label), "");
        EXPECT_EQ(label->Hint(), picture->Hint());
        EXPECT_TRUE(label->ShowHint() && picture->ShowHint());
        hints.push_back(label->Hint());
    }
    ASSERT_EQ(hints.size(), names.size());
    Snapshot("wifidirect_long_peer_names");
    for (const std::string& name : names)
        EXPECT_NE(std::find(hints.begin(), hints.end(), name), hints.end()) << name << " is shown whole nowhere";
}

} // namespace
