#include "wifidirect/FormWiFiDirect.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"

TFormWiFiDirect* FormWiFiDirect = nullptr;

TFormWiFiDirect::TFormWiFiDirect(TComponent* owner) : TForm(owner)
{
    Name = "FormWiFiDirect";
    SetBorderStyle(bsNone);
    SetClientSize(400, 330);
    InitializeCriticalSection(&m_csOwnDevice);
    ImgWiFiDirectOn = new TImage(this);
    ImgWiFiDirectOn->SetParent(this);
    ImgWiFiDirectOff = new TImage(this);
    ImgWiFiDirectOff->SetParent(this);
    lblHintToEnable = new TLabel(this);
    lblHintToEnable->SetParent(this);
    ShowWiFiDirectState(false);
}

TFormWiFiDirect::~TFormWiFiDirect()
{
    DeleteCriticalSection(&m_csOwnDevice);
    if (FormWiFiDirect == this)
        FormWiFiDirect = nullptr;
}

void TFormWiFiDirect::SysBtnCloseClick(TObject*)
{
    Hide();
}

void TFormWiFiDirect::Dispatch(TMessage& Message)
{
    if (Message.Msg == MSG_WIFIDIRECT_EVENET) {
        OnWiFiDirectEvent();
        return;
    }
    TForm::Dispatch(Message);
}

void TFormWiFiDirect::OnWiFiDirectEvent()
{
    int result = VOZEZIV.WVWL_QueryWifiDirectStatus(m_WiFiDirectStatus);
    PrintMessage(6, " TFormWiFiDirect::OnWiFiDirectEvent WVWL_QueryWifiDirectStatus return %d\n", result);
    ++m_nEventsHandled;
    const unsigned long oid = VOZEZIV.nWinOS >= 31 ? 0xFFF101D6ul : 0x0DF101D6ul;
    DWORD ready = 1;
    VOZEZIV.WVWL_OIDSetInfo(oid, &ready, 4);
}

void TFormWiFiDirect::ShowWiFiDirectState(bool on)
{
    ImgWiFiDirectOn->SetVisible(on);
    ImgWiFiDirectOff->SetVisible(!on);
    lblHintToEnable->SetVisible(!on);
}

void TFormWiFiDirect::InitializeVariablesAndStatus(BOOL)
{
    m_ulMyRule = 0;
    m_nNumOfMyGroup = 0;
    m_vecTopology.clear();
}

void TFormWiFiDirect::StartWiFiDirectProgress(BOOL, DWORD)
{
}

void TFormWiFiDirect::EnableOrDisableWiFiDirect(BOOL bWiFiDirect, BOOL bReadWiFiDirectFlag, BOOL,
                                                BOOL bWriteWiFiDirectFlag)
{
    if (bReadWiFiDirectFlag) {
        alignas(4) BYTE control[40] = {};
        bWiFiDirect = VOZEZIV.WVWL_ReadWifiDirectControl(control) == 1 && (control[0] & 1);
    }
    if (!bWiFiDirect) {
        m_bWiFiDirectEnabled = FALSE;
        StartWiFiDirectProgress(FALSE, 0);
        VOZEZIV.WVWL_DisableWifiDirect();
        if (bWriteWiFiDirectFlag)
            VOZEZIV.WVWL_WriteWifiDirectFlag(0);
        ShowWiFiDirectState(false);
        if (FormMain)
            FormMain->ModifyTrayIcon(TRAY_TYPE_WIFIDIRECT, 1);
        InitializeVariablesAndStatus(TRUE);
        if (!m_bSubFormsDestroyed) {
            if (FormWiFiDirectProfile && FormWiFiDirectProfile->Visible())
                FormWiFiDirectProfile->Close();
            if (FormWiFiDirectMediaSharing && FormWiFiDirectMediaSharing->Visible())
                FormWiFiDirectMediaSharing->Close();
        }
        return;
    }
    m_bWiFiDirectEnabled = TRUE;
    if (bWriteWiFiDirectFlag)
        VOZEZIV.WVWL_WriteWifiDirectFlag(1);
    ShowWiFiDirectState(true);
    if (FormMain)
        FormMain->ModifyTrayIcon(TRAY_TYPE_WIFIDIRECT, 3);
    EnterCriticalSection(&m_csOwnDevice);
    std::memset(&MyDeviceData, 0, sizeof MyDeviceData);
    LeaveCriticalSection(&m_csOwnDevice);
}

const DEVICE_ENTRY* TFormWiFiDirect::FindDevice(const BYTE* mac) const
{
    for (const WIFI_DIRECT_TOPOPOGY& t : m_vecTopology) {
        if (std::memcmp(t.Device.chMacAddr, mac, 6) == 0)
            return &t.Device;
        for (const DEVICE_ENTRY& d : t.vecSubDeviceList)
            if (std::memcmp(d.chMacAddr, mac, 6) == 0)
                return &d;
    }
    return nullptr;
}

void FillWiFiDirectProfileForPeer(WIFIDIRECT_WPSE_PROFILE& r, const BYTE* w, const DEVICE_ENTRY& peer,
                                  const std::string& ownDeviceName)
{
    const size_t peerNameLength = std::min<size_t>(peer.ulStringLen, sizeof peer.chDeviceName);
    const std::string peerName(peer.chDeviceName, strnlen(peer.chDeviceName, peerNameLength));
    if (r.ProfileName[0] == 0) {
        std::string name = "Profile-" + peerName;
        if (name.size() > 32)
            name.resize(32);
        std::memset(r.ProfileName, 0, sizeof r.ProfileName);
        std::memcpy(r.ProfileName, name.data(), name.size());
    }
    r.ConfigMode = 3;
    r.GoIntentIdx = 7;
    r.PeerDeviceNameCount = 1;
    std::memset(r.PeerDeviceName[0], 0, sizeof r.PeerDeviceName[0]);
    std::memcpy(r.PeerDeviceName[0], peer.chDeviceName, peerNameLength);
    r.DesiredMacCount = 1;
    std::memcpy(r.DesiredMacAddr[0], peer.chMacAddr, 6);

    std::memset(r.DeviceName, 0, sizeof r.DeviceName);
    const size_t ownLength = std::min(ownDeviceName.size(), sizeof r.DeviceName);
    std::memcpy(r.DeviceName, ownDeviceName.data(), ownLength);
    r.DeviceNameLength = uint32_t(ownLength);

    uint32_t keyLength, ssidLength;
    std::memcpy(&keyLength, w + 60, 4);
    std::memcpy(&ssidLength, w + 12, 4);
    keyLength = std::min<uint32_t>(keyLength, sizeof r.Key);
    ssidLength = std::min<uint32_t>(ssidLength, sizeof r.SSID);
    std::memset(r.Key, 0, sizeof r.Key);
    std::memcpy(r.Key, w + 64, keyLength);
    r.KeyLength = keyLength;
    std::memset(r.SSID, 0, sizeof r.SSID);
    std::memcpy(r.SSID, w + 16, ssidLength);
    r.SSIDLength = ssidLength;
}
