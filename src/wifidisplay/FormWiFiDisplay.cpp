#include "wifidisplay/FormWiFiDisplay.h"

#include <winsock2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "resources/UiStr.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/WDPMessages.h"
#include "wlapi/constants.h"
#include "wlapi/result.h"

TFormWiFiDisplay* FormWiFiDisplay = nullptr;

namespace {

constexpr COLORREF kListColor = 16380904;  // red 232, green 243, blue 249
constexpr int kPictureDevice = 2;
constexpr int kPictureConnected = 0;
constexpr uint16_t kControlPort = 7236;

std::string S(std::string CUISTR::*member)
{
    const CUISTR* s = FormResource ? FormResource->UI_Str.get() : nullptr;
    return s ? s->*member : std::string();
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

int CompareNoCase(const std::string& a, const std::string& b)
{
    return Upper(a).compare(Upper(b));
}

// Either form of the entry's MAC (dashes or colons) equals the upper-cased text.
bool MacMatches(const BYTE* mac, const std::string& text)
{
    const std::string wanted = Upper(text);
    return WDPMacText(mac, '-') == wanted || WDPMacText(mac, ':') == wanted;
}

TWvImage* MakeButton(TFormWiFiDisplay* form, int left, int top, TImage* normal, TImage* down, TImage* disabled)
{
    const int w = normal ? normal->Width() : 20, h = normal ? normal->Height() : 20;
    return MakePushButton(form, left, top, w, h, normal, down, disabled);
}

template <class T>
T* Place(TWinControl* parent, int left, int top, int width, int height)
{
    auto* control = new T(parent);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

TMenuItem* MenuItem(TPopupMenu* menu, const std::string& caption, TNotifyEvent handler)
{
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    item->OnClick = std::move(handler);
    menu->Items()->Add(item);
    return item;
}

} // namespace

const char* WDPDeviceTypeText(uint16_t devInfo)
{
    static const char* const kTypes[] = {"Source", "P-Sink", "S-Sink", "Source/P-Sink"};
    return kTypes[devInfo & WDP_DEVINFO_TYPE_MASK];
}

std::string WDPMacText(const BYTE* mac, char separator)
{
    char text[18];
    std::snprintf(text, sizeof text, "%02X%c%02X%c%02X%c%02X%c%02X%c%02X", mac[0], separator, mac[1], separator,
                  mac[2], separator, mac[3], separator, mac[4], separator, mac[5]);
    return text;
}

TFormWiFiDisplay::TFormWiFiDisplay(TComponent* owner) : TFormBase(owner)
{
    Name = "FormWiFiDisplay";
    TFormResource* res = FormResource;
    if (res && res->ImgSiteSurveyFormBG)
        ImgBackground->SetPicture(res->ImgSiteSurveyFormBG->Picture());
    if (ImgBackground->Picture().Empty())
        SetClientSize(400, 380);
    lblWindowText = lblCaptionText;
    lblWindowText->SetCaption(S(&CUISTR::STR_WDP_WIFI_DISPLAY));

    BtnWDPRescan = MakeButton(this, 8, 20, res ? res->ImgBtnSiteSurveyRescan_Normal : nullptr,
                              res ? res->ImgBtnSiteSurveyRescan_Down : nullptr,
                              res ? res->ImgBtnSiteSurveyRescan_Disabled : nullptr);
    BtnWDPPlay = MakeButton(this, 290, 324, res ? res->ImgBtnPlay_Normal : nullptr, res ? res->ImgBtnPlay_Down : nullptr,
                            res ? res->ImgBtnPlay_Disabled : nullptr);
    BtnWDPPause = MakeButton(this, 322, 324, res ? res->ImgBtnPause_Normal : nullptr,
                             res ? res->ImgBtnPause_Down : nullptr, res ? res->ImgBtnPause_Disabled : nullptr);
    BtnWDPTeardown = MakeButton(this, 354, 324, res ? res->ImgBtnStop_Normal : nullptr,
                                res ? res->ImgBtnStop_Down : nullptr, res ? res->ImgBtnStop_Disabled : nullptr);
    WvImage2 = MakeButton(this, 372, 16, res ? res->ImgBtnSiteSurveyFormClose_Normal : nullptr,
                          res ? res->ImgBtnSiteSurveyFormClose_Down : nullptr, nullptr);
    WvImage1 = new TWvImage(this);
    WvImage1->SetParent(this);
    WvImage1->SetVisible(false);
    BtnWDPRescan->SetHint(S(&CUISTR::STR_BtnHintRescan));
    BtnWDPRescan->OnClick = [this](TObject* s) { BtnWDPRescanClick(s); };
    BtnWDPPlay->OnClick = [this](TObject* s) { BtnWDPPlayClick(s); };
    BtnWDPPause->OnClick = [this](TObject* s) { BtnWDPPauseClick(s); };
    BtnWDPTeardown->OnClick = [this](TObject* s) { BtnWDPTeardownClick(s); };
    WvImage2->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };

    ImageWDPList = new TImageList(this, 16, 16);
    for (TImage* picture : {res ? res->ImgSiteSurveyActive : nullptr, res ? res->ImgSiteSurveyActiveDisabled : nullptr,
                            res ? res->ImgSiteSurveyInfrastructure : nullptr})
        ImageWDPList->Add(picture ? picture->Picture() : TPicture());

    SortByPopupMenu = new TPopupMenu(this);
    SortByPopupMenu->OnPopup = [this](TObject* s) { OnSortPopupMenu(s); };
    ID_TRAY_DEVICENAME = MenuItem(SortByPopupMenu, S(&CUISTR::STR_SORTED_BY_DEVICENAME),
                                  [this](TObject* s) { OnSortByDeviceName(s); });
    ID_TRAY_DEVICETYPE = MenuItem(SortByPopupMenu, S(&CUISTR::STR_SORTED_BY_DEVICETYPE),
                                  [this](TObject* s) { OnSortByDeviceType(s); });
    ID_TRAY_DEVICEMAC = MenuItem(SortByPopupMenu, S(&CUISTR::STR_SORTED_BY_MACADDR),
                                 [this](TObject* s) { OnSortByDeviceMac(s); });
    ID_TRAY_DEVINFO = MenuItem(SortByPopupMenu, S(&CUISTR::STR_DEV_INFO), [this](TObject* s) { OnDevInfoClick(s); });
    ID_TRAY_CONNECT = MenuItem(SortByPopupMenu, S(&CUISTR::STR_BtnHintConnect),
                               [this](TObject* s) { OnSortDeviceConnect(s); });
    ID_TRAY_TDLS_CONNECT = MenuItem(SortByPopupMenu, "TDLS Connect", [this](TObject* s) { OnTDLSConnectClick(s); });
    ID_TRAY_DISABLE_WIFIDISPLAY = MenuItem(SortByPopupMenu, S(&CUISTR::STR_DISABLE_WIFIDISPLAY),
                                           [this](TObject* s) { OnSoreMenuDisableWiFiDisplay(s); });
    ID_TRAY_DEVICENAME->Checked = true;
    ID_TRAY_DISABLE_WIFIDISPLAY->Visible = false;

    lvWDPList = Place<TListView>(this, 12, 55, 376, 231);
    lvWDPList->SetShowColumnHeaders(false);
    lvWDPList->SetRowSelect(true);
    lvWDPList->SetBorder(false);
    lvWDPList->SetColor(kListColor);
    lvWDPList->SetSmallImages(ImageWDPList);
    lvWDPList->PopupMenu = SortByPopupMenu;
    lvWDPList->AddColumn("", 20);
    lvWDPList->AddColumn(S(&CUISTR::STR_WDP_DEVICENAME), 115);
    lvWDPList->AddColumn(S(&CUISTR::STR_WDP_DEVICETYPE), 95);
    lvWDPList->AddColumn(S(&CUISTR::STR_MAC), 120);

    GroupBox1 = Place<TGroupBox>(this, 12, 313, 200, 57);
    GroupBox1->SetCaption("Wi-Fi Display Role");
    rbSource = Place<TRadioButton>(GroupBox1, 8, 24, 60, 17);
    rbPSink = Place<TRadioButton>(GroupBox1, 72, 24, 60, 17);
    rbSSink = Place<TRadioButton>(GroupBox1, 136, 24, 60, 17);
    rbSource->SetCaption("Source");
    rbSource->SetHint("Stream Video Out");
    rbSource->SetShowHint(true);
    rbPSink->SetCaption("P-Sink");
    rbSSink->SetCaption("S-Sink");
    rbSource->SetChecked(true);
    rbSource->OnClick = [this](TObject* s) { OnRBSourceClick(s); };
    rbPSink->OnClick = [this](TObject* s) { OnRBPSinkClick(s); };
    rbSSink->OnClick = [this](TObject* s) { OnRBSSinkClick(s); };

    labStatus = new TLabel(this);
    labStatus->SetParent(this);
    labStatus->SetAutoSize(false);
    labStatus->SetBounds(220, 290, 168, 13);
    labStatus->SetVisible(false);
    BtnOCP = Place<TButton>(this, 220, 356, 100, 22);
    BtnOCP->SetCaption(S(&CUISTR::STR_OPEN_UIBC_CONTROLPANEL));
    BtnZoomIn = Place<TButton>(this, 324, 356, 20, 22);
    BtnZoomOut = Place<TButton>(this, 346, 356, 20, 22);
    BtnCancelZoomMode = Place<TButton>(this, 368, 356, 20, 22);
    BtnZoomIn->SetCaption("+");
    BtnZoomOut->SetCaption("-");
    BtnCancelZoomMode->SetCaption("C");
    BtnOCP->OnClick = [this](TObject* s) { OnBtnOpenControlPanel(s); };
    BtnZoomIn->OnClick = [this](TObject* s) { OnZoomInClick(s); };
    BtnZoomOut->OnClick = [this](TObject* s) { OnZoomOutClick(s); };
    BtnCancelZoomMode->OnClick = [this](TObject* s) { OnCancelZoomModeClick(s); };
    CheckCaptureCursor = Place<TCheckBox>(this, 220, 306, 100, 17);
    CheckCaptureCursor->SetCaption("Capture Cursor");
    CheckCaptureCursor->OnClick = [this](TObject* s) { BtnCaptureCursorClick(s); };
    TestSnBut = Place<TButton>(this, 60, 20, 30, 20);
    TestSoBut = Place<TButton>(this, 92, 20, 30, 20);
    TestBut = Place<TButton>(this, 124, 20, 40, 20);
    editIPPath = Place<TEdit>(this, 168, 20, 100, 20);
    TestSnBut->SetCaption("Sn");
    TestSoBut->SetCaption("So");
    TestBut->SetCaption("Test");
    editIPPath->SetText("192.168.137.1");
    for (TControl* hidden : std::initializer_list<TControl*>{BtnOCP, BtnZoomIn, BtnZoomOut, BtnCancelZoomMode,
                                                             CheckCaptureCursor, TestSnBut, TestSoBut, TestBut, editIPPath})
        hidden->SetVisible(false);

    const auto timer = [this](int interval, bool on) {
        auto* t = new TTimer(this);
        t->SetEnabled(false);
        t->SetInterval(interval);
        t->SetEnabled(on);
        return t;
    };
    TimerConnectRTSPServer = timer(8000, false);
    TimerRTSPRetry = timer(8000, false);
    TimerStatus = timer(3000, false);
    TimerKeepalive = timer(55000, false);
    TimerCheckIfWDPSigmaStart = timer(5000, true);
    TimerKeepalive->OnTimer = [this](TObject*) { m_Source.SendKeepalive(); };
    TimerConnectRTSPServer->OnTimer = [this](TObject* s) { TimerConnectRTSPServerRun(s); };
    TimerRTSPRetry->OnTimer = [this](TObject* s) { TimerRTSPRereyRun(s); };
    TimerStatus->OnTimer = [this](TObject* s) { TimerStatusRun(s); };
    TimerCheckIfWDPSigmaStart->OnTimer = [this](TObject*) {
        TimerCheckIfWDPSigmaStart->SetEnabled(false);
        PrintMessage(6, "[WDP] WDPSigma=%s\n", ReadINIStr("WiFiDisplay", "WDPSigma", "0", "ini").c_str());
    };

    ID_TRAY_TDLS_CONNECT->Visible = true;
    iUseTDLS = uint32_t(std::atoi(ReadINIStr("WiFiDisplay", "TDLS", "0", "ini").c_str()));
    PrintMessage(6, "iUseTDLS=%d\n", int(iUseTDLS));
    SetEnableTDLSToDriver(iUseTDLS ? 1 : 0);
    if (!iUseTDLS)
        ID_TRAY_TDLS_CONNECT->Visible = false;
    ResetAllParameter();
    m_bDisplayStatus = std::atoi(ReadINIStr("WiFiDisplaySo", "DisplayStatus", "1", "ini").c_str());
    labStatus->SetCaption("");
    labStatus->SetVisible(m_bDisplayStatus != 0);
    if (ReadINIInt("WiFiDisplay", "DebugButton", 0, "ini") == 1) {
        TimerStatus->SetEnabled(true);
        for (TControl* shown : std::initializer_list<TControl*>{labStatus, TestSoBut, TestSnBut, TestBut, editIPPath})
            shown->SetVisible(true);
    }
    OnCreate = [this](TObject* s) { FormCreate(s); };
}

TFormWiFiDisplay::~TFormWiFiDisplay()
{
    m_Source.m_UIBC.Close();
    if (FormWiFiDisplay == this)
        FormWiFiDisplay = nullptr;
}

void TFormWiFiDisplay::FormCreate(TObject* Sender)
{
    TFormBase::FormCreate(Sender);
    lvWDPList->ClearItems();
    m_SurveyInfo.clear();
    UpdateRoleRadioButtons();
    // The sessions post to the window from their threads; the controls' windows wait for
    // its first showing.
    m_Source.SetPostHandle(HandleWithoutChildren());
    m_Sink.SetPostHandle(Handle());
    EnableWDPPlayControlButton(false);
    WSADATA wsa{};
    const int started = WSAStartup(0x0202, &wsa);
    PrintMessage(6, "[WDP] WSAStartup()=%d\n", started);
    m_Sink.SetConnectedIPSource(&m_strWDPConnectedIP);
    CheckCaptureCursor->SetVisible(VOZEZIV.nWinOS > 50);
    BtnWDPPlay->SetHint(S(&CUISTR::STR_HINT_PLAY));
    BtnWDPPause->SetHint(S(&CUISTR::STR_HINT_PAUSE));
    BtnWDPTeardown->SetHint(S(&CUISTR::STR_HINT_STOP));
}

void TFormWiFiDisplay::Dispatch(TMessage& Message)
{
    if (HandleUIBCMessage(Message.Msg, Message.WParam, Message.LParam))
        return;
    if (Message.Msg == MSG_WIFIDISPLAY_EVENET) {
        ++m_nEventsHandled;
        WDP_STATUS status{};
        unsigned long returned = 0;
        const int result = VOZEZIV.WVWL_OIDQueryInfo
                               ? VOZEZIV.WVWL_OIDQueryInfo(OID_WDP_QUERY_STATUS, &status, sizeof status, &returned)
                               : -1;
        PrintMessage(6, "[WDP] MSG_WIFIDISPLAY_EVENET query=%d WDPStatus=%d\n", result, status.WDPStatus);
        DoWDPSigmaEvent(status);
        return;
    }
    if (HandleSourceMessage(Message.Msg, Message.WParam) || HandleSinkMessage(Message.Msg))
        return;
    TFormBase::Dispatch(Message);
}

bool TFormWiFiDisplay::HandleSinkMessage(unsigned message)
{
    switch (message) {
    case MSG_SINK_SET_SESSIONID_TO_DRIVER:
        SetSessionIDToDriver(WDPSink::SessionID(), nullptr);
        return true;
    case MSG_SINK_ENABLE_UIBC:
        if (m_Sink.SnUIBC() != 0)
            SetUIBCPanelVisable(true);
        return true;
    case MSG_SINK_DISABLE_UIBC:
        m_Sink.CloseUIBCSocket();
        SetUIBCPanelVisable(false);
        return true;
    case MSG_SINK_RECEIVE_M7_OK:
        EnableWDPPlayControlButton(true);
        return true;
    case MSG_SINK_SEND_PAUSE:
        m_Sink.RTSPPause();
        return true;
    case MSG_SINK_SEND_PLAY:
        m_Sink.RTSPPlay();
        return true;
    case MSG_SINK_SEND_TEARDOWN:
        m_Sink.Stop();
        return true;
    case MSG_WDP_P2P_DISCONNECT:
        SetStatusDisconnect(WDP_CONNECT_P2P);
        return true;
    default:
        return false;
    }
}

void TFormWiFiDisplay::SetStatusText(const std::string& text)
{
    labStatus->SetCaption(text);
}

int TFormWiFiDisplay::CaptureCursorChoice()
{
    if (VOZEZIV.nWinOS < 51)
        return std::atoi(ReadINIStr("WiFiDisplaySo", "CaptureCursor", "1", "ini").c_str()) != 0 ? 1 : 0;
    return CheckCaptureCursor->Checked() ? 1 : 0;
}

bool TFormWiFiDisplay::HandleSourceMessage(unsigned message, WPARAM wParam)
{
    switch (message) {
    case MSG_SOURCE_RECEIVE_WPDCONNECT:
        SetStatusText("Receive WPD Connect");
        m_Source.StartSession();
        return true;
    case MSG_SOURCE_SET_SESSIONID_TO_DRIVER: {
        char id[16];
        std::snprintf(id, sizeof id, "%08d", m_Source.GetSessionID(1));
        SetSessionIDToDriver(id, nullptr);
        return true;
    }
    case MSG_SOURCE_PLAY_STREAM:
        SetStatusText("Start Capture");
        m_Source.StartCapture(1, CaptureCursorChoice());
        EnableWDPPlayControlButton(true);
        return true;
    case MSG_SOURCE_PAUSE_STREAM:
        SetStatusText("Stop Capture Screen");
        m_Source.StopCapture();
        return true;
    case MSG_SOURCE_STOP_STREAM:
        SetStatusText("Stop RTSP Server");
        m_Source.StopRTSPServer();
        return true;
    case MSG_SOURCE_IDR:
        SetStatusText("Send IDR");
        m_Source.SendIDR();
        return true;
    case MSG_GOIN_STANDBY:
        SetStatusText("Go In Standby Mode");
        m_Source.GoInStandbyMode();
        return true;
    case MSG_SOURCE_CREATE_UIBC_THREAD:
        SetStatusText("Create Receive UIBC Thread");
        m_Source.CreateReceiveUIBCDataThread(WDPSource::SessionState().connectingClientIP);
        return true;
    case MSG_SOURCE_START_SERVER:
        SetStatusText("Start RTSP Server");
        return true;
    case MSG_SOURCE_STOP_SERVER:
        SetStatusText("Stop RTSP Server");
        return true;
    case MSG_SOURCE_KEEPALIVE:
        IsEnableKeepaliveTimer(wParam == 1);
        return true;
    case MSG_SOURCE_STOP_STANDBY:
        SetStatusText("Stop Send Standby");
        return true;
    default:
        return false;
    }
}

// ---- Device table and list

int TFormWiFiDisplay::QueryWDPTable()
{
    std::memset(&m_WDPTable, 0, sizeof m_WDPTable);
    if (!VOZEZIV.WVWL_GetWDPTable || VOZEZIV.WVWL_GetWDPTable(&m_WDPTable) != WVWL_ERROR_SUCCESS) {
        PrintMessage(2, "[WDP][QueryWDPTable] WVWL_GetWDPTable() return NOT WVWL_ERROR_SUCCESS!\n");
        return 0;
    }
    return 1;
}

void TFormWiFiDisplay::ReadWDPConfig()
{
    const int result = VOZEZIV.WVWL_ReadWDPConfig ? VOZEZIV.WVWL_ReadWDPConfig(&m_WDPConfig) : -1;
    PrintMessage(6, "[WDP][ReadWDPConfig] result=%d ConfigMode=%d DevInfo=0x%04X\n", result, m_WDPConfig.ConfigMode,
                 m_WDPConfig.DevInfo);
}

int TFormWiFiDisplay::SetWDPConfigToDriver(int enable)
{
    if (!enable)
        m_Source.m_UIBC.Close();  // no session outlives Wi-Fi Display
    m_WDPConfig.ConfigMode = enable ? CONFIG_MODE_WDP_ENABLED : 0;
    m_WDPConfig.ControlPort = kControlPort;
    uint16_t info = m_WDPConfig.DevInfo;
    info &= uint16_t(WDP_DEVINFO_TYPE_MASK | 0xFC00);  // role and the uninterpreted bits 10-15
    info |= WDP_DEVINFO_SESSION_AVAILABLE;
    if (iUseTDLS)
        info |= WDP_DEVINFO_PREFER_TDLS;
    m_WDPConfig.DevInfo = info;
    m_WDPConfig.ExtCap |= WFD_SUBELEM_EXTCAP_UIBC | WFD_SUBELEM_EXTCAP_I2C | WFD_SUBELEM_EXTCAP_PREF_DISPLAY |
                          WFD_SUBELEM_EXTCAP_STANDBY;
    if (!VOZEZIV.WVWL_WriteAndSetWDPConfig) {
        PrintMessage(2, "[WDP][SetWDPConfigToDriver] WVWL_WriteAndSetWDPConfig=NULL\n");
        return 0;
    }
    const int result = VOZEZIV.WVWL_WriteAndSetWDPConfig(&m_WDPConfig, 1);
    PrintMessage(6, "[WDP][SetWDPConfigToDriver] result=%d ConfigMode=%d DevInfo=0x%04X ControlPort=%d\n", result,
                 m_WDPConfig.ConfigMode, m_WDPConfig.DevInfo, m_WDPConfig.ControlPort);
    return 0;
}

void TFormWiFiDisplay::GetUpdateDiscovery()
{
    if (FormWiFiDirect) {
        const WIFI_DIRECT_STATUS& status = FormWiFiDirect->m_WiFiDirectStatus;
        if (status.WifiDirectStatus == WIFIDIRECTEVENT_STATUS_GROUP_UPDATE)
            std::memcpy(&m_P2PGroupCopy, status.WifiDirectStateContext.Raw, sizeof m_P2PGroupCopy);
        else if (status.WifiDirectStatus == WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY)
            std::memcpy(&m_P2PDiscoveryCopy, status.WifiDirectStateContext.Raw, sizeof m_P2PDiscoveryCopy);
    }
    if (!QueryWDPTable())
        return;
    ReadWDPConfig();
    if (m_WDPConfig.ConfigMode == CONFIG_MODE_WDP_ENABLED)
        SetUIDeviceType(m_WDPConfig.DevInfo & WDP_DEVINFO_TYPE_MASK);
    if (m_WDPTable.ClientNumber > 0) {
        if (m_WDPTable.ClientNumber > MAX_WDP_TABLE_SIZE || m_WDPTable.Start > MAX_WDP_TABLE_SIZE) {
            PrintMessage(2, "[WDP][GetUpdateDiscovery] ClientNumber=%d Start=%d above MAX_WDP_TABLE_SIZE=%d\n",
                         m_WDPTable.ClientNumber, m_WDPTable.Start, MAX_WDP_TABLE_SIZE);
            return;
        }
        RefreshWDPDeviceList();
        return;
    }
    lvWDPList->ClearItems();
    m_SurveyInfo.clear();
    if (!m_strWDPConnectedMac.empty() && m_iNowConnectType == WDP_CONNECT_P2P) {
        ResetAllParameter();
        StopSessionUI();
    }
}

int TFormWiFiDisplay::ValidCount(bool logLimit) const
{
    if (m_WDPTable.ClientNumber > MAX_WDP_TABLE_SIZE || m_WDPTable.Start > MAX_WDP_TABLE_SIZE) {
        if (logLimit)
            PrintMessage(2, "[WDP] table ClientNumber=%d Start=%d above MAX_WDP_TABLE_SIZE=%d\n",
                         m_WDPTable.ClientNumber, m_WDPTable.Start, MAX_WDP_TABLE_SIZE);
        return 0;
    }
    return m_WDPTable.ClientNumber;
}

const WDP_ENTRY* TFormWiFiDisplay::ValidEntry(int k) const
{
    return &m_WDPTable.Entry[(m_WDPTable.Start + k) % MAX_WDP_TABLE_SIZE];
}

std::string TFormWiFiDisplay::SortText(const WDP_SURVEY_INFO_EX& info) const
{
    if (m_nSortingIndex == 2)
        return info.strDevType;
    if (m_nSortingIndex == 3)
        return info.strDevMac;
    return info.strDevName;
}

void TFormWiFiDisplay::RefreshWDPDeviceList()
{
    lvWDPList->ClearItems();
    m_SurveyInfo.clear();
    const int count = ValidCount(true);
    for (int k = 0; k < count; ++k) {
        const WDP_ENTRY* entry = ValidEntry(k);
        char name[33] = {};
        if (!GetP2PDevName(entry->DevMac, name, 32))
            PrintMessage(3, "[WDP][RefreshWDPDeviceList] no name for %s\n", WDPMacText(entry->DevMac).c_str());
        auto info = std::make_unique<WDP_SURVEY_INFO_EX>();
        info->strDevName = name;
        info->strDevType = WDPDeviceTypeText(entry->DevInfo);
        info->strDevMac = WDPMacText(entry->DevMac);
        const std::string key = SortText(*info);
        int at = lvWDPList->ItemCount();
        for (int row = 0; row < lvWDPList->ItemCount(); ++row) {
            const auto* other = static_cast<const WDP_SURVEY_INFO_EX*>(lvWDPList->Item(row)->Data);
            if (CompareNoCase(SortText(*other), key) >= 0) {
                at = row;
                break;
            }
        }
        TListItem* item = lvWDPList->InsertItem(at);
        item->SetImageIndex(kPictureDevice);
        item->AddSubItem(info->strDevName);
        item->AddSubItem(info->strDevType);
        item->AddSubItem(info->strDevMac);
        item->Data = info.get();
        m_SurveyInfo.push_back(std::move(info));
    }
    if (m_bIsWDPSigma)
        return;
    if (FormWiFiDirect && FormWiFiDirect->m_WiFiDirectWvstatus == WvStatus_Connected &&
        m_iNowConnectType == WDP_CONNECT_P2P) {
        SetStatusConnect(WDP_CONNECT_P2P, "");
    } else if (m_iNowConnectType == WDP_CONNECT_TDLS) {
        SetStatusConnect(WDP_CONNECT_TDLS, m_strWDPConnectedMac);
    } else if (m_iNowConnectType == WDP_CONNECT_P2P) {
        if (SetStatusDisconnect(WDP_CONNECT_P2P) == 0)
            StopSessionUI();
    } else {
        StopSessionUI();
    }
}

// Control-panel buttons hidden, play buttons disabled, the input channel closed, the source's server stopped.
void TFormWiFiDisplay::StopSessionUI()
{
    SetUIBCPanelVisable(false);
    EnableWDPPlayControlButton(false);
    m_Source.m_UIBC.Close();
    if (rbSource->Checked())
        m_Source.StopRTSPServer();
}

int TFormWiFiDisplay::GetP2PDevName(const BYTE* mac, char* name, int size)
{
    std::memset(name, 0, size_t(size) + 1);
    const auto copyName = [&](const char* source, uint32_t length) {
        if (length <= uint32_t(size))
            std::memcpy(name, source, length);
        return 1;
    };
    const int groups = std::min<int>(m_P2PGroupCopy.chNumOfGroup, int(WIFI_DIRECT_MAX_ENTRIES));
    for (int i = 0; i < groups; ++i) {
        const WIFI_DIRECT_GROUP_ENTRY& e = m_P2PGroupCopy.WifiDirectGroup[i];
        if (std::memcmp(e.chMacAddr, mac, 6) == 0)
            return copyName(e.chDeviceName, e.ulStringLen);
    }
    const int found = std::min<int>(m_P2PDiscoveryCopy.chTotalNumber, int(WIFI_DIRECT_MAX_ENTRIES));
    for (int i = 0; i < found; ++i) {
        const WIFI_DIRECT_DISCOVERY_ENTRY& e = m_P2PDiscoveryCopy.DiscoveryEntry[i];
        if (std::memcmp(e.chMacAddr, mac, 6) == 0)
            return copyName(e.chDeviceName, e.ulStringLen);
    }
    return 0;
}

int TFormWiFiDisplay::FindDeviceByDevMac(const std::string& mac, WDP_ENTRY* entry)
{
    const int count = ValidCount(true);
    for (int k = 0; k < count; ++k) {
        if (MacMatches(ValidEntry(k)->DevMac, mac)) {
            *entry = *ValidEntry(k);
            return 1;
        }
    }
    return 0;
}

std::string TFormWiFiDisplay::FindBSSIDByDeviceMacInWDPTable(const std::string& mac)
{
    WDP_ENTRY entry{};
    return FindDeviceByDevMac(mac, &entry) ? WDPMacText(entry.Bssid) : std::string();
}

std::string TFormWiFiDisplay::FindTDLSMacByDeviceMacInWDPTable(const std::string& mac)
{
    WDP_ENTRY entry{};
    return FindDeviceByDevMac(mac, &entry) ? WDPMacText(entry.TdlsMac) : std::string();
}

int TFormWiFiDisplay::FindPCBitByMac(const std::string& mac)
{
    const int count = ValidCount(false);
    for (int k = 0; k < count; ++k) {
        if (WDPMacText(ValidEntry(k)->DevMac) == mac)
            return (ValidEntry(k)->DevInfo & WDP_DEVINFO_PREFER_TDLS) ? 1 : 0;
    }
    return -1;
}

int TFormWiFiDisplay::FindOppositeRTSPPort()
{
    if (m_bIsWDPSigma && m_strWDPConnectedMac.empty())
        GetConnectedDeviceP2PDevMacAddress();
    const int count = ValidCount(false);
    for (int k = 0; k < count; ++k) {
        if (WDPMacText(ValidEntry(k)->DevMac) == m_strWDPConnectedMac)
            return ValidEntry(k)->ControlPort;
    }
    return 0;
}

void TFormWiFiDisplay::OnSortByDeviceName(TObject*)
{
    ID_TRAY_DEVICENAME->Checked = true;
    ID_TRAY_DEVICETYPE->Checked = false;
    ID_TRAY_DEVICEMAC->Checked = false;
    m_nSortingIndex = 1;
    RefreshWDPDeviceList();
}

void TFormWiFiDisplay::OnSortByDeviceType(TObject*)
{
    ID_TRAY_DEVICENAME->Checked = false;
    ID_TRAY_DEVICETYPE->Checked = true;
    ID_TRAY_DEVICEMAC->Checked = false;
    m_nSortingIndex = 2;
    RefreshWDPDeviceList();
}

void TFormWiFiDisplay::OnSortByDeviceMac(TObject*)
{
    ID_TRAY_DEVICENAME->Checked = false;
    ID_TRAY_DEVICETYPE->Checked = false;
    ID_TRAY_DEVICEMAC->Checked = true;
    m_nSortingIndex = 3;
    RefreshWDPDeviceList();
}

// ---- Connection state

int TFormWiFiDisplay::StartWDPConnect()
{
    if (rbSource->Checked())
        m_Source.StartRTSPServer();
    else
        EnableConnectRTSPServerTimer(true);
    return 1;
}

int TFormWiFiDisplay::SetStatusConnect(int type, const std::string& tdlsMac)
{
    ReadWDPConfig();
    if (m_WDPConfig.ConfigMode == 0 && !m_bIsWDPSigma)
        return 0;
    if (m_bIsWDPSigma) {
        m_iNowConnectType = type;
        return 1;
    }
    const auto markRow = [this]() {
        for (int row = 0; row < lvWDPList->ItemCount(); ++row) {
            TListItem* item = lvWDPList->Item(row);
            if (item->SubItemCount() > 2 && item->SubItem(2) == m_strWDPConnectedMac) {
                item->SetImageIndex(kPictureConnected);
                return true;
            }
        }
        return false;
    };
    if (m_iNowConnectType == WDP_CONNECT_NONE) {
        m_iNowConnectType = type;
        if (type == WDP_CONNECT_TDLS) {
            m_strWDPConnectedMac = tdlsMac;
        } else if (type == WDP_CONNECT_P2P) {
            GetConnectedDeviceP2PDevMacAddress();
        } else {
            m_iNowConnectType = WDP_CONNECT_NONE;
            return 0;
        }
        if (!markRow())
            return 0;
        EnableSettingWDPRoleType(false);
        BtnWDPTeardown->SetEnabled(true);
        return 1;
    }
    if (m_strWDPConnectedMac.empty() || m_strWDPConnectedMac == "0.0.0.0")
        return 0;
    return markRow() ? 1 : 0;
}

int TFormWiFiDisplay::SetStatusDisconnect(int type)
{
    if (m_iNowConnectType == WDP_CONNECT_NONE || m_iNowConnectType != type)
        return 0;
    if (type == WDP_CONNECT_TDLS)
        return 0;
    // The last group table the Wi-Fi Direct window reported: its current status record can
    // hold any other event by now.
    const WIFI_DIRECT_GROUP_TABLE& group = m_P2PGroupCopy;
    const int members = group.chNumOfGroup;
    if (members == 1) {
        ResetAllParameter();
        return 0;
    }
    if (members < 1)
        return 0;
    const int bounded = std::min<int>(members, int(WIFI_DIRECT_MAX_ENTRIES));
    for (int i = 0; i < bounded; ++i) {
        if (WDPMacText(group.WifiDirectGroup[i].chMacAddr) == m_strWDPConnectedMac)
            return 1;
    }
    ResetAllParameter();
    return 1;
}

void TFormWiFiDisplay::ResetWDPView()
{
    m_Source.m_UIBC.Close();
    EnableSettingWDPRoleType(true);
    EnableWDPPlayControlButton(false);
    m_iNowConnectType = WDP_CONNECT_NONE;
    lvWDPList->ClearItems();
    m_SurveyInfo.clear();
}

void TFormWiFiDisplay::ResetAllParameter()
{
    std::memset(m_P2PInterfaceMac, 0, sizeof m_P2PInterfaceMac);
    std::memset(m_P2PDeviceMac, 0, sizeof m_P2PDeviceMac);
    m_strWDPConnectedMac.clear();
    m_strWDPConnectedIP.clear();
    m_strP2PInterfaceMac.clear();
    m_iWDPConnectedPort = 0;
    EnableConnectRTSPServerTimer(false);
    EnableRTSPRetryTimer(false);
    if (rbPSink->Checked() || rbSSink->Checked())
        m_Sink.SinkSetDefault();
    EnableSettingWDPRoleType(true);
    m_iNowConnectType = WDP_CONNECT_NONE;
    SetUIBCPanelVisable(false);
    IsEnableKeepaliveTimer(false);
}

void TFormWiFiDisplay::SetSessionIDToDriver(const std::string& sessionId, const std::string* secondSessionId)
{
    WDP_CONFIG_REQUEST request{};
    request.ConfigMode = CONFIG_MODE_WDP_SESSION_ID;
    std::snprintf(request.SessionId, sizeof request.SessionId, "%s", sessionId.c_str());
    if (secondSessionId)
        std::snprintf(request.SecondSessionId, 64, "%s", secondSessionId->c_str());
    const int set = VOZEZIV.WVWL_OIDSetInfo ? VOZEZIV.WVWL_OIDSetInfo(OID_WDP_SET_CONFIG, &request, sizeof request) : -1;
    WDP_STATUS status{};
    unsigned long returned = 0;
    const int query =
        VOZEZIV.WVWL_OIDQueryInfo ? VOZEZIV.WVWL_OIDQueryInfo(OID_WDP_QUERY_STATUS, &status, sizeof status, &returned) : -1;
    status.SessionId[sizeof status.SessionId - 1] = 0;
    PrintMessage(6, "[WDP][SetSessionIDToDriver] set=%d query=%d SessionID=%s\n", set, query, status.SessionId);
}

int TFormWiFiDisplay::IsDeviceCorrect(const WDP_SURVEY_INFO_EX& device)
{
    const bool source = rbSource->Checked();
    const bool sink = rbPSink->Checked() || rbSSink->Checked();
    std::string warning;
    if (device.strDevType == "Source" && source)
        warning = S(&CUISTR::STR_SELECT_TYPE_WARNING1) + " Source " + S(&CUISTR::STR_SELECT_TYPE_WARNING2) +
                  " P-Sink " + S(&CUISTR::STR_SELECT_TYPE_WARNING3) + " S-Sink";
    else if ((device.strDevType == "P-Sink" || device.strDevType == "S-Sink") && sink)
        warning = S(&CUISTR::STR_SELECT_TYPE_WARNING1) + " " + device.strDevType + " " +
                  S(&CUISTR::STR_SELECT_TYPE_WARNING2) + " Source";
    if (warning.empty())
        return 1;
    ShowMessageBox(warning, 0);
    return 0;
}

void TFormWiFiDisplay::EnableWDPPlayControlButton(bool enable)
{
    BtnWDPPlay->SetEnabled(enable);
    BtnWDPPause->SetEnabled(enable);
    BtnWDPTeardown->SetEnabled(enable);
}

void TFormWiFiDisplay::EnableSettingWDPRoleType(bool enable)
{
    rbSource->SetEnabled(enable);
    rbPSink->SetEnabled(enable);
    rbSSink->SetEnabled(enable);
    if (enable)
        EnableWDPPlayControlButton(false);
}

void TFormWiFiDisplay::SetUIDeviceType(int type)
{
    TRadioButton* const buttons[] = {rbSource, rbPSink, rbSSink};
    if (type >= 0 && type < 3)
        buttons[type]->SetChecked(true);
}

void TFormWiFiDisplay::UpdateRoleRadioButtons()
{
    ReadWDPConfig();
    if (m_WDPConfig.ConfigMode == CONFIG_MODE_WDP_ENABLED)
        SetUIDeviceType(m_WDPConfig.DevInfo & WDP_DEVINFO_TYPE_MASK);
}

void TFormWiFiDisplay::SetUIBCPanelVisable(bool visible)
{
    BtnOCP->SetVisible(visible);
    const bool zoom = visible && m_Sink.m_bGeneric;
    BtnZoomIn->SetVisible(zoom);
    BtnZoomOut->SetVisible(zoom);
    BtnCancelZoomMode->SetVisible(zoom);
    if (!visible)
        CloseControlPanel();
}

void TFormWiFiDisplay::EnableConnectRTSPServerTimer(bool enable)
{
    TimerConnectRTSPServer->SetEnabled(enable);
}

void TFormWiFiDisplay::EnableRTSPRetryTimer(bool enable)
{
    TimerRTSPRetry->SetEnabled(enable);
    labStatus->SetCaption(enable ? "Sink Retry Connecting" : "Sink Stop Retry Connecting");
}

void TFormWiFiDisplay::IsEnableKeepaliveTimer(bool enable)
{
    TimerKeepalive->SetInterval(55000);
    TimerKeepalive->SetEnabled(enable);
}

void TFormWiFiDisplay::SetEnableTDLSToDriver(int enable)
{
    uint32_t value = enable ? 1 : 0;
    const int result =
        VOZEZIV.WVWL_OIDSetInfo ? VOZEZIV.WVWL_OIDSetInfo(OID_WDP_SET_TDLS_ENABLE, &value, sizeof value) : -1;
    PrintMessage(6, "[WDP][SetEnableTDLSToDriver] enable=%d result=%d\n", enable, result);
}

void TFormWiFiDisplay::TDLSTeardownAll()
{
    const BYTE broadcast[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    TDLSTunnedel(broadcast);
}

void TFormWiFiDisplay::TDLSTunnedel(const BYTE* mac)
{
    WDP_CONFIG_REQUEST request{};
    request.ConfigMode = CONFIG_MODE_WDP_TDLS_TEARDOWN;
    std::memcpy(request.PeerMac, mac, 6);
    const int result = VOZEZIV.WVWL_OIDSetInfo ? VOZEZIV.WVWL_OIDSetInfo(OID_WDP_SET_CONFIG, &request, sizeof request) : -1;
    PrintMessage(6, "[WDP][TDLSTunnedel] result=%d\n", result);
}

void TFormWiFiDisplay::GetConnectedDeviceP2PDevMacAddress()
{
    unsigned long returned = 0;
    const int result = VOZEZIV.WVWL_OIDQueryInfo
                           ? VOZEZIV.WVWL_OIDQueryInfo(OID_WDP_QUERY_PEER_DEV_MAC, m_P2PDeviceMac, 6, &returned)
                           : -1;
    m_strWDPConnectedMac = WDPMacText(m_P2PDeviceMac);
    PrintMessage(6, "[WDP][GetConnectedDeviceP2PDevMacAddress] result=%d %s\n", result, m_strWDPConnectedMac.c_str());
}

int TFormWiFiDisplay::LocalRole() const
{
    return m_WDPConfig.DevInfo & WDP_DEVINFO_TYPE_MASK;
}

// ---- Handlers

void TFormWiFiDisplay::SysBtnCloseClick(TObject*)
{
    Close();
}

void TFormWiFiDisplay::BtnWDPRescanClick(TObject*)
{
    lvWDPList->ClearItems();
    m_SurveyInfo.clear();
    WIFI_DIRECT_CONTROL control{};
    const int read = VOZEZIV.WVWL_ReadWifiDirectControl ? VOZEZIV.WVWL_ReadWifiDirectControl(&control) : -1;
    if (read != WVWL_ERROR_SUCCESS) {
        PrintMessage(2, "[WDP][BtnWDPRescanClick] WVWL_ReadWifiDirectControl()=%d\n", read);
        return;
    }
    if (!(control.ControlBits & 1)) {
        if (ShowMessageBox(S(&CUISTR::STR_WDP_ENABLEP2PFIRST), 0) != 1)
            return;
        if (FormWiFiDirect)
            FormWiFiDirect->RequestEnableWiFiDirect();
    }
    if (!FormWiFiDirect || !FormWiFiDirect->m_bEnableWiFiDirect) {
        PrintMessage(6, "[WDP][BtnWDPRescanClick] Wi-Fi Direct is still off\n");
        return;
    }
    ReadWDPConfig();
    if (m_WDPConfig.ConfigMode == 0)
        SetWDPConfigToDriver(1);
    UpdateRoleRadioButtons();
    WiFiDirectScan();
    if (iUseTDLS)
        TDLSTeardownAll();
}

void TFormWiFiDisplay::SetRole(int type)
{
    m_WDPConfig.DevInfo = uint16_t((m_WDPConfig.DevInfo & ~WDP_DEVINFO_TYPE_MASK) | type);
    SetWDPConfigToDriver(1);
}

void TFormWiFiDisplay::OnRBSourceClick(TObject*)
{
    SetRole(0);
}

void TFormWiFiDisplay::OnRBPSinkClick(TObject*)
{
    SetRole(1);
}

void TFormWiFiDisplay::OnRBSSinkClick(TObject*)
{
    SetRole(2);
}

void TFormWiFiDisplay::BtnWDPPlayClick(TObject*)
{
    if (rbSource->Checked())
        m_Source.TriggerPlay();
    else
        m_Sink.RTSPPlay();
}

void TFormWiFiDisplay::BtnWDPPauseClick(TObject*)
{
    if (rbSource->Checked())
        m_Source.TriggerPause();
    else
        m_Sink.RTSPPause();
}

void TFormWiFiDisplay::BtnWDPTeardownClick(TObject*)
{
    m_Source.m_UIBC.Close();
    if (rbSource->Checked()) {
        m_Source.StopCapture();
        m_Source.TriggerTeardown();
        m_Source.StopRTSPServer();
    } else {
        m_Sink.Stop();
    }
    SetUIBCPanelVisable(false);
    if (SetStatusDisconnect(m_iNowConnectType) != 0)
        WiFiDirectDisconnect();
}

void TFormWiFiDisplay::OnSortPopupMenu(TObject*)
{
    ID_TRAY_TDLS_CONNECT->Visible = false;
    ID_TRAY_CONNECT->Visible = false;
    ID_TRAY_DEVINFO->Visible = true;
    ID_TRAY_DISABLE_WIFIDISPLAY->Visible = false;
    ReadWDPConfig();
    if (m_WDPConfig.ConfigMode == CONFIG_MODE_WDP_ENABLED && m_iNowConnectType == WDP_CONNECT_NONE)
        ID_TRAY_DISABLE_WIFIDISPLAY->Visible = true;
    if (m_iNowConnectType == WDP_CONNECT_P2P || m_iNowConnectType == WDP_CONNECT_TDLS)
        return;
    TListItem* row = lvWDPList->Selected();
    if (!row || !row->Data)
        return;
    ID_TRAY_DEVINFO->Visible = true;
    ID_TRAY_CONNECT->Visible = true;
    m_SelectedDevice = *static_cast<const WDP_SURVEY_INFO_EX*>(row->Data);
    FindDeviceByDevMac(m_SelectedDevice.strDevMac, &m_SelectedEntry);
    if (!iUseTDLS || FindPCBitByMac(m_SelectedDevice.strDevMac) != 1)
        return;
    WLAN_STATUS status{};
    WLAN_STATUS_QUERY query{{1, 1, 1, 1, 1}};
    if (VOZEZIV.WVWL_QueryWLANStatus)
        VOZEZIV.WVWL_QueryWLANStatus(&status, query);
    if (FindBSSIDByDeviceMacInWDPTable(m_SelectedDevice.strDevMac) == WDPMacText(status.bssid))
        ID_TRAY_TDLS_CONNECT->Visible = true;
}

void TFormWiFiDisplay::OnDevInfoClick(TObject*)
{
    if (!FormWFADispDevDetailInfo)
        return;
    FormWFADispDevDetailInfo->Show();
    FormWFADispDevDetailInfo->UpdateDetailInfoForm(m_SelectedEntry);
}

void TFormWiFiDisplay::OnSortDeviceConnect(TObject*)
{
    if (IsDeviceCorrect(m_SelectedDevice) == 1)
        WiFiDirectConnectDevice(m_SelectedDevice.strDevName, m_SelectedDevice.strDevMac);
}

void TFormWiFiDisplay::OnSoreMenuDisableWiFiDisplay(TObject*)
{
    SetWDPConfigToDriver(0);
}

void TFormWiFiDisplay::BtnCaptureCursorClick(TObject*)
{
    m_Source.SetCaptureCursor(CheckCaptureCursor->Checked() ? 1 : 0);
}

// ---- Calls into the Wi-Fi Direct window

void TFormWiFiDisplay::WiFiDirectScan()
{
    PrintMessage(6, "[WDP] ---> TFormWiFiDirect::OnScan\n");
    if (FormWiFiDirect)
        FormWiFiDirect->OnScan(this);
}

void TFormWiFiDisplay::WiFiDirectDisconnect()
{
    PrintMessage(6, "[WDP] ---> TFormWiFiDirect::OnDisconnect\n");
    if (FormWiFiDirect)
        FormWiFiDirect->OnDisconnect(this);
}

void TFormWiFiDisplay::WiFiDirectConnectDevice(const std::string& name, const std::string& mac)
{
    PrintMessage(6, "[WDP] ---> TFormWiFiDirect::WiFiDisplayConnectDevice(%s, %s)\n", name.c_str(), mac.c_str());
    if (FormWiFiDirect)
        FormWiFiDirect->WiFiDisplayConnectDevice(name, mac);
}
