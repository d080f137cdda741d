// Starts the program's windows on the simulated adapter, connected to the default scene's
// HomeNet, and opens the link-information window on one page or the About box, the way the
// main window's buttons do: scripts/screenshot NAME with WEVO_PROGRAM=LinkInfoSheet.exe and
// "-- wireless|throughput|statistic|about" takes a picture of it; "neighbours" opens the
// advanced and Wi-Fi Direct windows, "editor" a new profile in the editor and "delete" the
// question before the active profile is deleted, by clicks on the buttons; "nolink" after the page leaves the adapter unconnected.
#include <windows.h>

#include <cstring>
#include <string>

#include "advanced/FormAdvanced.h"
#include "advanced/FormExtendedAP.h"
#include "dialogs/Dialogs.h"
#include "core/FormHide.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "hotspot/FormHotSpot.h"
#include "mainwindow/FormAbout.h"
#include "mainwindow/FormLinkInfo.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/FormSiteSurvey.h"
#include "mainwindow/ProgramForms.h"
#include "profiles/FormInvalidIdPwd.h"
#include "profiles/FormPeapIdPwd.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "resources/FormResource.h"
#include "ui/Forms.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/FormWiFiDisplay.h"

namespace {

// HomeNet's WPA2 profile, stored as the active one so that start-up connects it.
void StoreHomeProfile()
{
    WLANPROFILE p = VOZEZIV.defaultProfile;
    std::strcpy(p.strProfileName, "Home");
    p.SSID.SsidLength = 7;
    std::memcpy(p.SSID.Ssid, "HomeNet", 7);
    p.enumNetworkType = 1;
    p.enumAuthenMode = 7;
    p.enumEncryStatus = 6;
    std::strcpy(p.chPskKey, "correct horse battery");
    p.nPskKeyLen = unsigned(std::strlen(p.chPskKey));
    VOZEZIV.WVWL_WriteProfile("Home", &p);
    VOZEZIV.WVWL_WriteRegValue("CurProfile", REG_SZ, "Home", 5);
}


// A left click at the middle of a control, through its window's messages.
void ClickThrough(TControl* control)
{
    const HWND window = control->Parent()->Handle();
    const LPARAM at = MAKELPARAM(control->Left() + control->Width() / 2, control->Top() + control->Height() / 2);
    SendMessageA(window, WM_MOUSEMOVE, 0, at);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
}

void Open(const std::string& what)
{
    if (what == "neighbours") {
        ClickThrough(FormMain->BtnAdvanced);
        ClickThrough(FormMain->BtnWiFiDirect);
        return;
    }
    if (what == "editor") {
        ClickThrough(FormMain->BtnProfile);
        ClickThrough(FormProfile->BtnProfileAdd);
        return;
    }
    if (what == "delete") {
        // The question asked before the active profile is deleted.
        ClickThrough(FormMain->BtnProfile);
        FormProfile->lvProfileList->SetItemIndex(0);
        FormProfile->m_bActiveProfile = TRUE;
        ClickThrough(FormProfile->BtnProfileDelete);
        return;
    }
    if (what == "about") {
        FormMain->BtnAboutClick(nullptr);
        return;
    }
    FormMain->BtnLinkInfoClick(nullptr);
    if (what == "throughput")
        FormLinkInfo->TabBtnThroughputMouseDown(nullptr, mbLeft, 0, 0, 0);
    else if (what == "statistic")
        FormLinkInfo->TabBtnStatisticMouseDown(nullptr, mbLeft, 0, 0, 0);
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
    const size_t blank = what.find(' ');
    if (what.substr(blank == std::string::npos ? what.size() : blank + 1) != "nolink")
        StoreHomeProfile();
    CreateProgramForms();
    FormMain->Show();
    Open(what.substr(0, blank));
    Application->ShowMainForm = false;
    Application->Run();
    return 0;
}
