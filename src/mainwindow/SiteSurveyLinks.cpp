// The site survey's calls into windows that other parts of the program build; a window that
// is not created yet answers as absent.
#include "mainwindow/SiteSurveyLinks.h"

#include "advanced/FormAdvanced.h"
#include "dialogs/Dialogs.h"
#include "core/Log.h"
#include "profiles/FormProfile.h"
#include "wifidirect/FormWiFiDirect.h"

namespace links {

int ShowMessage(const std::string& text, int okCancel)
{
    return ShowMessageBox(text, okCancel);
}

void SetActiveProfile(BOOL active)
{
    if (FormProfile)
        FormProfile->m_bActiveProfile = active;
}

void SetSiteSurveyConnect(BOOL value)
{
    if (FormProfile)
        FormProfile->m_bSiteSurveyConnect = value;
}

bool ProfileWindowShowing()
{
    if (FormProfile)
        return FormProfile->Visible();
    return false;
}

void ShowProfileWindowAt(int left, int top)
{
    if (!FormProfile)
        return;
    FormProfile->SetLeft(left);
    FormProfile->SetTop(top);
    FormProfile->Show();
}

void RefreshProfileList()
{
    if (FormProfile)
        FormProfile->RefreshProfileList();
}

void SetOidFromReg()
{
    if (FormProfile)
        FormProfile->SetOidFromReg(0);
}

bool WiFiDirectWindowExists()
{
    return FormWiFiDirect != nullptr;
}

int WiFiDirectGroupCount()
{
    if (FormWiFiDirect)
        return FormWiFiDirect->m_nNumOfMyGroup;
    return 0;
}

BYTE WiFiDirectOwnEntryStatus()
{
    if (FormWiFiDirect)
        return BYTE(FormWiFiDirect->MyDeviceData.EntryStatus);
    return 0;
}

void TurnWiFiDirectOff()
{
    if (FormWiFiDirect)
        FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE);
}

const ACTION_DATA* PendingAdvancedConnect()
{
    if (FormAdvanced && FormAdvanced->FrameAdvancedWireless)
        return &FormAdvanced->FrameAdvancedWireless->m_PendingConnectAction;
    return nullptr;
}

} // namespace links
