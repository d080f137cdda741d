// The main window: its controls, creation, showing, destruction, the buttons
// that open the other windows, the docking drag and the button rights.
#include "mainwindow/FormMain.h"
#include "mainwindow/MainWindowServices.h"

#include <wtsapi32.h>
#include <algorithm>

#include <cstring>
#include <string>

#include "advanced/FormAdvanced.h"
#include "advanced/FormExtendedAP.h"
#include "core/Helpers.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "hotspot/FormHotSpot.h"
#include "mainwindow/Docking.h"
#include "mainwindow/FormAbout.h"
#include "mainwindow/FormLinkInfo.h"
#include "mainwindow/FormSiteSurvey.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "resources/FormResource.h"
#include "ui/IniFiles.h"
#include "ui/Picture.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/FormWiFiDisplay.h"

using skin::UiText;

TFormMain* FormMain = nullptr;

namespace {

constexpr COLORREF kLabelColor = RGB(198, 200, 39);
constexpr GUID kNdisLanClass = {0xAD498944, 0x762F, 0x11D0, {0x8D, 0xCB, 0x00, 0xC0, 0x4F, 0xC3, 0x35, 0x8C}};

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The help file that exists, or an empty text.
std::string FindHelpFile()
{
    std::string name = ReadINIStr("Settings", "HelpFile", "TARNWELL WLAN Utility Help", "ini");
    std::string folder = ProgramFolder();
    char language[8] = {};
    GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SABBREVLANGNAME, language, sizeof language);
    std::string first = folder + name + "_" + language + ".chm";
    if (FileExists(first))
        return first;
    std::string second = folder + name + "_USA" + ".chm";
    if (FileExists(second))
        return second;
    return {};
}

TWvImage* MakeButton(TFormMain* form, int left, int top, int width, int height, TImage* normal, TImage* down,
                     TImage* disabled)
{
    TWvImage* button = MakePushButton(form, left, top, width, height, normal, down, disabled);
    if (disabled)
        button->SetImage(2, disabled);
    return button;
}

TTimer* MakeTimer(TFormMain* form, unsigned interval, void (TFormMain::*handler)(TObject*))
{
    auto* timer = new TTimer(form);
    timer->SetInterval(interval);
    timer->SetEnabled(false);
    timer->OnTimer = [form, handler](TObject* sender) { (form->*handler)(sender); };
    return timer;
}

}  // namespace

