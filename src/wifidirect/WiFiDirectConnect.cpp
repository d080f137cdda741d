// Wi-Fi Direct connection flows of the Wi-Fi Direct window: discovery, connecting, inviting,
// leaving, the answers to the adapter's negotiation events and to a peer's request.
#include <cstdio>
#include <cstring>

#include "core/Dumps.h"
#include "dialogs/FormMessageBox.h"
#include "dialogs/FormProgressMsg.h"
#include "core/Helpers.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/ActionQueue.h"
#include "mainwindow/MainWindowServices.h"
#include "resources/FormResource.h"
#include "resources/UiStr.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidirect/WiFiDirectText.h"
#include "wifidisplay/FormWiFiDisplay.h"

namespace {

const CUISTR* Strings()
{
    return FormResource ? FormResource->UI_Str.get() : nullptr;
}




void CopyBoundedText(char* out, size_t size, const std::string& text)
{
    std::memset(out, 0, size);
    std::memcpy(out, text.data(), std::min(size - 1, text.size()));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Helpers

void TFormWiFiDirect::OpenWizard(uint32_t action)
{
    if (!FormWiFiDirectSetting)
        return;
    FormWiFiDirectSetting->m_enumActionTpye = action;
    FormWiFiDirectSetting->SetTop(Top() + Height() / 4);
    FormWiFiDirectSetting->SetLeft(Left() + Width() / 2);
    m_bOK = FALSE;
    FormWiFiDirectSetting->ShowModal();
}

// A command record: the own name for discovery, the peer fields for peer requests.
void TFormWiFiDirect::SendCommand(uint32_t configMode, const DEVICE_ENTRY* peer)
{
    WIFIDIRECT_WPSE_PROFILE r{};
    r.ConfigMode = configMode;
    if (configMode == CONFIG_MODE_DISCOVERY) {
        const size_t length = std::min<size_t>(MyDeviceData.ulStringLen, sizeof r.DeviceName);
        std::memcpy(r.DeviceName, MyDeviceData.chDeviceName, length);
        r.DeviceNameLength = uint32_t(length);
    }
    if (peer) {
        const size_t length = std::min<size_t>(peer->ulStringLen, sizeof r.PeerDeviceName[0]);
        std::memcpy(r.PeerDeviceName[0], peer->chDeviceName, length);
        r.PeerDeviceNameCount = 1;
        std::memcpy(r.DesiredMacAddr[0], peer->chMacAddr, 6);
        r.DesiredMacCount = 1;
    }
    const int result = VOZEZIV.WVWL_SetWifiDirectWpseConfig(&r);
    PrintMessage(6, " WVWL_SetWifiDirectWpseConfig(ConfigMode %u) return %d\n", unsigned(configMode), result);
}

// ---------------------------------------------------------------------------------------------
// Menu actions and buttons

void TFormWiFiDirect::OnScan(TObject*)
{
    SendCommand(CONFIG_MODE_DISCOVERY, nullptr);
    if (MyPopupMenu->Items()->Count() > 0)
        MyPopupMenu->Items()->Items(0)->Enabled = false;
    m_bDisableScan = TRUE;
    TimerDisableScan->SetEnabled(true);
}

void TFormWiFiDirect::TimerDisableScanTimer(TObject*)
{
    TimerDisableScan->SetEnabled(false);
    m_bDisableScan = FALSE;
    if (MyPopupMenu->Items()->Count() > 0)
        MyPopupMenu->Items()->Items(0)->Enabled = true;
}

void TFormWiFiDirect::OnAutonomousGO(TObject* Sender)
{
    if (m_bEnableAutonomousGO) {
        OnDisconnect(Sender);
        return;
    }
    OpenWizard(ACTION_AUTONOMOUSGO);
    if (m_bOK)
        m_bEnableAutonomousGO = TRUE;
}

void TFormWiFiDirect::OnDisconnect(TObject* Sender)
{
    SendCommand(CONFIG_MODE_DISCONNECT, nullptr);
    if (VOZEZIV.WVWL_IsEnableICS())
        VOZEZIV.WVWL_DisableICS();
    m_WiFiDirectWvstatus = WvStatus_Disconnected;
    StartWiFiDirectProgress(FALSE, 0);
    m_bEnableAutonomousGO = FALSE;
    OnScan(Sender);
}

void TFormWiFiDirect::OnConnectDevice(TObject*)
{
    m_SeleteDeviceEntryForConnect = m_SeleteDeviceEntry;
    ConnectTo(m_SeleteDeviceEntryForConnect, WiFiDirectDeviceName(m_SeleteDeviceEntryForConnect));
}

void TFormWiFiDirect::ConnectTo(const DEVICE_ENTRY& t, const std::string& name)
{
    const bool inGroup = MyDeviceData.nRule == WIFI_DIRECT_IS_GO || m_nNumOfMyGroup > 1;
    if ((inGroup && t.nRule == WIFI_DIRECT_IS_GO) || t.nRule == 3 || (t.EntryStatus & 1)) {
        PrintMessage(6, " OnConnectDevice:: refused (bConnectToMe %u, nRule %d)\n", unsigned(t.bConnectToMe), int(t.nRule));
        return;
    }
    if (t.nRule == WIFI_DIRECT_IS_CLIENT && m_nNumOfMyGroup > 1 && MyDeviceData.nRule == WIFI_DIRECT_IS_CLIENT) {
        const CUISTR* s = Strings();
        if (ShowMessageBox(ReplaceAllNoCase(s ? s->STR_MSG_WARNING_CONFIG_GO : "", "%s", name), 1) != 1) {
            PrintMessage(6, " OnConnectDevice:: invitation cancelled\n");
            return;
        }
        SendCommand(CONFIG_MODE_CONNECT, &t);
        return;
    }
    OpenWizard(ACTION_CONNECT);
    if (!m_bOK)
        return;
    const CUISTR* s = Strings();
    m_strProgressMsg = s ? s->STR_WIFIDIRECT_CONNECT_WAIT : "";
    StartWiFiDirectProgress(TRUE, 120000);
}

void TFormWiFiDirect::WiFiDisplayConnectDevice(const std::string& name, const std::string& macText)
{
    for (size_t i = 0; i < m_vecTopology.size(); ++i) {
        if (WiFiDirectMacText(m_vecTopology[i].Device.chMacAddr, ':') != macText)
            continue;
        m_nIndexInVecForDevice0 = int(i);
        m_SeleteDeviceEntry = m_vecTopology[i].Device;
        ConnectTo(m_SeleteDeviceEntry, name);
        return;
    }
    PrintMessage(6, "[WDP] not find Mac in m_vecTopology\n");
}

void TFormWiFiDirect::OnProvision(TObject*)
{
    SendCommand(CONFIG_MODE_PROVISION, &m_SeleteDeviceEntry);
}

void TFormWiFiDirect::OnDisconnectDevice(TObject*)
{
    const CUISTR* s = Strings();
    const std::string text = ReplaceAllNoCase(s ? s->STR_MSG_CONFIRM_DISCONNECT : "", "%s", WiFiDirectDeviceName(m_SeleteDeviceEntry));
    if (ShowMessageBox(text, 1) != 1 || !m_SeleteDeviceEntry.bConnectToMe)
        return;
    VOZEZIV.WVWL_DisConnectWifiDirectPerDevice(m_SeleteDeviceEntry.chMacAddr);
    if (m_SeleteDeviceEntry.nRule == WIFI_DIRECT_IS_GO)
        UpdatePersistForDisconnect(m_SeleteDeviceEntry.chMacAddr);
}

void TFormWiFiDirect::BtnWPSConnectClick(TObject*)
{
    OpenWizard(ACTION_WPS);
}

void TFormWiFiDirect::BtnSetGOKeyClick(TObject*)
{
    OpenWizard(ACTION_SET_GO_KEY);
}

void TFormWiFiDirect::ShowSubForm(TForm* form)
{
    if (!form)
        return;
    RECT main;
    if (VOZEZIV.bWiFiDirectStandAlone || !mainwin::MainWindowBounds(main)) {
        form->SetTop(Top());
        form->SetLeft(Left() + Width());
    } else {
        form->SetTop(main.bottom);
        form->SetLeft(main.left);
    }
    form->Show();
}

void TFormWiFiDirect::OnOpenProfile(TObject*)
{
    ShowSubForm(FormWiFiDirectProfile);
}

void TFormWiFiDirect::OnMediaSharing(TObject*)
{
    ShowSubForm(FormWiFiDirectMediaSharing);
}

// ---------------------------------------------------------------------------------------------
// Event actions

void TFormWiFiDirect::TriggerWPS()
{
    if (VOZEZIV.nWinOS < 31) {
        VOZEZIV.WVWL_SetAuthMode(0);
        VOZEZIV.WVWL_StopAuth();
        VOZEZIV.WVWL_Disconnect();
    }
    const WIFI_DIRECT_GO_NEGO_DONE& n = m_WiFiDirectStatus.WifiDirectStateContext.GoNegoDone;
    WPS_MODE mode{};
    mode.WpsMode = n.WpsMode;
    if (n.WpsMode == WIFI_DIRECT_WPSE_PIN_MODE_DEFAULT || n.WpsMode == WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC ||
        n.WpsMode == WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC)
        std::memcpy(mode.PIN, n.PIN, sizeof mode.PIN);
    mode.WpsSSID.SsidLength = std::min<uint32_t>(n.SSIDLength, sizeof mode.WpsSSID.Ssid);
    std::memcpy(mode.WpsSSID.Ssid, n.SSID, sizeof mode.WpsSSID.Ssid);
    std::memcpy(mode.Bssid, n.chBssid, 6);
    int channel = 0;
    VOZEZIV.WVWL_QueryWPSAPChannel(n.chBssid, &channel);
    mode.Channel = uint8_t(channel);
    mode.ConfigMode = n.nMyRule == WIFI_DIRECT_IS_GO ? 2 : 1;
    DumpWPSMode(&mode);
    const int result = VOZEZIV.WVWL_SetWPSMode(mode);
    PrintMessage(6, " TriggerWPS:: WVWL_SetWPSMode return %d\n", result);
}

void TFormWiFiDirect::ConnectWiFiDirectCredential()
{
    ACTION_DATA action{actionTypeWiFiDirectProfile, &m_WiFiDirectStatus.WifiDirectStateContext.WpsDone};
    if (mainwin::HasMainWindow() && mainwin::InsertAction(action)) {
        const WIFI_DIRECT_WPS_DONE_CONTENT& w = m_WiFiDirectStatus.WifiDirectStateContext.WpsDone.WpsDoneContent;
        m_strMySSID = WiFiDirectText(w.SSID, w.SSIDLength, sizeof w.SSID);
    } else {
        PrintMessage(2, " ConnectWiFiDirectCredential --> Insert WiFiDirect profile type action Failed!!!\n");
    }
    if (!TimerCheckConnectStatus->Enabled())
        TimerCheckConnectStatus->SetEnabled(true);
}

void TFormWiFiDirect::GenerateSeudoWiFiDirectProfile()
{
    const WIFI_DIRECT_SEUDO_ADHOC& a = m_WiFiDirectStatus.WifiDirectStateContext.SeudoAdhoc;
    WLANPROFILE p{};
    p.enumNetworkType = 7;
    p.enumAuthenMode = 0;
    p.enumEncryStatus = 1;
    p.SSID.SsidLength = std::min<uint32_t>(a.SSIDLength, sizeof p.SSID.Ssid);
    std::memcpy(p.SSID.Ssid, a.SSID, sizeof p.SSID.Ssid);
    CopyBoundedText(p.strProfileName, sizeof p.strProfileName, WiFiDirectText(a.SSID, a.SSIDLength, sizeof a.SSID));
    p.lFreq = VOZEZIV.WVWL_ChannelToFrequency(a.chChannel);
    p.lRtsThre = 2347;
    p.lFragThre = 2346;
    p.enumPreamType = 2;
    p.enumTunnel = 26;
    p.enumProvisioningTunnel = 26;
    ACTION_DATA action{actionTypeProfile, &p};
    if (!mainwin::HasMainWindow() || !mainwin::InsertAction(action))
        PrintMessage(2, " GenerateSeudoWiFiDirectProfile:: InsertAction failed\n");
}

void TFormWiFiDirect::PopMsgAndInitSetting()
{
    const WIFI_DIRECT_CONNECT_REQUEST& c = m_WiFiDirectStatus.WifiDirectStateContext.ConnectRequest;
    const std::string mac = WiFiDirectMacText(c.chMacAddr, '-');
    // A repeat of the pending request changes nothing.
    if (m_nPopWiFiDirectSettingWindows && m_strConnectMac == mac) {
        PrintMessage(6, " PopMsgAndInitSetting:: repeated request from %s ignored\n", mac.c_str());
        return;
    }
    if (m_WiFiDirectStatus.WifiDirectStatus != WIFIDIRECTEVENT_CONFIRM_ENTER_PIN_FORM_WPS_M2) {
        std::memset(&m_SeleteDeviceEntry, 0, sizeof m_SeleteDeviceEntry);
        m_SeleteDeviceEntry.ulStringLen = std::min<uint32_t>(c.ulStringLen, sizeof c.chDeviceName);
        std::memcpy(m_SeleteDeviceEntry.chDeviceName, c.chDeviceName, sizeof c.chDeviceName);
    }
    std::memcpy(m_SeleteDeviceEntry.chMacAddr, c.chMacAddr, 6);
    m_SeleteDeviceEntry.ConfigMethod = c.ConfigMethod;
    m_bPopWiFiDirectSettingWindows = TRUE;
    TimerPopMsg->SetEnabled(false);
    m_strConnectMac = mac;

    const CUISTR* s = Strings();
    const std::string name = WiFiDirectDeviceName(m_SeleteDeviceEntry);
    std::string text = ReplaceAllNoCase(ReplaceAllNoCase(s ? s->STR_TRAY_WIFIDIRECT_CONNECT_REQ : "", "%sn", "\n"), "%s", name);
    const std::string title = s ? s->STR_TRAY_WIFIDIRECT_MSG_TITLE : "";
    constexpr UINT timeout = 15000;
    NOTIFYICONDATAA balloon;
    if (mainwin::TrayIconData(balloon)) {
        balloon.uFlags |= NIF_INFO;
        CopyBoundedText(balloon.szInfoTitle, 64, title);
        CopyBoundedText(balloon.szInfo, 256, text);
        balloon.uTimeout = timeout;
        const BOOL shown = mainwin::PopUpMsgTrayIcon(balloon);
        PrintMessage(6, " PopMsgAndInitSetting:: PopUpMsgTrayIcon return %d, error %lu\n", shown, GetLastError());
    }
    m_nPopWiFiDirectSettingWindows = int(timeout / 1000);
    TimerPopMsg->SetEnabled(true);
    if (FormWiFiDirectSetting && FormWiFiDirectSetting->Visible()) {
        FormWiFiDirectSetting->Close();
        return;
    }
    m_bPopWiFiDirectSettingWindows = FALSE;
    OnPopupConnectSetting();
}

void TFormWiFiDirect::TimerPopMsgTimer(TObject*)
{
    if (--m_nPopWiFiDirectSettingWindows <= 0) {
        m_nPopWiFiDirectSettingWindows = 0;
        TimerPopMsg->SetEnabled(false);
    }
    if (m_bPopWiFiDirectSettingWindows) {
        m_bPopWiFiDirectSettingWindows = FALSE;
        OnPopupConnectSetting();
    }
}

void TFormWiFiDirect::OnPopupConnectSetting()
{
    TFormWiFiDirectSetting* wizard = FormWiFiDirectSetting;
    if (!wizard)
        return;
    const uint8_t event = m_WiFiDirectStatus.WifiDirectStatus;
    wizard->m_enumActionTpye = event == WIFIDIRECTEVENT_CONFIRM_ENTER_PIN_FORM_WPS_M2      ? ACTION_CONFIRM_ENTER_PIN
                               : event == WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS_FOR_AUTOGO ? ACTION_WPS
                                                                                           : ACTION_GET_CONNECT_REQUEST;
    RECT anchor;
    if (Visible()) {
        wizard->SetTop(Top() + Height() / 4);
        wizard->SetLeft(Left() + Width() / 2);
    } else if (mainwin::MainWindowBounds(anchor)) {
        PLACEMENT_RECORD place{0, 0, wizard->Width(), wizard->Height()};
        PlaceWindowNearRect(anchor, place);
        wizard->SetLeft(place.x);
        wizard->SetTop(place.y);
    }
    if (wizard->Visible()) {
        PrintMessage(2, " OnPopupConnectSetting:: the wizard is already visible\n");
        return;
    }
    m_bOK = FALSE;
    if (!VOZEZIV.bSupportWPSDisplayPinDialog && VOZEZIV.WVWL_ConvertWpsConfigMethodToWpsCapabilityMap(m_SeleteDeviceEntry.ConfigMethod, 0) < 0) {
        // the peer displays its PIN: nothing to ask, the request page goes on by itself
        wizard->Show();
        wizard->BtnWiFiDirectNextClick(this);
    } else {
        wizard->ShowModal();
    }
    if (!m_bOK)
        return;
    const CUISTR* s = Strings();
    m_strProgressMsg = s ? s->STR_WIFIDIRECT_CONNECT_WAIT : "";
    StartWiFiDirectProgress(TRUE, 120000);
}

void TFormWiFiDirect::OnDisplayPIN()
{
    TFormWiFiDirectSetting* wizard = FormWiFiDirectSetting;
    if (!wizard)
        return;
    wizard->m_enumActionTpye = ACTION_DISPLAY_PIN;
    RECT anchor;
    if (mainwin::MainWindowBounds(anchor)) {
        PLACEMENT_RECORD place{0, 0, wizard->Width(), wizard->Height()};
        PlaceWindowNearRect(anchor, place);
        wizard->SetLeft(place.x);
        wizard->SetTop(place.y);
    }
    if (wizard->Visible())
        wizard->Close();
    if (wizard->Visible()) {
        PrintMessage(2, " OnDisplayPIN:: the wizard is still visible\n");
        return;
    }
    wizard->Show();
}
