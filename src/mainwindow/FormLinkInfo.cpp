// The link-information window and its two-second tick, which also writes the main window's
// link labels and hands the connected BSSID to the Hotspot 2.0 window.
#include "mainwindow/FormLinkInfo.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "hotspot/FormHotSpot.h"
#include "mainwindow/FormMain.h"
#include "resources/FormResource.h"
#include "resources/WvImage.h"
#include "mainwindow/LinkStatus.h"
#include "wlapi/bsslist.h"
#include "wlapi/constants.h"

using skin::UiText;

TFormLinkInfo* FormLinkInfo = nullptr;

namespace {

constexpr unsigned kTickMs = 2000;
constexpr DWORD kSetLocalIpRequest = 0xFFF10701;
constexpr unsigned long kCcx2CckmEnable = 0x00000002;  // bit 1 of byte 0
constexpr int kFirstHTWirelessMode = 5;
constexpr int kPageLeft = 12, kPageTop = 52, kPageWidth = 376, kPageHeight = 186;


// The library's answers, with what a missing entry stands for.
int MSConfigServiceOn()
{
    return VOZEZIV.WVWL_CheckMSConfigService ? VOZEZIV.WVWL_CheckMSConfigService() : 1;
}

int RadioOn()
{
    return VOZEZIV.WVWL_ReadRadioStatus ? VOZEZIV.WVWL_ReadRadioStatus() : 1;
}

int WapiConnecting()
{
    return VOZEZIV.WVWL_IsWAPIConnecting ? VOZEZIV.WVWL_IsWAPIConnecting() : 0;
}

int WapiProgress()
{
    return VOZEZIV.WVWL_GetWAPIProgress ? VOZEZIV.WVWL_GetWAPIProgress() : 0;
}

bool HardwareRadioOn()
{
    KV_802_11_STA_CONFIG config{};
    if (!VOZEZIV.WVWL_QuerySTAConfig)
        return true;
    VOZEZIV.WVWL_QuerySTAConfig(&config);
    return config.HwRadioStatus != 0;
}

std::string Format(const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// The status line of the no-link display.
std::string LinkDownText(bool stateKnown, bool radioOff)
{
    if (VOZEZIV.nWinOS >= WINOS_VISTA) {
        if (radioOff)
            return UiText(&CUISTR::STR_RADIOOFF);
        if (!stateKnown)
            return UiText(MSConfigServiceOn() == 0 ? &CUISTR::STR_AUTOCONFIG_DISABLE : &CUISTR::STR_DRIVER_NOTOK);
        if (RadioOn() == 0)
            return UiText(&CUISTR::STR_RADIOOFF);
        if (WapiConnecting() == 1)
            return Format("%s <--> %d %%", UiText(&CUISTR::STR_PROCESSING_CONNECTION).c_str(), WapiProgress());
        return UiText(&CUISTR::STR_DISCONNECTED);
    }
    if (!stateKnown)
        return UiText(&CUISTR::STR_DRIVER_NOTOK);
    if (RadioOn() == 0)
        return UiText(&CUISTR::STR_RADIOOFF);
    return UiText(HardwareRadioOn() ? &CUISTR::STR_DISCONNECTED : &CUISTR::STR_RADIOOFF);
}

std::string AuthenticationText(DWORD mode)
{
    switch (mode) {
    case 1: return UiText(&CUISTR::STR_SHARED);
    case 3: return UiText(&CUISTR::STR_WPA);
    case 4: return UiText(&CUISTR::STR_WPAPSK);
    case 5: return UiText(&CUISTR::STR_WPANONE);
    case 6: return UiText(&CUISTR::STR_WPA2);
    case 7: return UiText(&CUISTR::STR_WPA2PSK);
    case 10: return UiText(&CUISTR::STR_WAPIPSK);
    case 11: return UiText(&CUISTR::STR_WAPICA);
    case 13: return UiText(&CUISTR::STR_CCKM);
    default: return UiText(&CUISTR::STR_OPENSYSTEM);
    }
}

// Encryption text; mfp adds "(MFP)" to TKIP and AES.
std::string EncryptionText(DWORD status, bool mfp)
{
    const std::string suffix = mfp ? "(MFP)" : "";
    switch (status) {
    case 0: return UiText(&CUISTR::STR_WEP);
    case 3: return "WEP Not Supported";
    case 4:
    case 5: return UiText(&CUISTR::STR_TKIP) + suffix;
    case 6:
    case 7: return UiText(&CUISTR::STR_AES) + suffix;
    case 9: return UiText(&CUISTR::STR_SMS4);
    case 10: return UiText(&CUISTR::STR_TKIP) + "(MFP)";
    case 11: return UiText(&CUISTR::STR_AES) + "(MFP)";
    default: return UiText(&CUISTR::STR_NONE);
    }
}

std::string NetworkTypeText(DWORD type)
{
    if (type == WV_NETWORK_IBSS)
        return UiText(&CUISTR::STR_IBSS);
    if (type == WV_NETWORK_PEER_TO_PEER)
        return "Peer to Peer";
    return UiText(&CUISTR::STR_INFRA);
}

// The repository entry of the network with this BSSID, or null. Only entries that lie wholly
// inside the repository are looked at.
const NDIS_WLAN_BSSID_EX* RepositoryEntry(const BYTE* bssid)
{
    const BYTE* list = VOZEZIV.pRepositBssidList;
    if (!list)
        return nullptr;
    const bss::Walk walk = bss::WalkList(list, VOZEZIV.nRepositBssidBufSize);
    for (const bss::Item& item : walk.items) {
        if (std::memcmp(list + item.offset + bss::kMac, bssid, 6) == 0)
            return reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(list + item.offset);
    }
    return nullptr;
}

bool RepositoryEmpty()
{
    const BYTE* list = VOZEZIV.pRepositBssidList;
    return !list || VOZEZIV.nRepositBssidBufSize < bss::kListHeader || bss::ReadU32(list) == 0;
}

} // namespace

TFormLinkInfo::TFormLinkInfo(TComponent* owner) : TFormBase(owner)
{
    Name = "FormLinkInfo";
    TFormResource* res = FormResource;
    SetClientSize(400, 245);

    SysBtnClose = skin::MakePictureButton(this, 375, 8, res ? res->ImgBtnLinkInfoFormClose_Normal : nullptr,
                                              res ? res->ImgBtnLinkInfoFormClose_Down : nullptr, gsPushButton);
    TabBtnWireless = skin::MakePictureButton(this, 12, 17, res ? res->ImgBtnLinkInfoWireless_Normal : nullptr,
                                                 res ? res->ImgBtnLinkInfoWireless_Down : nullptr, gsTabButton);
    TabBtnThroughput =
        skin::MakePictureButton(this, 40, 17, res ? res->ImgBtnLinkInfoThroughput_Normal : nullptr,
                                    res ? res->ImgBtnLinkInfoThroughput_Down : nullptr, gsTabButton);
    TabBtnStatistic = skin::MakePictureButton(this, 68, 17, res ? res->ImgBtnLinkInfoStatistic_Normal : nullptr,
                                                  res ? res->ImgBtnLinkInfoStatistic_Down : nullptr, gsTabButton);
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    TabBtnWireless->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        TabBtnWirelessMouseDown(s, b, sh, x, y);
    };
    TabBtnThroughput->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        TabBtnThroughputMouseDown(s, b, sh, x, y);
    };
    TabBtnStatistic->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        TabBtnStatisticMouseDown(s, b, sh, x, y);
    };

    FrameLinkInfoStatistic = new TFrameLinkInfoStatistic(this);
    FrameLinkInfoThroughput = new TFrameLinkInfoThroughput(this);
    FrameLinkInfoWireless = new TFrameLinkInfoWireless(this);
    for (TFrameBase* page : {static_cast<TFrameBase*>(FrameLinkInfoStatistic),
                             static_cast<TFrameBase*>(FrameLinkInfoThroughput),
                             static_cast<TFrameBase*>(FrameLinkInfoWireless)}) {
        page->SetParent(this);
        page->SetBounds(kPageLeft, kPageTop, kPageWidth, kPageHeight);
    }

    std::string CUISTR::*texts[kLinkStatusTextCount] = {
        &CUISTR::STR_GENERAL_LINK_UP,  &CUISTR::STR_GENERAL_LINK_DOWN,    &CUISTR::STR_HW_RADIO_OFF,
        &CUISTR::STR_SW_RADIO_OFF,     &CUISTR::STR_AUTH_FAIL,            &CUISTR::STR_AUTH_FAIL_KEYS,
        &CUISTR::STR_ASSOC_FAIL,       &CUISTR::STR_EAP_MIC_FAILURE,      &CUISTR::STR_EAP_4WAY_TIMEOUT,
        &CUISTR::STR_EAP_GROUP_KEY_TIMEOUT, &CUISTR::STR_EAP_SUCCESS};
    for (int i = 0; i < kLinkStatusTextCount; ++i) {
        m_LinkStatusTexts[i].code = DWORD(i);
        // Longer texts are cut to the 63 characters the entry holds.
        std::snprintf(m_LinkStatusTexts[i].text, sizeof m_LinkStatusTexts[i].text, "%s", UiText(texts[i]).c_str());
    }

    TimerLinkInfo = new TTimer(this);
    TimerLinkInfo->SetInterval(kTickMs);
    TimerLinkInfo->OnTimer = [this](TObject* s) { TimerLinkInfoTimer(s); };
    TimerLinkInfo->SetEnabled(true);

    OnShow = [this](TObject* s) { FormShow(s); };
}

