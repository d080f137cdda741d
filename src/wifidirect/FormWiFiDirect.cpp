#include "wifidirect/FormWiFiDirect.h"

#include <process.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "dialogs/FormMessageBox.h"
#include "dialogs/FormProgressMsg.h"
#include "core/Helpers.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "mainwindow/MainWindowServices.h"
#include "resources/FormResource.h"
#include "resources/UiStr.h"
#include "ui/IniFiles.h"
#include "wifidisplay/FormWiFiDisplay.h"
#include "wifidirect/WiFiDirectText.h"
#include "wlapi/result.h"

TFormWiFiDirect* FormWiFiDirect = nullptr;

namespace {

const CUISTR* Strings()
{
    return FormResource ? FormResource->UI_Str.get() : nullptr;
}


TLabel* MakeLabel(TWinControl* parent, int left, int top, int width)
{
    auto* label = new TLabel(parent);
    label->SetParent(parent);
    label->SetBounds(left, top, width, 16);
    return label;
}

TImage* MakeImage(TWinControl* parent, int left, int top, int width, int height)
{
    auto* image = new TImage(parent);
    image->SetParent(parent);
    image->SetBounds(left, top, width, height);
    return image;
}

TTimer* MakeTimer(TComponent* owner, unsigned interval, TNotifyEvent onTimer)
{
    auto* timer = new TTimer(owner);
    timer->SetInterval(interval);
    timer->OnTimer = std::move(onTimer);
    return timer;
}

void CloseIfVisible(TForm* form)
{
    if (form && form->Visible())
        form->Close();
}

const char* EventName(uint8_t code)
{
    switch (code) {
    case WIFIDIRECTEVENT_DISCOVERY_START: return "WIFIDIRECTEVENT_DISCOVERY_START";
    case WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY: return "WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY";
    case WIFIDIRECTEVENT_STATUS_GO_NEGO_DONE: return "WIFIDIRECTEVENT_STATUS_GO_NEGO_DONE";
    case WIFIDIRECTEVENT_STATUS_WPS_FAIL: return "WIFIDIRECTEVENT_STATUS_WPS_FAIL";
    case WIFIDIRECTEVENT_STATUS_WPS_DONE: return "WIFIDIRECTEVENT_STATUS_WPS_DONE";
    case WIFIDIRECTEVENT_STATUS_GROUP_UPDATE: return "WIFIDIRECTEVENT_STATUS_GROUP_UPDATE";
    case WIFIDIRECTEVENT_GEN_SEUDO_ADHOC_PROFILE: return "WIFIDIRECTEVENT_GEN_SEUDO_ADHOC_PROFILE";
    case WIFIDIRECTEVENT_ENABLE_DHCP_SERVER: return "WIFIDIRECTEVENT_ENABLE_DHCP_SERVER";
    case WIFIDIRECTEVENT_DISABLE_DHCP_SERVER: return "WIFIDIRECTEVENT_DISABLE_DHCP_SERVER";
    case WIFIDIRECTEVENT_DISCONNECT: return "WIFIDIRECTEVENT_DISCONNECT";
    case WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS: return "WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS";
    case WIFIDIRECTEVENT_PERSISTENT_CONNT_FAIL: return "WIFIDIRECTEVENT_PERSISTENT_CONNT_FAIL";
    case WIFIDIRECTEVENT_DISPLAY_PIN: return "WIFIDIRECTEVENT_DISPLAY_PIN";
    case WIFIDIRECTEVENT_SWITCH_OPMODE_CONCURRENT: return "WIFIDIRECTEVENT_SWITCH_OPMODE_CONCURRENT";
    case WIFIDIRECTEVENT_SWITCH_OPMODE_STA: return "WIFIDIRECTEVENT_SWITCH_OPMODE_STA";
    case WIFIDIRECTEVENT_NO_CROSSCONNECTION: return "WIFIDIRECTEVENT_NO_CROSSCONNECTION";
    case WIFIDIRECTEVENT_SUPPORT_CROSSCONNECTION: return "WIFIDIRECTEVENT_SUPPORT_CROSSCONNECTION";
    case WIFIDIRECTEVENT_SIGMA_IS_ON: return "WIFIDIRECTEVENT_SIGMA_IS_ON";
    case WIFIDIRECTEVENT_ERROR_CODE: return "WIFIDIRECTEVENT_ERROR_CODE";
    case WIFIDIRECTEVENT_CONNECT_COMPLETE: return "WIFIDIRECTEVENT_CONNECT_COMPLETE";
    case WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS_FOR_AUTOGO: return "WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS_FOR_AUTOGO";
    case WIFIDIRECTEVENT_CONFIRM_ENTER_PIN_FORM_WPS_M2: return "WIFIDIRECTEVENT_CONFIRM_ENTER_PIN_FORM_WPS_M2";
    case WIFIDIRECTEVENT_CANCEL_PROGRESS: return "WIFIDIRECTEVENT_CANCEL_PROGRESS";
    case WIFIDIRECTEVENT_DISCONNECT_MANUAL: return "WIFIDIRECTEVENT_DISCONNECT_MANUAL";
    default: return nullptr;
    }
}

void StartDhcpServerThread()
{
    _beginthread(EnableDHCPThread, 0, nullptr);
}

void DisableDhcpAndSharing()
{
    VOZEZIV.WVWL_DisableDhcpServer();
    if (VOZEZIV.WVWL_IsEnableICS())
        VOZEZIV.WVWL_DisableICS();
}

}  // namespace