TFormMain::TFormMain(TComponent* owner) : TFormBase(owner)
{
    Name = "FormMain";
    DockingAnchor = this;
    TFormResource* res = FormResource;

    // Background: the built-in picture unless the skin names a file that loads.
    if (res)
        ImgBackground->SetPicture(res->ImgMainFormBG->Picture());
    ImgBackground->SetAutoSize(true);
    std::string skin = TIniFile(ProgramFolder() + "RoVaza.ini").ReadString("MainForm", "ImgBackground", "");
    if (!skin.empty()) {
        std::string path = ProgramFolder() + skin;
        try {
            TPicture picture;
            picture.LoadFromFile(path);
            ImgBackground->SetPicture(picture);
        } catch (const std::exception& e) {
            PrintMessage(2, " TFormMain: skin background \"%s\" not loaded: %s\n", path.c_str(), e.what());
        }
    }
    SetClientSize(ImgBackground->Width(), ImgBackground->Height());
    PlaceFirst();
    ImgBackground->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        ImgBackgroundMouseDown(s, b, sh, x, y);
    };
    ImgBackground->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { ImgBackgroundMouseMove(s, sh, x, y); };

    lblCaptionText->SetBounds(39, 6, lblCaptionText->Width(), lblCaptionText->Height());
    lblCaptionText->SetAlignment(taRightJustify);
    lblCaptionText->Font().SetHeight(-13);

    ImgPartition = new TImage({this, 338, 30, 10, 15});
    SysBtnHelp = MakeButton(this, 352, 30, 15, 15, res ? res->ImgBtnMainFormHelp_Normal : nullptr,
                            res ? res->ImgBtnMainFormHelp_Down : nullptr, nullptr);
    SysBtnClose = MakeButton(this, 373, 30, 15, 15, res ? res->ImgBtnMainFormClose_Normal : nullptr,
                             res ? res->ImgBtnMainFormClose_Down : nullptr, nullptr);
    BtnHotSpot = MakeButton(this, 128, 25, 25, 25, res ? res->ImgBtnHotSpot_Normal : nullptr,
                            res ? res->ImgBtnHotSpot_Down : nullptr, res ? res->ImgBtnHotSpot_Disabled : nullptr);
    BtnWiFiDisplay = MakeButton(this, 153, 25, 25, 25, res ? res->ImgBtnWiFiDisplay_Normal : nullptr,
                                res ? res->ImgBtnWiFiDisplay_Down : nullptr, res ? res->ImgBtnWiFiDisplay_Disabled : nullptr);
    BtnExtendedAP = MakeButton(this, 180, 25, 25, 25, res ? res->ImgBtnExtendedAP_Normal : nullptr,
                               res ? res->ImgBtnExtendedAP_Down : nullptr, res ? res->ImgBtnExtendedAP_Disabled : nullptr);
    BtnWiFiDirect = MakeButton(this, 180, 25, 25, 25, res ? res->ImgBtnWiFiDirect_Normal : nullptr,
                               res ? res->ImgBtnWiFiDirect_Down : nullptr, res ? res->ImgBtnWiFiDirect_Disabled : nullptr);
    BtnSiteSurvey = MakeButton(this, 207, 25, 25, 25, res ? res->ImgBtnSiteSurvey_Normal : nullptr,
                               res ? res->ImgBtnSiteSurvey_Down : nullptr, res ? res->ImgBtnSiteSurvey_Disabled : nullptr);
    BtnLinkInfo = MakeButton(this, 233, 25, 25, 25, res ? res->ImgBtnLinkInfo_Normal : nullptr,
                             res ? res->ImgBtnLinkInfo_Down : nullptr, res ? res->ImgBtnLinkInfo_Disabled : nullptr);
    BtnProfile = MakeButton(this, 259, 25, 25, 25, res ? res->ImgBtnProfile_Normal : nullptr,
                            res ? res->ImgBtnProfile_Down : nullptr, res ? res->ImgBtnProfile_Disabled : nullptr);
    BtnAdvanced = MakeButton(this, 286, 25, 25, 25, res ? res->ImgBtnAdvanced_Normal : nullptr,
                             res ? res->ImgBtnAdvanced_Down : nullptr, res ? res->ImgBtnAdvanced_Disabled : nullptr);
    BtnAbout = MakeButton(this, 312, 25, 25, 25, res ? res->ImgBtnAbout_Normal : nullptr,
                          res ? res->ImgBtnAbout_Down : nullptr, res ? res->ImgBtnAbout_Disabled : nullptr);
    ImgRadioOff = MakeButton(this, 13, 65, 28, 27, res ? res->ImgMainFormRadioOff : nullptr, nullptr, nullptr);
    ImgRadioOn = new TImage({this, 13, 65, 30, 26});
    ImgRadioOn->SetVisible(false);
    ImgKeyDisabled = new TImage({this, 14, 96, 30, 26});
    ImgKeyEnable = new TImage({this, 13, 96, 30, 26});
    ImgLinkQualityDisconnected = new TImage({this, 14, 123, 30, 26});
    ImgLinkQualityDiabled = new TImage({this, 14, 123, 30, 26});
    ImgLinkQuality = new TImage({this, 14, 123, 30, 26});

    SysBtnHelp->OnClick = [this](TObject* s) { SysBtnHelpClick(s); };
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    BtnHotSpot->OnClick = [this](TObject* s) { BtnHotSpotClick(s); };
    BtnWiFiDisplay->OnClick = [this](TObject* s) { BtnWiFiDisplayClick(s); };
    BtnExtendedAP->OnClick = [this](TObject* s) { BtnExtendedAPClick(s); };
    BtnWiFiDirect->OnClick = [this](TObject* s) { BtnWiFiDirectClick(s); };
    BtnSiteSurvey->OnClick = [this](TObject* s) { BtnSiteSurveyClick(s); };
    BtnLinkInfo->OnClick = [this](TObject* s) { BtnLinkInfoClick(s); };
    BtnProfile->OnClick = [this](TObject* s) { BtnProfileClick(s); };
    BtnAdvanced->OnClick = [this](TObject* s) { BtnAdvancedClick(s); };
    BtnAbout->OnClick = [this](TObject* s) { BtnAboutClick(s); };
    ImgRadioOff->OnClick = [this](TObject* s) { ImgRadioOffClick(s); };
    ImgRadioOn->OnClick = [this](TObject* s) { ImgRadioOnClick(s); };
    for (TControl* c : {static_cast<TControl*>(ImgRadioOn), static_cast<TControl*>(ImgKeyDisabled),
                        static_cast<TControl*>(ImgKeyEnable), static_cast<TControl*>(ImgLinkQualityDisconnected),
                        static_cast<TControl*>(ImgLinkQualityDiabled), static_cast<TControl*>(ImgLinkQuality)})
        c->SetShowHint(true);

    lblSSIDText = new TLabel({.Parent = this, .Left = 70, .Top = 76, .Caption = UiText(&CUISTR::STR_SSID)});
    lblSSID = new TLabel({this, 133, 76, 256});
    lblSSID->SetEllipsisPosition(epEndEllipsis);
    lblTxRateText = new TLabel({.Parent = this, .Left = 70, .Top = 100, .Caption = UiText(&CUISTR::STR_TX_RATE)});
    lblTxRate = new TLabel({this, 132, 100, 93});
    lblChannelText = new TLabel({.Parent = this, .Left = 70, .Top = 124, .Caption = UiText(&CUISTR::STR_CHANNEL)});
    lblChannel = new TLabel({this, 132, 124, 93});
    lblIPAddressText = new TLabel({.Parent = this, .Left = 238, .Top = 100, .Caption = UiText(&CUISTR::STR_IP)});
    lblIPAddress = new TLabel({this, 304, 100, 88});
    lblIPMaskText = new TLabel({.Parent = this, .Left = 238, .Top = 124, .Caption = UiText(&CUISTR::STR_MASK)});
    lblIPMask = new TLabel({this, 304, 124, 88});
    for (TLabel* label : {lblSSIDText, lblSSID, lblTxRateText, lblTxRate, lblChannelText, lblChannel, lblIPAddressText,
                          lblIPAddress, lblIPMaskText, lblIPMask}) {
        label->Font().SetName("Tahoma");
        label->Font().SetSize(8);
        label->Font().SetColor(kLabelColor);
    }
    // The address and the mask are as wide as the longest dotted address and end at the
    // window's inner edge; their captions move left as far as the column's divider allows.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, lblIPAddress->Font().Handle());
    SIZE widest{};
    GetTextExtentPoint32A(dc, "255.255.255.255", 15, &widest);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    constexpr int kDivider = 234, kGap = 6;
    const int captionWidth = std::max(lblIPAddressText->Width(), lblIPMaskText->Width());
    const int valueLeft = std::max(ClientWidth() - 4 - int(widest.cx) - 2, kDivider + captionWidth + kGap);
    for (TLabel* caption : {lblIPAddressText, lblIPMaskText})
        caption->SetLeft(std::min(caption->Left(), valueLeft - kGap - captionWidth));
    for (TLabel* value : {lblIPAddress, lblIPMask})
        value->SetBounds(valueLeft, value->Top(), ClientWidth() - 4 - valueLeft, value->Height());

    TrayPopMenu = new TPopupMenu(this);
    ID_TRAY_LAUNCH = new TMenuItem(TrayPopMenu);
    N3 = new TMenuItem(TrayPopMenu);
    N3->SetCaption("-");
    ID_TRAY_EXIT = new TMenuItem(TrayPopMenu);
    ID_TRAY_LAUNCH->OnClick = [this](TObject* s) { OnTrayLaunch(s); };
    ID_TRAY_EXIT->OnClick = [this](TObject* s) { OnTrayExit(s); };
    TrayPopMenu->Items()->Add(ID_TRAY_LAUNCH);
    TrayPopMenu->Items()->Add(N3);
    TrayPopMenu->Items()->Add(ID_TRAY_EXIT);

    TimerRadioStatus = MakeTimer(this, 1000, &TFormMain::TimerRadioStatusTimer);
    TimerSignalQuality = MakeTimer(this, 1000, &TFormMain::TimerSignalQualityTimer);
    TimerReconnect = MakeTimer(this, 4000, &TFormMain::TimerReconnectTimer);
    TimerRescan = MakeTimer(this, 12000, &TFormMain::TimerRescanTimer);
    TimerScanTable = MakeTimer(this, 4000, &TFormMain::TimerScanTableTimer);
    TimerSessionID = MakeTimer(this, 2000, &TFormMain::TimerSessionIDTimer);
    TimerCheckIniDebugMode = MakeTimer(this, 8000, &TFormMain::TimerCheckIniDebugModeTimer);
    TimerCheckWPACap = MakeTimer(this, 1000, &TFormMain::TimerCheckWPACapTimer);
    TimerGetTScanTblUSB11 = MakeTimer(this, 1000, &TFormMain::TimerGetTScanTblUSB11Timer);
    TimerCheckWiFiDirect = MakeTimer(this, 1000, &TFormMain::TimerShoworHideWiFiDirectLabelTimer);
    WiFiDirectWakeUpControlTimer = MakeTimer(this, 5000, &TFormMain::TimerWiFiDirectWakeUpControlTimer);
    TimerRetryOn = new TTimer(this);

    if (Application)
        Application->OnMinimize = [this](TObject* s) { OnAppMinimize(s); };

    if (res) {
        const CUISTR& s = *res->UI_Str;
        ID_TRAY_LAUNCH->SetCaption(s.STR_TRAY_LAUNCH);
        ID_TRAY_EXIT->SetCaption(s.STR_TRAY_EXIT);
        m_strWirelessMode = s.STR_24GHZ;
    }

    m_pProfData = new WLANPROFILE{};
    g_pRegProfData = new WLANPROFILE{};
    m_pActionDataList = new TActionQueue;

    ImgKeyEnable->SetVisible(false);
    ImgLinkQuality->SetVisible(false);
    ImgLinkQualityDiabled->SetVisible(false);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
}