TFormLinkInfo::~TFormLinkInfo() = default;

void TFormLinkInfo::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TFormLinkInfo::FormCreate()\n");
    if (FormResource && FormResource->ImgLinkInfoFormBG)
        ImgBackground->SetPicture(FormResource->ImgLinkInfoFormBG->Picture());
    TFormBase::FormCreate(Sender);
    const std::string caption = UiText(&CUISTR::STR_BtnHintLinkInfo);
    SetCaption(caption);
    lblCaptionText->SetCaption(caption);
    SysBtnClose->SetHint(UiText(&CUISTR::STR_BtnHintClose));
    TabBtnWireless->SetHint(UiText(&CUISTR::STR_BtnHintWireless));
    TabBtnThroughput->SetHint(UiText(&CUISTR::STR_BtnHintThroughput));
    TabBtnStatistic->SetHint(UiText(&CUISTR::STR_BtnHintStatistic));
    PrintMessage(6, " <-- TFormLinkInfo::FormCreate()\n");
}

void TFormLinkInfo::FormShow(TObject*)
{
    TimerLinkInfo->SetEnabled(true);
    TabBtnWireless->SetImageIndex(1);
    TabBtnThroughput->SetImageIndex(0);
    TabBtnStatistic->SetImageIndex(0);
    SwitchPage(nullptr, FrameLinkInfoWireless);
    ShowSignalRows();
}