TFormWiFiDirect::TFormWiFiDirect(TComponent* owner) : TFormBase(owner)
{
    Name = "FormWiFiDirect";
    SetClientSize(400, 380);
    m_dwWindowThread = GetCurrentThreadId();
    InitializeCriticalSection(&m_csOwnDevice);
    TFormResource* res = FormResource;

    SysBtnClose = MakePushButton(this, 375, 8, 15, 15, res ? res->ImgBtnWiFiDirectFormClose_Normal : nullptr,
                                 res ? res->ImgBtnWiFiDirectFormClose_Down : nullptr, nullptr);
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    ImgWiFiDirectOff = MakeImage(this, 20, 200, 64, 64);
    ImgWiFiDirectOff->OnDblClick = [this](TObject* s) { ImgWiFiDirectOffDblClick(s); };
    ImgWiFiDirectOn = MakeImage(this, 20, 200, 64, 64);
    ImgWiFiDirectOn->OnDblClick = [this](TObject* s) { ImgWiFiDirectOnDblClick(s); };
    ImgWiFiDirectOn->OnClick = [this](TObject* s) { ImgWiFiDirectOnClick(s); };
    ImgWiFiDirectOn->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState shift, int x, int y) {
        ImgWiFiDirectOnMouseDown(s, b, shift, x, y);
    };
    lblHintToEnable = MakeLabel(this, 92, 212, 290);
    lblHintToEnable->SetHeight(40);

    ImgDevice0 = MakeImage(this, 33, 78, 53, 53);
    ImgDevice1 = MakeImage(this, 106, 92, 53, 53);
    ImgDevice2 = MakeImage(this, 179, 114, 53, 53);
    ImgDevice2_0 = MakeImage(this, 288, 57, 50, 50);
    ImgDevice2_1 = MakeImage(this, 306, 132, 50, 50);
    ImgDevice3 = MakeImage(this, 216, 179, 53, 53);
    ImgDevice4 = MakeImage(this, 231, 248, 53, 53);
    MakeSlotDecorations();
    BtnRotationClockwise = MakePushButton(this, 300, 40, 24, 24, res ? res->ImgBtnRotationClockwise_Normal : nullptr,
                                          res ? res->ImgBtnRotationClockwise_Down : nullptr, nullptr);
    BtnRotationCounter = MakePushButton(this, 76, 40, 24, 24, res ? res->ImgBtnRotationCounterwise_Normal : nullptr,
                                        res ? res->ImgBtnRotationCounterwise_Down : nullptr, nullptr);
    BtnRotationClockwise_sub =
        MakePushButton(this, 350, 120, 24, 24, res ? res->ImgBtnRotationClockwise_Normal : nullptr,
                       res ? res->ImgBtnRotationClockwise_Down : nullptr, nullptr);
    BtnRotationCounter_sub =
        MakePushButton(this, 350, 280, 24, 24, res ? res->ImgBtnRotationCounterwise_Normal : nullptr,
                       res ? res->ImgBtnRotationCounterwise_Down : nullptr, nullptr);

    BtnRotationClockwise->OnClick = [this](TObject* s) { BtnRotationClockwiseClick(s); };
    BtnRotationCounter->OnClick = [this](TObject* s) { BtnRotationCounterClick(s); };
    BtnRotationClockwise_sub->OnClick = [this](TObject* s) { BtnRotationClockwise_subClick(s); };
    BtnRotationCounter_sub->OnClick = [this](TObject* s) { BtnRotationCounter_subClick(s); };

    grpBoxDeivceInfo = new TGroupBox(this);
    grpBoxDeivceInfo->SetParent(this);
    grpBoxDeivceInfo->SetBounds(10, 315, 380, 60);
    lblSSIDText = MakeLabel(grpBoxDeivceInfo, 10, 14, 80);
    lblSSID = MakeLabel(grpBoxDeivceInfo, 90, 14, 280);  // a whole row for an SSID of 32 characters
    lblMACAddressText = MakeLabel(grpBoxDeivceInfo, 10, 28, 80);
    lblMACAddress = MakeLabel(grpBoxDeivceInfo, 90, 28, 140);
    lblPresharedKeyText = MakeLabel(grpBoxDeivceInfo, 10, 42, 80);
    lblPreSharedKey = MakeLabel(grpBoxDeivceInfo, 90, 42, 140);
    lblDeviceNum = MakeLabel(grpBoxDeivceInfo, 235, 28, 140);
    BtnWPSConnect = MakePushButton(this, 330, 290, 24, 24, res ? res->ImgBtnWPSConnect_Normal : nullptr,
                                   res ? res->ImgBtnWPSConnect_Down : nullptr,
                                   res ? res->ImgBtnWPSConnect_Disabled : nullptr);
    BtnSetGOKey = MakePushButton(this, 360, 290, 24, 24, res ? res->ImgBtnKey_Normal : nullptr,
                                 res ? res->ImgBtnKey_Down : nullptr, res ? res->ImgBtnKey_Disabled : nullptr);

    TimerPopMsg = MakeTimer(this, 1000, [this](TObject* s) { TimerPopMsgTimer(s); });
    TimerShowProgressBar = MakeTimer(this, 1000, [this](TObject* s) { TimerShowProgressBarTimer(s); });
    TimerCheckConnectStatus = MakeTimer(this, 1000, [this](TObject* s) { TimerCheckConnectStatusTimer(s); });
    TimerDisableScan = MakeTimer(this, 5000, [this](TObject* s) { TimerDisableScanTimer(s); });
    BtnWPSConnect->OnClick = [this](TObject* s) { BtnWPSConnectClick(s); };
    BtnSetGOKey->OnClick = [this](TObject* s) { BtnSetGOKeyClick(s); };
    MyPopupMenu = new TPopupMenu(this);
    DevicePopupMenu = new TPopupMenu(this);
    DisconnectPopupMenu = new TPopupMenu(this);
    EmptyPopupMenu = new TPopupMenu(this);
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFormWiFiDirect::FormCreate(TObject* Sender)
{
    PrintMessage(5, " --> TFormWiFiDirect::FormCreate\n");
    if (VOZEZIV.bWiFiDirectStandAlone)
        SetPosition(poScreenCenter);
    if (FormResource && FormResource->ImgWiFiDirectFormBG)
        ImgBackground->SetPicture(FormResource->ImgWiFiDirectFormBG->Picture());
    TFormBase::FormCreate(Sender);
    ArrangeResource();
    if (const CUISTR* s = Strings()) {
        SysBtnClose->SetHint(s->STR_BtnHintClose);
        SetCaption(s->STR_BtnHintWiFiDirect);
        lblCaptionText->SetCaption(s->STR_BtnHintWiFiDirect);
    }
    ShowWiFiDirectState(false);
    // Made now, shaped and sized, for the event waiter that posts to it from its own thread;
    // the controls' windows wait for its first showing.
    HandleWithoutChildren();
    PrintMessage(5, " <-- TFormWiFiDirect::FormCreate\n");
}

