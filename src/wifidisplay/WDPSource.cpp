#include "wifidisplay/WDPSource.h"

#include "core/Log.h"
#include "core/Settings.h"

namespace {

HWND g_hPostWindow = nullptr;

void __stdcall SoUICallBack(int code, const char* address, void*, void*)
{
    PrintMessage(6, "[WDP][SoUICallBack] code=%d address=%s\n", code, address ? address : "");
}

template <class T>
void Fetch(HMODULE module, const char* name, T& entry)
{
    entry = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

WDPSource::WDPSource()
{
    LoadWDPAPI();
}

WDPSource::~WDPSource()
{
    FreeWDPAPI();
}

void WDPSource::LoadWDPAPI()
{
    const std::string path = ProgramFolder() + "VaZEDEVE.dll";
    m_hSessionLib = LoadLibraryA(path.c_str());
    if (!m_hSessionLib) {
        PrintMessage(2, "[WDP] Load VaZEDEVE.dll failed!\n");
        return;
    }
    Fetch(m_hSessionLib, "WVWDP_StartOrStopRTSPServer", WVWDP_StartOrStopRTSPServer);
    Fetch(m_hSessionLib, "WVWDP_GetRTSPURLPrefix", WVWDP_GetRTSPURLPrefix);
    Fetch(m_hSessionLib, "WVWDP_Init", WVWDP_Init);
    Fetch(m_hSessionLib, "WVWDP_StartSessionSetup", WVWDP_StartSessionSetup);
    Fetch(m_hSessionLib, "WVWDP_TriggerMethod", WVWDP_TriggerMethod);
    Fetch(m_hSessionLib, "WVWDP_GetSessionID", WVWDP_GetSessionID);
    Fetch(m_hSessionLib, "WVWDP_UIBC", WVWDP_UIBC);
    Fetch(m_hSessionLib, "WVWDP_IsDoCouple", WVWDP_IsDoCouple);
    Fetch(m_hSessionLib, "WVWDP_DoWork", WVWDP_DoWork);
    if (WVWDP_Init)
        WVWDP_Init(SoUICallBack, 0);
    else
        PrintMessage(2, "[WDP] WVWDP_Init=NULL\n");
}

void WDPSource::FreeWDPAPI()
{
    if (m_hSessionLib)
        FreeLibrary(m_hSessionLib);
    m_hSessionLib = nullptr;
}

void WDPSource::SetPostHandle(HWND window)
{
    g_hPostWindow = window;
}

int WDPSource::StartRTSPServer()
{
    PrintMessage(6, "[WDP][So] StartRTSPServer\n");
    return 0;
}

int WDPSource::StopRTSPServer()
{
    PrintMessage(6, "[WDP][So] StopRTSPServer\n");
    if (!m_bRTSPServerStarted)
        return 0;
    return 1;
}

void WDPSource::StartSession()
{
    PrintMessage(6, "[WDP][So] StartSession\n");
}

void WDPSource::StopCapture()
{
    PrintMessage(6, "[WDP][So] StopCapture\n");
}

void WDPSource::TriggerPlay()
{
    PrintMessage(6, "[WDP][So] TriggerPlay\n");
}

void WDPSource::TriggerPause()
{
    PrintMessage(6, "[WDP][So] TriggerPause\n");
}

void WDPSource::TriggerTeardown()
{
    PrintMessage(6, "[WDP][So] TriggerTeardown\n");
}

void WDPSource::SetCaptureCursor(int on)
{
    PrintMessage(6, "[WDP][So] SetCaptureCursor(%d)\n", on);
}

void WDPSource::SourceSetDefault()
{
    StopCapture();
    StopRTSPServer();
    m_UIBC.Close();
}

void WDPSource::SendDoWork(const char* address, int request, void* data)
{
    if (WVWDP_DoWork)
        WVWDP_DoWork(address, request, data);
}
