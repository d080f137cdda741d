// Starts the program's windows on the simulated adapter and opens the 802.11n window with two
// block-ack agreements, on its page or on the add or delete page: scripts/screenshot NAME
// blockack with WEVO_PROGRAM=Setting80211nSheet.exe and "-- add|delete" takes a picture of it.
#include <windows.h>

#include <algorithm>
#include <string>

#include "advanced/Form80211nSetting.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/ProgramForms.h"
#include "ui/Forms.h"

namespace {

void AddAgreement(uint8_t last, int tid, int window, bool recipient)
{
    BA_SESSION_REQUEST r{};
    const uint8_t mac[6] = {0x02, 0x5E, 0x00, 0x00, 0x10, last};
    std::copy(mac, mac + 6, r.MacAddr);
    r.TID = uint8_t(tid);
    r.WindowSize = uint8_t(window);
    r.bRecipient = recipient ? 1 : 0;
    VOZEZIV.WVWL_AddIMMEBA(r);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    SetEnvironmentVariableA("WEVO_SIM_STATE", "none");
    Application->Initialize();
    m_bMinimizeToTray = 1;
    if (!VOZEZIV.Load((ProgramFolder() + "VoZEZIV.dll").c_str()))
        return 1;
    VOZEZIV.bACKPolicy_CoexMode_11nPage = 1;
    CreateProgramForms();
    VOZEZIV.WVWL_WriteBACap(0x01422020);  // aggregation on, manual, A-MSDU, dynamic
    AddAgreement(0x01, 0, 64, false);
    AddAgreement(0x01, 5, 32, false);
    AddAgreement(0x02, 3, 16, true);
    FormMain->Show();
    FormMain->SetLeft(440);
    Form80211nSetting->Show();
    const std::string what = commandLine ? commandLine : "";
    TFrame80211nSetting* page = Form80211nSetting->Frame80211nSetting;
    if (what == "add")
        page->btnAddOrigiClick(nullptr);
    else if (what == "delete")
        page->btnDeleteRecipClick(nullptr);
    Application->ShowMainForm = false;
    Application->Run();
    return 0;
}