void TFormLinkInfo::SysBtnCloseClick(TObject*)
{
    Hide();
}

void TFormLinkInfo::SelectTab(TWvImage* tab, TFrameBase* page)
{
    for (TWvImage* each : {TabBtnWireless, TabBtnThroughput, TabBtnStatistic})
        each->SetImageIndex(each == tab ? 1 : 0);
    SwitchPage(m_pCurrentPage, page);
}

void TFormLinkInfo::TabBtnWirelessMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    SelectTab(TabBtnWireless, FrameLinkInfoWireless);
}

void TFormLinkInfo::TabBtnThroughputMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    SelectTab(TabBtnThroughput, FrameLinkInfoThroughput);
}

void TFormLinkInfo::TabBtnStatisticMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    SelectTab(TabBtnStatistic, FrameLinkInfoStatistic);
}

void TFormLinkInfo::TimerLinkInfoTimer(TObject*)
{
    TFormMain* main = FormMain;
    if (!main)
        return;
    PrintMessage(6, "TFormLinkInfo::TimerLinkInfoTimer --> call VOZEZIV.WVWL_QueryWLANStatus\n");
    const WLAN_STATUS status = QueryLinkStatus(VOZEZIV, LINK_QUERY_ALL);
    PrintMessage(6, "TFormLinkInfo::TimerLinkInfoTimer <-- call VOZEZIV.WVWL_QueryWLANStatus\n");
    main->ShoworHideSTAButton(&status);  // one status read serves both

    bool radioOff = false;
    SetExtraInfoText(status.linkStatusCode, radioOff);
    TFrameLinkInfoWireless* wireless = FrameLinkInfoWireless;
    wireless->lblExtraInfo->SetCaption(m_strExtraInfo);

    if (status.status == WvStatus_Unknown || radioOff) {
        ShowLinkDown(status.status != WvStatus_Unknown, radioOff);
        return;
    }
    if (!IsLinkShownConnected(status)) {
        ShowLinkDown(true, false);
        return;
    }

    FormatAPStatus(status);
    if (FormHotSpot) {
        std::memset(FormHotSpot->m_ConnectedBssid, 0, sizeof FormHotSpot->m_ConnectedBssid);
        std::memcpy(FormHotSpot->m_ConnectedBssid, status.bssid, 6);
    }
    wireless->lblStatus->SetCaption(m_strStatus);
    wireless->lblStatus2->SetCaption(m_strStatus2);

    m_strIPAddress = LinkIpv4Text(status.ipAddress);
    m_strIPMask = LinkIpv4Text(status.ipMask);
    if (m_strIPAddress != main->lblIPAddress->Caption())
        SetLocalIPToDriver(status.ipAddress);
    main->lblIPAddress->SetCaption(m_strIPAddress);
    main->lblIPMask->SetCaption(m_strIPMask);

    FormatNetworkAndSecurity(status);
    wireless->lblNetworkType->SetCaption(m_strNetworkType);
    wireless->lblAuthen->SetCaption(m_strAuthen);
    wireless->lblEncrypt->SetCaption(m_strEncrypt);

    const bool open = status.authenticationMode == 0 && (status.encryptionStatus == 1 || status.encryptionStatus == 2);
    main->ImgKeyEnable->SetVisible(!open);

    DisplayChannel(status);
    PrintMessage(6, "TFormLinkInfo::TimerLinkInfoTimer ::DisplayChannel : m_strChannel = %s\n", m_strChannel.c_str());
    main->lblChannel->SetCaption(m_strChannel);

    ShowLinkSpeed(status);
    ShowCentralChannel(status);
    UpdateThroughput(status);
    m_bFirstSample = false;
    FrameLinkInfoThroughput->lblTxThroughput->SetCaption(m_strTxThroughput);
    FrameLinkInfoThroughput->lblRxThroughput->SetCaption(m_strRxThroughput);
    ShowLinkQuality(status.linkQuality);
    ShowSignalStrength(status.chain);
    ShowTxPower(status);
    ShowCounters(status);
}