void TFormWiFiDirect::ArrangeResource()
{
    if (TFormResource* res = FormResource) {
        if (res->ImgWiFiDirectOff)
            ImgWiFiDirectOff->SetPicture(res->ImgWiFiDirectOff->Picture());
        if (res->ImgWiFiDirectOn)
            ImgWiFiDirectOn->SetPicture(res->ImgWiFiDirectOn->Picture());
        if (res->ImgDeviceUnknown)
            for (TImage* slot : {ImgDevice0, ImgDevice1, ImgDevice2, ImgDevice2_0, ImgDevice2_1, ImgDevice3, ImgDevice4})
                slot->SetPicture(res->ImgDeviceUnknown->Picture());
        const std::pair<TImage*, TImage*> lines[] = {
            {ImgConnectDevice0, res->ImgConnectLine0},     {ImgConnectDevice1, res->ImgConnectLine1},
            {ImgConnectDevice2, res->ImgConnectLine2},     {ImgConnectDevice3, res->ImgConnectLine3},
            {ImgConnectDevice4, res->ImgConnectLine4},     {ImgConnectDevice2_0, res->ImgConnectLine2_0},
            {ImgConnectDevice2_1, res->ImgConnectLine2_1}};
        for (const auto& [mark, picture] : lines)
            if (picture)
                mark->SetPicture(picture->Picture());
        if (res->ImgWIFiDirectGO)
            for (TImage* badge : {ImgDevice0_GO, ImgDevice1_GO, ImgDevice2_GO, ImgDevice3_GO, ImgDevice4_GO, ImgIm_GO})
                badge->SetPicture(res->ImgWIFiDirectGO->Picture());
    }
    if (const CUISTR* s = Strings()) {
        ImgWiFiDirectOff->SetHint(ReplaceAllNoCase(s->STR_WIFIDIRECT_ON, "%s", "\n"));
        ImgWiFiDirectOn->SetHint(ReplaceAllNoCase(s->STR_WIFIDIRECT_OFF, "%s", "\n"));
        BtnWPSConnect->SetHint(s->STR_WPS_BTN_HINT);
        BtnSetGOKey->SetHint(s->STR_WIFIDIRECT_KEY);
    }
    lblHintToEnable->Font().SetColor(0x6F5300);
    for (TLabel* label : {lblDevice0, lblDevice1, lblDevice2, lblDevice2_0, lblDevice2_1, lblDevice3, lblDevice4})
        label->Font().SetColor(0x7F5F00);
    ApplySkinPlacement(ProgramFolder() + "RoVaza.ini");
    InitializeVariablesAndStatus(TRUE);
}

void TFormWiFiDirect::ApplySkinPlacement(const std::string& skinFile)
{
    TIniFile skin(skinFile);
    auto place = [&skin](TControl* control, const char* key, const char* def) {
        ApplyControlPlacement(control, skin.ReadString("WiFiDirectForm", key, def));
    };
    place(lblHintToEnable, "lblHintToEnablePos", "1,0,0");
    place(ImgWiFiDirectOff, "ImgWiFiDirectOffPos", "1,0,0");
    place(ImgWiFiDirectOn, "ImgWiFiDirectOffPos", "1,0,0");
    place(ImgDevice0, "ImgDevice0Pos", "1,0,0");
    place(ImgDevice1, "ImgDevice1Pos", "1,0,0");
    place(ImgDevice2, "ImgDevice2Pos", "1,0,0");
    place(ImgDevice2_0, "ImgDevice2_0Pos", "1,0,0");
    place(ImgDevice2_1, "ImgDevice2_1Pos", "1,0,0");
    place(ImgDevice3, "ImgDevice3Pos", "1,0,0");
    place(ImgDevice4, "ImgDevice4Pos", "1,0,0");
    place(grpBoxDeivceInfo, "grpBoxDeivceInfoPos", "1,0,0");
    place(lblSSIDText, "lblSSIDTextPos", "1,0,0");
    place(lblSSID, "lblSSIDPos", "1,0,0");
    place(lblMACAddressText, "lblMACAddressTextPos", "1,0,0");
    place(lblMACAddress, "lblMACAddressPos", "1,0,0");
    place(lblPresharedKeyText, "lblPresharedKeyTextPos", "1,0,0");
    place(lblPreSharedKey, "lblPreSharedKeyPos", "1,0,0");
    place(BtnWPSConnect, "BtnWPSConnectPos", "1,0,0");
    place(BtnSetGOKey, "BtnSetGOKeyPos", "1,0,0");
    place(BtnRotationClockwise, "BtnRotationClockwisePos", "0,0,0");
    place(BtnRotationCounter, "BtnRotationCounterPos", "0,0,0");
    place(BtnRotationClockwise_sub, "BtnRotationClockwise_subPos", "0,0,0");
    place(BtnRotationCounter_sub, "BtnRotationCounter_subPos", "0,0,0");
    m_bShowRotationButton = BtnRotationClockwise->Visible() && BtnRotationClockwise_sub->Visible();
    PlaceConnectionMarks();
}