TFormMain::~TFormMain()
{
    if (DockingAnchor == this)
        DockingAnchor = nullptr;
    StopTimers();
    DeleteTrayIcon();
    delete m_pActionDataList;
    m_pActionDataList = nullptr;
    delete m_pProfData;
    m_pProfData = nullptr;
    delete g_pRegProfData;
    g_pRegProfData = nullptr;
    if (FormWiFiDirect)
        FormWiFiDirect->m_bSubFormsDestroyed = 1;
    if (FormMain == this)
        FormMain = nullptr;
}

void TFormMain::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TFormMain::FormCreate()\n");
    TFormBase::FormCreate(Sender);
    Handle();  // made now, shaped and placed: library callbacks post to it from their own threads

    if (!DoRegisterDeviceInterfaceToHwnd(kNdisLanClass, Handle(), &m_hDevNotify))
        PrintMessage(6, " --> TFormMain::FormCreate() DoRegisterDeviceInterfaceToHwnd Failure\n");

    if (FormResource) {
        SetCaption(FormResource->UI_Str->STR_TARNWELL_CONFIG_TITLE);
        lblCaptionText->SetCaption(FormResource->UI_Str->STR_TARNWELL_MAINPAGE_TITLE);
    }
    VOZEZIV.WVWL_Initial("Ostrel", Handle());
    std::memset(g_szPacPath, 0, sizeof g_szPacPath);
    std::memset(g_szPacAid, 0, sizeof g_szPacAid);

    OnDeviceChange(nullptr);

    const int os = VOZEZIV.nWinOS;
    if (os >= 51) {
        WLAN_ADAPTER adapter{};
        std::strncpy(adapter.HardwareID, "{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP_WFD", sizeof adapter.HardwareID - 1);
        VOZEZIV.WVWL_DevEnable(&adapter, 1);
    }
    if (os >= 41 && VOZEZIV.WVWL_IsHostedNetworkAvailable() == 0)
        VOZEZIV.WVWL_SetAllowOrDisallowHostedNetwork(1);
    if (os >= 21 && os <= 30) {
        if (HMODULE wts = LoadLibraryA("wtsapi32.dll")) {
            using Register = BOOL(WINAPI*)(HWND, DWORD);
            if (auto reg = reinterpret_cast<Register>(reinterpret_cast<void*>(GetProcAddress(wts, "WTSRegisterSessionNotification"))))
                reg(Handle(), NOTIFY_FOR_THIS_SESSION);
            FreeLibrary(wts);
        }
    }

    SetTrayIcon();

    if (os >= 21) {
        m_hKernel32 = LoadLibraryA("Kernel32.dll");
        if (m_hKernel32)
            m_pfnGetActiveConsoleSessionId = reinterpret_cast<DWORD(WINAPI*)()>(
                reinterpret_cast<void*>(GetProcAddress(m_hKernel32, "WTSGetActiveConsoleSessionId")));
        if (m_pfnGetActiveConsoleSessionId) {
            m_dwOwnSessionId = m_pfnGetActiveConsoleSessionId();
            m_dwLastSessionId = m_pfnGetActiveConsoleSessionId();
        }
        TimerSessionID->SetInterval(2000);
        TimerSessionID->SetEnabled(true);
    }
    ShoworHideSTAButton();
    TimerCheckIniDebugMode->SetInterval(8000);
    TimerCheckIniDebugMode->SetEnabled(true);
    PrintMessage(6, " <-- TFormMain::FormCreate\n");
}

