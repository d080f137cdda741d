#include "mainwindow/ProgramForms.h"

#include <cstring>

#include "advanced/Form80211nSetting.h"
#include "advanced/FormASManagement.h"
#include "advanced/FormAdvanced.h"
#include "advanced/FormExtendedAP.h"
#include "advanced/FormExtendedAPIdPwd.h"
#include "advanced/FormMFPTest.h"
#include "dialogs/Dialogs.h"
#include "dialogs/FormProgressMsg.h"
#include "core/FormHide.h"
#include "hotspot/FormHotSpot.h"
#include "mainwindow/FormAbout.h"
#include "mainwindow/FormLinkInfo.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/FormSiteSurvey.h"
#include "profiles/FormInvalidIdPwd.h"
#include "profiles/FormPeapIdPwd.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/FormSelEnrollee.h"
#include "profiles/FormWPS20WiFiTestBed.h"
#include "resources/FormResource.h"
#include "ui/Forms.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/FormWDPTDLSProgressMsg.h"
#include "wifidirect/WiFiDirectSetting.h"
#include "wifidisplay/FormWiFiDisplay.h"
#include "wifidisplay/WDPUIBCControlPanelForm.h"

void CreateProgramForms()
{
    Application->CreateForm(FormHide);
    Application->CreateForm(FormResource);
    Application->CreateForm(FormSelectCard);
    Application->CreateForm(FormProgressMsg);
    Application->CreateForm(FormSiteSurvey);
    Application->CreateForm(FormWiFiDirectSetting);
    Application->CreateForm(FormWiFiDirectProfile);
    Application->CreateForm(FormWiFiDirectMediaSharing);
    Application->CreateForm(FormWiFiDirect);
    Application->CreateForm(FormMFPTest);
    Application->CreateForm(Form80211nSetting);
    Application->CreateForm(FormAdvanced);
    Application->CreateForm(FormMessageBox);
    Application->CreateForm(FormProfile);
    Application->CreateForm(FormProfileEdit);
    Application->CreateForm(FormPeapIdPwd);
    Application->CreateForm(FormExtendedAP);
    Application->CreateForm(FormAbout);
    Application->CreateForm(FormHiddenSsid);
    Application->CreateForm(FormExtendedAPIdPwd);
    Application->CreateForm(FormInvalidIdPwd);
    Application->CreateForm(FormASManagement);
    Application->CreateForm(FormWPS20WiFiTestBed);
    Application->CreateForm(FormSelEnrollee);
    Application->CreateForm(FormLinkInfo);
    Application->CreateForm(WDPUIBCControlPanelForm);
    Application->CreateForm(FormWDPTDLSProgressMsg);
    Application->CreateForm(FormWiFiDisplay);
    Application->CreateForm(FormWFADispDevDetailInfo);
    Application->CreateForm(FormHotSpot);
    Application->CreateForm(WiFiDisplayWaning);
    // The progress dialog's Cancel drops the peer the Wi-Fi Direct wizard connects to.
    FormProgressMsg->PeerOfConnection = [](unsigned char (&mac)[6]) {
        if (FormWiFiDirectSetting)
            std::memcpy(mac, FormWiFiDirectSetting->m_data_WIFIDIRECT_WPSE_Profile.DesiredMacAddr[0], sizeof mac);
    };
    // Last: its creation brings the adapter up.
    Application->CreateForm(FormMain);
}