// Labels under the slot pictures, connection marks between this device and a slot, owner
// badges at the pictures' corners, and the pointer and press handlers of each picture.
void TFormWiFiDirect::MakeSlotDecorations()
{
    TImage* pictures[7] = {ImgDevice0, ImgDevice1, ImgDevice2, ImgDevice3, ImgDevice4, ImgDevice2_0, ImgDevice2_1};
    TLabel** labels[7] = {&lblDevice0, &lblDevice1, &lblDevice2, &lblDevice3, &lblDevice4, &lblDevice2_0, &lblDevice2_1};
    TImage** marks[7] = {&ImgConnectDevice0, &ImgConnectDevice1, &ImgConnectDevice2, &ImgConnectDevice3,
                         &ImgConnectDevice4, &ImgConnectDevice2_0, &ImgConnectDevice2_1};
    TImage** badges[5] = {&ImgDevice0_GO, &ImgDevice1_GO, &ImgDevice2_GO, &ImgDevice3_GO, &ImgDevice4_GO};
    for (int slot = 0; slot < 7; ++slot) {
        TImage* p = pictures[slot];
        *labels[slot] = MakeLabel(this, p->Left() - 10, p->Top() + p->Height(), p->Width() + 20);
        (*labels[slot])->SetAlignment(taCenter);
        *marks[slot] = MakeImage(this, p->Left() + p->Width() / 2 - 8, p->Top() - 18, 16, 16);
        if (slot < 5)
            *badges[slot] = MakeImage(this, p->Left() + p->Width() - 14, p->Top(), 16, 16);
    }
    WireDevicePicture(ImgDevice0, &TFormWiFiDirect::ImgDevice0MouseDown, &TFormWiFiDirect::ImgDevice0MouseUp,
                      &TFormWiFiDirect::ImgDevice0DblClick, &TFormWiFiDirect::ImgDevice0Click);
    WireDevicePicture(ImgDevice1, &TFormWiFiDirect::ImgDevice1MouseDown, &TFormWiFiDirect::ImgDevice1MouseUp,
                      &TFormWiFiDirect::ImgDevice1DblClick, &TFormWiFiDirect::ImgDevice1Click);
    WireDevicePicture(ImgDevice2, &TFormWiFiDirect::ImgDevice2MouseDown, &TFormWiFiDirect::ImgDevice2MouseUp,
                      &TFormWiFiDirect::ImgDevice2DblClick, nullptr);
    WireDevicePicture(ImgDevice3, &TFormWiFiDirect::ImgDevice3MouseDown, &TFormWiFiDirect::ImgDevice3MouseUp,
                      &TFormWiFiDirect::ImgDevice3DblClick, &TFormWiFiDirect::ImgDevice3Click);
    WireDevicePicture(ImgDevice4, &TFormWiFiDirect::ImgDevice4MouseDown, &TFormWiFiDirect::ImgDevice4MouseUp,
                      &TFormWiFiDirect::ImgDevice4DblClick, &TFormWiFiDirect::ImgDevice4Click);
    WireDevicePicture(ImgDevice2_0, &TFormWiFiDirect::ImgDevice2_0MouseDown, &TFormWiFiDirect::ImgDevice2_0MouseUp,
                      &TFormWiFiDirect::ImgDevice2_0DblClick, nullptr);
    WireDevicePicture(ImgDevice2_1, &TFormWiFiDirect::ImgDevice2_1MouseDown, &TFormWiFiDirect::ImgDevice2_1MouseUp,
                      &TFormWiFiDirect::ImgDevice2_1DblClick, nullptr);
    ImgIm_GO = MakeImage(this, 20 + 64 - 14, 200, 16, 16);
}

void TFormWiFiDirect::WireDevicePicture(TImage* picture, MouseHandler down, MouseHandler up, NotifyHandler dblClick,
                                        NotifyHandler click)
{
    picture->OnMouseDown = [this, down](TObject* s, TMouseButton b, TShiftState shift, int x, int y) {
        (this->*down)(s, b, shift, x, y);
    };
    picture->OnMouseUp = [this, up](TObject* s, TMouseButton b, TShiftState shift, int x, int y) {
        (this->*up)(s, b, shift, x, y);
    };
    picture->OnDblClick = [this, dblClick](TObject* s) { (this->*dblClick)(s); };
    if (click)
        picture->OnClick = [this, click](TObject* s) { (this->*click)(s); };
}

TFormWiFiDirect::~TFormWiFiDirect()
{
    if (FormWiFiDirect == this)
        FormWiFiDirect = nullptr;
}

bool TFormWiFiDirect::OnWindowThread() const
{
    return GetCurrentThreadId() == m_dwWindowThread;
}

void TFormWiFiDirect::FormShow(TObject*)
{
    if (!m_bDisableScan && m_bEnableWiFiDirect)
        OnScan(this);
    grpBoxDeivceInfo->SetFocus();
}

void TFormWiFiDirect::SysBtnCloseClick(TObject*)
{
    Hide();
}

void TFormWiFiDirect::ShowWiFiDirectState(bool on)
{
    ImgWiFiDirectOn->SetVisible(on);
    ImgWiFiDirectOff->SetVisible(!on);
    lblHintToEnable->SetVisible(!on);
}

void TFormWiFiDirect::InitializeVariablesAndStatus(BOOL bInitMenus)
{
    n1stOrderDeviceNum = 0;
    m_nIndexInVecForDevice0 = 0;
    m_nIndexInVecForDevice2_0 = 0;
    std::memset(&m_SeleteDeviceEntry, 0, sizeof m_SeleteDeviceEntry);
    m_nDefaultIntentIndex = 0;
    m_nSetIntentIndex = 0;
    m_bEnableWiFiDirect = FALSE;
    m_bPopWiFiDirectSettingWindows = FALSE;
    m_nPopWiFiDirectSettingWindows = 0;
    m_bOK = FALSE;
    m_ptMouseDown = {};
    m_ptMouseMove = {};
    m_bEnableAutonomousGO = FALSE;
    m_nNumOfMyGroup = 0;
    std::memset(&MyDeviceData, 0, sizeof MyDeviceData);
    std::memset(&m_WiFiDirectStatus, 0, sizeof m_WiFiDirectStatus);
    m_strVenderSSID.clear();
    m_strMyDeviceName.clear();
    m_strMykey.clear();
    m_strConnectMac.clear();
    m_strDisplayPIN.clear();
    m_strProgressMsg.clear();
    m_ulMyRule = WIFI_DIRECT_IS_CLIENT;
    MyDeviceData.nRule = WIFI_DIRECT_IS_CLIENT;
    m_nWheelEvent = 3;
    m_nWheelEventSubGroup = 3;
    m_strMyWiFiDirectIPAddress = "0.0.0.0";

    const CUISTR* s = Strings();
    lblHintToEnable->SetCaption(s ? ReplaceAllNoCase(s->STR_WIFIDIRECT_DISABLE_TEXT, "%s", "\n") : "");
    for (TLabel* label : {lblDevice0, lblDevice1, lblDevice2, lblDevice2_0, lblDevice2_1, lblDevice3, lblDevice4})
        label->SetCaption("");
    grpBoxDeivceInfo->SetCaption(s ? s->STR_WIFIDIRECT_MYDEVICEINFO : "");
    lblSSIDText->SetCaption(s ? s->STR_SSID : "");
    lblSSID->SetCaption("");
    lblMACAddressText->SetCaption(s ? s->STR_MAC_ADDRESS : "");
    lblMACAddress->SetCaption("");
    lblPresharedKeyText->SetCaption(s ? s->STR_WIFIDIRECT_KEY : "");
    lblPreSharedKey->SetCaption("");
    m_strDeviceNum = s ? ReplaceAllNoCase(s->STR_WIFIDIRECT_DEVICENUM, "%d", "0") : "";
    lblDeviceNum->SetCaption(m_strDeviceNum);

    m_WiFiDirectWvstatus = WvStatus_Disconnected;
    ImgWiFiDirectOn->SetVisible(false);
    HideFirstOrderDevices();
    HideSecondOrderDevices();
    ImgIm_GO->SetVisible(false);
    BtnWPSConnect->SetVisible(false);
    BtnSetGOKey->SetVisible(false);
    if (bInitMenus)
        InitMenus();
}