void TFormMain::FormShow(TObject*)
{
    PrintMessage(6, " TFormMain::FormShow\n");
    TFormResource* res = FormResource;
    if (res) {
        SysBtnClose->SetPicture(res->ImgBtnMainFormClose_Normal->Picture());
        SysBtnHelp->SetPicture(res->ImgBtnMainFormHelp_Normal->Picture());
        ImgPartition->SetPicture(res->ImgMainFormPartition->Picture());
        BtnLinkInfo->SetPicture(res->ImgBtnLinkInfo_Normal->Picture());
        BtnWiFiDirect->SetPicture(res->ImgBtnWiFiDirect_Normal->Picture());
        BtnSiteSurvey->SetPicture(res->ImgBtnSiteSurvey_Normal->Picture());
        BtnAbout->SetPicture(res->ImgBtnAbout_Normal->Picture());
        BtnExtendedAP->SetPicture(res->ImgBtnExtendedAP_Normal->Picture());
        BtnHotSpot->SetPicture(res->ImgBtnHotSpot_Normal->Picture());
        ImgRadioOff->SetPicture(res->ImgMainFormRadioOff->Picture());
        ImgRadioOn->SetPicture(res->ImgMainFormRadioOn->Picture());
        ImgLinkQuality->SetPicture(res->ImgMainFormLinkQuality->Picture());
        ImgLinkQualityDiabled->SetPicture(res->ImgMainFormLinkQualityDisabled->Picture());
        ImgLinkQualityDisconnected->SetPicture(res->ImgMainFormLinkQualityDisconnected->Picture());
        ImgKeyEnable->SetPicture(res->ImgMainFormKeyEnabled->Picture());
        ImgKeyDisabled->SetPicture(res->ImgMainFormKeyDisabled->Picture());

        const CUISTR& s = *res->UI_Str;
        ImgRadioOff->SetHint(s.STR_RADIOON);
        ImgRadioOn->SetHint(s.STR_RADIOOFF);
        ImgLinkQuality->SetHint("");
        ImgLinkQualityDiabled->SetHint("");
        ImgLinkQualityDisconnected->SetHint("");
        ImgKeyEnable->SetHint(s.STR_NODECRYPTION);
        ImgKeyDisabled->SetHint(s.STR_DECRYPTION);
        SysBtnClose->SetHint(s.STR_BtnHintClose);
        SysBtnHelp->SetHint(s.STR_BtnHintHelp);
        BtnLinkInfo->SetHint(s.STR_BtnHintLinkInfo);
        BtnProfile->SetHint(s.STR_BtnHintProfile);
        BtnWiFiDirect->SetHint(s.STR_BtnHintWiFiDirect);
        BtnSiteSurvey->SetHint(s.STR_BtnHintSiteSurvey);
        BtnAdvanced->SetHint(s.STR_BtnHintAdvanced);
        BtnAbout->SetHint(s.STR_BtnHintAbout);
        BtnExtendedAP->SetHint(s.STR_BtnHintExtendedAP);
        BtnWiFiDisplay->SetHint(s.STR_WDP_WIFI_DISPLAY);

        struct MenuRow {
            const char* key;
            TControl* control;
            TImage* position;
        };
        const MenuRow rows[] = {
            {"LinkInfo", BtnLinkInfo, res->ImgBtnLinkInfo_Normal},
            {"Profile", BtnProfile, res->ImgBtnProfile_Normal},
            {"SiteSurvey", BtnSiteSurvey, res->ImgBtnSiteSurvey_Normal},
            {"Advanced", BtnAdvanced, res->ImgBtnAdvanced_Normal},
            {"About", BtnAbout, res->ImgBtnAbout_Normal},
            {"WiFiDirect", BtnWiFiDirect, res->ImgBtnWiFiDirect_Normal},
            {"ExtendedAP", BtnExtendedAP, res->ImgBtnExtendedAP_Normal},
            {"Partition", ImgPartition, res->ImgMainFormPartition},
            {"Help", SysBtnHelp, res->ImgBtnMainFormHelp_Normal},
            {"Close", SysBtnClose, res->ImgBtnMainFormClose_Normal},
        };
        for (const MenuRow& row : rows) {
            bool visible = ReadINIBool("MainMenu", row.key, 1, "ini");
            if (row.control == SysBtnHelp && FindHelpFile().empty())
                visible = false;
            SetImagePosition(row.control, row.position->Left(), row.position->Top(), visible);
        }
    }

    if (FormLinkInfo) {
        FormLinkInfo->TimerLinkInfo->SetInterval(2000);
        FormLinkInfo->TimerLinkInfo->SetEnabled(true);
    }
    ShoworHideSTAButton();
    TimerCheckWiFiDirect->SetEnabled(true);

    if (VOZEZIV.bSupportWiFiDirect != 1 || m_bHideWiFiDirect) {
        BtnWiFiDirect->SetVisible(false);
        BtnWiFiDisplay->SetVisible(false);
    } else {
        int wirelessMode = 0;
        int queried = VOZEZIV.WVWL_QueryWirelessMode(&wirelessMode);
        PrintMessage(6, " TFormMain::FormShow WVWL_QueryWirelessMode return %d, mode %d\n", queried, wirelessMode);
        DWORD code = WirelessModeFromBand(m_strWirelessMode);
        int bg = 0, a = 0, b = 0;
        VOZEZIV.WVWL_QueryCountryRegion(&bg, &a, &b);
        bg &= 0x7F;
        if (code == 2 || code == 8 || bg == 4) {
            BtnWiFiDirect->SetVisible(false);
            BtnWiFiDisplay->SetVisible(false);
            int flag = 0;
            VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
            if (flag == 1 && FormWiFiDirect) {
                PrintMessage(6, " FormWiFiDirect::FormCreate ---> EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE)!!\n");
                FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE);
            }
        } else {
            BtnWiFiDirect->SetVisible(true);
            BtnWiFiDisplay->SetVisible(true);
            int mode = VOZEZIV.WVWL_QueryOPMode();
            int hw = 1, sw = 1;
            VOZEZIV.WVWL_QueryHWAndSWRadioState(&hw, &sw);
            bool radioOn = hw && sw;
            bool enable = radioOn && (mode == OP_MODE_STATION || mode == OP_MODE_STA_WIFI_DIRECT);
            BtnWiFiDirect->SetEnabled(enable);
            PrintMessage(6, enable ? " TFormMain::FormShow BtnWiFiDirect enabled\n" : " TFormMain::FormShow BtnWiFiDirect disabled\n");
        }
    }

    if (!VOZEZIV.WVWL_IsSupportWiFiDisplay || VOZEZIV.WVWL_IsSupportWiFiDisplay() == 0 || !VOZEZIV.bSupportWiFiDisplay) {
        BtnWiFiDisplay->SetVisible(false);
        BtnHotSpot->SetLeft(BtnWiFiDisplay->Left());
    }

    bool hotspot = FileExists(ProgramFolder() + "HS20.dll") && VOZEZIV.nWinOS >= 41 &&
                   ReadINIInt("Settings", "Hotspot20", 1, "ini") != 0;
    if (hotspot) {
        std::vector<BYTE> buffer(36322);
        unsigned long written = 0;
        hotspot = VOZEZIV.WVWL_OIDQueryInfo(0xFF710703, buffer.data(), 36322, &written) != 0;
    }
    if (!hotspot)
        BtnHotSpot->SetVisible(false);
}

