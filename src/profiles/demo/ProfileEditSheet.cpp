// Starts the program's windows on the simulated adapter and opens the profile editor for a new
// profile on one of its enterprise pages, filled in: scripts/screenshot NAME with
// WEVO_PROGRAM=ProfileEditSheet.exe and "-- 8021x|8021x-xp|clientcert|servercert|wapicert|eapfast|sso-xp|
// sso-vista|sso-persistent|sso-locked-key" takes a picture of it (the certificate pages on the
// "enterprise" scenario).
#include <windows.h>

#include <fstream>
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

// PEAP with a token card from the system's EAP host on, or TTLS before it.
void Open8021X(TFormProfileEdit* e, int os)
{
    VOZEZIV.nWinOS = os;
    e->InitialSettingFromProfileAdd("Corp", "1");
    e->m_nAuthSel = 5;
    e->m_nEncrySel = 3;
    e->m_nEAPMethod = e->m_WpaInfo.nEapMethod = os >= 31 ? 0 : 2;
    e->m_nTunnelAuthen = 6;
    e->m_nTTLSTunnelAuthen = 71;
    e->m_WpaInfo.strIdentity = "alice";
    Open(e, e->FrameProfileEdit8021X);
    e->FrameProfileEdit8021X->editAuthenID->SetText("alice");
    e->FrameProfileEdit8021X->editAuthenPassword->SetText("not shown");
}

void OpenCertPage(TFormProfileEdit* e, bool server)
{
    VOZEZIV.nWinOS = 41;
    e->InitialSettingFromProfileAdd("Corp", "1");
    e->m_nAuthSel = 5;
    e->m_nEncrySel = 3;
    e->m_nEAPMethod = e->m_WpaInfo.nEapMethod = 1;
    if (!server) {
        Open(e, e->FrameProfileEditClientCert);
        e->FrameProfileEditClientCert->rBtnUseClientCert->SetChecked(true);
        return;
    }
    Open(e, e->FrameProfileEditServerCert);
    e->FrameProfileEditServerCert->chBoxEnableServerCert->SetChecked(true);
    e->FrameProfileEditServerCert->editServerName->SetText("radius.corp.example");
}

// One user certificate with its AS certificate in the WAPI store, chosen by hand.
void OpenWapiCert(TFormProfileEdit* e)
{
    VOZEZIV.nWinOS = 41;
    e->InitialSettingFromProfileAdd("Corp", "1");
    e->m_nAuthSel = 9;
    e->m_nEncrySel = 4;
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string as = std::string(temp) + "wevo_sheet_as.cer", user = std::string(temp) + "wevo_sheet_user.cer";
    auto write = [](const std::string& path, const char* subject, const char* issuer, const char* serial) {
        std::ofstream(path, std::ios::binary)
            << "[Certificate]\r\nVersion=3\r\nType=X509\r\nSerial=" << serial << "\r\nIssuer=" << issuer
            << "\r\nSubject=" << subject << "\r\nValidFrom=2024-01-01 00:00:00\r\nValidTo=2034-12-31 23:59:59\r\n";
    };
    write(as, "Corp WAPI AS", "Corp WAPI AS", "A0");
    write(user, "alice", "Corp WAPI AS", "0123456789ABCDEF");
    if (VOZEZIV.ZeZuveZud_WriteUserASCert)
        VOZEZIV.ZeZuveZud_WriteUserASCert(e->m_WapiCertStore.get(), user.c_str(), as.c_str());
    Open(e, e->FrameProfileEditWAPICert);
    TFrameProfileEditWAPICert* page = e->FrameProfileEditWAPICert;
    page->cbBoxSelectMode->SetItemIndex(1);
    page->cbBoxSelectModeChange(nullptr);
    page->cbBooxWAPICert->SetItemIndex(0);
    page->cbBooxWAPICertChange(nullptr);
    DeleteFileA(as.c_str());
    DeleteFileA(user.c_str());
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
    if (what == "8021x")
        Open8021X(e, 41);
    else if (what == "8021x-xp")
        Open8021X(e, 20);
    else if (what == "clientcert")
        OpenCertPage(e, false);
    else if (what == "servercert")
        OpenCertPage(e, true);
    else if (what == "wapicert")
        OpenWapiCert(e);
    else if (what == "sso-xp")
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
