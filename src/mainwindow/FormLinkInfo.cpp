#include "mainwindow/FormLinkInfo.h"

#include <cstdio>
#include <cstring>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "hotspot/FormHotSpot.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/LinkStatus.h"

TFormLinkInfo* FormLinkInfo = nullptr;

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
    PrintMessage(6, "TFormLinkInfo::TimerLinkInfoTimer --> call VOZEZIV.WVWL_QueryWLANStatus\n");
    WLAN_STATUS status = QueryLinkStatus(VOZEZIV, LINK_QUERY_ALL);
    PrintMessage(6, "TFormLinkInfo::TimerLinkInfoTimer <-- call VOZEZIV.WVWL_QueryWLANStatus\n");
    const bool radioOff = status.linkStatusCode == 2 || status.linkStatusCode == 3;
    if (radioOff || !IsLinkShownConnected(status)) {
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
    std::string ssid = LinkSsidText(status.ssid);
    if (!ssid.empty())
        m->lblSSID->SetCaption(ssid);
    if (FormHotSpot) {
        std::memset(FormHotSpot->m_ConnectedBssid, 0, 6);
        std::memcpy(FormHotSpot->m_ConnectedBssid, status.bssid, 6);
    }
    m_strIPAddress = LinkIpv4Text(status.ipAddress);
    m_strIPMask = LinkIpv4Text(status.ipMask);
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