void TFormMain::FormDestroy(TObject*)
{
    PrintMessage(6, " TFormMain::FormDestroy\n");
    StopTimers();
    if (m_hInitWiFiDirectThread) {
        WaitForSingleObject(m_hInitWiFiDirectThread, 5000);
        CloseHandle(m_hInitWiFiDirectThread);
        m_hInitWiFiDirectThread = nullptr;
    }
    int flag = 0;
    VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    bool haveOpMode = VOZEZIV.WVWL_QueryOPMode != nullptr;
    if (flag && haveOpMode && VOZEZIV.WVWL_QueryOPMode() == OP_MODE_STA_WIFI_DIRECT) {
        PrintMessage(6, " TFormMain::FormDestroy ---> WVWL_DisableDhcpServer\n");
        if (VOZEZIV.WVWL_DisableDhcpServer)
            VOZEZIV.WVWL_DisableDhcpServer();
    }
    VOZEZIV.WVWL_DisableWifiDirect();
    if (haveOpMode && VOZEZIV.WVWL_QueryOPMode() == OP_MODE_STA_WIFI_DIRECT)
        VOZEZIV.WVWL_StopWifiDirectGO();
    DeleteTrayIcon();
    if (VOZEZIV.nWinOS >= 31)
        TimerSessionID->SetEnabled(false);
    if (haveOpMode && VOZEZIV.WVWL_QueryOPMode() == OP_MODE_STATION)
        VOZEZIV.WVWL_BackupStationSetting();
    const bool haveWinOS = VOZEZIV.WVWL_GetWinOS != nullptr;
    if (haveWinOS && VOZEZIV.nWinOS < 31 && VOZEZIV.WVWL_Release)
        VOZEZIV.WVWL_Release();
    StopWiFiDisplayEventThread();
    CreateEventAndStartThread(1);
    if (VOZEZIV.WVWL_DeInitial) {
        PrintMessage(6, " TFormMain::FormDestroy ---> WVWL_DeInitial\n");
        VOZEZIV.WVWL_DeInitial();
        CloseRetiredStatusEvents();
    }
    if (m_hDevNotify && !UnregisterDeviceNotification(m_hDevNotify))
        PrintMessage(6, " TFormMain::FormDestroy ---> UnregisterDeviceNotification\n");
    m_hDevNotify = nullptr;
    if (haveWinOS && VOZEZIV.nWinOS >= 21 && VOZEZIV.nWinOS <= 30) {
        if (HMODULE wts = LoadLibraryA("wtsapi32.dll")) {
            using Unregister = BOOL(WINAPI*)(HWND);
            if (auto unreg = reinterpret_cast<Unregister>(reinterpret_cast<void*>(GetProcAddress(wts, "WTSUnRegisterSessionNotification"))))
                unreg(Handle());
            FreeLibrary(wts);
        }
    }
}

