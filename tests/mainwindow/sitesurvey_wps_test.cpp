// The WPS follow-ups of the site survey's timer: the credential's network is looked for in
// each fresh scan, and the registrar's UUID-E comes from that same network.
#include "sitesurvey_fixture.h"

#include <algorithm>

namespace {

class SiteSurveyWps : public SiteSurveyFixture {
protected:
    // The editor waits for the network of a credential WPS delivered (registrar, PIN).
    static void AwaitCredential(const char* ssid, const BYTE (&mac)[6])
    {
        FormProfileEdit->m_bScanAfterEAPConfig = TRUE;
        FormProfileEdit->m_nScanCntAfterEAPConfig = 0;
        FormProfileEdit->m_nWPSMode = 1;
        FormProfileEdit->m_nConfigMode = 1;
        FormProfileEdit->m_WpsCredentialSsid = {};
        FormProfileEdit->m_WpsCredentialSsid.SsidLength = ULONG(std::strlen(ssid));
        std::memcpy(FormProfileEdit->m_WpsCredentialSsid.Ssid, ssid, std::strlen(ssid));
        std::memcpy(FormProfileEdit->m_WpsCredentialMac, mac, 6);
    }
};

TEST_F(SiteSurveyWps, TheUuidComesFromTheCredentialsNetworkNotTheSelectedRow)
{
    Start();
    RescanAndShow();
    // Another row is selected, and the fresh scan lists the networks in another order.
    FormSiteSurvey->lvApList->Item(RowOf("CafeCorner"))->SetSelected(true);
    const BYTE home[6] = {0x00, 0x1A, 0x2B, 0x00, 0x00, 0x02};
    AwaitCredential("homenet", home); // SSIDs compare ignoring case
    RescanAndShow();
    std::string uuid = FormProfileEdit->m_IeInfo.strUuidE;
    std::transform(uuid.begin(), uuid.end(), uuid.begin(), ::tolower);
    EXPECT_EQ(uuid, "7a3c9e10b5d24f6e8a91001a2b000002");
    EXPECT_FALSE(FormProfileEdit->m_bScanAfterEAPConfig);
    EXPECT_EQ(FormProfileEdit->m_nScanCntAfterEAPConfig, 0);
}

TEST_F(SiteSurveyWps, ACredentialNotYetSeenAsksForAnotherScan)
{
    Start();
    RescanAndShow();
    const BYTE nowhere[6] = {0x02, 0, 0, 0, 0, 0x77};
    AwaitCredential("Elsewhere", nowhere);
    RescanAndShow();
    EXPECT_TRUE(FormProfileEdit->m_bScanAfterEAPConfig);
    EXPECT_EQ(FormProfileEdit->m_nScanCntAfterEAPConfig, 1);
    EXPECT_EQ(FormProfileEdit->m_IeInfo.strUuidE[0], 0);
}

TEST_F(SiteSurveyWps, AfterTenScansAnAccessPointWithoutUuidStopsTheRegistrar)
{
    Start();
    RescanAndShow();
    FormSiteSurvey->lvApList->Item(RowOf("CafeCorner"))->SetSelected(true); // no WPS element
    const BYTE nowhere[6] = {0x02, 0, 0, 0, 0, 0x77};
    AwaitCredential("Elsewhere", nowhere);
    FormProfileEdit->m_nScanCntAfterEAPConfig = 10;
    std::vector<std::string> shown;
    seams::modalAnswer = [&shown](const std::string& what) {
        shown.push_back(what);
        return int(mrOk);
    };
    RescanAndShow();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("AP's uuid is empty, config sta was terminated!"), std::string::npos);
    EXPECT_TRUE(FormProfileEdit->m_bScanAfterEAPConfig);
}

} // namespace
