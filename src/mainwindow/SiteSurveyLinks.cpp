// The site survey's calls into windows that other parts of the program build; a window that
// is not part of this build, or not created yet, answers as absent.
#include "mainwindow/SiteSurveyLinks.h"

#include "core/Log.h"
#include "ui/Forms.h"

#if __has_include("mainwindow/FormMain.h")
#include "mainwindow/FormMain.h"
#define WEVO_HAS_FORM_MAIN 1
#endif
#if __has_include("core/Dialogs.h")
#include "core/Dialogs.h"
#define WEVO_HAS_DIALOGS 1
#endif
#if __has_include("profiles/FormProfile.h")
#include "profiles/FormProfile.h"
#define WEVO_HAS_FORM_PROFILE 1
#endif
#if __has_include("wifidirect/FormWiFiDirect.h")
#include "wifidirect/FormWiFiDirect.h"
#define WEVO_HAS_FORM_WIFIDIRECT 1
#endif
#if __has_include("advanced/FormAdvanced.h")
#include "advanced/FormAdvanced.h"
#define WEVO_HAS_FORM_ADVANCED 1
#endif

namespace links {

int InsertAction(const ACTION_DATA& action)
{
#ifdef WEVO_HAS_FORM_MAIN
    if (FormMain)
        return FormMain->InsertAction(action);
#endif
    PrintMessage(2, " InsertAction: no main window\n");
    return 0;
}

int InsertScanAction()
{
    return InsertAction({actionTypeScan, nullptr});
}

void ModifyTrayIcon(int type, DWORD icon)
{
#ifdef WEVO_HAS_FORM_MAIN
    if (FormMain)
        FormMain->ModifyTrayIcon(type, icon);
#endif
}

const WLANPROFILE* CurrentProfile()
{
#ifdef WEVO_HAS_FORM_MAIN
    if (FormMain)
        return FormMain->m_pProfData;
#endif
    return nullptr;
}

void SetReConnect()
{
#ifdef WEVO_HAS_FORM_MAIN
    if (FormMain)
        FormMain->m_bReConnect = TRUE;
#endif
}

HWND MainWindowHandle()
{
#ifdef WEVO_HAS_FORM_MAIN
    if (FormMain)
        return FormMain->Handle();
#endif
    return nullptr;
}

bool MainWindowBounds(RECT& bounds)
{
#ifdef WEVO_HAS_FORM_MAIN
    if (FormMain) {
        bounds = {FormMain->Left(), FormMain->Top(), FormMain->Left() + FormMain->Width(),
                  FormMain->Top() + FormMain->Height()};
        return true;
    }
#endif
    return false;
}

int ShowMessage(const std::string& text, int okCancel)
{
#ifdef WEVO_HAS_DIALOGS
    return ShowMessageBox(text, okCancel);
#else
    if (!Application)
        return 0;
    return Application->MessageBox(text, "", okCancel ? MB_OKCANCEL : MB_OK);
#endif
}

void SetActiveProfile(BOOL active)
{
#ifdef WEVO_HAS_FORM_PROFILE
    if (FormProfile)
        FormProfile->m_bActiveProfile = active;
#endif
}

void SetSiteSurveyConnect(BOOL value)
{
#ifdef WEVO_HAS_FORM_PROFILE
    if (FormProfile)
        FormProfile->m_bSiteSurveyConnect = value;
#endif
}

bool ProfileWindowShowing()
{
#ifdef WEVO_HAS_FORM_PROFILE
    if (FormProfile)
        return FormProfile->Visible();
#endif
    return false;
}

void ShowProfileWindowAt(int left, int top)
{
#ifdef WEVO_HAS_FORM_PROFILE
    if (!FormProfile)
        return;
    FormProfile->SetLeft(left);
    FormProfile->SetTop(top);
    FormProfile->Show();
#endif
}

void RefreshProfileList()
{
#ifdef WEVO_HAS_FORM_PROFILE
    if (FormProfile)
        FormProfile->RefreshProfileList();
#endif
}

void SetOidFromReg()
{
#ifdef WEVO_HAS_FORM_PROFILE
    if (FormProfile)
        FormProfile->SetOidFromReg(0);
#endif
}

bool WiFiDirectWindowExists()
{
#ifdef WEVO_HAS_FORM_WIFIDIRECT
    return FormWiFiDirect != nullptr;
#else
    return false;
#endif
}

int WiFiDirectGroupCount()
{
#ifdef WEVO_HAS_FORM_WIFIDIRECT
    if (FormWiFiDirect)
        return FormWiFiDirect->m_nNumOfMyGroup;
#endif
    return 0;
}

BYTE WiFiDirectOwnEntryStatus()
{
#ifdef WEVO_HAS_FORM_WIFIDIRECT
    if (FormWiFiDirect)
        return BYTE(FormWiFiDirect->MyDeviceData.EntryStatus);
#endif
    return 0;
}

void TurnWiFiDirectOff()
{
#ifdef WEVO_HAS_FORM_WIFIDIRECT
    if (FormWiFiDirect)
        FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE);
#endif
}

const ACTION_DATA* PendingAdvancedConnect()
{
#ifdef WEVO_HAS_FORM_ADVANCED
    if (FormAdvanced && FormAdvanced->FrameAdvancedWireless)
        return &FormAdvanced->FrameAdvancedWireless->m_PendingConnectAction;
#endif
    return nullptr;
}

} // namespace links
