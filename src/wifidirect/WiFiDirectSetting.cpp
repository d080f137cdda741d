#include "wifidirect/WiFiDirectSetting.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/Helpers.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidirect/WiFiDirectSettingControls.h"
#include "wifidirect/WiFiDirectText.h"
#include "wlapi/constants.h"
#include "wlapi/records.h"
#include "wlapi/result.h"

TFormWiFiDirectSetting* FormWiFiDirectSetting = nullptr;

namespace {

constexpr int kPageLeft = 8, kPageTop = 48, kPageWidth = 384, kPageHeight = 250;
constexpr int kButtonTop = 318;
constexpr unsigned kRequestTimeOutMs = 120000;
constexpr unsigned long kEnteredPinRequest = 0x0D8C004D, kEnteredPinRequestNew = 0xFF8C004D;
constexpr const char kSsidAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrsuvwxyz0123456789";

TImage* Picture(TImage* TFormResource::*member)
{
    return FormResource ? FormResource->*member : nullptr;
}

// Copies up to `size` bytes of text into field, the rest zeroed.
void PutBytes(void* field, size_t size, const std::string& text)
{
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), std::min(size, text.size()));
}

} // namespace

TFormWiFiDirectSetting::TFormWiFiDirectSetting(TComponent* owner) : TFormBase(owner)
{
    Name = "FormWiFiDirectSetting";
    SetClientSize(400, 380);
    SysBtnClose = MakePushButton(this, 375, 8, 15, 15, Picture(&TFormResource::ImgBtnWiFiDirectSettingFromClose_Normal),
                                 Picture(&TFormResource::ImgBtnWiFiDirectSettingFromClose_Down), nullptr);
    BtnWiFiDirectBack = MakePushButton(this, 290, kButtonTop, 24, 26, Picture(&TFormResource::ImgBtnWiFiDirectSettingBack_Normal),
                                       Picture(&TFormResource::ImgBtnWiFiDirectSettingBack_Down),
                                       Picture(&TFormResource::ImgBtnWiFiDirectSettingBack_Disabled));
    BtnWiFiDirectNext = MakePushButton(this, 322, kButtonTop, 24, 26, Picture(&TFormResource::ImgBtnWiFiDirectSettingNext_Normal),
                                       Picture(&TFormResource::ImgBtnWiFiDirectSettingNext_Down),
                                       Picture(&TFormResource::ImgBtnWiFiDirectSettingNext_Disabled));
    BtnWiFiDirectCancel = MakePushButton(this, 358, kButtonTop, 24, 26, Picture(&TFormResource::ImgBtnWiFiDirectSettingCancel_Normal),
                                         Picture(&TFormResource::ImgBtnWiFiDirectSettingCancel_Down),
                                         Picture(&TFormResource::ImgBtnWiFiDirectSettingCancel_Disabled));
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    BtnWiFiDirectBack->OnClick = [this](TObject* s) { BtnWiFiDirectBackClick(s); };
    BtnWiFiDirectNext->OnClick = [this](TObject* s) { BtnWiFiDirectNextClick(s); };
    BtnWiFiDirectCancel->OnClick = [this](TObject* s) { BtnWiFiDirectCancelClick(s); };

    FrameWiFiDirectSettingAutonomousGO = new TFrameWiFiDirectSettingAutonomousGO(this);
    FrameWiFiDirectSettingAdvanced = new TFrameWiFiDirectSettingAdvanced(this);
    FrameWiFiDirectSettingWPS = new TFrameWiFiDirectSettingWPS(this);
    FrameWiFiDirectSettingDeviceName = new TFrameWiFiDirectSettingDeviceName(this);
    for (TFrameBase* page : {static_cast<TFrameBase*>(FrameWiFiDirectSettingAutonomousGO),
                             static_cast<TFrameBase*>(FrameWiFiDirectSettingAdvanced),
                             static_cast<TFrameBase*>(FrameWiFiDirectSettingWPS),
                             static_cast<TFrameBase*>(FrameWiFiDirectSettingDeviceName)}) {
        page->SetParent(this);
        page->SetBounds(kPageLeft, kPageTop, kPageWidth, kPageHeight);
    }

    TimerPopupSettingTimeOut = new TTimer(this);
    TimerPopupSettingTimeOut->SetEnabled(false);
    TimerPopupSettingTimeOut->SetInterval(kRequestTimeOutMs);
    TimerPopupSettingTimeOut->OnTimer = [this](TObject* s) { TimerPopupSettingTimeOutTimer(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFormWiFiDirectSetting::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TFormWiFiDirectSetting::FormCreate\n");
    if (TImage* background = Picture(&TFormResource::ImgWiFiDirectSettingForm))
        ImgBackground->SetPicture(background->Picture());
    TFormBase::FormCreate(Sender);
    if (TImage* frame = Picture(&TFormResource::ImgWiFiDirectSettingFrame))
        for (TFrameBase* page : {static_cast<TFrameBase*>(FrameWiFiDirectSettingAutonomousGO),
                                 static_cast<TFrameBase*>(FrameWiFiDirectSettingAdvanced),
                                 static_cast<TFrameBase*>(FrameWiFiDirectSettingWPS),
                                 static_cast<TFrameBase*>(FrameWiFiDirectSettingDeviceName)})
            page->ImgBackground->SetPicture(frame->Picture());
    const std::string caption = wizard::Text(&CUISTR::STR_WIFIDIRECT_SETTINGS);
    SetCaption(caption);
    lblCaptionText->SetCaption(caption);
    SysBtnClose->SetHint(wizard::Text(&CUISTR::STR_BtnHintClose));
    BtnWiFiDirectNext->SetHint(wizard::Text(&CUISTR::STR_BtnHintNext));
    BtnWiFiDirectBack->SetHint(wizard::Text(&CUISTR::STR_BtnHintBack));
    BtnWiFiDirectCancel->SetHint(wizard::Text(&CUISTR::STR_BtnHintCancel));
    const std::pair<TControl*, const char*> placements[] = {{BtnWiFiDirectCancel, "WiFiDirectSetting_BtnCancelPos"},
                                                            {BtnWiFiDirectBack, "WiFiDirectSetting_BtnBackPos"},
                                                            {BtnWiFiDirectNext, "WiFiDirectSetting_BtnNextPos"},
                                                            {SysBtnClose, "SysBtnClosePos"}};
    for (const auto& [control, key] : placements)
        wizard::Place(control, "WiFiDirectSettingForm", key);
    PrintMessage(6, " <-- TFormWiFiDirectSetting::FormCreate\n");
}

// ---------------------------------------------------------------------------------------------
// Showing

// Without the random source the PIN last displayed stays offered.
uint32_t TFormWiFiDirectSetting::FreshPin() const
{
    unsigned pin = 0;
    if ((VOZEZIV.bSupport8DigitPin ? GenerateWpsPin8(&pin) : GenerateWpsPin4(&pin)) != 0)
        return pin;
    PrintMessage(2, " TFormWiFiDirectSetting::FreshPin: no random PIN, the last one stays\n");
    return m_ulWiFiDirectDefPin;
}

std::string TFormWiFiDirectSetting::StationChannelText()
{
    if (m_nOpMode != OP_MODE_STA_WIFI_DIRECT)
        return "";
    WLAN_STATUS status{};
    VOZEZIV.WVWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{{1, 1, 1, 1, 1}});
    if (status.status != 3 || status.dsFrequency == 0)
        return "";
    const int channel = VOZEZIV.WVWL_FrequencyToChannel(status.dsFrequency);
    return channel == -1 ? "" : std::to_string(unsigned(channel));
}

std::string TFormWiFiDirectSetting::DefaultKey()
{
    char key[68] = {};
    VOZEZIV.WVWL_ReadWiFiDirectDefaultWPAPSK(key);
    uint32_t length = 0;
    std::memcpy(&length, key + 64, sizeof length);
    return std::string(key, std::min<uint32_t>(length, 64));
}

std::string TFormWiFiDirectSetting::GetOrGenerateSSID()
{
    NDIS_802_11_SSID stored{};
    VOZEZIV.WVWL_ReadWiFiDirectGOssid(&stored);
    const std::string ssid(reinterpret_cast<const char*>(stored.Ssid), std::min<size_t>(stored.SsidLength, sizeof stored.Ssid));
    const bool onlyPrefix =
        CompareStringA(LOCALE_USER_DEFAULT, 0, ssid.c_str(), int(ssid.size()), "DIRECT-", 7) == CSTR_EQUAL;
    if ((m_nOpMode == 0 || m_nOpMode == OP_MODE_STA_WIFI_DIRECT) && !ssid.empty() &&
        m_enumActionTpye != ACTION_AUTONOMOUSGO && !onlyPrefix)
        return ssid;
    // The two characters only tell groups apart; without the random source they are fixed.
    char pair[2] = {kSsidAlphabet[0], kSsidAlphabet[1]};
    RandomCharsFrom(pair, 2, "%s", kSsidAlphabet);
    std::string generated = std::string("DIRECT-") + pair[0] + pair[1];
    if (FormWiFiDirect)
        generated += FormWiFiDirect->m_strVenderSSID;
    return generated.substr(0, 32);
}

int TFormWiFiDirectSetting::CheckCountryRegion(const std::string& channel, TComboBox* list, bool randomPick, bool listening)
{
    int wirelessMode = 0, adhocMode = 0, count = 0;
    unsigned char channels[64] = {};
    VOZEZIV.WVWL_QueryWirelessMode(&wirelessMode);
    VOZEZIV.WVWL_ConvertPhyModeToAdHocMode(wirelessMode, &adhocMode);
    VOZEZIV.WVWL_GetAvailableChannels(0, wirelessMode, adhocMode, channels, &count, 1);
    count = std::clamp(count, 0, int(sizeof channels));
    list->Items().Clear();
    for (int i = 0; i < count; ++i) {
        const int number = channels[i];
        const bool wanted = listening ? number == 1 || number == 6 || number == 11
                                      : number != 14 && number != 34 && number != 38 && number != 42 && number != 46;
        if (wanted)
            list->Items().AddObject(std::to_string(number), reinterpret_cast<void*>(intptr_t(number)));
    }
    const int items = list->Items().Count();
    if (!channel.empty())
        for (int i = 0; i < items; ++i)
            if (list->Items().Strings(i) == channel) {
                list->SetItemIndex(i);
                return 1;
            }
    if (items == 0)
        return -1;
    BYTE pick = 0;
    if (randomPick)
        RandomBytesInRange(&pick, 1, 0, items - 1);
    list->SetItemIndex(pick);
    return -1;
}

void TFormWiFiDirectSetting::ShowFirstPage(TFrameBase* page)
{
    SwitchPage(nullptr, page);
}

void TFormWiFiDirectSetting::FormShow(TObject*)
{
    TFormWiFiDirect* direct = FormWiFiDirect;
    BtnWiFiDirectBack->SetEnabled(false);
    BtnWiFiDirectNext->SetEnabled(true);
    BtnWiFiDirectCancel->SetEnabled(true);
    if (direct) {
        direct->m_bOK = FALSE;
        direct->m_strDisplayPIN.clear();
    }
    TimerPopupSettingTimeOut->SetEnabled(false);
    m_nOpMode = VOZEZIV.WVWL_QueryOPMode();
    for (TFrameBase* page : {static_cast<TFrameBase*>(FrameWiFiDirectSettingAutonomousGO),
                             static_cast<TFrameBase*>(FrameWiFiDirectSettingAdvanced),
                             static_cast<TFrameBase*>(FrameWiFiDirectSettingWPS),
                             static_cast<TFrameBase*>(FrameWiFiDirectSettingDeviceName)})
        page->SetVisible(true);
    PrintMessage(6, " TFormWiFiDirectSetting::FormShow action %u\n", unsigned(m_enumActionTpye));

    switch (m_enumActionTpye) {
    case ACTION_ENABLE:
        m_ulWiFiDirectDefPin = VOZEZIV.nUseDefaultRegPIN > 0 ? uint32_t(VOZEZIV.nUseDefaultRegPIN) : FreshPin();
        ShowFirstPage(FrameWiFiDirectSettingDeviceName);
        break;
    case ACTION_GET_CONNECT_REQUEST:
    case ACTION_CONFIRM_ENTER_PIN:
        TimerPopupSettingTimeOut->SetInterval(kRequestTimeOutMs);
        TimerPopupSettingTimeOut->SetEnabled(true);
        ShowConnect();
        break;
    case ACTION_CONNECT: ShowConnect(); break;
    case ACTION_AUTONOMOUSGO: ShowAutonomousGO(); break;
    case ACTION_DISPLAY_PIN: ShowDisplayPin(); break;
    case ACTION_WPS: ShowWps(); break;
    case ACTION_Profile_DETAIL: ShowProfileDetail(); break;
    case ACTION_SET_GO_KEY: ShowSetGoKey(); break;
    default: break;
    }
    BtnWiFiDirectBack->SetEnabled(false);
}

void TFormWiFiDirectSetting::ShowConnect()
{
    TFormWiFiDirect* direct = FormWiFiDirect;
    WIFIDIRECT_WPSE_PROFILE& r = m_data_WIFIDIRECT_WPSE_Profile;
    r = WIFIDIRECT_WPSE_PROFILE{};
    const DEVICE_ENTRY peer = direct ? direct->m_SeleteDeviceEntry : DEVICE_ENTRY{};
    const std::string peerName = WiFiDirectDeviceName(peer);
    m_strProfileName = ("Profile-" + peerName).substr(0, 32);
    FrameWiFiDirectSettingWPS->m_strProfileName = m_strProfileName;
    r.ConfigMode = CONFIG_MODE_CONNECT;
    m_strSSID = GetOrGenerateSSID();
    PutBytes(r.PeerDeviceName[0], sizeof r.PeerDeviceName[0], peerName);
    r.PeerDeviceNameCount = 1;
    std::memcpy(r.DesiredMacAddr[0], peer.chMacAddr, 6);
    r.DesiredMacCount = 1;
    FrameWiFiDirectSettingWPS->m_WpsCapability = uint32_t(VOZEZIV.WVWL_ConvertWpsConfigMethodToWpsCapabilityMap(peer.ConfigMethod, 0));
    FrameWiFiDirectSettingWPS->m_WiFiDirectFlags = peer.WiFiDirectFlags;
    m_lDefPin = FreshPin();
    FrameWiFiDirectSettingWPS->m_ulPin = m_lDefPin;
    const int set = direct ? direct->m_nSetIntentIndex : 0;
    FrameWiFiDirectSettingAdvanced->m_nIntentIndex =
        set != 0 && set != int(GO_INTENT_AUTONOMOUS) ? set : (direct ? direct->m_nDefaultIntentIndex : 0);
    FrameWiFiDirectSettingAdvanced->m_strListeningChannel.clear();
    FrameWiFiDirectSettingWPS->m_strOperatingChannel = StationChannelText();
    ShowFirstPage(FrameWiFiDirectSettingWPS);
}

void TFormWiFiDirectSetting::ShowAutonomousGO()
{
    TFormWiFiDirect* direct = FormWiFiDirect;
    WIFIDIRECT_WPSE_PROFILE& r = m_data_WIFIDIRECT_WPSE_Profile;
    r = WIFIDIRECT_WPSE_PROFILE{};
    r.ConfigMode = CONFIG_MODE_CONNECT;
    const std::string ownName = direct ? WiFiDirectDeviceName(direct->MyDeviceData) : std::string();
    m_strProfileName = ("AutoGO" + ownName).substr(0, 32);
    m_strSSID = GetOrGenerateSSID();
    FrameWiFiDirectSettingAutonomousGO->m_strKey = DefaultKey();
    FrameWiFiDirectSettingAdvanced->m_nIntentIndex = int(GO_INTENT_AUTONOMOUS);
    FrameWiFiDirectSettingAdvanced->m_strListeningChannel.clear();
    FrameWiFiDirectSettingWPS->m_strOperatingChannel = StationChannelText();
    ShowFirstPage(FrameWiFiDirectSettingAutonomousGO);
}

void TFormWiFiDirectSetting::ShowDisplayPin()
{
    WIFIDIRECT_WPSE_PROFILE& r = m_data_WIFIDIRECT_WPSE_Profile;
    r = WIFIDIRECT_WPSE_PROFILE{};
    r.WpsMethod = WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC;
    FrameWiFiDirectSettingWPS->m_WpsCapability = WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC;
    if (m_ulWiFiDirectDefPin != 0)
        m_lDefPin = m_ulWiFiDirectDefPin;
    else if (VOZEZIV.nUseDefaultRegPIN > 0)
        m_lDefPin = uint32_t(VOZEZIV.nUseDefaultRegPIN);
    else
        m_lDefPin = FreshPin();
    FrameWiFiDirectSettingWPS->m_ulPin = m_lDefPin;
    ShowFirstPage(FrameWiFiDirectSettingWPS);
    BtnWiFiDirectBack->SetEnabled(false);
    BtnWiFiDirectNext->SetEnabled(false);
    BtnWiFiDirectCancel->SetEnabled(false);
}

void TFormWiFiDirectSetting::ShowWps()
{
    TFormWiFiDirect* direct = FormWiFiDirect;
    m_data_WIFIDIRECT_WPSE_Profile = WIFIDIRECT_WPSE_PROFILE{};
    const std::string peerName = direct ? WiFiDirectDeviceName(direct->m_SeleteDeviceEntry) : std::string();
    m_strProfileName = ("Profile-" + peerName).substr(0, 32);
    FrameWiFiDirectSettingWPS->m_strProfileName = m_strProfileName;
    m_lDefPin = m_ulWiFiDirectDefPin != 0 ? m_ulWiFiDirectDefPin : FreshPin();
    FrameWiFiDirectSettingWPS->m_ulPin = m_lDefPin;
    const uint16_t ownMethods = direct ? direct->MyDeviceData.ConfigMethod : 0;
    FrameWiFiDirectSettingWPS->m_WpsCapability = uint32_t(VOZEZIV.WVWL_ConvertWpsConfigMethodToWpsCapabilityMap(ownMethods, 0));
    ShowFirstPage(FrameWiFiDirectSettingWPS);
}

void TFormWiFiDirectSetting::ShowProfileDetail()
{
    WIFIDIRECT_WPSE_PROFILE& r = m_data_WIFIDIRECT_WPSE_Profile;
    r = WIFIDIRECT_WPSE_PROFILE{};
    const int result = VOZEZIV.WVWL_ReadWifiDirectWpseProfile(&r, m_strProfileName.c_str());
    PrintMessage(6, " TFormWiFiDirectSetting:: WVWL_ReadWifiDirectWpseProfile(%s) return %d\n", m_strProfileName.c_str(), result);
    if (result != WVWL_ERROR_SUCCESS)
        r = WIFIDIRECT_WPSE_PROFILE{};
    m_strSSID = WiFiDirectText(r.SSID, r.SSIDLength, sizeof r.SSID);
    FrameWiFiDirectSettingWPS->m_WiFiDirectFlags = 0;
    m_lDefPin = wizard::PinNumber(r.PIN);
    FrameWiFiDirectSettingWPS->m_ulPin = m_lDefPin;
    FrameWiFiDirectSettingAutonomousGO->m_strKey = WiFiDirectText(r.Key, r.KeyLength, sizeof r.Key);
    FrameWiFiDirectSettingAdvanced->m_nIntentIndex = int(std::min<uint32_t>(r.GoIntentIdx, GO_INTENT_AUTONOMOUS));
    FrameWiFiDirectSettingAdvanced->m_strListeningChannel = std::to_string(r.ulListenChannel);
    FrameWiFiDirectSettingWPS->m_strOperatingChannel = std::to_string(r.ulOperatingChannel);
    m_strDeviceName = WiFiDirectText(r.DeviceName, r.DeviceNameLength, sizeof r.DeviceName);
    if (r.GoIntentIdx == GO_INTENT_AUTONOMOUS)
        ShowFirstPage(FrameWiFiDirectSettingAutonomousGO);
    else
        ShowFirstPage(FrameWiFiDirectSettingWPS);
}

void TFormWiFiDirectSetting::ShowSetGoKey()
{
    m_data_WIFIDIRECT_WPSE_Profile = WIFIDIRECT_WPSE_PROFILE{};
    FrameWiFiDirectSettingAutonomousGO->m_strKey = DefaultKey();
    ShowFirstPage(FrameWiFiDirectSettingAutonomousGO);
}

// ---------------------------------------------------------------------------------------------
// Buttons

bool TFormWiFiDirectSetting::Validate(TFrameBase* page)
{
    return SwitchPage(page, nullptr);
}

bool TFormWiFiDirectSetting::MoveToAdvanced()
{
    if (!SwitchPage(m_pCurrentPage, FrameWiFiDirectSettingAdvanced))
        return false;
    FrameWiFiDirectSettingAdvanced->SetVisible(true);
    return true;
}

bool TFormWiFiDirectSetting::ValidateAdvancedHidden()
{
    FrameWiFiDirectSettingAdvanced->SetVisible(false);
    return Validate(FrameWiFiDirectSettingAdvanced);
}

void TFormWiFiDirectSetting::Finish()
{
    FrameWiFiDirectSettingWPS->m_strTempPinCode.clear();
    Close();
}

void TFormWiFiDirectSetting::BtnWiFiDirectNextClick(TObject*)
{
    PrintMessage(6, " TFormWiFiDirectSetting::BtnWiFiDirectNextClick action %u\n", unsigned(m_enumActionTpye));
    switch (m_enumActionTpye) {
    case ACTION_ENABLE: NextEnable(); break;
    case ACTION_CONNECT:
    case ACTION_GET_CONNECT_REQUEST: NextConnect(); break;
    case ACTION_AUTONOMOUSGO: NextAutonomousGO(); break;
    case ACTION_DISPLAY_PIN: Finish(); break;
    case ACTION_WPS: NextWps(); break;
    case ACTION_Profile_DETAIL: NextProfileDetail(); break;
    case ACTION_SET_GO_KEY: NextSetGoKey(); break;
    case ACTION_CONFIRM_ENTER_PIN: NextConfirmEnterPin(); break;
    default: break;
    }
}

// Next on the autonomous group-owner page: shows the advanced page where it is offered, else
// checks its hidden settings. True when the run may go on at once.
bool TFormWiFiDirectSetting::PassAutonomousGO()
{
    if (!MoveToAdvanced())
        return false;
    if (VOZEZIV.bSupportAdvanceSettings) {
        BtnWiFiDirectBack->SetEnabled(true);
        return false;
    }
    return ValidateAdvancedHidden();
}

void TFormWiFiDirectSetting::NextEnable()
{
    if (m_pCurrentPage != FrameWiFiDirectSettingDeviceName || !Validate(FrameWiFiDirectSettingDeviceName))
        return;
    char name[64] = {};
    std::memcpy(name, m_strDeviceName.data(), std::min(m_strDeviceName.size(), sizeof name - 1));
    const int result = VOZEZIV.WVWL_WriteWiFiDirectDeviceName(name);
    PrintMessage(6, " TFormWiFiDirectSetting:: WVWL_WriteWiFiDirectDeviceName(%s) return %d\n", name, result);
    if (TFormWiFiDirect* direct = FormWiFiDirect) {
        EnterCriticalSection(&direct->m_csOwnDevice);
        PutBytes(direct->MyDeviceData.chDeviceName, sizeof direct->MyDeviceData.chDeviceName, m_strDeviceName);
        direct->MyDeviceData.ulStringLen = uint32_t(std::min(m_strDeviceName.size(), sizeof direct->MyDeviceData.chDeviceName));
        LeaveCriticalSection(&direct->m_csOwnDevice);
        direct->m_bOK = TRUE;
    }
    Close();
}

void TFormWiFiDirectSetting::NextConnect()
{
    const WIFIDIRECT_WPSE_PROFILE& r = m_data_WIFIDIRECT_WPSE_Profile;
    if (m_pCurrentPage == FrameWiFiDirectSettingWPS) {
        if (!MoveToAdvanced())
            return;
        const bool peerPinLater = m_enumActionTpye == ACTION_CONNECT && r.WpsMethod == WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC;
        if (!peerPinLater && VOZEZIV.bSupportAdvanceSettings) {
            BtnWiFiDirectBack->SetEnabled(true);
            return;
        }
        if (!ValidateAdvancedHidden())
            return;
    } else if (m_pCurrentPage != FrameWiFiDirectSettingAdvanced || !Validate(FrameWiFiDirectSettingAdvanced)) {
        return;
    }
    SetWifiDirectWpseConfig();
    Close();
}

void TFormWiFiDirectSetting::NextAutonomousGO()
{
    if (m_pCurrentPage == FrameWiFiDirectSettingAutonomousGO) {
        if (!PassAutonomousGO())
            return;
    } else if (m_pCurrentPage != FrameWiFiDirectSettingAdvanced || !Validate(FrameWiFiDirectSettingAdvanced)) {
        return;
    }
    SetWifiDirectWpseConfig();
    Close();
}

void TFormWiFiDirectSetting::NextWps()
{
    if (!Validate(FrameWiFiDirectSettingWPS))
        return;
    const WIFIDIRECT_WPSE_PROFILE& chosen = m_data_WIFIDIRECT_WPSE_Profile;
    WIFIDIRECT_WPSE_PROFILE r{};
    r.ConfigMode = CONFIG_MODE_SET_GO_WPS;
    r.WpsMethod = chosen.WpsMethod;
    if (r.WpsMethod == WIFI_DIRECT_WPSE_PIN_MODE_DEFAULT || r.WpsMethod == WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC ||
        r.WpsMethod == WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC)
        std::memcpy(r.PIN, chosen.PIN, sizeof r.PIN);
    const int result = VOZEZIV.WVWL_SetWifiDirectWpseConfig(&r);
    PrintMessage(6, " TFormWiFiDirectSetting:: WVWL_SetWifiDirectWpseConfig(GO WPS) return %d\n", result);
    TFormWiFiDirect* direct = FormWiFiDirect;
    if (result == WVWL_ERROR_SUCCESS && r.WpsMethod == WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC) {
        m_ulWiFiDirectDefPin = wizard::PinNumber(r.PIN);
        if (direct)
            direct->m_strDisplayPIN = wizard::PinText(m_ulWiFiDirectDefPin);
    }
    if (direct) {
        direct->ShowMyInfo();
        direct->m_strConnectMac.clear();
        direct->m_nPopWiFiDirectSettingWindows = 0;
        direct->m_bOK = TRUE;
    }
    Finish();
}

void TFormWiFiDirectSetting::NextProfileDetail()
{
    if (m_pCurrentPage == FrameWiFiDirectSettingAutonomousGO) {
        if (!PassAutonomousGO())
            return;
    } else if (m_pCurrentPage == FrameWiFiDirectSettingWPS) {
        if (!MoveToAdvanced())
            return;
        if (!VOZEZIV.bSupportAdvanceSettings && !ValidateAdvancedHidden())
            return;
        BtnWiFiDirectBack->SetEnabled(true);
        return;
    } else if (m_pCurrentPage != FrameWiFiDirectSettingAdvanced || !Validate(FrameWiFiDirectSettingAdvanced)) {
        return;
    }
    SaveProfile();
    Finish();
}

void TFormWiFiDirectSetting::NextSetGoKey()
{
    if (!Validate(FrameWiFiDirectSettingAutonomousGO))
        return;
    WIFIDIRECT_WPSE_PROFILE& r = m_data_WIFIDIRECT_WPSE_Profile;
    r.ConfigMode = CONFIG_MODE_SET_PASSPHRASE;
    std::string ssid = FormWiFiDirect ? FormWiFiDirect->m_strMySSID : std::string();
    if (ssid.empty()) {
        m_strSSID = GetOrGenerateSSID();
        ssid = m_strSSID;
    }
    PutBytes(r.SSID, sizeof r.SSID, ssid);
    r.SSIDLength = uint32_t(std::min(ssid.size(), sizeof r.SSID));
    const int result = VOZEZIV.WVWL_SetWifiDirectWpseConfig(&r);
    PrintMessage(6, " TFormWiFiDirectSetting:: WVWL_SetWifiDirectWpseConfig(passphrase) return %d\n", result);
    Close();
}

void TFormWiFiDirectSetting::NextConfirmEnterPin()
{
    if (!Validate(FrameWiFiDirectSettingWPS))
        return;
    const std::string pin = wizard::PinBytesText(m_data_WIFIDIRECT_WPSE_Profile.PIN);
    uint8_t buffer[8];
    std::memset(buffer, 0xFF, sizeof buffer);
    if (pin.size() == 8)
        std::memcpy(buffer, pin.data(), 8);
    else if (pin.size() == 4)
        std::memcpy(buffer + 4, pin.data(), 4);
    const unsigned long request = VOZEZIV.nWinOS >= 31 ? kEnteredPinRequestNew : kEnteredPinRequest;
    const int result = VOZEZIV.WVWL_OIDSetInfo(request, buffer, sizeof buffer);
    PrintMessage(6, " TFormWiFiDirectSetting:: WVWL_OIDSetInfo(0x%08lX) return %d\n", request, result);
    Close();
}

// A failed write must not lose the stored profile: the previous record is written back.
void TFormWiFiDirectSetting::SaveProfile()
{
    if (!FrameWiFiDirectSettingWPS->m_bPersistSupported)
        return;
    WIFIDIRECT_WPSE_PROFILE& r = m_data_WIFIDIRECT_WPSE_Profile;
    char active[129] = {};
    VOZEZIV.WVWL_ReadActiveWifiDirectWpseProfileName(active);
    char name[128] = {};
    std::memcpy(name, m_strProfileName.data(), std::min(m_strProfileName.size(), sizeof name - 1));
    WIFIDIRECT_WPSE_PROFILE previous{};
    const bool hadPrevious = VOZEZIV.WVWL_ReadWifiDirectWpseProfile(&previous, name) == WVWL_ERROR_SUCCESS;
    VOZEZIV.WVWL_DeleteWifiDirectWpseProfile(name);
    const int written = VOZEZIV.WVWL_WriteWifiDirectWpseProfile(r.ProfileName, &r);
    PrintMessage(6, " TFormWiFiDirectSetting:: WVWL_WriteWifiDirectWpseProfile(%s) return %d\n", r.ProfileName, written);
    if (written != WVWL_ERROR_SUCCESS && hadPrevious) {
        const int restored = VOZEZIV.WVWL_WriteWifiDirectWpseProfile(name, &previous);
        PrintMessage(2, " TFormWiFiDirectSetting:: profile %s not saved, previous record restored (%d)\n", name, restored);
    }
    if (std::strncmp(active, name, sizeof name) == 0)
        VOZEZIV.WVWL_WriteActiveWifiDirectWpseProfileName(r.ProfileName);
    if (FormWiFiDirectProfile)
        FormWiFiDirectProfile->UpdateProfileList();
}

void TFormWiFiDirectSetting::BtnWiFiDirectBackClick(TObject*)
{
    if (m_pCurrentPage != FrameWiFiDirectSettingAdvanced) {
        BtnWiFiDirectBack->SetEnabled(false);
        return;
    }
    TFrameBase* target = nullptr;
    if (m_enumActionTpye == ACTION_AUTONOMOUSGO)
        target = FrameWiFiDirectSettingAutonomousGO;
    else if (m_enumActionTpye == ACTION_CONNECT || m_enumActionTpye == ACTION_GET_CONNECT_REQUEST ||
             m_enumActionTpye == ACTION_Profile_DETAIL)
        target = FrameWiFiDirectSettingWPS;
    if (!target || !SwitchPage(FrameWiFiDirectSettingAdvanced, target))
        return;
    BtnWiFiDirectBack->SetEnabled(false);
}

void TFormWiFiDirectSetting::BtnWiFiDirectCancelClick(TObject*)
{
    if (FormWiFiDirect)
        FormWiFiDirect->m_bOK = FALSE;
    Finish();
}

void TFormWiFiDirectSetting::SysBtnCloseClick(TObject* Sender)
{
    BtnWiFiDirectCancelClick(Sender);
}

// The time-out of an incoming request. For the enter-PIN confirmation it only logs.
void TFormWiFiDirectSetting::TimerPopupSettingTimeOutTimer(TObject*)
{
    if (FormWiFiDirect && FormWiFiDirect->m_bOK == TRUE)
        return;
    if (m_enumActionTpye == ACTION_GET_CONNECT_REQUEST) {
        Finish();
    } else {
        PrintMessage(6, " TFormWiFiDirectSetting:: request time-out, action %u\n", unsigned(m_enumActionTpye));
    }
    TimerPopupSettingTimeOut->SetEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// Apply

void TFormWiFiDirectSetting::SetWifiDirectWpseConfig()
{
    TFormWiFiDirect* direct = FormWiFiDirect;
    WIFIDIRECT_WPSE_PROFILE& r = m_data_WIFIDIRECT_WPSE_Profile;
    const bool inGroup = direct && ((direct->MyDeviceData.EntryStatus & ENTRYSTATUS_GOREADY) || direct->m_nNumOfMyGroup > 1);
    if (VOZEZIV.WVWL_QueryOPMode() != OP_MODE_STA_WIFI_DIRECT && !inGroup) {
        if (VOZEZIV.nWinOS >= 31) {
            VOZEZIV.WVWL_WlanDisconnect();
            VOZEZIV.WVWL_WlanDeleteAllWindowsProfiles();
        } else {
            VOZEZIV.WVWL_SetAuthMode(0);
            VOZEZIV.WVWL_Disconnect();
        }
    }
    VOZEZIV.WVWL_WriteWPSFlag(FALSE);
    VOZEZIV.WVWL_WriteWifiDirectFlag(TRUE);
    if (direct) {
        std::memset(&direct->m_SeleteDeviceEntry, 0, sizeof direct->m_SeleteDeviceEntry);
        std::memcpy(direct->m_SeleteDeviceEntry.chMacAddr, r.DesiredMacAddr[0], 6);
    }
    r.ConfigMode = CONFIG_MODE_CONNECT;
    const int result = VOZEZIV.WVWL_SetWifiDirectWpseConfig(&r);
    PrintMessage(6, " SetWifiDirectWpseConfig:: WVWL_SetWifiDirectWpseConfig return %d\n", result);
    FrameWiFiDirectSettingWPS->m_strTempPinCode.clear();
    if (!direct)
        return;
    direct->m_strDisplayPIN.clear();
    if (result == WVWL_ERROR_SUCCESS && r.WpsMethod == WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC) {
        m_ulWiFiDirectDefPin = wizard::PinNumber(r.PIN);
        direct->m_strDisplayPIN = wizard::PinText(m_ulWiFiDirectDefPin);
    }
    if (m_enumActionTpye == ACTION_CONNECT && r.WpsMethod == WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC) {
        direct->m_strMykey.clear();
        direct->m_strConnectMac.clear();
        direct->StartWiFiDirectProgress(FALSE, 0);
        direct->m_bOK = FALSE;
        return;
    }
    direct->m_strMySSID = WiFiDirectText(r.SSID, r.SSIDLength, sizeof r.SSID);
    if (m_enumActionTpye == ACTION_CONNECT || m_enumActionTpye == ACTION_AUTONOMOUSGO ||
        m_enumActionTpye == ACTION_GET_CONNECT_REQUEST)
        direct->m_nSetIntentIndex = int(r.GoIntentIdx);
    // The entered PIN comes from the record: the page's PIN text is already cleared.
    if (m_enumActionTpye == ACTION_GET_CONNECT_REQUEST && r.WpsMethod == WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC)
        WriteINIStr("WiFiDirect", "LatestPIN", wizard::PinBytesText(r.PIN), "ini", "WevoSettings.ini");
    direct->m_strMykey.clear();
    direct->ShowMyInfo();
    direct->m_strConnectMac.clear();
    direct->StartWiFiDirectProgress(FALSE, 0);
    direct->m_bOK = TRUE;
}
