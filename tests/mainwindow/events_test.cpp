// The Wi-Fi Direct and Wi-Fi Display status events: created, handed to the library,
// waking their windows; the Wi-Fi Direct start with its not-ready retries.
#include <windows.h>

#include <string>
#include <vector>

#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "program_fixture.h"
#include "ui/Seams.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/FormWiFiDisplay.h"

namespace {

class Events : public ProgramFixture {
protected:
    void TearDown() override
    {
        seams::sleepOverride = nullptr;
        ProgramFixture::TearDown();
    }

    // The program as start-up leaves it, with its Wi-Fi Direct start-up thread finished.
    void Start(const TScenario& scenario = TScenario())
    {
        StartProgram(scenario);
        if (FormMain->m_hInitWiFiDirectThread)
            WaitForSingleObject(FormMain->m_hInitWiFiDirectThread, 10000);
        Pump(20);
    }

    // A Wi-Fi Direct event handed to the library and signalled by it.
    bool SignalDirectAndWait(int expectedCount)
    {
        std::string reply;
        SimCommand("event direct", &reply);
        return PumpUntil([&] { return FormWiFiDirect->m_nEventsHandled >= expectedCount; }, 5000);
    }

    // Whether handle h still names the object that witness names. A closed handle's value can
    // be given to the next object any thread opens, so the value alone proves nothing.
    static bool StillNames(HANDLE h, HANDLE witness)
    {
        using Compare = BOOL(WINAPI*)(HANDLE, HANDLE);
        static const auto compare =
            reinterpret_cast<Compare>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernelbase.dll"), "CompareObjectHandles")));
        return compare && compare(h, witness);
    }
};

TEST_F(Events, TheWiFiDirectEventWakesTheWiFiDirectWindowEachTime)
{
    Start();
    ASSERT_EQ(FormMain->CreateEventAndStartThread(0), 1u);
    ASSERT_NE(m_hWiFiDirectStatusEvent, nullptr);
    ASSERT_EQ(VOZEZIV.WVWL_InitWifiDirect(m_hWiFiDirectStatusEvent), 1);
    const int before = FormWiFiDirect->m_nEventsHandled;
    SimJournalClear();
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(SignalDirectAndWait(before + i)) << i;
    Pump(50);
    EXPECT_EQ(FormWiFiDirect->m_nEventsHandled, before + 3);
    // each event is fetched and acknowledged
    const std::string journal = SimJournal();
    EXPECT_NE(journal.find("WVWL_QueryWifiDirectStatus("), std::string::npos);
    EXPECT_NE(journal.find("WVWL_OIDSetInfo(0xFFF101D6 4)"), std::string::npos);
}

TEST_F(Events, AMainWindowCaptionLongerThanThirtyOneCharactersStillWakesTheWindow)
{
    Start();
    SetWindowTextA(FormMain->Handle(), "A main window caption that is rather longer than usual");
    ASSERT_EQ(FormMain->CreateEventAndStartThread(0), 1u);
    ASSERT_EQ(VOZEZIV.WVWL_InitWifiDirect(m_hWiFiDirectStatusEvent), 1);
    const int before = FormWiFiDirect->m_nEventsHandled;
    EXPECT_TRUE(SignalDirectAndWait(before + 1));
}

TEST_F(Events, ASecondCreateRequestKeepsTheOneEvent)
{
    Start();
    ASSERT_EQ(FormMain->CreateEventAndStartThread(0), 1u);
    HANDLE first = m_hWiFiDirectStatusEvent;
    EXPECT_EQ(FormMain->CreateEventAndStartThread(0), 1u);
    EXPECT_EQ(m_hWiFiDirectStatusEvent, first);
    EXPECT_EQ(FormMain->CreateEventAndStartThread(9), 0u);
}

TEST_F(Events, StoppingWithoutAnEventSendsNothing)
{
    Start();
    FormMain->CreateEventAndStartThread(1);
    ASSERT_EQ(m_hWiFiDirectStatusEvent, nullptr);
    SimJournalClear();
    EXPECT_EQ(FormMain->CreateEventAndStartThread(1), 1u);
    EXPECT_EQ(SimJournal().find("WVWL_OIDSetInfo("), std::string::npos);
}

TEST_F(Events, TheThreadSurvivesStopAndRestartWithoutClosingAHandleTheLibraryHolds)
{
    Start();
    FormMain->CreateEventAndStartThread(1);
    Pump(100);  // the message of that stop
    ASSERT_EQ(FormMain->CreateEventAndStartThread(0), 1u);
    HANDLE first = m_hWiFiDirectStatusEvent;
    ASSERT_EQ(VOZEZIV.WVWL_InitWifiDirect(first), 1);
    HANDLE witness = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), first, GetCurrentProcess(), &witness, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
    const int before = FormWiFiDirect->m_nEventsHandled;