void TFormWiFiDirect::InitMenus()
{
    const CUISTR* s = Strings();
    ClearPopupMenu(MyPopupMenu);
    ImgWiFiDirectOn->PopupMenu = MyPopupMenu;
    ClearPopupMenu(DevicePopupMenu);
    AddPopupMenuItem(DevicePopupMenu, 0, s ? s->STR_WIFIDIRECT_CONNECT : "Connect", [this](TObject* o) { OnConnectDevice(o); });
    if (VOZEZIV.bSupportAdvanceSettings)
        AddPopupMenuItem(DevicePopupMenu, 1, s ? s->STR_WIFIDIRECT_PROVISION : "Provision", [this](TObject* o) { OnProvision(o); });
    for (TImage* slot : {ImgDevice1, ImgDevice2, ImgDevice2_0, ImgDevice2_1, ImgDevice3, ImgDevice4})
        slot->PopupMenu = DevicePopupMenu;
    ImgDevice0->PopupMenu = EmptyPopupMenu;
    ClearPopupMenu(DisconnectPopupMenu);
    AddPopupMenuItem(DisconnectPopupMenu, 0, s ? s->STR_WIFIDIRECT_DISCONNECT : "Disconnect",
                     [this](TObject* o) { OnDisconnectDevice(o); });
}

// ---------------------------------------------------------------------------------------------
// Progress dialog

void TFormWiFiDirect::StartWiFiDirectProgress(BOOL bStartWiFiDirect, DWORD ulProgressTimeOut)
{
    if (!bStartWiFiDirect) {
        if (OnWindowThread())
            StopProgress();
        else
            PostMessageA(Handle(), MSG_WIFIDIRECT_STOP_PROGRESS, 0, 0);
        return;
    }
    if (!FormProgressMsg)
        return;
    if (ulProgressTimeOut) {
        FormProgressMsg->m_nDuration = ulProgressTimeOut;
        FormProgressMsg->bUseTimer = 1;
    } else {
        FormProgressMsg->bUseTimer = 0;
        if (FormProgressMsg->Visible())
            return;
    }
    TimerShowProgressBar->SetEnabled(true);
}

void TFormWiFiDirect::StopProgress()
{
    TimerShowProgressBar->SetEnabled(false);
    CloseIfVisible(FormProgressMsg);
    // a success no dialog waited for must not cut the next connection's bar short
    if (FormProgressMsg)
        FormProgressMsg->m_bSuccess = 0;
    if (TimerPopMsg->Enabled()) {
        TimerPopMsg->SetEnabled(false);
        m_nPopWiFiDirectSettingWindows = 0;
    }
    m_strProgressMsg.clear();
}

void TFormWiFiDirect::TimerShowProgressBarTimer(TObject*)
{
    TimerShowProgressBar->SetEnabled(false);
    if (!FormProgressMsg || FormProgressMsg->Visible())
        return;
    FormProgressMsg->m_strMessage = m_strProgressMsg;
    FormProgressMsg->m_strPinText = m_strDisplayPIN;
    FormProgressMsg->ShowModal();
}

// ---------------------------------------------------------------------------------------------
// Turning on and off

void TFormWiFiDirect::EnableOrDisableWiFiDirect(BOOL bWiFiDirect, BOOL bReadWiFiDirectFlag, BOOL bPopDeviceName,
                                                BOOL bWriteWiFiDirectFlag)
{
    PrintMessage(5, " --> TFormWiFiDirect::EnableOrDisableWiFiDirect(%d, %d, %d, %d)\n", bWiFiDirect,
                 bReadWiFiDirectFlag, bPopDeviceName, bWriteWiFiDirectFlag);
    WIFI_DIRECT_CONTROL control{};
    if (bReadWiFiDirectFlag) {
        const int result = VOZEZIV.WVWL_ReadWifiDirectControl(&control);
        if (result != WVWL_ERROR_SUCCESS) {
            PrintMessage(2, " EnableOrDisableWiFiDirect:: WVWL_ReadWifiDirectControl return %d\n", result);
            bWiFiDirect = FALSE;
            control = WIFI_DIRECT_CONTROL{};
        }
    }
    if (bWiFiDirect || (control.ControlBits & 1))
        TurnOn(bWiFiDirect, bReadWiFiDirectFlag, bPopDeviceName);
    else
        TurnOff(bWriteWiFiDirectFlag);

    if (m_bEnableWiFiDirect) {
        VOZEZIV.bWiFiDirectSigmaTest = VOZEZIV.bWiFiDirectSigmaTestIni;
        CheckMediaServer();
        ShowWiFiDirectState(true);
        mainwin::ModifyTrayIcon(TRAY_TYPE_WIFIDIRECT, 3);
        ShowMyInfo();
    } else {
        ShowWiFiDirectState(false);
        mainwin::ModifyTrayIcon(TRAY_TYPE_WIFIDIRECT, 1);
        StartWiFiDirectProgress(FALSE, 0);
        InitializeVariablesAndStatus(TRUE);
        VOZEZIV.WVWL_StopMediaServer();
        VOZEZIV.WVWL_SetMediaServerStartupType(FALSE);
        if (OnWindowThread())
            CloseSubForms();
        else
            PostMessageA(Handle(), MSG_WIFIDIRECT_CLOSE_SUBFORMS, 0, 0);
    }
    PrintMessage(5, " <-- TFormWiFiDirect::EnableOrDisableWiFiDirect\n");
}