void TFormMain::SysBtnCloseClick(TObject* Sender)
{
    TimerCheckWiFiDirect->SetEnabled(false);
    if (FormLinkInfo)
        FormLinkInfo->SysBtnCloseClick(Sender);
    if (FormProfile)
        FormProfile->SysBtnCloseClick(Sender);
    if (FormProfileEdit)
        FormProfileEdit->SysBtnCloseClick(Sender);
    if (FormSiteSurvey)
        FormSiteSurvey->SysBtnCloseClick(Sender);
    if (FormWiFiDirect)
        FormWiFiDirect->SysBtnCloseClick(Sender);
    if (FormAdvanced)
        FormAdvanced->SysBtnCloseClick(Sender);
    if (FormAbout)
        FormAbout->SysBtnCloseClick(Sender);
    if (FormExtendedAP)
        FormExtendedAP->SysBtnCloseClick(Sender);
    if (FormWiFiDisplay)
        FormWiFiDisplay->SysBtnCloseClick(Sender);
    if (FormHotSpot)
        FormHotSpot->SysBtnCloseClick(Sender);
    if (FormWFADispDevDetailInfo)
        FormWFADispDevDetailInfo->SysBtnCloseClick(Sender);

    Hide();
    if (Application)
        ShowWindow(Application->Handle(), SW_HIDE);
    PrintMessage(6, " m_bMinimizeToTray =  %d\n", m_bMinimizeToTray);
    if (m_bMinimizeToTray) {
        if (Application) {
            ShowWindow(Application->Handle(), SW_HIDE);
            Application->ShowMainForm = false;
        }
        Hide();
    } else if (Application) {
        Application->Minimize();
    }
}