void TFormLinkInfo::SetExtraInfoText(DWORD code, bool& radioOff)
{
    radioOff = false;
    if (code > 14) {
        m_strExtraInfo.clear();
        return;
    }
    if (code >= DWORD(kLinkStatusTextCount))
        return;
    m_strExtraInfo = m_LinkStatusTexts[code].text;
    if (code == 2)
        radioOff = true;
}

void TFormLinkInfo::ShowLinkDown(bool stateKnown, bool radioOff)
{
    TFrameLinkInfoWireless* wireless = FrameLinkInfoWireless;
    wireless->lblStatus->SetCaption(LinkDownText(stateKnown, radioOff));
    for (TLabel* label : {wireless->lblStatus2, wireless->lblExtraInfo, wireless->lblAuthen, wireless->lblEncrypt,
                          wireless->lblNetworkType, wireless->lblCentralChannel})
        label->SetCaption("");
    wireless->lblCentralChannelText->SetVisible(false);
    wireless->lblCentralChannel->SetVisible(false);

    TFrameLinkInfoThroughput* page = FrameLinkInfoThroughput;
    for (TLabel* label : {page->lblTxLinkSpeed, page->lblTxThroughput, page->lblRxLinkSpeed, page->lblRxThroughput,
                          page->lblLinkQuality, page->lblSignalStrength1, page->lblSignalStrength2,
                          page->lblSignalStrength3})
        label->SetCaption("");
    for (TImage* bar : {page->ImgLinkQuality, page->ImgSignalStrength1, page->ImgSignalStrength2,
                        page->ImgSignalStrength3})
        bar->SetVisible(false);

    TFormMain* main = FormMain;
    if (!main)
        return;
    if (!main->lblIPAddress->Caption().empty()) {
        PrintMessage(6, "[WDP] clean local IP \n");
        const BYTE none[4] = {};
        SetLocalIPToDriver(none);
    }
    for (TLabel* label : {main->lblSSID, main->lblIPAddress, main->lblIPMask, main->lblChannel, main->lblTxRate})
        label->SetCaption("");
    main->ImgLinkQuality->SetVisible(false);
    main->ImgLinkQualityDiabled->SetVisible(false);
    main->ImgLinkQualityDisconnected->SetVisible(true);
    main->ImgKeyEnable->SetVisible(false);
    for (TImage* picture : {main->ImgLinkQuality, main->ImgLinkQualityDiabled, main->ImgLinkQualityDisconnected})
        picture->SetHint("");
}

