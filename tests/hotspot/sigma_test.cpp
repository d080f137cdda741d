// The test page: test mode on and off, the ANQP and TDLS/DLS requests, the association
// trigger and the HESSID, as the driver requests the adapter receives, byte for byte.
#include <algorithm>

#include "hotspot/hotspot_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class HotSpotSigma : public HotSpotFixture {
protected:
    void SetUp() override
    {
        HotSpotFixture::SetUp();
        FormHotSpot->m_bSigmaTest = true;
        FormHotSpot->Show();
        Click(Page()->rBtnEnableHS20);
        ASSERT_TRUE(FormHotSpot->TabBtnHotSpotSigma->Visible());
        ClickTab(FormHotSpot->TabBtnHotSpotSigma);
        ASSERT_EQ(FormHotSpot->m_pCurrentPage, Sigma());
    }

    TFrameHotSpotSigma* Sigma() const { return FormHotSpot->FrameHotSpotSigma; }
    std::vector<TCheckBox*> AnqpBoxes() const
    {
        TFrameHotSpotSigma* s = Sigma();
        return {s->chBoxAnqpCapList,  s->chBoxVenueNameInfo,  s->chBoxRoamingConsList, s->chBoxNaiRealmList,
                s->chBox3gppNetworkInfo, s->chBoxDomainNameList, s->chBoxHsCapList,     s->chBoxOpFriName,
                s->chBoxWanMetrics,   s->chBoxNaiHomeRealm,   s->chBoxOpClass};
    }
    std::vector<TRadioButton*> Actions() const
    {
        return {Sigma()->rBtnTdlsDiscovery, Sigma()->rBtnTdlsSetup, Sigma()->rBtnDlsReq, Sigma()->rBtnNeighAdv};
    }
};

TEST_F(HotSpotSigma, TestModeSwitchesTheGroupsAndTellsTheDriver)
{
    for (TCheckBox* box : AnqpBoxes())
        EXPECT_FALSE(box->Enabled());
    EXPECT_FALSE(Sigma()->BtnSend->Enabled());
    EXPECT_FALSE(Sigma()->editMac->Enabled());
    EXPECT_FALSE(Sigma()->rBtnGroup2->Enabled());
    EXPECT_TRUE(Sigma()->BtnHeSSID->Enabled());
    EXPECT_TRUE(Sigma()->BtnAssoc->Enabled());
    EXPECT_TRUE(Sigma()->rBtnSigmaOn->Enabled());
    SimJournalClear();

    Click(Sigma()->rBtnSigmaOn);
    EXPECT_TRUE(Sigma()->BtnSend->Enabled());
    EXPECT_TRUE(Sigma()->rBtnGroup2->Enabled());
    for (TCheckBox* box : AnqpBoxes())
        EXPECT_TRUE(box->Enabled());
    for (TRadioButton* action : Actions())
        EXPECT_FALSE(action->Enabled());

    Click(Sigma()->rBtnGroup2);
    for (TCheckBox* box : AnqpBoxes())
        EXPECT_FALSE(box->Enabled());
    for (TRadioButton* action : Actions())
        EXPECT_TRUE(action->Enabled());

    Click(Sigma()->rBtnSigmaOff);
    EXPECT_FALSE(Sigma()->BtnSend->Enabled());
    EXPECT_FALSE(Sigma()->rBtnGroup1->Enabled());
    for (TRadioButton* action : Actions())
        EXPECT_FALSE(action->Enabled());

    // On again with Group 2 still chosen: the actions, not the ANQP boxes.
    Click(Sigma()->rBtnSigmaOn);
    for (TCheckBox* box : AnqpBoxes())
        EXPECT_FALSE(box->Enabled());
    for (TRadioButton* action : Actions())
        EXPECT_TRUE(action->Enabled());

    EXPECT_EQ(OidSets(), (Lines{"0xFFF10708 1 01", "0xFFF10708 1 00", "0xFFF10708 1 01"}));
    EXPECT_TRUE(Logged(" --> OID fff10708 SET success"));
    EXPECT_EQ(VOZEZIV.chHS20SigmaOidValue, 1);
}