void TFormMain::SysBtnHelpClick(TObject*)
{
    std::string name = ReadINIStr("Settings", "HelpFile", "TARNWELL WLAN Utility Help", "ini");
    if (FindWindowA(nullptr, name.c_str()) || FindWindowA(nullptr, "HTML Help"))
        return;
    std::string path = FindHelpFile();
    if (path.empty()) {
        PrintMessage(2, " Can't find the help file\n");
        return;
    }
    ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TFormMain::PlaceFirst()
{
    // Room on the left for the windows that open there (400 wide), otherwise centred; low
    // enough that the windows opening below have room too.
    constexpr int kNeighbourWidth = 400, kBelowHeight = 420;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int freeWidth = int(work.right - work.left) - Width();
    const int left = work.left + std::max(0, std::min(freeWidth, std::max(kNeighbourWidth, freeWidth / 2)));
    const int top = work.top + std::max(0, (int(work.bottom - work.top) - Height() - kBelowHeight) / 2);
    SetBounds(left, top, Width(), Height());
}

void TFormMain::PlaceBelow(TForm* form)
{
    if (!form)
        return;
    mainwin::PlaceBelow(form);
    form->Show();
}

void TFormMain::BtnProfileClick(TObject*) { PlaceBelow(FormProfile); }
void TFormMain::BtnLinkInfoClick(TObject*) { PlaceBelow(FormLinkInfo); }
void TFormMain::BtnExtendedAPClick(TObject*) { PlaceBelow(FormExtendedAP); }

void TFormMain::BtnSiteSurveyClick(TObject*)
{
    if (!FormSiteSurvey)
        return;
    mainwin::PlaceRightOf(FormSiteSurvey);
    FormSiteSurvey->Show();
}

void TFormMain::BtnAdvancedClick(TObject*)
{
    if (!FormAdvanced)
        return;
    mainwin::PlaceLeftOf(FormAdvanced);
    FormAdvanced->Show();
}

void TFormMain::BtnAboutClick(TObject*)
{
    if (!FormAbout)
        return;
    if (VOZEZIV.bWiFiDirectStandAlone && FormWiFiDirect) {
        FormAbout->SetTop(FormWiFiDirect->Top());
        FormAbout->SetLeft(FormWiFiDirect->Left() + FormWiFiDirect->Width());
        FormAbout->Show();
        return;
    }
    PlaceBelow(FormAbout);
}

void TFormMain::BtnWiFiDirectClick(TObject*)
{
    if (FormWiFiDirect) {
        if (!VOZEZIV.bWiFiDirectStandAlone)
            mainwin::PlaceLeftOf(FormWiFiDirect);
        FormWiFiDirect->Show();
    }
    if (!VOZEZIV.WVWL_ReadWDPUIConfig || !VOZEZIV.WVWL_WriteWDPUIConfig) {
        PrintMessage(2, "---> [WDP]!! WVWL_ReadWDPUIConfig or WVWL_WriteWDPUIConfig =NULL");
        return;
    }
    unsigned long show = 1;
    int result = VOZEZIV.WVWL_ReadWDPUIConfig(&show);
    if (result == -5) {
        PrintMessage(6, "---> [WDP]!! not in registery, write to registery");
        unsigned long one = 1;
        VOZEZIV.WVWL_WriteWDPUIConfig(&one);
    } else {
        PrintMessage(6, "---> [WDP] WVWL_ReadWDPUIConfig return %d, show = %d\n", result, int(show));
    }
    if (BtnWiFiDisplay->Visible() && show && WiFiDisplayWaning && FormWiFiDirect) {
        // Over the Wi-Fi Direct window, right edges aligned: a wider reminder grows away
        // from the main window instead of covering it.
        WiFiDisplayWaning->SetTop(FormWiFiDirect->Top());
        WiFiDisplayWaning->SetLeft(FormWiFiDirect->Left() + FormWiFiDirect->Width() - WiFiDisplayWaning->Width());
        WiFiDisplayWaning->Show();
    }
}

void TFormMain::BtnHotSpotClick(TObject*)
{
    if (!FormHotSpot)
        return;
    mainwin::PlaceLeftOf(FormHotSpot);
    FormHotSpot->Show();
}

void TFormMain::BtnWiFiDisplayClick(TObject*)
{
    if (!FormWiFiDisplay)
        return;
    FormWiFiDisplay->SetTop(Top());
    int width = 400;
    if (FormWiFiDirect) {
        if (FormWiFiDirect->Width() != 400)
            FormWiFiDirect->SetWidth(400);
        width = FormWiFiDirect->Width();
    }
    FormWiFiDisplay->SetLeft(Left() - width);
    FormWiFiDisplay->Show();
}

void TFormMain::ImgBackgroundMouseDown(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button != mbLeft && !(Shift & ssLeft))
        return;
    m_nDragTop = Top();
    m_nDragLeft = Left();
    m_nDragX = X;
    m_nDragY = Y;
}

