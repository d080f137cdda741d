// The notification-area icon: picture and tooltip per state, the update rules, the
// hand-over from other threads, restore and exit.
#include <cstring>
#include <thread>

#include "core/Settings.h"
#include "mainwindow/FormMain.h"
#include "program_fixture.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "wifidirect/FormWiFiDirect.h"

namespace {

using TrayIcon = ProgramFixture;

struct IconCase {
    DWORD state;
    TImage* TFormResource::*picture;
    std::string CUISTR::*stationTip;
    std::string CUISTR::*directTip;  // nullptr: empty
};

const IconCase kIconCases[] = {
    {0, &TFormResource::ImgTrayIconNoExist, &CUISTR::STR_TARNWELL_NOTEXIST, &CUISTR::STR_TARNWELL_P2P_NOTEXIST},
    {1, &TFormResource::ImgTrayIconLost, &CUISTR::STR_TARNWELL_LOST, &CUISTR::STR_TARNWELL_P2P_LOST},
    {2, &TFormResource::ImgTrayIconWeak, &CUISTR::STR_TARNWELL_WEAK, &CUISTR::STR_TARNWELL_P2P_GOOD},
    {3, &TFormResource::ImgTrayIconNormal, &CUISTR::STR_TARNWELL_NORMAL, &CUISTR::STR_TARNWELL_P2P_NORMAL},
    {4, &TFormResource::ImgTrayIconGood, &CUISTR::STR_TARNWELL_GOOD, &CUISTR::STR_TARNWELL_P2P_GOOD},
    {5, &TFormResource::ImgTrayIconWepError, &CUISTR::STR_TARNWELL_WEP_ERROR, &CUISTR::STR_TARNWELL_WEP_ERROR},
    {7, &TFormResource::ImgTrayIconLost, nullptr, nullptr},
};

TEST_F(TrayIcon, EveryStateHasItsPictureAndTooltipForBothTypes)
{
    StartProgram();
    const CUISTR& s = *FormResource->UI_Str;
    for (const IconCase& c : kIconCases) {
        HICON expected = (FormResource->*c.picture)->Picture().Icon();
        ASSERT_NE(expected, nullptr) << c.state;
        EXPECT_EQ(FormMain->GetTrayIconHandle(c.state), expected) << c.state;
        FormMain->m_nNowIconType = TRAY_TYPE_STATION;
        EXPECT_EQ(FormMain->GetTrayTipText(c.state), c.stationTip ? s.*c.stationTip : "") << c.state;
        FormMain->m_nNowIconType = TRAY_TYPE_WIFIDIRECT;
        EXPECT_EQ(FormMain->GetTrayTipText(c.state), c.directTip ? s.*c.directTip : "") << c.state;
    }
    // all six pictures differ
    for (int i = 0; i < 6; ++i)
        for (int j = i + 1; j < 6; ++j)
            EXPECT_NE(FormMain->GetTrayIconHandle(i), FormMain->GetTrayIconHandle(j));
}

TEST_F(TrayIcon, StartsInTheNotConnectedStateAndFollowsTheLink)
{
    StartProgram();
    const CUISTR& s = *FormResource->UI_Str;
    EXPECT_EQ(FormMain->m_nNowIcon, 1u);
    EXPECT_EQ(FormMain->m_TrayIconData.cbSize, 508u);
    EXPECT_EQ(FormMain->m_TrayIconData.uID, 4u);
    EXPECT_EQ(FormMain->m_TrayIconData.uCallbackMessage, MSG_TRAY_ICON);
    EXPECT_EQ(FormMain->m_TrayIconData.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(FormMain->m_TrayIconData.hWnd, FormMain->Handle());

    EXPECT_NE(FormMain->ModifyTrayIcon(TRAY_TYPE_STATION, 4), 0);
    EXPECT_EQ(FormMain->m_nNowIcon, 4u);
    EXPECT_EQ(FormMain->m_TrayIconData.hIcon, FormResource->ImgTrayIconGood->Picture().Icon());
    EXPECT_STREQ(FormMain->m_TrayIconData.szTip, s.STR_TARNWELL_GOOD.c_str());
    // the same again: nothing to change
    EXPECT_EQ(FormMain->ModifyTrayIcon(TRAY_TYPE_STATION, 4), 1);
}

TEST_F(TrayIcon, WiFiDirectAndStationUpdatesDoNotReplaceAConnectedIcon)
{
    StartProgram();
    ASSERT_NE(FormMain->ModifyTrayIcon(TRAY_TYPE_STATION, 3), 0);
    EXPECT_EQ(FormMain->ModifyTrayIcon(TRAY_TYPE_WIFIDIRECT, 4), 0);
    EXPECT_EQ(FormMain->m_nNowIcon, 3u);
    EXPECT_EQ(FormMain->m_nNowIconType, TRAY_TYPE_STATION);

    ASSERT_NE(FormMain->ModifyTrayIcon(TRAY_TYPE_STATION, 1), 0);
    ASSERT_NE(FormMain->ModifyTrayIcon(TRAY_TYPE_WIFIDIRECT, 4), 0);
    EXPECT_EQ(FormMain->ModifyTrayIcon(TRAY_TYPE_STATION, 1), 0);
    EXPECT_EQ(FormMain->m_nNowIconType, TRAY_TYPE_WIFIDIRECT);
    EXPECT_NE(FormMain->ModifyTrayIcon(TRAY_TYPE_STATION, 3), 0);
    EXPECT_EQ(FormMain->m_nNowIconType, TRAY_TYPE_STATION);
    EXPECT_EQ(FormMain->m_nNowIcon, 3u);
}

TEST_F(TrayIcon, AWiFiDirectLostTooltipFollowsTheSupportSwitch)
{
    StartProgram();
    WriteINIStr("WiFiDirect", "SupportWiFiDirect", "0", "ini", "");
    FormMain->m_nNowIconType = TRAY_TYPE_WIFIDIRECT;
    EXPECT_EQ(FormMain->GetTrayTipText(1), "");
    WriteINIStr("WiFiDirect", "SupportWiFiDirect", "1", "ini", "");
    EXPECT_EQ(FormMain->GetTrayTipText(1), FormResource->UI_Str->STR_TARNWELL_P2P_LOST);
}

// The Wi-Fi Direct start-up thread changes the icon through the window thread.
TEST_F(TrayIcon, AChangeFromAnotherThreadIsAppliedOnTheWindowThread)
{
    StartProgram();
    ASSERT_EQ(FormMain->m_nNowIcon, 1u);
    BOOL result = 0;
    std::thread([&] { result = FormMain->ModifyTrayIcon(TRAY_TYPE_WIFIDIRECT, 3); }).join();
    EXPECT_EQ(result, 1);
    EXPECT_EQ(FormMain->m_nNowIcon, 1u);
    ASSERT_TRUE(PumpUntil([] { return FormMain->m_nNowIcon == 3u; }));
    EXPECT_EQ(FormMain->m_nNowIconType, TRAY_TYPE_WIFIDIRECT);
    EXPECT_STREQ(FormMain->m_TrayIconData.szTip, FormResource->UI_Str->STR_TARNWELL_P2P_NORMAL.c_str());
}

TEST_F(TrayIcon, ABalloonIsRefusedWithoutAnAdapter)
{
    StartProgram();
    NOTIFYICONDATAA balloon{};
    balloon.uTimeout = 15000;
    std::strcpy(balloon.szInfoTitle, "title");
    std::strcpy(balloon.szInfo, "text");
    FormMain->m_nNowIcon = 0;
    EXPECT_EQ(FormMain->PopUpMsgTrayIcon(balloon), 0);
    FormMain->m_nNowIcon = 1;
    FormMain->PopUpMsgTrayIcon(balloon);
    EXPECT_EQ(balloon.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO));
    EXPECT_EQ(balloon.dwInfoFlags, DWORD(NIIF_INFO));
    EXPECT_EQ(balloon.uID, 4u);
    EXPECT_STREQ(balloon.szInfo, "text");
}

TEST_F(TrayIcon, DoubleClickRestoresTheWindowOnlyWithAnAdapter)
{
    StartProgram();
    FormMain->Hide();
    FormMain->OnTrayIconMessage(WM_LBUTTONDOWN);
    FormMain->OnTrayIconMessage(WM_LBUTTONUP);
    EXPECT_FALSE(FormMain->Visible());
    FormMain->OnTrayIconMessage(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(FormMain->Visible());

    FormMain->Hide();
    ASSERT_EQ(SimPlugAdapter(1, false), 1);
    FormMain->OnTrayIconMessage(WM_LBUTTONDBLCLK);
    EXPECT_FALSE(FormMain->Visible());
}

TEST_F(TrayIcon, ExitRemovesTheIconStopsTimersAndEndsTheLoop)
{
    StartProgram();
    ASSERT_TRUE(FormMain->TimerSignalQuality->Enabled() || FormMain->TimerRadioStatus->Enabled());
    FormMain->OnTrayExit(nullptr);
    Pump(20);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(FormMain->TimerSignalQuality->Enabled());
    EXPECT_FALSE(FormMain->TimerRadioStatus->Enabled());
    // the icon is gone: modifying it fails
    NOTIFYICONDATAA data = FormMain->m_TrayIconData;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &data));
    // the windows' destruction turns Wi-Fi Direct off and lets the library go
    SimJournalClear();
    Application->DestroyForms();
    const std::string journal = SimJournal();
    EXPECT_NE(journal.find("WVWL_DisableWifiDirect("), std::string::npos);
    EXPECT_NE(journal.find("WVWL_DeInitial("), std::string::npos);
}

TEST_F(TrayIcon, ExitClosesTheHelpWindowsFirst)
{
    StartProgram();
    const std::string title = ReadINIStr("Settings", "HelpFile", "Tarnwell WLAN Utility Help", "ini");
    ASSERT_FALSE(title.empty());
    HWND help = CreateWindowExA(0, "STATIC", title.c_str(), WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                nullptr);
    HWND html = CreateWindowExA(0, "STATIC", "HTML Help", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                nullptr);
    ASSERT_TRUE(help && html);
    int waits = 0;
    seams::sleepOverride = [&](DWORD) {
        ++waits;
        Application->ProcessMessages();
    };
    FormMain->OnTrayExit(nullptr);
    seams::sleepOverride = nullptr;
    EXPECT_FALSE(IsWindow(help));
    EXPECT_FALSE(IsWindow(html));
    EXPECT_EQ(waits, 2);
}

}  // namespace
