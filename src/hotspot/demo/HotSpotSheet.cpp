// Starts the program's windows on the simulated adapter and opens the Hotspot 2.0 window, on,
// with two entries, on one of its pages: scripts/screenshot NAME with
// WEVO_PROGRAM=HotSpotSheet.exe and "-- table|credential|cert|sim|profile|modify|sigma" takes a
// picture of it.
#include <windows.h>

#include <string>

#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "hotspot/FormHotSpot.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/ProgramForms.h"
#include "ui/Forms.h"

namespace {

void AddEntries()
{
    TFrameHotSpotAddCredential* cred = FormHotSpot->FrameHotSpotAddCredential;
    FormHotSpot->TabBtnHotSpotAddCredentialClick(nullptr);
    cred->editUserName->SetText("alice");
    cred->editPassword->SetText("secret");
    cred->editRealm->SetText("example.org");
    cred->BtnAddCredentialClick(nullptr);
    TFrameHotSpotAddProfile* prof = FormHotSpot->FrameHotSpotAddProfile;
    FormHotSpot->TabBtnHotSpotAddProfileClick(nullptr);
    prof->editSSID->SetText("CafeNet");
    prof->cBoxProfileType->SetItemIndex(1);
    prof->cBoxProfileTypeChange(nullptr);
    prof->editPassPhrase->SetText("passphrase");
    prof->BtnAddProfileClick(nullptr);
}

void Open(const std::string& what)
{
    TFrameHotSpotAddCredential* cred = FormHotSpot->FrameHotSpotAddCredential;
    if (what == "credential" || what == "cert" || what == "sim") {
        FormHotSpot->TabBtnHotSpotAddCredentialClick(nullptr);
        cred->cBoxCredentialType->SetItemIndex(what == "cert" ? 1 : what == "sim" ? 2 : 0);
        cred->cBoxCredentialTypeChange(nullptr);
        cred->editUserName->SetText("bob");
        cred->editPassword->SetText("pw");
        cred->editRealm->SetText("corp.example");
        cred->editIMSI->SetText("310150123456789");
        cred->editMNC->SetText("150");
        cred->editMCC->SetText("310");
    } else if (what == "profile") {
        FormHotSpot->TabBtnHotSpotAddProfileClick(nullptr);
        FormHotSpot->FrameHotSpotAddProfile->editSSID->SetText("CorpNet");
        FormHotSpot->FrameHotSpotAddProfile->editUserName->SetText("bob");
        FormHotSpot->FrameHotSpotAddProfile->editPassword->SetText("pw");
    } else if (what == "modify") {
        FormHotSpot->FrameHotSpotMain->lvConnSettingTable->SetItemIndex(0);
        FormHotSpot->FrameHotSpotMain->BtnModifyClick(nullptr);
    } else if (what == "sigma") {
        FormHotSpot->TabBtnHotSpotSigmaClick(nullptr);
        FormHotSpot->FrameHotSpotSigma->rBtnSigmaOn->SetChecked(true);
        FormHotSpot->FrameHotSpotSigma->editMac->SetText("00:11:22:33:44:55");
    }
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
    FormMain->SetLeft(440);  // the window opens to the main window's left
    FormMain->BtnHotSpotClick(nullptr);
    FormHotSpot->m_bSigmaTest = true;
    FormHotSpot->FrameHotSpotMain->rBtnEnableHS20->SetChecked(true);
    AddEntries();
    Open(commandLine ? commandLine : "");
    Application->ShowMainForm = false;
    Application->Run();
    return 0;
}