void TFormWiFiDirect::TurnOn(BOOL bWiFiDirect, BOOL bReadWiFiDirectFlag, BOOL bPopDeviceName)
{
    char name[65] = {};
    VOZEZIV.WVWL_ReadWiFiDirectDeviceName(name);
    m_strMyDeviceName = std::string(name, strnlen(name, 64));
    EnterCriticalSection(&m_csOwnDevice);
    const size_t used = std::min(m_strMyDeviceName.size(), sizeof MyDeviceData.chDeviceName);
    std::memset(MyDeviceData.chDeviceName, 0, sizeof MyDeviceData.chDeviceName);
    std::memcpy(MyDeviceData.chDeviceName, m_strMyDeviceName.data(), used);
    MyDeviceData.ulStringLen = uint32_t(used);
    LeaveCriticalSection(&m_csOwnDevice);
    m_bOK = FALSE;

    if (m_strMyDeviceName.empty() || bPopDeviceName) {
        if (!bWiFiDirect || bReadWiFiDirectFlag || bPopDeviceName) {
            m_bEnableWiFiDirect = FALSE;
            if (OnWindowThread())
                AskDeviceName(m_strMyDeviceName);
            else
                SendMessageA(Handle(), MSG_WIFIDIRECT_ASK_DEVICE_NAME, 0, 0);
        } else {
            UseComputerName();
        }
    } else {
        m_bOK = TRUE;
    }

    ReadOwnAddress();
    if (!m_bOK)
        return;

    m_bEnableWiFiDirect = TRUE;
    if (FormWiFiDisplay) {
        FormWiFiDisplay->ReadWDPConfig();
        const uint8_t mode = FormWiFiDisplay->m_WDPConfig.ConfigMode;
        if (mode == 1 || mode == 0)
            FormWiFiDisplay->SetWDPConfigToDriver(mode);
    }
    WIFIDIRECT_WPSE_PROFILE request{};
    request.ConfigMode = CONFIG_MODE_ENABLE;
    const size_t nameLength = std::min<size_t>(MyDeviceData.ulStringLen, sizeof request.DeviceName);
    std::memcpy(request.DeviceName, MyDeviceData.chDeviceName, nameLength);
    request.DeviceNameLength = uint32_t(nameLength);
    int result = VOZEZIV.WVWL_SetWifiDirectWpseConfig(&request);
    PrintMessage(6, " EnableOrDisableWiFiDirect:: WVWL_SetWifiDirectWpseConfig return %d\n", result);
    result = VOZEZIV.WVWL_WriteWifiDirectFlag(TRUE);
    PrintMessage(6, " EnableOrDisableWiFiDirect:: WVWL_WriteWifiDirectFlag(TRUE) return %d\n", result);
    WIFI_DIRECT_CONTROL control{};
    result = VOZEZIV.WVWL_ReadWifiDirectControl(&control);
    PrintMessage(6, " EnableOrDisableWiFiDirect:: WVWL_ReadWifiDirectControl return %d\n", result);
    m_nDefaultIntentIndex = WiFiDirectControlIntent(control);
    MyDeviceData.ConfigMethod = WiFiDirectControlConfigMethod(control);
    m_strVenderSSID = WiFiDirectControlVenderSSID(control);
}

void TFormWiFiDirect::AskDeviceName(const std::string& name)
{
    if (!FormWiFiDirectSetting)
        return;
    if (FormWiFiDirectSetting->Visible()) {
        PrintMessage(2, " EnableOrDisableWiFiDirect:: FormWiFiDirectSetting is visible, can't show it\n");
        return;
    }
    FormWiFiDirectSetting->m_strDeviceName = name;
    FormWiFiDirectSetting->m_enumActionTpye = ACTION_ENABLE;
    FormWiFiDirectSetting->SetTop(Top() + Height() / 4);
    FormWiFiDirectSetting->SetLeft(Left() + Width() / 2);
    FormWiFiDirectSetting->ShowModal();
}

void TFormWiFiDirect::UseComputerName()
{
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof computer;
    if (!GetComputerNameA(computer, &size))
        computer[0] = 0;
    char name64[64] = {};
    const size_t length = strnlen(computer, sizeof name64);
    std::memcpy(name64, computer, length);
    if (FormWiFiDirectSetting)
        FormWiFiDirectSetting->m_strDeviceName.assign(name64, length);
    const int result = VOZEZIV.WVWL_WriteWiFiDirectDeviceName(name64);
    PrintMessage(6, " EnableOrDisableWiFiDirect:: WVWL_WriteWiFiDirectDeviceName(%s) return %d\n", computer, result);
    EnterCriticalSection(&m_csOwnDevice);
    const size_t used = std::min(length, sizeof MyDeviceData.chDeviceName);
    std::memset(MyDeviceData.chDeviceName, 0, sizeof MyDeviceData.chDeviceName);
    std::memcpy(MyDeviceData.chDeviceName, name64, used);
    MyDeviceData.ulStringLen = uint32_t(used);
    LeaveCriticalSection(&m_csOwnDevice);
    m_bOK = TRUE;
}

void TFormWiFiDirect::ReadOwnAddress()
{
    BYTE mac[6] = {};
    const int support = VOZEZIV.WVWL_IsSupportWiFiDirect();
    if (support == 2)
        VOZEZIV.WVWL_QueryMacAddrsForWin8P2P(mac);
    else
        VOZEZIV.WVWL_QueryMacAddrs(mac);
    if (VOZEZIV.WVWL_QueryOPMode() == OP_MODE_STA_WIFI_DIRECT && support < 2)
        mac[5] ^= 1;
    char text[32];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    m_strMyMacAddress = text;
}

void TFormWiFiDirect::TurnOff(BOOL bWriteWiFiDirectFlag)
{
    m_bEnableWiFiDirect = FALSE;
    StartWiFiDirectProgress(FALSE, 0);
    const int opMode = VOZEZIV.WVWL_QueryOPMode();
    int flag = 0;
    VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    if (flag && opMode != OP_MODE_STA_WIFI_DIRECT)
        DisableDhcpAndSharing();
    int result = VOZEZIV.WVWL_DisableWifiDirect();
    PrintMessage(6, " EnableOrDisableWiFiDirect:: WVWL_DisableWifiDirect return %d\n", result);
    if (bWriteWiFiDirectFlag) {
        result = VOZEZIV.WVWL_WriteWifiDirectFlag(FALSE);
        PrintMessage(6, " EnableOrDisableWiFiDirect:: WVWL_WriteWifiDirectFlag(FALSE) return %d\n", result);
    }
}

void TFormWiFiDirect::CheckMediaServer()
{
    m_bMediaServerPresent = FALSE;
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, std::min<DWORD>(length, sizeof path));
    const size_t slash = folder.find_last_of('\\');
    folder.resize(slash == std::string::npos ? 0 : slash);
    const std::string program = folder + "\\ViRuvuzOdiraz.exe";
    if (program.size() >= MAX_PATH) {
        PrintMessage(6, " EnableOrDisableWiFiDirect:: the path is too long\n");
        return;
    }
    HANDLE file = CreateFileA(program.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(file);
    const int status = GetServiceStatus(VOZEZIV.strMediaServerServiceName.c_str());
    m_bMediaServerPresent = status != WVWL_ERROR_WIFIDIRECT_SVC_OPEN_SCMGR && status != WVWL_ERROR_WIFIDIRECT_SVC_OPEN_SVC &&
                            status != WV_SVC_ERR_QUERY_SVC_STATUS;
}