void TFormMain::ImgBackgroundMouseMove(TObject*, TShiftState Shift, int X, int Y)
{
    if (!m_bMovedOnce) {
        m_bMovedOnce = true;
        m_nLastMoveX = m_nDragX;
        m_nLastMoveY = m_nDragY;
    }
    if (Shift & ssLeft) {
        const int dx = X != m_nLastMoveX ? X - m_nDragX : 0;
        const int dy = Y != m_nLastMoveY ? Y - m_nDragY : 0;
        TForm* windows[] = {FormLinkInfo, FormProfile, FormSiteSurvey, FormAbout, FormAdvanced, FormWiFiDirect,
                            FormExtendedAP, FormWiFiDirectSetting, FormWiFiDirectProfile, FormWiFiDisplay,
                            FormWiFiDirectMediaSharing, FormHotSpot};
        const int height = Height(), width = Width();
        for (TForm* w : windows) {
            if (!w || !IsDockedTo(w, m_nDragTop, m_nDragLeft, height, width))
                continue;
            w->SetBounds(w->Left() + dx, w->Top() + dy, w->Width(), w->Height());
        }
        SetBounds(Left() + dx, Top() + dy, width, height);
        m_nDragLeft = Left();
        m_nDragTop = Top();
    }
    m_nLastMoveX = X;
    m_nLastMoveY = Y;
}

bool TFormMain::IsDockedTo(TForm* child, int mainTop, int mainLeft, int mainHeight, int mainWidth)
{
    return child && IsDockedRect(child->Top(), child->Left(), child->Height(), child->Width(), mainTop, mainLeft,
                                 mainHeight, mainWidth);
}

void TFormMain::ShoworHideSTAButton(const WLAN_STATUS* linkStatus)
{
    PrintMessage(6, " --> TFormMain::ShoworHideSTAButton\n");
    const bool restricted = VOZEZIV.WVWL_IsZeroConfig() == 2 && VOZEZIV.nWinOS < 31;
    int isAdmin = -1;  // asked of the library once, when first needed
    auto admin = [&isAdmin] {
        if (isAdmin < 0)
            isAdmin = VOZEZIV.WVWL_DetectUserAdmin() != 0 ? 1 : 0;
        return isAdmin == 1;
    };
    auto setEnabled = [](TControl* c, bool on) {
        if (c && c->Enabled() != on)
            c->SetEnabled(on);
    };

    setEnabled(BtnProfile, !restricted);
    setEnabled(BtnAdvanced, !restricted && admin());

    WLAN_STATUS status{};
    if (linkStatus) {
        status = *linkStatus;
    } else {
        WLAN_STATUS_QUERY query{};
        query.flag[1] = 1;
        VOZEZIV.WVWL_QueryWLANStatus(&status, query);
    }

    if (FormProfile)
        setEnabled(FormProfile->BtnProfileWPS, !restricted && admin());
    if (FormAdvanced) {
        if (restricted || !admin()) {
            setEnabled(FormAdvanced->TabBtnWMM, true);
        } else if (status.status != WvStatus_Connected) {
            setEnabled(FormAdvanced->TabBtnWMM, true);
        } else if (status.networkType == 0) {
            setEnabled(FormAdvanced->TabBtnWMM, false);
        } else if (status.networkType == 1) {
            setEnabled(FormAdvanced->TabBtnWMM, true);
        }
        setEnabled(FormAdvanced->TabBtnCCX, !restricted && admin());
    }
    const bool showAP = VOZEZIV.nWinOS >= 41 && !m_bHideAPButton && admin();
    if (BtnExtendedAP->Visible() != showAP) {
        BtnExtendedAP->SetVisible(showAP);
    }
    if (!showAP && VOZEZIV.nWinOS >= 41 && FormExtendedAP && FormExtendedAP->Visible())
        FormExtendedAP->SysBtnCloseClick(this);
    PrintMessage(6, " <-- TFormMain::ShoworHideSTAButton\n");
}
