// Turning the radio off and on through the main window's radio pictures and
// through the adapter's hardware switch.
#include <windows.h>

#include "mainwindow/FormSiteSurvey.h"
#include "program_fixture.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "../ui/UiTestSupport.h"

namespace {

class Radio : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        seams::modalAnswer = [this](const std::string& what) {
            m_boxes.push_back(what);
            return IDOK;
        };
    }

    std::string Sim(const std::string& line)
    {
        std::string reply;
        SimCommand(line, &reply);
        return reply;
    }

    // A click on a picture of the main window, shown as the user sees it.
    void Click(TControl* control)
    {
        FormMain->Show();
        ClickControl(control);
    }

    void Tick()
    {
        FormMain->TimerRadioStatus->Tick();
        Pump(20);
    }

    void ExpectRadio(bool on)
    {
        EXPECT_EQ(bool(FormMain->m_bRadio), on);
        EXPECT_EQ(FormMain->ImgRadioOn->Visible(), on);
        EXPECT_EQ(FormMain->ImgRadioOff->Visible(), !on);
        EXPECT_EQ(FormMain->BtnWiFiDirect->Enabled(), on);
        EXPECT_EQ(FormMain->BtnWiFiDisplay->Enabled(), on);
        EXPECT_EQ(FormMain->BtnHotSpot->Enabled(), on);
    }

    std::vector<std::string> m_boxes;
};

TEST_F(Radio, PicturesTurnTheRadioOffAndOnAgain)
{
    StartProgram();
    ExpectRadio(true);
    const int releases = SimCallCount("WVWL_Release");

    Click(FormMain->ImgRadioOn);
    ExpectRadio(false);
    EXPECT_EQ(VOZEZIV.WVWL_ReadRadioStatus(), 0);
    EXPECT_NE(SimJournal().find("WVWL_SetAndWriteRadioState(0) -> 1"), std::string::npos);
    EXPECT_GT(SimCallCount("WVWL_Release"), releases);
    EXPECT_EQ(FormSiteSurvey->lvApList->ItemCount(), 0);

    for (TTimer* t : {FormMain->TimerScanTable, FormMain->TimerRescan, FormMain->TimerReconnect})
        t->SetEnabled(false);
    Click(FormMain->ImgRadioOff);
    ExpectRadio(true);
    EXPECT_NE(VOZEZIV.WVWL_ReadRadioStatus(), 0);
    EXPECT_TRUE(FormMain->TimerScanTable->Enabled());
    EXPECT_EQ(FormMain->TimerScanTable->Interval(), 4000u);
    EXPECT_TRUE(FormMain->TimerRescan->Enabled());
    EXPECT_EQ(FormMain->TimerRescan->Interval(), 12000u);
    EXPECT_TRUE(FormMain->TimerReconnect->Enabled());
    EXPECT_EQ(FormMain->TimerReconnect->Interval(), 4000u);
    EXPECT_TRUE(m_boxes.empty());

    // The one-shot timers act once and stop.
    const int scans = SimCallCount("WVWL_SiteSurveyScan");
    FormMain->TimerScanTable->Tick();
    EXPECT_FALSE(FormMain->TimerScanTable->Enabled());
    EXPECT_EQ(SimCallCount("WVWL_SiteSurveyScan"), scans + 1);
    FormMain->TimerRescan->Tick();
    EXPECT_FALSE(FormMain->TimerRescan->Enabled());
    FormMain->TimerReconnect->Tick();
    EXPECT_FALSE(FormMain->TimerReconnect->Enabled());
}

TEST_F(Radio, FailedSwitchShowsTheMessageAndKeepsTheState)
{
    StartProgram();
    SimCommand("inject WVWL_SetAndWriteRadioState * 0");
    Click(FormMain->ImgRadioOn);
    ExpectRadio(true);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_NE(m_boxes[0].find(FormResource->UI_Str->STR_SWITCH_RADIO_FAIL), std::string::npos) << m_boxes[0];
    EXPECT_NE(VOZEZIV.WVWL_ReadRadioStatus(), 0);
}

TEST_F(Radio, HardwareSwitchOffDisablesThePicturesUntilItIsOnAgain)
{
    StartProgram();
    Tick();
    ExpectRadio(true);

    ASSERT_EQ(Sim("radio hw off"), "ok\n");
    Tick();
    ExpectRadio(false);
    EXPECT_TRUE(FormMain->m_bIsHardwareRadioOff);
    EXPECT_FALSE(FormMain->ImgRadioOff->Enabled());
    EXPECT_FALSE(FormMain->ImgRadioOn->Enabled());

    const int writes = SimCallCount("WVWL_SetAndWriteRadioState");
    // a click on the greyed picture still reaches the window under it
    FormMain->Show();
    const POINT at = ClickPoint(FormMain->ImgRadioOff);
    ClickAt(ClickWindow(FormMain->ImgRadioOff), at.x, at.y);
    EXPECT_EQ(SimCallCount("WVWL_SetAndWriteRadioState"), writes);
    ExpectRadio(false);

    // An unchanged state does nothing more.
    const int releases = SimCallCount("WVWL_Release");
    Tick();
    EXPECT_EQ(SimCallCount("WVWL_Release"), releases);

    ASSERT_EQ(Sim("radio hw on"), "ok\n");
    Tick();
    ExpectRadio(true);
    EXPECT_TRUE(FormMain->ImgRadioOff->Enabled());
    EXPECT_TRUE(FormMain->ImgRadioOn->Enabled());
    EXPECT_FALSE(FormMain->m_bIsHardwareRadioOff);
}

TEST_F(Radio, HardwareSwitchOnWithSoftwareRadioOffKeepsTheRadioOff)
{
    StartProgram(TScenario().Set("Radio", "Hardware", "0"));
    Tick();
    ExpectRadio(false);
    ASSERT_EQ(Sim("radio sw off"), "ok\n");
    ASSERT_EQ(Sim("radio hw on"), "ok\n");
    Tick();
    ExpectRadio(false);
    EXPECT_TRUE(FormMain->ImgRadioOff->Enabled());
    EXPECT_TRUE(FormMain->m_bIsSoftwareRadioOff);

    Click(FormMain->ImgRadioOff);
    ExpectRadio(true);
}

}  // namespace