void TFormWiFiDirect::CloseSubForms()
{
    CloseIfVisible(FormWiFiDirectSetting);
    if (m_bSubFormsDestroyed)
        return;
    CloseIfVisible(FormWiFiDirectProfile);
    CloseIfVisible(FormWiFiDirectMediaSharing);
}

void TFormWiFiDirect::ImgWiFiDirectOffDblClick(TObject*)
{
    WLAN_STATUS status{};
    VOZEZIV.WVWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{{1, 1, 1, 1, 1}});
    if (status.status == WvStatus_Connected && status.networkType == 0) {
        ShowWiFiDirectWarning(9);
        return;
    }
    EnableWiFiDirectFromUser(true);
}

void TFormWiFiDirect::RequestEnableWiFiDirect()
{
    EnableWiFiDirectFromUser(false);
}

void TFormWiFiDirect::EnableWiFiDirectFromUser(bool stopZeroConfigOnXP64)
{
    if (VOZEZIV.nWinOS == 21 || (stopZeroConfigOnXP64 && VOZEZIV.nWinOS == 24))
        mainwin::StopZeroConfigService(true);
    if (VOZEZIV.nWinOS < 41) {
        EnableOrDisableWiFiDirect(TRUE, TRUE, TRUE, TRUE);
        return;
    }
    StartWiFiDirectProgress(TRUE, 120000);
    mainwin::InitWiFiDirect(TRUE);
}

void TFormWiFiDirect::ImgWiFiDirectOnDblClick(TObject*)
{
    const CUISTR* s = Strings();
    if (ShowMessageBox(s ? s->STR_WIFIDIRECT_OFF_MSG : "", 1) != 1)
        return;
    if (VOZEZIV.WVWL_IsEnableICS())
        VOZEZIV.WVWL_DisableICS();
    if (VOZEZIV.nWinOS >= 31 && m_WiFiDirectWvstatus == WvStatus_Connected) {
        VOZEZIV.WVWL_WlanDisconnectEx(1);
        m_WiFiDirectWvstatus = WvStatus_Disconnected;
    }
    if (VOZEZIV.nWinOS == 21 && VOZEZIV.bWiFiDirectStandAlone)
        mainwin::SetZeroConfigControl(false);
    if (FormWiFiDisplay) {
        FormWiFiDisplay->SetStatusDisconnect(FormWiFiDisplay->GetNowConnectType());
        FormWiFiDisplay->SetWDPConfigToDriver(0);
    }
    m_bEnableAutonomousGO = FALSE;
    EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE);
    if (VOZEZIV.nWinOS >= 41) {
        VOZEZIV.WVWL_StopWifiDirectGO();
        mainwin::CreateEventAndStartThread(1);
    }
}

void TFormWiFiDirect::ImgWiFiDirectOnClick(TObject*)
{
    ShowMyInfo();
}

// The own-device menu is rebuilt before a right click opens it.
void TFormWiFiDirect::ImgWiFiDirectOnMouseDown(TObject*, TMouseButton Button, TShiftState, int, int)
{
    if (Button == mbRight)
        ShowMyInfo();
}

// ---------------------------------------------------------------------------------------------
// Events

void TFormWiFiDirect::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case MSG_WIFIDIRECT_EVENET:
        HandleEventMessage();
        return;
    case MSG_WIFIDIRECT_STOP_PROGRESS:
        StopProgress();
        return;
    case MSG_WIFIDIRECT_ASK_DEVICE_NAME:
        AskDeviceName(m_strMyDeviceName);
        return;
    case MSG_WIFIDIRECT_CLOSE_SUBFORMS:
        CloseSubForms();
        return;
    case WM_MOUSEWHEEL: {
        POINT p = {GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        ::ScreenToClient(Handle(), &p);
        FormMouseWheel(GET_WHEEL_DELTA_WPARAM(Message.WParam), p.x, p.y);
        Message.Result = 0;
        return;
    }
    default:
        TForm::Dispatch(Message);
    }
}

void TFormWiFiDirect::HandleEventMessage()
{
    if (m_bHandlingEvent) {
        ++m_nDeferredEvents;
        PrintMessage(6, " MSG_WIFIDIRECT_EVENET:: an event is being handled, message deferred (%d)\n", m_nDeferredEvents);
        return;
    }
    struct Handling {
        bool& flag;
        explicit Handling(bool& f) : flag(f) { flag = true; }
        ~Handling() { flag = false; }
    } handling(m_bHandlingEvent);
    GetWiFiDirectWpseStatus();
    SendReadyAcknowledgement();
    ++m_nEventsHandled;
    if (m_nDeferredEvents > 0 && PostMessageA(Handle(), MSG_WIFIDIRECT_EVENET, 0, 0))
        --m_nDeferredEvents;
}

void TFormWiFiDirect::SendReadyAcknowledgement()
{
    const unsigned long request = SetP2PEventReadyRequest(VOZEZIV.nWinOS);
    DWORD ready = 1;
    const int result = VOZEZIV.WVWL_OIDSetInfo(request, &ready, sizeof ready);
    PrintMessage(6, " ---> set SET_P2P_EVENT_READY (%x , 1) return %d\n", unsigned(request), result);
}

