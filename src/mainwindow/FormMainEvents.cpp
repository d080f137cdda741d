// The Wi-Fi Direct and Wi-Fi Display event threads and the Wi-Fi Direct start.
#include <windows.h>
#include <process.h>
#include <sddl.h>

#include <cstring>
#include <functional>
#include <string>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/FormWiFiDisplay.h"
#include "wlapi/result.h"

HANDLE m_hWiFiDirectStatusEvent = nullptr;
HANDLE m_hWiFiDisplayStatusEvent = nullptr;
volatile LONG g_bStopWiFiDirectThread = 0;

namespace {

constexpr int kInitRetries = 60;

unsigned long SetP2pEventReadyOid()
{
    return VOZEZIV.nWinOS >= 31 ? 0xFFF101D6ul : 0x0DF101D6ul;
}

std::string MainTitle(size_t limit)
{
    std::string title = FormResource ? FormResource->UI_Str->STR_TARNWELL_CONFIG_TITLE : std::string();
    if (title.size() > limit)
        title.resize(limit);
    return title;
}

void __cdecl WiFiDirectDlgThread(void*)
{
    PrintMessage(6, " --> WiFiDirectDlgThread\n");
    const std::string title = MainTitle(31);
    HANDLE event = m_hWiFiDirectStatusEvent;
    while (!g_bStopWiFiDirectThread) {
        DWORD wait = WaitForSingleObject(event, INFINITE);
        if (wait == WAIT_OBJECT_0) {
            if (FindWindowA(nullptr, title.c_str()) && FormWiFiDirect)
                PostMessageA(FormWiFiDirect->Handle(), MSG_WIFIDIRECT_EVENET, 0, 0);
            else
                PrintMessage(2, " WiFiDirectDlgThread:: FindWindow \"%s\" failed !! \n", title.c_str());
        } else {
            PrintMessage(2, " WiFiDirectDlgThread:: WaitForSingleObject() return %d\n", int(wait));
        }
        ResetEvent(event);
    }
    CloseHandle(event);
    m_hWiFiDirectStatusEvent = nullptr;
    PrintMessage(6, " <-- WiFiDirectDlgThread\n");
}

void __cdecl WiFiDisplayDlgThread(void*)
{
    PrintMessage(6, " --> WiFiDisplayDlgThread\n");
    const std::string title = MainTitle(255);
    HANDLE event = m_hWiFiDisplayStatusEvent;
    for (;;) {
        DWORD wait = WaitForSingleObject(event, INFINITE);
        if (wait == WAIT_OBJECT_0) {
            if (FindWindowA(nullptr, title.c_str()) && FormWiFiDisplay)
                PostMessageA(FormWiFiDisplay->Handle(), MSG_WIFIDISPLAY_EVENET, 0, 0);
            else
                PrintMessage(2, "[WDP] WiFiDisplayDlgThread:: FindWindow \"%s\" failed !! \n", title.c_str());
        } else {
            PrintMessage(2, "[WDP] WiFiDisplayDlgThread:: WaitForSingleObject() return %d\n", int(wait));
        }
        ResetEvent(event);
    }
}

HANDLE CreateStatusEvent(const char* name)
{
    SECURITY_ATTRIBUTES attributes{};
    if (CreateMyDACL(&attributes)) {
        HANDLE event = CreateEventA(&attributes, FALSE, FALSE, name);
        LocalFree(attributes.lpSecurityDescriptor);
        return event;
    }
    return CreateEventA(nullptr, FALSE, FALSE, name);
}

// Calls an initialisation entry again while it answers "not ready".
int RetryWhileNotReady(int first, int& counter, const std::function<int()>& call, const char* logFormat)
{
    int result = first;
    counter = 0;
    while (result == WVWL_ERROR_NOT_READY && counter < kInitRetries) {
        seams::Sleep(1000);
        ++counter;
        result = call();
        PrintMessage(6, logFormat, result, counter);
    }
    return result;
}

void TurnWiFiDirectOff(TFormMain* form)
{
    if (FormWiFiDirect)
        FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE);
    if (VOZEZIV.WVWL_QueryOPMode() == OP_MODE_STA_WIFI_DIRECT)
        VOZEZIV.WVWL_StopWifiDirectGO();
    form->CreateEventAndStartThread(1);
}

}  // namespace

