#pragma once
// A recording stand-in for the adapter library's entries and a fixture that
// builds the main window with the windows it calls, without its creation step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/FormSiteSurvey.h"
#include "profiles/FormInvalidIdPwd.h"
#include "profiles/FormPeapIdPwd.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "ui/Seams.h"

namespace fake {

inline std::vector<std::string> g_calls;
inline std::vector<DWORD> g_profileThreads;
inline WLANPROFILE g_sentProfile{};
inline unsigned long g_ccxWord = 0;
inline unsigned long g_storedCcx = 0;
inline int g_radio = 1;
inline int g_opMode = 0;
inline int g_wpaCapable = 0;

inline int __stdcall FakeReadRadioStatus() { return g_radio; }
inline int __stdcall FakeQueryOPMode() { return g_opMode; }
inline int __stdcall FakeStopAuth() { g_calls.push_back("StopAuth"); return 1; }
inline int __stdcall FakeIsWpaCapable() { return g_wpaCapable; }
inline int __stdcall FakeReadPSMode(unsigned long* mode) { *mode = 2; return 1; }
inline int __stdcall FakeSetWLANProfile(const WLANPROFILE* p)
{
    g_sentProfile = *p;
    g_profileThreads.push_back(GetCurrentThreadId());
    g_calls.push_back("SetWLANProfile:" + std::string(p->strProfileName));
    return 1;
}
inline int __stdcall FakeReadCCX2Cont(unsigned long* word) { *word = g_ccxWord; return 1; }
inline int __stdcall FakeSetCCXInfo(int, unsigned long word) { g_calls.push_back("SetCCXInfo:" + std::to_string(word)); return 1; }
inline int __stdcall FakeWriteRegValue(const char* name, unsigned long, const void* data, unsigned long)
{
    std::memcpy(&g_storedCcx, data, 4);
    g_calls.push_back(std::string("WriteRegValue:") + name);
    return 1;
}
inline int __stdcall FakeSetSSID(NDIS_802_11_SSID ssid)
{
    g_calls.push_back("SetSSID:" + std::string(reinterpret_cast<char*>(ssid.Ssid), ssid.SsidLength));
    return 1;
}
inline int __stdcall FakeSetBSSID(const unsigned char* b) { g_calls.push_back("SetBSSID:" + std::to_string(b[5])); return 1; }
inline int __stdcall FakeSiteSurveyScan(SCAN_FINISHED_FUNC) { g_calls.push_back("Scan"); return 1; }
inline int __stdcall FakeDisconnect() { g_calls.push_back("Disconnect"); return 1; }

inline std::string g_pacPathToReturn;
inline int __stdcall FakeFastPacLoad(char* path, int size, const char*, int)
{
    std::memset(path, 'P', size_t(size));   // no terminator inside the buffer
    return 1;
}
inline int __stdcall FakeReadActiveProfileName(char* name128)
{
    std::strcpy(name128, "active");
    return 1;
}
inline int __stdcall FakeWriteIDnPasswd(const char* identity, const char* password)
{
    g_calls.push_back(std::string("WriteIDnPasswd:") + identity + "/" + password);
    return 1;
}
inline int __stdcall FakeOIDQueryInfo(unsigned long, void*, unsigned long, unsigned long* written)
{
    if (written)
        *written = 0;
    return 1;
}
inline int __stdcall FakeQuerySTAConfig(KV_802_11_STA_CONFIG*) { return 1; }
inline int __stdcall FakeReadProfileData(WLANPROFILE* p, const char* name)
{
    std::strcpy(p->strProfileName, name);
    p->SSID.SsidLength = 4;
    std::memcpy(p->SSID.Ssid, "Home", 4);
    return 1;
}

// Handles every message waiting for the window thread.
// Delivers what was posted to the window thread. The forms' own timers are left out: the tests
// tick them themselves, and on a slow machine a timer's interval can pass before the pump.
inline void PumpMessages()
{
    MSG msg;
    for (;;) {
        if (!PeekMessageA(&msg, nullptr, 0, WM_TIMER - 1, PM_REMOVE) &&
            !PeekMessageA(&msg, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE))
            return;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace fake

class MainWindowFake : public ::testing::Test {
protected:
    void SetUp() override
    {
        using namespace fake;
        g_calls.clear();
        g_profileThreads.clear();
        g_radio = 1;
        g_opMode = 0;
        g_wpaCapable = 0;
        g_ccxWord = 0;
        VOZEZIV.nWinOS = 41;
        VOZEZIV.bProfAdvPage = 1;
        VOZEZIV.WVWL_ReadRadioStatus = FakeReadRadioStatus;
        VOZEZIV.WVWL_QueryOPMode = FakeQueryOPMode;
        VOZEZIV.WVWL_StopAuth = FakeStopAuth;
        VOZEZIV.WVWL_IsWpaCapable = FakeIsWpaCapable;
        VOZEZIV.WVWL_ReadPSMode = FakeReadPSMode;
        VOZEZIV.WVWL_SetWLANProfile = FakeSetWLANProfile;
        VOZEZIV.WVWL_ReadCCX2Cont = FakeReadCCX2Cont;
        VOZEZIV.WVWL_SetCCXInfo = FakeSetCCXInfo;
        VOZEZIV.WVWL_WriteRegValue = FakeWriteRegValue;
        VOZEZIV.WVWL_SetSSID = FakeSetSSID;
        VOZEZIV.WVWL_SetBSSID = FakeSetBSSID;
        VOZEZIV.WVWL_SiteSurveyScan = FakeSiteSurveyScan;
        VOZEZIV.WVWL_Disconnect = FakeDisconnect;
        VOZEZIV.WVWL_FastPacLoad = FakeFastPacLoad;
        VOZEZIV.WVWL_WriteIDnPasswd = FakeWriteIDnPasswd;
        VOZEZIV.WVWL_OIDQueryInfo = FakeOIDQueryInfo;
        VOZEZIV.WVWL_ReadActiveProfileName = FakeReadActiveProfileName;
        VOZEZIV.WVWL_QuerySTAConfig = FakeQuerySTAConfig;
        VOZEZIV.WVWL_ReadProfileData = FakeReadProfileData;
        Application->CreateForm(FormSiteSurvey);
        Application->CreateForm(FormProfile);
        Application->CreateForm(FormProfileEdit);
        Application->CreateForm(FormPeapIdPwd);
        Application->CreateForm(FormInvalidIdPwd);
        main = new TFormMain(Application);
        FormMain = main;
        main->Handle();  // as its creation makes it in the program
    }
    void TearDown() override
    {
        seams::modalAnswer = nullptr;
        delete main;
    }

    static WLANPROFILE Profile(const char* name, const char* ssid)
    {
        WLANPROFILE p{};
        std::strcpy(p.strProfileName, name);
        p.SSID.SsidLength = ULONG(std::strlen(ssid));
        std::memcpy(p.SSID.Ssid, ssid, p.SSID.SsidLength);
        p.enumNetworkType = 1;
        return p;
    }

    TFormMain* main = nullptr;
};