void TFormWiFiDirect::GetWiFiDirectWpseStatus()
{
    WIFI_DIRECT_STATUS status{};
    if (VOZEZIV.WVWL_QueryWifiDirectStatus(&status) != WVWL_ERROR_SUCCESS) {
        PrintMessage(6, " >>NO status <<\n");
        return;
    }
    m_WiFiDirectStatus = status;
    const uint8_t code = status.WifiDirectStatus;
    if (const char* name = EventName(code))
        PrintMessage(6, " >>%s<<\n", name);

    switch (code) {
    case WIFIDIRECTEVENT_DISCOVERY_START:
    case WIFIDIRECTEVENT_STATUS_WPS_FAIL:
        break;
    case WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY:
        OnDiscoveryOrGroupUpdate(true);
        break;
    case WIFIDIRECTEVENT_STATUS_GO_NEGO_DONE:
        TriggerWPS();
        break;
    case WIFIDIRECTEVENT_STATUS_WPS_DONE: {
        ConnectWiFiDirectCredential();
        const uint8_t rule = m_WiFiDirectStatus.WifiDirectStateContext.WpsDone.WpsDoneContent.nMyRule;
        m_ulMyRule = rule;
        MyDeviceData.nRule = rule;
        m_strMykey = WiFiDirectWpsDoneKey(m_WiFiDirectStatus);
        ShowMyInfo();
        break;
    }
    case WIFIDIRECTEVENT_STATUS_GROUP_UPDATE:
        OnDiscoveryOrGroupUpdate(false);
        break;
    case WIFIDIRECTEVENT_GEN_SEUDO_ADHOC_PROFILE:
        GenerateSeudoWiFiDirectProfile();
        break;
    case WIFIDIRECTEVENT_ENABLE_DHCP_SERVER:
    case WIFIDIRECTEVENT_NO_CROSSCONNECTION:
    case WIFIDIRECTEVENT_SUPPORT_CROSSCONNECTION:
        StartDhcpServerThread();
        break;
    case WIFIDIRECTEVENT_DISABLE_DHCP_SERVER:
        DisableDhcpAndSharing();
        break;
    case WIFIDIRECTEVENT_DISCONNECT:
        OnDisconnectEvent();
        break;
    case WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS:
    case WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS_FOR_AUTOGO:
    case WIFIDIRECTEVENT_CONFIRM_ENTER_PIN_FORM_WPS_M2:
        PopMsgAndInitSetting();
        break;
    case WIFIDIRECTEVENT_PERSISTENT_CONNT_FAIL:
        OnPersistentConnectFail();
        break;
    case WIFIDIRECTEVENT_DISPLAY_PIN:
        OnDisplayPIN();
        break;
    case WIFIDIRECTEVENT_SWITCH_OPMODE_CONCURRENT:
    case WIFIDIRECTEVENT_SWITCH_OPMODE_STA:
        mainwin::ActionForSigma(code);
        break;
    case WIFIDIRECTEVENT_SIGMA_IS_ON:
        VOZEZIV.bWiFiDirectSigmaTest = 1;
        break;
    case WIFIDIRECTEVENT_ERROR_CODE:
        OnErrorEvent();
        break;
    case WIFIDIRECTEVENT_CONNECT_COMPLETE:
        OnConnectComplete();
        break;
    case WIFIDIRECTEVENT_CANCEL_PROGRESS:
        if (FormProgressMsg)
            FormProgressMsg->BtnProgCancelClick(this);
        break;
    case WIFIDIRECTEVENT_DISCONNECT_MANUAL:
        UpdatePersistForDisconnect(m_WiFiDirectStatus.WifiDirectStateContext.DisconnectManual.chMacAddr);
        OnDisconnectEvent();
        break;
    default:
        PrintMessage(6, " >>Unknown status <<\n");
        break;
    }
}

bool TFormWiFiDirect::WiFiDisplayInUse() const
{
    return FormWiFiDisplay && VOZEZIV.WVWL_IsSupportWiFiDisplay() && VOZEZIV.bSupportWiFiDisplay;
}

void TFormWiFiDirect::OnDiscoveryOrGroupUpdate(bool discovery)
{
    if (discovery) {
        if (!(VOZEZIV.bSupportP2PAutoReconnect && VOZEZIV.bSupportWiFiDirectPersist))
            m_bAutoReconnect = FALSE;
        else if (m_bAutoReconnect == TRUE)
            m_bAutoReconnect = CheckOKForAutoReconnect();
    }
    UpdateTopologyData();
    if (WiFiDisplayInUse())
        FormWiFiDisplay->GetUpdateDiscovery();
}

void TFormWiFiDirect::OnDisconnectEvent()
{
    int flag = 0;
    const int result = VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    if (!((result == WVWL_ERROR_SUCCESS && flag) || VOZEZIV.bWiFiDirectSigmaTest == 1)) {
        PrintMessage(6, " WIFIDIRECTEVENT_DISCONNECT:: WiFi Direct is off (result %d, flag %d)\n", result, flag);
        return;
    }
    StartWiFiDirectProgress(FALSE, 0);
    if (VOZEZIV.nWinOS < 31) {
        VOZEZIV.WVWL_SetAuthMode(0);
        VOZEZIV.WVWL_Disconnect();
        return;
    }
    VOZEZIV.WVWL_WlanDisconnectEx(1);
    m_WiFiDirectWvstatus = WvStatus_Disconnected;
    m_bEnableAutonomousGO = FALSE;
}

void TFormWiFiDirect::OnErrorEvent()
{
    const uint32_t error = m_WiFiDirectStatus.WifiDirectStateContext.Error.ErrorStatusCode;
    int flag = 0;
    const int result = VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    if (result != WVWL_ERROR_SUCCESS || !flag || VOZEZIV.bWiFiDirectSigmaTest) {
        PrintMessage(6, " WIFIDIRECTEVENT_ERROR_CODE:: ErrorStatusCode = %u not shown\n", unsigned(error));
        return;
    }
    StartWiFiDirectProgress(FALSE, 0);
    if (error != P2P_ERRCODE_STOPPR0GRESS)
        ShowWiFiDirectWarning(error);
}

void TFormWiFiDirect::OnConnectComplete()
{
    m_WiFiDirectWvstatus = WvStatus_Connected;
    if (FormProgressMsg)
        FormProgressMsg->Succeed();
    ShowMyInfo();  // the own box shows the group's SSID now that the link is up
    if (FormWiFiDirectSetting && FormWiFiDirectSetting->Visible() &&
        FormWiFiDirectSetting->m_enumActionTpye == ACTION_DISPLAY_PIN)
        FormWiFiDirectSetting->Close();
    if (!WiFiDisplayInUse())
        return;
    if (!FormWiFiDisplay->m_bIsWDPSigma)
        FormWiFiDisplay->QueryWDPTable();
    if (FormWiFiDisplay->SetStatusConnect(WDP_CONNECT_P2P, "") && !FormWiFiDisplay->m_bIsWDPSigma)
        FormWiFiDisplay->StartWDPConnect();
}

// ---------------------------------------------------------------------------------------------

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
