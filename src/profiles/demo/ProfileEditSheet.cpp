// Starts the program's windows on the simulated adapter and opens the profile editor for a new
// profile on one of its enterprise pages, filled in: scripts/screenshot NAME with
// WEVO_PROGRAM=ProfileEditSheet.exe and "-- eapfast|sso-xp|sso-vista|sso-persistent|sso-locked-key" takes a
// picture of it.
#include <windows.h>

#include <string>

#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/ProgramForms.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileFileDialog.h"
#include "ui/Forms.h"

namespace {

void Open(TFormProfileEdit* e, TFrameBase* page)
{
    e->Show();
    e->SwitchPage(e->m_pCurrentPage, page);
}

void OpenEapFast(TFormProfileEdit* e)
{
    VOZEZIV.nWinOS = 20;
    VOZEZIV.bEAPFastEnhancement = 1;
    e->InitialSettingFromProfileAdd("Corp", "1");
    e->m_nAuthSel = 3;
    e->m_nEncrySel = 2;
    e->m_nEAPMethod = e->m_WpaInfo.nEapMethod = 3;
    Open(e, e->FrameProfileEditEAPFast);
    TFrameProfileEditEAPFast* page = e->FrameProfileEditEAPFast;
    for (const char* path : {"C:\\pac\\Corp.pac", "C:\\pac\\Lab-Building-7.pac"}) {
        profileFileDialogAnswer = [path](bool, std::string& chosen) {
            chosen = path;
            return true;
        };
        page->BtnImportClick(nullptr);
    }
    profileFileDialogAnswer = nullptr;
    page->lvPACList->SetItemIndex(0);
    page->lvPACListDblClick(nullptr);
    page->cBoxProvisioningTunnel->SetItemIndex(2);
}

void OpenSso(TFormProfileEdit* e, int os, int persistent, bool lockedKey = false)
{
    VOZEZIV.nWinOS = os;
    VOZEZIV.bPersistentConnect = persistent;
    e->InitialSettingFromProfileAdd("Corp", "1");
    e->m_nAuthSel = 5;
    e->m_nEncrySel = 3;
    if (lockedKey) {
        // A client certificate whose key the scenario marks as not exportable.
        e->m_WpaInfo.bUseClientCert = 1;
        e->m_WpaInfo.UserCertKey.BlobLength = 1;
        e->m_WpaInfo.UserCertKey.BlobData[0] = 0xD1;
    }
    Open(e, e->FrameProfileEditSSO);
    TFrameProfileEditSSO* page = e->FrameProfileEditSSO;
    if (persistent)
        page->chBoxEnablePersistentConnection->SetChecked(true);
    else
        page->chBoxEnableSSO->SetChecked(true);
    if (!persistent && os >= 31)
        page->chBoxAllowMachineAuth->SetChecked(true);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    SetEnvironmentVariableA("WEVO_SIM_STATE", "none");
    Application->Initialize();
    m_bMinimizeToTray = 1;
    if (!VOZEZIV.Load((ProgramFolder() + "VoZEZIV.dll").c_str()))
        return 1;
    CreateProgramForms();
    FormMain->Show();
    TFormProfileEdit* e = FormProfileEdit;
    e->m_bAddProfile = TRUE;
    e->SetLeft(FormMain->Left() + FormMain->Width() + 10);
    e->SetTop(FormMain->Top());
    const std::string what = commandLine ? commandLine : "";
    if (what == "sso-xp")
        OpenSso(e, 21, 0);
    else if (what == "sso-vista")
        OpenSso(e, 41, 0);
    else if (what == "sso-persistent")
        OpenSso(e, 41, 1);
    else if (what == "sso-locked-key")
        OpenSso(e, 21, 1, true);
    else
        OpenEapFast(e);
    Application->ShowMainForm = false;
    Application->Run();
    return 0;
}
