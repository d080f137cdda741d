// The Wi-Fi Direct and Wi-Fi Display event threads and the Wi-Fi Direct start.
#include <windows.h>
#include <process.h>
#include <sddl.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "ui/Seams.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/FormWiFiDisplay.h"
#include "wlapi/result.h"

std::string statusEventNameSuffix;
HANDLE m_hWiFiDirectStatusEvent = nullptr;
HANDLE m_hWiFiDisplayStatusEvent = nullptr;
volatile LONG g_bStopWiFiDirectThread = 0;

namespace {

constexpr int kInitRetries = 60;
constexpr DWORD kThreadEndWaitMs = 5000;

// What one waiting thread needs; owned by the thread. The main window is looked up by
// its handle, so the caption's length does not matter.
struct WaitContext {
    HANDLE event = nullptr;
    HWND mainWindow = nullptr;
    volatile LONG stop = 0;
};

// The running Wi-Fi Direct waiter: its context and thread handle (window thread and the
// start-up thread both ask for it, under this lock).
std::mutex g_directLock;
WaitContext* g_directContext = nullptr;
HANDLE g_directThread = nullptr;

// The running Wi-Fi Display waiter, stopped before the windows go.
std::mutex g_displayLock;
WaitContext* g_displayContext = nullptr;
HANDLE g_displayThread = nullptr;

// Event handles the library may still signal after their thread ended; closed once the
// library has been given a newer handle or has been de-initialised.
std::mutex g_retiredLock;
std::vector<HANDLE> g_retiredEvents;

void RetireEvent(HANDLE event)
{
    std::lock_guard<std::mutex> lock(g_retiredLock);
    g_retiredEvents.push_back(event);
}

HWND WiFiDirectWindow()
{
    return FormWiFiDirect ? FormWiFiDirect->Handle() : nullptr;
}

HWND WiFiDisplayWindow()
{
    return FormWiFiDisplay ? FormWiFiDisplay->Handle() : nullptr;
}

unsigned long SetP2pEventReadyOid()
{
    return VOZEZIV.nWinOS >= 31 ? 0xFFF101D6ul : 0x0DF101D6ul;
}

// The event is auto-reset: a wake consumes the signal, nothing is reset by hand. The stop
// flag is read after each wake, so the stop's own signal still brings one message.
unsigned __stdcall WiFiDirectDlgThread(void* arg)
{
    auto* context = static_cast<WaitContext*>(arg);
    PrintMessage(6, " --> WiFiDirectDlgThread\n");
    for (bool stopped = false; !stopped;) {
        DWORD wait = WaitForSingleObject(context->event, INFINITE);
        if (wait != WAIT_OBJECT_0) {
            PrintMessage(2, " WiFiDirectDlgThread:: WaitForSingleObject() return %d\n", int(wait));
            Sleep(100);
            stopped = context->stop != 0;
            continue;
        }
        HWND target = WiFiDirectWindow();
        if (IsWindow(context->mainWindow) && target)
            PostMessageA(target, MSG_WIFIDIRECT_EVENET, 0, 0);
        else
            PrintMessage(2, " WiFiDirectDlgThread:: FindWindow \"%p\" failed !! \n", static_cast<void*>(context->mainWindow));
        stopped = context->stop != 0;
    }
    RetireEvent(context->event);
    InterlockedCompareExchangePointer(&m_hWiFiDirectStatusEvent, nullptr, context->event);
    delete context;
    PrintMessage(6, " <-- WiFiDirectDlgThread\n");
    return 0;
}

// Runs until stopped; after the stop's wake it touches no window.
unsigned __stdcall WiFiDisplayDlgThread(void* arg)
{
    auto* context = static_cast<WaitContext*>(arg);
    PrintMessage(6, " --> WiFiDisplayDlgThread\n");
    for (;;) {
        DWORD wait = WaitForSingleObject(context->event, INFINITE);
        if (context->stop)
            break;
        if (wait != WAIT_OBJECT_0) {
            PrintMessage(2, "[WDP] WiFiDisplayDlgThread:: WaitForSingleObject() return %d\n", int(wait));
            Sleep(100);
            continue;
        }
        HWND target = WiFiDisplayWindow();
        if (IsWindow(context->mainWindow) && target)
            PostMessageA(target, MSG_WIFIDISPLAY_EVENET, 0, 0);
        else
            PrintMessage(2, "[WDP] WiFiDisplayDlgThread:: FindWindow \"%p\" failed !! \n",
                         static_cast<void*>(context->mainWindow));
    }
    delete context;
    PrintMessage(6, " <-- WiFiDisplayDlgThread\n");
    return 0;
}

HANDLE CreateStatusEvent(const char* baseName)
{
    const std::string named = baseName + statusEventNameSuffix;
    const char* name = named.c_str();
    SECURITY_ATTRIBUTES attributes{};
    if (CreateMyDACL(&attributes)) {
        HANDLE event = CreateEventA(&attributes, FALSE, FALSE, name);
        DWORD error = GetLastError();
        LocalFree(attributes.lpSecurityDescriptor);
        SetLastError(error);
        return event;
    }
    return CreateEventA(nullptr, FALSE, FALSE, name);
}

HANDLE StartWaiter(unsigned(__stdcall* body)(void*), HANDLE event, HWND mainWindow, WaitContext** contextOut)
{
    auto* context = new WaitContext;
    context->event = event;
    context->mainWindow = mainWindow;
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, body, context, 0, nullptr));
    if (!thread) {
        delete context;
        return nullptr;
    }
    if (contextOut)
        *contextOut = context;
    return thread;
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

