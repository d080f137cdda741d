// The driver's Wi-Fi Display events and the test-automation requests they carry.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/MainWindowServices.h"
#include "ui/Forms.h"
#include "ui/Seams.h"
#include "wifidisplay/FormWiFiDisplay.h"
#include "wifidisplay/WDPSeams.h"
#include "wlapi/records.h"

namespace {

enum WDPEvent {
    WDPEVENT_START_WDP_CONNECTION = 1,
    WDPEVENT_DEV_SEND_FRAME = 2,
    WDPEVENT_RESET_DEFAULT = 3,
    WDPEVENT_QUERY_WDP_TABLE = 4,
    WDPEVENT_GENERATE_ACTION = 5,
    WDPEVENT_PRESET_TESTPARAMETERS = 6,
    WDPEVENT_TDLS_TEARDOWN = 7,
};

// Bytes of the status record the events use beside its named fields.
constexpr int kUIBCInputType = 69;    // event 5: 1 keyboard, 2 mouse
constexpr int kUIBCPreparation = 70;  // event 5: 1 open an editor, 2 ask to watch the cursor

constexpr int kInputKeyboard = 1;
constexpr int kInputMouse = 2;

// Sink input types of WDPSink::SendMouseMoveUIBC.
constexpr int kGenMove = 2;
constexpr int kGenKeyDown = 3;
constexpr int kGenKeyUp = 4;
constexpr int kHidKey = 10;
constexpr int kHidMouse = 11;

constexpr int kI2CDisplayData = 80;

const char* const kEventNames[] = {nullptr,
                                   "WDPEVENT_START_WDP_CONNECTION",
                                   "WDPEVENT_DEV_SEND_FRAME",
                                   "WDPEVENT_RESET_DEFAULT",
                                   "WDPEVENT_QUERY_WDP_TABLE",
                                   "WDPEVENT_GENERATE_ACTION",
                                   "WDPEVENT_PRESET_TESTPARAMETERS",
                                   "WDPEVENT_TDLS_TEARDOWN"};

const char* const kFrameNames[] = {"FRAME_CONFIG_PAUSE",        "FRAME_CONFIG_PLAY",       "FRAME_CONFIG_TEARDOWN",
                                   "FRAME_CONFIG_TRIGGERPAUSE", "FRAME_CONFIG_TRIGGERPLAY", "FRAME_CONFIG_TRIGGERTEARDOWN"};

const char* const kSetParameterNames[] = {"FRAME_CONFIG_CAPUIBCKEYBOARD",    "FRAME_CONFIG_CAPUIBCMOUSE",
                                          "FRAME_CONFIG_CAPRENEGO",          "FRAME_CONFIG_STANDBY",
                                          "FRAME_CONFIG_UIBCSETTINGENABLE",  "FRAME_CONFIG_UIBCSETTINGDISABLE",
                                          "FRAME_CONFIG_ROUTE_AUDIO",        "FRAME_CONFIG_3DVIDEOPARAM",
                                          "FRAME_CONFIG_2DVIDEOPARAM"};

const char* const kActionNames[] = {"ACTION_UIBC_GEN",   "ACTION_UIBC_HID", "ACTION_FRAMESKIP", "ACTION_INPUTVIDEO",
                                    "ACTION_I2CREAD",    "ACTION_I2CWRITE", "ACTION_IDRREQ"};

uint8_t Byte(const WDP_STATUS& status, int offset)
{
    return reinterpret_cast<const uint8_t*>(&status)[offset];
}

bool Bit(uint8_t value, int bit)
{
    return (value >> bit) & 1;
}

void OpenEditor()
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    wdpseams::ShellOpen(std::string(windows) + "\\System32\\notepad.exe");
}

} // namespace

