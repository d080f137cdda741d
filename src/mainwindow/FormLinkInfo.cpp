#include "mainwindow/FormLinkInfo.h"

#include <cstdio>
#include <cstring>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "hotspot/FormHotSpot.h"
#include "mainwindow/FormMain.h"

TFormLinkInfo* FormLinkInfo = nullptr;

namespace {

std::string Dotted(const uint8_t* bytes)
{
    char text[20];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", bytes[0], bytes[1], bytes[2], bytes[3]);
    return text;
}

std::string SsidText(const NDIS_802_11_SSID& ssid)
{
    ULONG n = ssid.SsidLength > 32 ? 32 : ssid.SsidLength;
    return std::string(reinterpret_cast<const char*>(ssid.Ssid), n);
}

}  // namespace

TFormLinkInfo::TFormLinkInfo(TComponent* owner) : TForm(owner)
{
    Name = "FormLinkInfo";
    SetBorderStyle(bsNone);
    SetClientSize(395, 300);
    TimerLinkInfo = new TTimer(this);
    TimerLinkInfo->SetInterval(2000);
    TimerLinkInfo->OnTimer = [this](TObject* s) { TimerLinkInfoTimer(s); };
}

void TFormLinkInfo::SysBtnCloseClick(TObject*)
{
    Hide();
}

void TFormLinkInfo::TimerLinkInfoTimer(TObject*)
{
    if (!FormMain)
        return;
    FormMain->ShoworHideSTAButton();
    WLAN_STATUS status{};
    WLAN_STATUS_QUERY query{};
    for (uint32_t& f : query.flag)
        f = 1;
    PrintMessage(6, "TFormLinkInfo::TimerLinkInfoTimer --> call VOZEZIV.WVWL_QueryWLANStatus\n");
    VOZEZIV.WVWL_QueryWLANStatus(&status, query);
    PrintMessage(6, "TFormLinkInfo::TimerLinkInfoTimer <-- call VOZEZIV.WVWL_QueryWLANStatus\n");
    static const uint8_t zero[6] = {};
    const bool radioOff = status.linkStatusCode == 2 || status.linkStatusCode == 3;
    if (status.status != WvStatus_Connected || radioOff || std::memcmp(status.bssid, zero, 6) == 0) {
        ShowLinkDown();
        return;
    }
    ShowLink(status);
}

void TFormLinkInfo::ShowLinkDown()
{
    TFormMain* m = FormMain;
    if (!m->lblIPAddress->Caption().empty()) {
        PrintMessage(6, "[WDP] clean local IP \n");
        DWORD none = 0;
        VOZEZIV.WVWL_OIDSetInfo(0xFFF10701, &none, 4);
    }
    for (TLabel* label : {m->lblSSID, m->lblIPAddress, m->lblIPMask, m->lblChannel, m->lblTxRate})
        label->SetCaption("");
    m->ImgLinkQuality->SetVisible(false);
    m->ImgLinkQualityDiabled->SetVisible(false);
    m->ImgLinkQualityDisconnected->SetVisible(true);
    m->ImgKeyEnable->SetVisible(false);
}

void TFormLinkInfo::ShowLink(const WLAN_STATUS& status)
{
    TFormMain* m = FormMain;
    std::string ssid = SsidText(status.ssid);
    if (!ssid.empty())
        m->lblSSID->SetCaption(ssid);
    if (FormHotSpot) {
        std::memset(FormHotSpot->m_ConnectedBssid, 0, 6);
        std::memcpy(FormHotSpot->m_ConnectedBssid, status.bssid, 6);
    }
    m_strIPAddress = Dotted(status.ipAddress);
    m_strIPMask = Dotted(status.ipMask);
    if (m_strIPAddress != m->lblIPAddress->Caption())
        VOZEZIV.WVWL_OIDSetInfo(0xFFF10701, status.ipAddress, 4);
    m->lblIPAddress->SetCaption(m_strIPAddress);
    m->lblIPMask->SetCaption(m_strIPMask);

    m->ImgKeyEnable->SetVisible(!(status.authenticationMode == 0 &&
                                  (status.encryptionStatus == 1 || status.encryptionStatus == 2)));

    m_strChannel.clear();
    if (status.dsFrequency) {
        int channel = VOZEZIV.WVWL_FrequencyToChannel(status.dsFrequency);
        if (channel != -1) {
            char text[32];
            std::snprintf(text, sizeof text, "%u (%d MHz)", unsigned(channel), int(status.dsFrequency / 1000));
            m_strChannel = text;
        }
    }
    PrintMessage(6, "TFormLinkInfo::TimerLinkInfoTimer ::DisplayChannel : m_strChannel = %s\n", m_strChannel.c_str());
    m->lblChannel->SetCaption(m_strChannel);

    char rate[32];
    std::snprintf(rate, sizeof rate, "%.1f Mbps", status.txRate);
    m->lblTxRate->SetCaption(rate);

    m->ImgLinkQualityDisconnected->SetVisible(false);
    m->ImgLinkQualityDiabled->SetVisible(true);
    m->ImgLinkQuality->SetVisible(true);
}