void TFormLinkInfo::FormatAPStatus(const WLAN_STATUS& status)
{
    AP_IP_INFO ap{};
    const int found = VOZEZIV.WVWL_QueryAPIPAddress ? VOZEZIV.WVWL_QueryAPIPAddress(&ap) : 0;
    const bool apKnown = found != 0 && (ap.IpAddress[0] | ap.IpAddress[1] | ap.IpAddress[2] | ap.IpAddress[3]) != 0;

    const std::string ssid = LinkSsidText(status.ssid);
    if (ssid.empty())
        return;
    TFrameLinkInfoWireless* wireless = FrameLinkInfoWireless;
    const std::string bssid = LinkBssidText(status.bssid);
    m_strStatus = ssid + " <--> " + bssid + " ";
    wireless->lblStatus->SetHint(m_strStatus);
    if (ssid.size() > 20)
        m_strStatus = ssid.substr(0, 20) + ".. <--> " + bssid + (apKnown ? " " : "");

    if (apKnown) {
        const std::string address = "[" + LinkIpv4Text(ap.IpAddress) + "]";
        const std::string name(ap.Name, strnlen(ap.Name, sizeof ap.Name));
        m_strStatus2 = name.empty() ? address : address + " - (" + name + ")";
        wireless->lblStatus2->SetHint(m_strStatus2);
        wireless->lblAPStatusText->SetVisible(true);
        wireless->lblStatus2->SetVisible(true);
    } else {
        m_strStatus2.clear();
        wireless->lblStatus2->SetHint("");
        wireless->lblAPStatusText->SetVisible(false);
        wireless->lblStatus2->SetVisible(false);
    }
    if (FormMain)
        FormMain->lblSSID->SetCaption(ssid);
}

void TFormLinkInfo::FormatNetworkAndSecurity(const WLAN_STATUS& status)
{
    m_strNetworkType = NetworkTypeText(status.networkType);
    m_strAuthen = AuthenticationText(status.authenticationMode);

    unsigned long ccx = 0;
    if (VOZEZIV.WVWL_ReadCCX2Cont)
        VOZEZIV.WVWL_ReadCCX2Cont(&ccx);
    const bool beforeVista = VOZEZIV.nWinOS < WINOS_VISTA;
    if (beforeVista) {
        ccx = 0;
        const int read = VOZEZIV.WVWL_QueryCCXInfo ? VOZEZIV.WVWL_QueryCCXInfo(&ccx) : 0;
        if (read && (ccx & kCcx2CckmEnable))
            m_strAuthen += "+" + UiText(&CUISTR::STR_CCKM);
    }
    m_strEncrypt = EncryptionText(status.encryptionStatus, beforeVista && (ccx & CCX2_MFP));
}