    SimJournalClear();
    EXPECT_EQ(FormMain->CreateEventAndStartThread(1), 1u);
    EXPECT_EQ(m_hWiFiDirectStatusEvent, nullptr);
    EXPECT_NE(SimJournal().find("WVWL_OIDSetInfo(0xFFF101D6 4)"), std::string::npos);
    // the stop's own signal still brings exactly one message
    ASSERT_TRUE(PumpUntil([&] { return FormWiFiDirect->m_nEventsHandled == before + 1; }, 5000))
        << FormWiFiDirect->m_nEventsHandled - before;
    Pump(100);
    EXPECT_EQ(FormWiFiDirect->m_nEventsHandled, before + 1);
    // the library still holds the first handle: it stays open and signalling it is harmless
    EXPECT_TRUE(StillNames(first, witness));
    std::string reply;
    SimCommand("event direct", &reply);
    EXPECT_EQ(reply.rfind("ok", 0), 0u) << reply;

    // restart: a new event, handed over, and the old handle let go of
    FormMain->InitWiFidirect(FALSE);
    ASSERT_NE(m_hWiFiDirectStatusEvent, nullptr);
    EXPECT_FALSE(StillNames(first, witness));
    CloseHandle(witness);
    const int afterRestart = FormWiFiDirect->m_nEventsHandled;
    EXPECT_TRUE(SignalDirectAndWait(afterRestart + 1));
}

TEST_F(Events, InitialisationRetriesWhileTheLibraryIsNotReady)
{
    Start();
    std::vector<DWORD> sleeps;
    seams::sleepOverride = [&](DWORD ms) { sleeps.push_back(ms); };
    SimCommand("notready direct 2");
    const int calls = SimCallCount("WVWL_InitWifiDirect");
    FormMain->InitWiFidirect(FALSE);
    EXPECT_EQ(SimCallCount("WVWL_InitWifiDirect") - calls, 3);
    EXPECT_EQ(FormMain->m_nCountWaitInit, 2);
    EXPECT_EQ(sleeps, (std::vector<DWORD>{1000, 1000}));
}

TEST_F(Events, InitialisationGivesUpAfterSixtyRetries)
{
    Start();
    std::vector<DWORD> sleeps;
    seams::sleepOverride = [&](DWORD ms) { sleeps.push_back(ms); };
    SimCommand("notready direct 61");
    const int calls = SimCallCount("WVWL_InitWifiDirect");
    SimJournalClear();
    FormMain->InitWiFidirect(FALSE);
    EXPECT_EQ(SimCallCount("WVWL_InitWifiDirect") - calls, 61);
    EXPECT_EQ(FormMain->m_nCountWaitInit, 60);
    EXPECT_EQ(sleeps.size(), 60u);
    // Wi-Fi Direct is not turned on
    EXPECT_EQ(SimJournal().find("WVWL_ReadWifiDirectControl("), std::string::npos);
}

TEST_F(Events, WirelessModeEightTurnsWiFiDirectOffWithoutInitialising)
{
    TScenario scenario;
    scenario.Set("Driver", "WirelessMode", "8");
    Start(scenario);
    VOZEZIV.WVWL_WriteWifiDirectFlag(1);
    FormMain->CreateEventAndStartThread(0);
    const int calls = SimCallCount("WVWL_InitWifiDirect");
    FormMain->InitWiFidirect(FALSE);
    EXPECT_EQ(SimCallCount("WVWL_InitWifiDirect"), calls);
    int flag = 1;
    VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(m_hWiFiDirectStatusEvent, nullptr);
}

TEST_F(Events, TheWiFiDisplayEventWakesTheWiFiDisplayWindow)
{
    Start();
    FormMain->CreateWDPEvent(1);
    ASSERT_NE(m_hWiFiDisplayStatusEvent, nullptr);
    EXPECT_EQ(FormMain->SetWDPEventHandleToDriver(), 1);
    const int before = FormWiFiDisplay->m_nEventsHandled;
    for (int i = 1; i <= 2; ++i) {
        SimCommand("event display");
        ASSERT_TRUE(PumpUntil([&] { return FormWiFiDisplay->m_nEventsHandled >= before + i; }, 5000)) << i;
    }
}

TEST_F(Events, SigmaCodesSwitchModesAndOthersOnlyLog)
{
    Start();
    relaunchExecOverride = [](const std::string&, UINT) { return 33u; };
    SimJournalClear();
    FormMain->ActionForSigma(16);
    EXPECT_EQ(SimJournal().find("WVWL_SetAndWriteOPMode("), std::string::npos);
    FormMain->ActionForSigma(15);
    EXPECT_NE(SimJournal().find("WVWL_SetAndWriteOPMode(3)"), std::string::npos);
    relaunchExecOverride = nullptr;
}

}  // namespace