int CreateMyDACL(SECURITY_ATTRIBUTES* attributes)
{
    if (!attributes)
        return 0;
    attributes->nLength = sizeof(SECURITY_ATTRIBUTES);
    attributes->bInheritHandle = FALSE;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(
            "D:(A;OICI;GA;;;BG)(A;OICI;GA;;;AN)(A;OICI;GA;;;AU)(A;OICI;GA;;;BA)", SDDL_REVISION_1,
            &attributes->lpSecurityDescriptor, nullptr)) {
        PrintMessage(2, " ConvertStringSecurityDescriptorToSecurityDescriptor() return FALSE, error code = %d\n",
                     int(GetLastError()));
        return 0;
    }
    return 1;
}

DWORD TFormMain::CreateEventAndStartThread(int request)
{
    switch (request) {
    case 0: {
        if (m_hWiFiDirectStatusEvent)
            return 1;
        PrintMessage(6, ">>WIFI_DIRECT create event<<\n");
        m_hWiFiDirectStatusEvent = CreateStatusEvent(WD_STATUS_EVENT_NAME);
        if (!m_hWiFiDirectStatusEvent) {
            DWORD error = GetLastError();
            PrintMessage(2, " CreateEvent \"WDStatusEvent\" fail error = %d\n", int(error));
            return error;
        }
        g_bStopWiFiDirectThread = 0;
        _beginthread(WiFiDirectDlgThread, 0, nullptr);
        return 1;
    }
    case 1: {
        PrintMessage(6, ">>WIFI_DIRECT stop event<<\n");
        if (!m_hWiFiDirectStatusEvent)
            return 1;
        DWORD value = 0;
        int result = VOZEZIV.WVWL_OIDSetInfo(SetP2pEventReadyOid(), &value, 4);
        PrintMessage(6, " ---> set SET_P2P_EVENT_READY (%x , 0) return %d\n", unsigned(SetP2pEventReadyOid()), result);
        g_bStopWiFiDirectThread = 1;
        SetEvent(m_hWiFiDirectStatusEvent);
        return 1;
    }
    case 2: {
        if (m_hWiFiDisplayStatusEvent)
            return 1;
        PrintMessage(6, "[WDP]>>WIFI_DISPLAY create event<<\n");
        m_hWiFiDisplayStatusEvent = CreateStatusEvent(WDP_STATUS_EVENT_NAME);
        if (!m_hWiFiDisplayStatusEvent) {
            DWORD error = GetLastError();
            PrintMessage(2, "[WDP] CreateEvent \"WDPStatusEvent\" fail error = %d\n", int(error));
            return error;
        }
        _beginthread(WiFiDisplayDlgThread, 0, nullptr);
        return 1;
    }
    default:
        PrintMessage(6, " ---> dwResult = WVWL_ERROR_FAILURE\n");
        return 0;
    }
}