void TFormLinkInfo::DisplayChannel(const WLAN_STATUS& status)
{
    PrintMessage(6, " --> TFormLinkInfo::DisplayChannel\n");
    // The frequency of the current link, not that of whichever network the repository lists first.
    const DWORD frequency = status.dsFrequency;
    PrintMessage(6, " TFormLinkInfo::DisplayChannel nChFreqency=%d\n", int(frequency));
    const int channel = frequency && VOZEZIV.WVWL_FrequencyToChannel ? VOZEZIV.WVWL_FrequencyToChannel(frequency) : -1;
    m_strChannel = channel != -1 ? Format("%u (%d MHz)", unsigned(channel), int(frequency / 1000)) : std::string();
    PrintMessage(6, " <-- TFormLinkInfo::DisplayChannel\n");
}

void TFormLinkInfo::ShowCentralChannel(const WLAN_STATUS& status)
{
    TLabel* caption = FrameLinkInfoWireless->lblCentralChannelText;
    TLabel* value = FrameLinkInfoWireless->lblCentralChannel;
    auto hide = [&] {
        caption->SetVisible(false);
        value->SetVisible(false);
    };
    if (!VOZEZIV.WVWL_Is80211NSupport || VOZEZIV.WVWL_Is80211NSupport() == 0) {
        PrintMessage(6, "enumWirelessMode <= PHY_11ABGN_MIXED");
        hide();
        return;
    }
    int mode = 0;
    if (VOZEZIV.WVWL_QueryWirelessMode)
        VOZEZIV.WVWL_QueryWirelessMode(&mode);
    if (mode < kFirstHTWirelessMode) {
        hide();
        return;
    }
    if (RepositoryEmpty())
        return;
    // A link whose network the repository does not hold shows no central channel.
    const NDIS_WLAN_BSSID_EX* entry = RepositoryEntry(status.bssid);
    if (!entry) {
        hide();
        return;
    }
    IE_INFO info{};
    if (VOZEZIV.WVWL_ParseInfoElement)
        VOZEZIV.WVWL_ParseInfoElement(entry, &info);
    if (info.ie80211N.b80211n && IsHTTransmit(status)) {
        if (m_strChannel.empty()) {
            PrintMessage(6, "m_strChannel is NULL!!!");
            hide();
            return;
        }
        PrintMessage(6, "m_strChannel is not NULL!!!");
        caption->SetCaption(UiText(&CUISTR::STR_CENTRAL_CHANNEL));
        value->SetCaption(Format("%d", int(status.centralChannel)));
        caption->SetVisible(true);
        value->SetVisible(true);
        return;
    }
    PrintMessage(6, "ieInfo.ie80211N.b80211n = %d", int(info.ie80211N.b80211n));
    PrintMessage(6, "wLanStatus.HTSetting.HT_field.MODE = %d", int(status.HTSetting >> 14));
    hide();
}

void TFormLinkInfo::SetLocalIPToDriver(const BYTE* address)
{
    BYTE data[4];
    std::memcpy(data, address, sizeof data);
    if (VOZEZIV.WVWL_OIDSetInfo)
        VOZEZIV.WVWL_OIDSetInfo(kSetLocalIpRequest, data, sizeof data);
    PrintMessage(6, "[TFormLinkInfo][SetLocalIPToDriver] SetIP=%d.%d.%d.%d\n", data[0], data[1], data[2], data[3]);
}

void TFormLinkInfo::ShowTxPower(const WLAN_STATUS& status)
{
    std::string power;
    if (status.txPower == 100)
        power = "100%";
    else if (status.txPower <= 6)
        power = "Lowest";
    else
        power = Format("%d%%", int(status.txPower));
    FrameLinkInfoWireless->lblExtraInfo->SetCaption(
        m_strExtraInfo + Format("  [%s:%s]", UiText(&CUISTR::STR_TX_POWER).c_str(), power.c_str()));
}