void StopWiFiDisplayEventThread()
{
    HANDLE thread;
    {
        std::lock_guard<std::mutex> lock(g_displayLock);
        thread = g_displayThread;
        g_displayThread = nullptr;
        if (g_displayContext)
            g_displayContext->stop = 1;
        g_displayContext = nullptr;
        if (!m_hWiFiDisplayStatusEvent)
            return;
        SetEvent(m_hWiFiDisplayStatusEvent);
    }
    if (thread) {
        if (WaitForSingleObject(thread, kThreadEndWaitMs) != WAIT_OBJECT_0)
            PrintMessage(2, "[WDP] WiFiDisplayDlgThread did not end\n");
        CloseHandle(thread);
    }
    // The library may still signal the event until it is de-initialised.
    RetireEvent(m_hWiFiDisplayStatusEvent);
    m_hWiFiDisplayStatusEvent = nullptr;
}

void CloseRetiredStatusEvents()
{
    std::lock_guard<std::mutex> lock(g_retiredLock);
    for (HANDLE event : g_retiredEvents)
        CloseHandle(event);
    g_retiredEvents.clear();
}

DWORD TFormMain::CreateEventAndStartThread(int request)
{
    switch (request) {
    case 0: {
        std::lock_guard<std::mutex> lock(g_directLock);
        if (m_hWiFiDirectStatusEvent)
            return 1;
        PrintMessage(6, ">>WIFI_DIRECT create event<<\n");
        HANDLE event = CreateStatusEvent(WD_STATUS_EVENT_NAME);
        if (!event) {
            DWORD error = GetLastError();
            PrintMessage(2, " CreateEvent \"WDStatusEvent\" fail error = %d\n", int(error));
            return error;
        }
        g_bStopWiFiDirectThread = 0;
        m_hWiFiDirectStatusEvent = event;
        g_directThread = StartWaiter(WiFiDirectDlgThread, event, Handle(), &g_directContext);
        return 1;
    }
    case 1: {
        PrintMessage(6, ">>WIFI_DIRECT stop event<<\n");
        HANDLE thread = nullptr;
        {
            std::lock_guard<std::mutex> lock(g_directLock);
            if (!m_hWiFiDirectStatusEvent)
                return 1;
            DWORD value = 0;
            int result = VOZEZIV.WVWL_OIDSetInfo(SetP2pEventReadyOid(), &value, 4);
            PrintMessage(6, " ---> set SET_P2P_EVENT_READY (%x , 0) return %d\n", unsigned(SetP2pEventReadyOid()),
                         result);
            g_bStopWiFiDirectThread = 1;
            HANDLE event = m_hWiFiDirectStatusEvent;
            if (g_directContext)
                g_directContext->stop = 1;
            g_directContext = nullptr;
            thread = g_directThread;
            g_directThread = nullptr;
            SetEvent(event);
            if (!thread) {
                RetireEvent(event);
                m_hWiFiDirectStatusEvent = nullptr;
            }
        }
        // The waiter only waits and posts, so it ends promptly; a new request 0 then
        // finds no handle and starts afresh.
        if (thread) {
            WaitForSingleObject(thread, kThreadEndWaitMs);
            CloseHandle(thread);
        }
        return 1;
    }
    case 2: {
        if (m_hWiFiDisplayStatusEvent)
            return 1;
        PrintMessage(6, "[WDP]>>WIFI_DISPLAY create event<<\n");
        HANDLE event = CreateStatusEvent(WDP_STATUS_EVENT_NAME);
        if (!event) {
            DWORD error = GetLastError();
            PrintMessage(2, "[WDP] CreateEvent \"WDPStatusEvent\" fail error = %d\n", int(error));
            return error;
        }
        m_hWiFiDisplayStatusEvent = event;
        std::lock_guard<std::mutex> lock(g_displayLock);
        g_displayThread = StartWaiter(WiFiDisplayDlgThread, event, Handle(), &g_displayContext);
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
        HANDLE event = m_hWiFiDirectStatusEvent;
        result = VOZEZIV.WVWL_InitWifiDirect(event);
        result = RetryWhileNotReady(result, m_nCountWaitInit, [event] { return VOZEZIV.WVWL_InitWifiDirect(event); },
                                    " After retry WVWL_InitWifiDirect(), dwResult = %d m_nCountWaitInit = %d \n");
        // The library now holds the new handle and has let go of any older one.
        if (result == 1)
            CloseRetiredStatusEvents();
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
    HANDLE event = m_hWiFiDisplayStatusEvent;
    int result = VOZEZIV.WVWL_InitWifiDisplay(event);
    result = RetryWhileNotReady(result, m_nCountWaitInit, [event] { return VOZEZIV.WVWL_InitWifiDisplay(event); },
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