void TFormMain::InitWiFidirect(BOOL bUserRequest)
{
    PrintMessage(6, " TFormMain::InitWiFidirect() ---> CreateWiFiDirectStatusEvent");
    DWORD created = CreateEventAndStartThread(0);

    int hw = 1, sw = 1;
    VOZEZIV.WVWL_QueryHWAndSWRadioState(&hw, &sw);
    sw = VOZEZIV.WVWL_ReadRadioStatus();
    const bool radioOn = hw && sw;

    int wirelessMode = 0;
    VOZEZIV.WVWL_QueryWirelessMode(&wirelessMode);
    int bg = 0, a = 0, b = 0;
    VOZEZIV.WVWL_QueryCountryRegion(&bg, &a, &b);
    bg &= 0x7F;
    PrintMessage(2, " TFormMain::InitWiFidirect <-- enumWirelessMode = %d; nCountryRegion_11BG = %d)", wirelessMode, bg);

    if (wirelessMode == 2 || wirelessMode == 8 || bg == 4) {
        int flag = 0;
        VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
        if (flag == 1)
            TurnWiFiDirectOff(this);
        return;
    }
    if (!radioOn) {
        PrintMessage(2, " TFormMain::InitWiFidirect radio off, turn Wi-Fi Direct off\n");
        TurnWiFiDirectOff(this);
        return;
    }

    int result = int(created);
    if (created == 1) {
        result = VOZEZIV.WVWL_InitWifiDirect(m_hWiFiDirectStatusEvent);
        result = RetryWhileNotReady(result, m_nCountWaitInit,
                                    [] { return VOZEZIV.WVWL_InitWifiDirect(m_hWiFiDirectStatusEvent); },
                                    " After retry WVWL_InitWifiDirect(), dwResult = %d m_nCountWaitInit = %d \n");
        int mode = VOZEZIV.WVWL_QueryOPMode();
        if (mode != VOZEZIV.WVWL_ReadOpMode())
            VOZEZIV.WVWL_WriteOPMode(mode);
    } else {
        PrintMessage(2, " TFormMain::InitWiFidirect CreateEventAndStartThread return %d\n", result);
    }
    int mode = VOZEZIV.WVWL_QueryOPMode();
    if (result != 1) {
        if (mode == 0 && VOZEZIV.nWinType != 14)
            PrintMessage(2, " TFormMain::InitWiFidirect WVWL_InitWifiDirect return %d\n", result);
        return;
    }
    if (mode == OP_MODE_STA_WIFI_DIRECT) {
        VOZEZIV.WVWL_DisableDhcpServer();
        if (VOZEZIV.WVWL_IsEnableICS && VOZEZIV.WVWL_IsEnableICS())
            VOZEZIV.WVWL_DisableICS();
    }
    if (!FormWiFiDirect)
        return;
    if (bUserRequest) {
        FormWiFiDirect->StartWiFiDirectProgress(FALSE, 0);
        FormWiFiDirect->EnableOrDisableWiFiDirect(TRUE, TRUE, TRUE, TRUE);
    } else {
        FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, TRUE, FALSE, FALSE);
    }
}

void TFormMain::CreateWDPEvent(BOOL bCreate)
{
    PrintMessage(6, "[WDP][CreateWDPEvent]-> isCreate=%d\n", int(bCreate));
    DWORD created = m_hWiFiDisplayStatusEvent ? 1 : CreateEventAndStartThread(2);
    if (created != 1) {
        PrintMessage(2, "[WDP] CreateEventAndStartThread(2) return %d\n", int(created));
        return;
    }
    int result = VOZEZIV.WVWL_InitWifiDisplay(m_hWiFiDisplayStatusEvent);
    result = RetryWhileNotReady(result, m_nCountWaitInit,
                                [] { return VOZEZIV.WVWL_InitWifiDisplay(m_hWiFiDisplayStatusEvent); },
                                "[WDP] After retry WVWL_InitWifiDisplay(), dwResult = %d m_nCountWaitInit = %d \n");
    m_nCountWaitInit = 0;
    PrintMessage(6, "[WDP] WVWL_InitWifiDisplay return %d\n", result);
}

int TFormMain::SetWDPEventHandleToDriver()
{
    if (!m_hWiFiDisplayStatusEvent) {
        PrintMessage(2, "[WDP] SetWDPEventHandleToDriver: no event\n");
        return -1;
    }
    return VOZEZIV.WVWL_InitWifiDisplay(m_hWiFiDisplayStatusEvent);
}

void TFormMain::ActionForSigma(BYTE eventCode)
{
    switch (eventCode) {
    case 14:
        PrintMessage(6, " >>WIFIDIRECTEVENT_SWITCH_OPMODE_CONCURRENT<<\n");
        OnTraySwitchWiFiDirectConcurrentMode(this);
        break;
    case 15:
        PrintMessage(6, " >>WIFIDIRECTEVENT_SWITCH_OPMODE_STA<<\n");
        OnTraySwitchSTAMode(this);
        break;
    default:
        PrintMessage(2, " >>Unknown status <<\n");
        break;
    }
}