void TFormWiFiDisplay::DoWDPSigmaEvent(const WDP_STATUS& status)
{
    const int code = status.WDPStatus;
    if (code < WDPEVENT_START_WDP_CONNECTION || code > WDPEVENT_TDLS_TEARDOWN) {
        PrintMessage(2, "[WDP][DoWDPSigmaEvent] unknown WDPStatus=%d\n", code);
        return;
    }
    PrintMessage(6, "[WDP][DoWDPSigmaEvent] %s\n", kEventNames[code]);
    if (code == WDPEVENT_RESET_DEFAULT) {
        char text[64];
        std::snprintf(text, sizeof text, "%s\nDevType=%d", kEventNames[code], status.Param4 & WDP_DEVINFO_TYPE_MASK);
        SetStatusText(text);
    } else {
        SetStatusText(kEventNames[code]);
    }
    switch (code) {
    case WDPEVENT_START_WDP_CONNECTION:
        StartConnectionEvent(status);
        break;
    case WDPEVENT_DEV_SEND_FRAME:
        if (status.Param4 == 1) {
            DoWDPSigmaRTSPEvent(status);
            DoWDPSigmaSetParameterEvent(status);
        } else if (status.Param4 != 2) {
            PrintMessage(2, "[WDP][DoWDPSigmaEvent] frame name %d\n", status.Param4);
        }
        break;
    case WDPEVENT_RESET_DEFAULT:
        ResetToDefault(status);
        break;
    case WDPEVENT_QUERY_WDP_TABLE:
        GetUpdateDiscovery();
        break;
    case WDPEVENT_GENERATE_ACTION:
        DoWDPSigmaAction(status);
        break;
    case WDPEVENT_PRESET_TESTPARAMETERS:
        DoPresetTestParameter(status);
        break;
    case WDPEVENT_TDLS_TEARDOWN:
        m_Sink.Stop();
        m_Source.StopRTSPServer();
        break;
    }
}

void TFormWiFiDisplay::StartConnectionEvent(const WDP_STATUS& status)
{
    m_chTDLS = status.ConnectKind;
    static const uint8_t kNoMac[6] = {};
    if (std::memcmp(status.PeerMac, kNoMac, 6) != 0)
        m_strWDPConnectedMac = WDPMacText(status.PeerMac);
    PrintMessage(6, "[WDP][StartConnection] m_chTDLS=%d coupling=%d MAC=%s\n", m_chTDLS, status.Coupling,
                 m_strWDPConnectedMac.c_str());
    if (m_chTDLS == 1) {
        SetStatusConnect(WDP_CONNECT_TDLS, m_strWDPConnectedMac);
    } else if (m_chTDLS == 0) {
        QueryWDPTable();
        SetStatusConnect(WDP_CONNECT_P2P, "");
    } else {
        return;
    }
    StartWDPConnect();
}

void TFormWiFiDisplay::ResetToDefault(const WDP_STATUS& status)
{
    BtnWDPTeardownClick(nullptr);
    std::memset(m_TestParameters, 0, sizeof m_TestParameters);
    m_chTDLS = 0;
    m_bIsWDPSigma = 1;
    m_WDPConfig.ConfigMode = CONFIG_MODE_WDP_ENABLED;
    m_WDPConfig.DevInfo = uint16_t(Byte(status, 4) | Byte(status, 5) << 8);
    SetUIDeviceType(m_WDPConfig.DevInfo & WDP_DEVINFO_TYPE_MASK);
    SetWDPConfigToDriver(1);
    mainwin::SetWDPEventHandleToDriver();
    m_Source.SourceSetDefault();
    m_Sink.SinkSetDefault();
    m_iWDPConnectedPort = 0;
    m_strWDPConnectedIP.clear();
    if (VOZEZIV.WVWL_WlanDeleteAllWindowsProfiles)
        VOZEZIV.WVWL_WlanDeleteAllWindowsProfiles();
    TimerConnectRTSPServer->SetEnabled(false);
    TimerRTSPRetry->SetEnabled(false);
    TimerKeepalive->SetEnabled(false);
    if (VOZEZIV.WVWL_CleanPort2DhcpIPAddress)
        VOZEZIV.WVWL_CleanPort2DhcpIPAddress();
    else
        PrintMessage(2, "[WDP][ResetToDefault] WVWL_CleanPort2DhcpIPAddress=NULL\n");
}

void TFormWiFiDisplay::DoWDPSigmaRTSPEvent(const WDP_STATUS& status)
{
    const int type = status.RtspType;
    if (type == -1)
        return;
    if (type < 0 || type > 5) {
        PrintMessage(2, "[WDP][DoWDPSigmaRTSPEvent] unknown RTSP message type %d\n", type);
        return;
    }
    const int role = LocalRole();
    const bool sinkFrame = type <= 2;
    if (sinkFrame ? role != 1 && role != 2 : role != 0) {
        PrintMessage(2, "[WDP][DoWDPSigmaRTSPEvent] %s is not for device type %d\n", kFrameNames[type], role);
        return;
    }
    PrintMessage(6, "[WDP][DoWDPSigmaRTSPEvent] %s\n", kFrameNames[type]);
    switch (type) {
    case 0: m_Sink.RTSPPause(); break;
    case 1: m_Sink.RTSPPlay(); break;
    case 2: m_Sink.Stop(); break;
    case 3: m_Source.TriggerPause(); break;
    case 4: m_Source.TriggerPlay(); break;
    case 5: m_Source.TriggerTeardown(); break;
    }
}

