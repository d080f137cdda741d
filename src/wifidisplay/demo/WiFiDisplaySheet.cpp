// Starts the program's windows on the simulated adapter and opens the Wi-Fi Display window as
// the main window's button does, its list filled from the scenario's device table with names
// of a Wi-Fi Direct discovery: scripts/screenshot NAME wifidisplay with
// WEVO_PROGRAM=WiFiDisplaySheet.exe and "-- list|popup|detail|source|sink|panel" takes a picture
// of it. "source" and "sink" run a session on the stand-ins: the session library's or the
// player's scripted callbacks up to the stream; "panel" is the remote-input control panel of a
// sink receiving a 1280 x 720 picture.
#include <windows.h>

#include <cstring>
#include <string>

#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/ProgramForms.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/FormWiFiDisplay.h"

namespace {

void Name(WIFI_DIRECT_DISCOVERY_TABLE& t, int i, const BYTE* mac, const char* name)
{
    std::memcpy(t.DiscoveryEntry[i].chMacAddr, mac, 6);
    std::strcpy(t.DiscoveryEntry[i].chDeviceName, name);
    t.DiscoveryEntry[i].ulStringLen = uint32_t(std::strlen(name));
}

// A discovery of the scenario's display devices, as the Wi-Fi Direct window would hand it on.
void FillList()
{
    WIFI_DIRECT_STATUS& status = FormWiFiDirect->m_WiFiDirectStatus;
    status = WIFI_DIRECT_STATUS{};
    status.WifiDirectStatus = WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY;
    WIFI_DIRECT_DISCOVERY_TABLE& t = status.WifiDirectStateContext.Discovery;
    const BYTE tv[6] = {0x02, 0x50, 0xF2, 0xAA, 0x00, 0x01};
    const BYTE tablet[6] = {0x02, 0x50, 0xF2, 0xAA, 0x00, 0x02};
    const BYTE projector[6] = {0x0A, 0x50, 0xF2, 0xAA, 0x00, 0x03};
    t.chTotalNumber = 3;
    Name(t, 0, tv, "Living-Room-TV");
    Name(t, 1, tablet, "Kitchen-Tablet");
    Name(t, 2, projector, "meeting-projector");
    FormWiFiDisplay->GetUpdateDiscovery();
}

template <class T>
T StandInEntry(const char* module, const char* name)
{
    HMODULE m = GetModuleHandleA(module);
    return m ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

// The server started, a sink accepted and the session set up to capture start.
void SourceSession()
{
    FormWiFiDisplay->m_Source.StartRTSPServer();
    if (auto script = StandInEntry<int (*)(const char*)>("VaZEDEVE.dll", "SessionScript"))
        script("0 192.168.49.23;10;11;12;13;14;15 - i:6001;16;17;55 - i:1;18;19;20;21;22;23 - w:0,6000");
}

// A primary sink connected to the source; the player reports M7 and the source's formats.
void SinkSession()
{
    FormWiFiDisplay->rbPSink->SetChecked(true);
    FormWiFiDisplay->m_Sink.ConnectRTSPServer("192.168.49.1", 7236, 1);
    FormWiFiDisplay->EnableRTSPRetryTimer(true);
    if (auto script = StandInEntry<int (*)(const char*)>("StreamDll.dll", "PlayerScript"))
        script("3 - s:00004711;6 - h:00000000000000000000000000000000800000000000000000000000");
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    SetEnvironmentVariableA("WEVO_SIM_STATE", "none");
    Application->Initialize();
    m_bMinimizeToTray = 1;
    if (!VOZEZIV.Load((ProgramFolder() + "VoZEZIV.dll").c_str()))
        return 1;
    const std::string what = commandLine ? commandLine : "";
    CreateProgramForms();
    FormMain->SetBounds(820, 40, FormMain->Width(), FormMain->Height());
    FormMain->Show();
    FormMain->BtnWiFiDisplayClick(nullptr);
    FillList();
    if (what == "popup" || what == "detail")
        FormWiFiDisplay->lvWDPList->SetItemIndex(1);
    auto* later = new TTimer(FormWiFiDisplay);
    later->SetInterval(800);
    later->OnTimer = [later, what](TObject*) {
        later->SetEnabled(false);
        if (what == "detail") {
            FormWiFiDisplay->OnSortPopupMenu(nullptr);
            FormWiFiDisplay->OnDevInfoClick(nullptr);
            FormWFADispDevDetailInfo->SetBounds(FormWiFiDisplay->Left() - FormWFADispDevDetailInfo->Width(),
                                                FormWiFiDisplay->Top(), FormWFADispDevDetailInfo->Width(),
                                                FormWFADispDevDetailInfo->Height());
        } else if (what == "source") {
            SourceSession();
        } else if (what == "sink") {
            SinkSession();
        } else if (what == "panel") {
            FormWiFiDisplay->m_Sink.m_bGeneric = 1;
            FormWiFiDisplay->m_Sink.m_iSourceWidth = 1280;
            FormWiFiDisplay->m_Sink.m_iSourceHeight = 720;
            FormWiFiDisplay->SetUIBCPanelVisable(true);
            FormWiFiDisplay->OnBtnOpenControlPanel(nullptr);
        } else if (what == "popup") {
            RECT r{};
            GetWindowRect(FormWiFiDisplay->lvWDPList->Handle(), &r);
            FormWiFiDisplay->SortByPopupMenu->Popup(r.left + 120, r.top + 30);
        }
    };
    later->SetEnabled(true);
    Application->ShowMainForm = false;
    Application->Run();
    return 0;
}