TEST_F(HotSpotSigma, EachRequestReachesTheDriverWithItsBytes)
{
    Click(Sigma()->rBtnSigmaOn);
    enum Button { kSend, kHeSSID, kAssoc };
    struct Case {
        const char* name;
        int group;                 // 1 or 2
        std::vector<int> boxes;    // ANQP boxes checked (group 1)
        int action;                // group 2; -1 leaves the choice as it is
        std::string mac;
        Button button;
        std::string sent;
    } cases[] = {
        {"NoBox", 1, {}, -1, "0011223344aA", kSend, "0xFFF1070B 16 00000000000000000011223344AA0000"},
        {"ThreeBoxes", 1, {0, 3, 10}, -1, "001122334455", kSend, "0xFFF1070B 16 0000000021002000001122334455" "0000"},
        {"AllBoxes", 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, -1, "FFEEDDCCBBAA", kSend,
         "0xFFF1070B 16 00000000EB003700FFEEDDCCBBAA0000"},
        {"DlsRequestChosenAtStart", 2, {}, -1, "001122334455", kSend, "0xFFF1070B 16 0100000002000000001122334455" "0000"},
        {"NeighbourAdvertisementWithSeparators", 2, {}, 3, "00:11:22:33:44:55", kSend,
         "0xFFF1070B 16 0100000003000000001122334455" "0000"},
        {"TdlsDiscovery", 2, {}, 0, "00-11-22-33-44-55", kSend, "0xFFF1070B 16 0100000000000000001122334455" "0000"},
        {"HeSSID", 1, {}, -1, "A0B1C2D3E4F5", kHeSSID, "0xFFF10710 6 A0B1C2D3E4F5"},
        {"Assoc", 1, {}, -1, "", kAssoc, "0xFFF1070D 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Click(c.group == 1 ? Sigma()->rBtnGroup1 : Sigma()->rBtnGroup2);
        const std::vector<TCheckBox*> boxes = AnqpBoxes();
        for (size_t i = 0; i < boxes.size(); ++i) {
            const bool wanted = std::find(c.boxes.begin(), c.boxes.end(), int(i)) != c.boxes.end();
            if (boxes[i]->Checked() != wanted)
                Click(boxes[i]);
        }
        if (c.action >= 0)
            Click(Actions()[size_t(c.action)]);
        Type(Sigma()->editMac, c.mac);
        SimJournalClear();

        Click(c.button == kSend ? Sigma()->BtnSend : c.button == kHeSSID ? Sigma()->BtnHeSSID : Sigma()->BtnAssoc);

        EXPECT_EQ(OidSets(), Lines{c.sent});
    }
}

TEST_F(HotSpotSigma, AMacThatIsNotTwelveHexDigitsSendsNothing)
{
    Click(Sigma()->rBtnSigmaOn);
    const char* texts[] = {"", "0011223344", "00112233445g", "0011223344556", "00:11:22:33:44", "0x1122334455"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        Type(Sigma()->editMac, text);
        SimJournalClear();
        m_log.clear();

        Click(Sigma()->BtnSend);
        Click(Sigma()->BtnHeSSID);

        EXPECT_TRUE(OidSets().empty());
        EXPECT_TRUE(Logged(std::string(" --> HotSpotSigma: MAC \"") + text + "\" is not 12 hexadecimal digits"));
    }
}

TEST_F(HotSpotSigma, ARefusedRequestIsOnlyLogged)
{
    SimCommand("inject WVWL_OIDSetInfo " + std::to_string(SimCallCount("WVWL_OIDSetInfo") + 1) + " 0");
    m_log.clear();
    Click(Sigma()->BtnAssoc);
    EXPECT_TRUE(Logged(" --> OID fff1070d SET fail"));
    Click(Sigma()->BtnAssoc);
    EXPECT_TRUE(Logged(" --> OID fff1070d SET success"));
}

} // namespace