void TFormWiFiDisplay::DoWDPSigmaSetParameterEvent(const WDP_STATUS& status)
{
    const int type = status.SetParameterType;
    if (type == -1)
        return;
    if (type < -1 || type > 8) {
        PrintMessage(2, "[WDP][DoWDPSigmaSetParameterEvent] unknown SET_PARAMETER type %d\n", type);
        return;
    }
    const int role = LocalRole();
    const bool gen = Bit(m_TestParameters[0], 2), hid = Bit(m_TestParameters[0], 3);
    PrintMessage(6, "[WDP][DoWDPSigmaSetParameterEvent] %s, device type %d, Gen=%d HID=%d\n", kSetParameterNames[type],
                 role, gen, hid);
    const auto wrongRole = [&] {
        PrintMessage(2, "[WDP][DoWDPSigmaSetParameterEvent] %s is not for device type %d\n", kSetParameterNames[type], role);
    };
    const std::string client = WDPSource::SessionState().connectingClientIP;
    switch (type) {
    case 0:
    case 1:
        if (gen) {
            if (role != 0) {
                m_Sink.SnDoWork(type == 0 ? 6 : 5);
            } else {
                m_Source.SigmaI2C(2);
                if (type == 1)
                    m_Source.SigmaI2C(4);
            }
        } else if (hid && role != 0) {
            m_Sink.SnDoWork(type == 0 ? 14 : 13);
        }
        break;
    case 2:
        if (role == 0)
            m_Source.SigmaAVFormatChange(status.FormatCode);
        else
            wrongRole();
        break;
    case 3:
        if (role == 0)
            m_Source.SoStandby();
        else if (role == 1 || role == 2)
            m_Sink.SnStandby();
        else
            wrongRole();
        break;
    case 4:
    case 5:
        if (role != 0)
            wrongRole();
        else if (type == 4)
            m_Source.SoUIBCEnable(client);
        else
            m_Source.SoUIBCDisable(client);
        break;
    default:
        break;
    }
}

void TFormWiFiDisplay::DoWDPSigmaAction(const WDP_STATUS& status)
{
    const int action = status.Param4;
    const int role = LocalRole();
    PrintMessage(6, "[WDP][DoWDPSigmaAction] %s, device type %d\n", action <= 6 ? kActionNames[action] : "unknown", role);
    if (role == 0)
        SourceAction(action, status);
    else
        SinkAction(action, status);
}

void TFormWiFiDisplay::SourceAction(int action, const WDP_STATUS& status)
{
    const int preparation = Byte(status, kUIBCPreparation);
    switch (action) {
    case 0:
        if (preparation == 1)
            OpenEditor();
        else if (preparation == 2 && Application)
            Application->MessageBox("Please don't move cursor and watch cursor", "Warning!",
                                    MB_YESNO | MB_ICONWARNING | MB_SYSTEMMODAL);
        break;
    case 1:
        if (preparation == 1)
            OpenEditor();
        break;
    case 2:
        m_Source.SigmaFrameskip(5);
        break;
    case 3:
        if (status.InputVideo == 1 || status.InputVideo == 2)
            PrintMessage(6, "[WDP][DoWDPSigmaAction] input video %s is not supported\n",
                         status.InputVideo == 1 ? "VIDEO_PROTECTED" : "VIDEO_UNPROTECTED");
        else
            PrintMessage(2, "[WDP][DoWDPSigmaAction] unknown input video type %d\n", status.InputVideo);
        break;
    case 4:
        m_Source.SendReadRequest(kI2CDisplayData, 128);
        break;
    case 5:
        m_Source.SendWriteRequest(kI2CDisplayData, 1);
        break;
    case 6:
        PrintMessage(6, "[WDP][DoWDPSigmaAction] ACTION_IDRREQ on a source\n");
        break;
    default:
        PrintMessage(2, "[WDP][DoWDPSigmaAction] unknown action %d\n", action);
    }
}

