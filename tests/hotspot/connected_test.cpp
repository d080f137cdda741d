// The tray tip's Hotspot 2.0 text: only for a Hotspot 2.0 connection to the adapter's network.
#include "hotspot/hotspot_fixture.h"

#include <cstring>

#include "resources/FormResource.h"

TEST_F(HotSpotFixture, ConnectionTextNamesEntryAndMethodOnlyWhenTheBssidIsTheAdapters)
{
    const CUISTR& s = *FormResource->UI_Str;
    const BYTE ours[6] = {0x00, 0x1A, 0x2B, 0x00, 0x00, 0x02};
    const BYTE other[6] = {0x00, 0x1A, 0x2B, 0x00, 0x00, 0x03};
    const std::string head = s.STR_HotSpot_AP + ": Venue " + s.STR_HotSpot_CONNECTED + ", " + s.STR_HotSpot_EAP + "-";
    struct Case {
        bool active;
        int connected;
        const BYTE* bssid;
        int method;
        std::string text;  // empty: no text
    } cases[] = {
        {true, 1, ours, 0, head + s.STR_HotSpot_TTLS}, {true, 1, ours, 1, head + s.STR_HotSpot_CERT},
        {true, 1, ours, 2, head + s.STR_HotSpot_SIM},  {true, 1, ours, 3, head + s.STR_HotSpot_CREDPSK},
        {true, 1, ours, 4, ""},                        // a method the window has no text for
        {true, 1, other, 0, ""},                       {true, 0, ours, 0, ""},
        {false, 1, ours, 0, ""},
    };
    std::memcpy(FormHotSpot->m_ConnectedBssid, ours, 6);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.active << c.connected << (c.bssid == ours) << c.method);
        c.active ? Enable() : Disable();
        SetConnected(c.connected, "Venue", c.bssid, c.method);
        std::string text = "unchanged";

        EXPECT_EQ(Page()->GetConnectedHS20Text(text), !c.text.empty());
        EXPECT_EQ(text, c.text.empty() ? "unchanged" : c.text);
    }
    EXPECT_TRUE(Logged(" <-- TFormLinkInfo::bssid[5]=not equal\n"));
}

TEST_F(HotSpotFixture, ConnectionTextIsAbsentWhenTheLibraryFailsAndClearedOnRequest)
{
    const BYTE ours[6] = {1, 2, 3, 4, 5, 6};
    std::memcpy(FormHotSpot->m_ConnectedBssid, ours, 6);
    Enable();
    SetConnected(1, "Venue", ours, 0);
    std::string text;

    Inject("HS20_Get_Connected_Parameters", 1, 0);
    EXPECT_FALSE(Page()->GetConnectedHS20Text(text));
    EXPECT_TRUE(Page()->GetConnectedHS20Text(text));

    EXPECT_TRUE(Page()->DelConnectedParameters());
    EXPECT_FALSE(Page()->GetConnectedHS20Text(text));
    Inject("HS20_Del_Connected_Parameters", 0, 0);
    EXPECT_FALSE(Page()->DelConnectedParameters());
}