void TFormWiFiDisplay::SinkAction(int action, const WDP_STATUS& status)
{
    const int input = Byte(status, kUIBCInputType);
    if (action == 6) {
        m_Sink.RTSPIDRRequest();
        return;
    }
    if (action != 0 && action != 1) {
        PrintMessage(2, "[WDP][DoWDPSigmaAction] action %d on a sink: nothing to do\n", action);
        return;
    }
    if (input != kInputMouse && input != kInputKeyboard) {
        PrintMessage(2, "[WDP][DoWDPSigmaAction] unknown UIBC input type %d\n", input);
        return;
    }
    const bool generic = action == 0;
    if (generic && input == kInputMouse) {
        for (int y = 20; y <= 9920; y += 100) {
            m_Sink.SendMouseMoveUIBC(kGenMove, 20, y, 0, 0);
            seams::Sleep(100);
        }
    } else if (generic) {
        for (int key = 48; key <= 73; ++key) {
            m_Sink.SendMouseMoveUIBC(kGenKeyDown, 0, 0, key, 0);
            seams::Sleep(10);
            m_Sink.SendMouseMoveUIBC(kGenKeyUp, 0, 0, key, 0);
            seams::Sleep(10);
        }
    } else if (input == kInputMouse) {
        m_Sink.SendMouseMoveUIBC(kHidMouse, 10, 10, 0, 0);
        seams::Sleep(100);
    } else {
        for (int key = 65; key <= 130; ++key) {
            m_Sink.SendMouseMoveUIBC(kHidKey, 0, key, 0, 0);
            seams::Sleep(10);
            m_Sink.SendMouseMoveUIBC(kHidKey, 0, 0, 0, 0);
        }
    }
}

void TFormWiFiDisplay::DoPresetTestParameter(const WDP_STATUS& status)
{
    for (int i = 0; i < 4; ++i)
        m_TestParameters[i] = Byte(status, 4 + i);
    const uint8_t* p = m_TestParameters;
    const int videoFormat = (p[1] >> 6) & 3;
    PrintMessage(6,
                 "[WDP][DoPresetTestParameter] WfdDevType=%d UIBC_Gen=%d UIBC_HID=%d UI_Input_Keyboard=%d "
                 "UI_Input_SingleTouchMouse=%d UI_Input_MultiTouchMouse=%d UIBC_Prepare=%d\n",
                 p[0] & 3, Bit(p[0], 2), Bit(p[0], 3), Bit(p[0], 4), Bit(p[0], 5), Bit(p[0], 6), Bit(p[0], 7));
    PrintMessage(6,
                 "[WDP][DoPresetTestParameter] HDCP=%d FrameSkip=%d AvChange=%d Standby=%d InputVideo=%d "
                 "VideoFormat=%d\n",
                 Bit(p[1], 0), Bit(p[1], 1), Bit(p[1], 2), Bit(p[1], 3), (p[1] >> 4) & 3, videoFormat);
    PrintMessage(6,
                 "[WDP][DoPresetTestParameter] I2C=%d VideoRecovery=%d PrefDisplay=%d ServiceDiscovery=%d "
                 "ThreeDVideo=%d MultiTxStream=%d TimeSync=%d EDID=%d CoupledCap=%d\n",
                 Bit(p[2], 0), Bit(p[2], 1), Bit(p[2], 2), Bit(p[2], 3), Bit(p[2], 4), Bit(p[2], 5), Bit(p[2], 6),
                 Bit(p[2], 7), Bit(p[3], 0));
    SetUIDeviceType(p[0] & WDP_DEVINFO_TYPE_MASK);
    m_Source.SendDoWork(nullptr, Bit(p[2], 7) ? 25 : 26, nullptr);
    switch (videoFormat) {
    case 2:
        QueryVideoarray();
        break;
    case 3:
        PrintMessage(2, "[WDP][DoPresetTestParameter] VideoFormat 3 is invalid\n");
        break;
    default:
        PrintMessage(6, "[WDP][DoPresetTestParameter] VideoFormat %s\n", videoFormat == 1 ? "default" : "user defined");
    }
}

int TFormWiFiDisplay::QueryVideoarray()
{
    std::memset(m_VideoArray, 0, sizeof m_VideoArray);
    unsigned long returned = 0;
    const int result = VOZEZIV.WVWL_OIDQueryInfo
                           ? VOZEZIV.WVWL_OIDQueryInfo(OID_WDP_QUERY_VIDEO, m_VideoArray, sizeof m_VideoArray, &returned)
                           : -1;
    std::string hex;
    for (BYTE b : m_VideoArray) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", b);
        hex += two;
    }
    PrintMessage(6, "[WDP][QueryVideoarray] result=%d %s\n", result, hex.c_str());
    return result;
}
