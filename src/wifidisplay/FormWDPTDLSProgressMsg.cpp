#include "wifidisplay/FormWDPTDLSProgressMsg.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "resources/UiStr.h"
#include "wlapi/result.h"

TFormWDPTDLSProgressMsg* FormWDPTDLSProgressMsg = nullptr;

namespace {

constexpr int kFrames = 10;
constexpr int kTimeoutTicks = 30;

std::string MacText(const BYTE* mac, char separator)
{
    char text[18];
    std::snprintf(text, sizeof text, "%02X%c%02X%c%02X%c%02X%c%02X%c%02X", mac[0], separator, mac[1], separator,
                  mac[2], separator, mac[3], separator, mac[4], separator, mac[5]);
    return text;
}

} // namespace

TFormWDPTDLSProgressMsg::TFormWDPTDLSProgressMsg(TComponent* owner) : TFormBase(owner)
{
    Name = "FormWDPTDLSProgressMsg";
    SetClientSize(280, 80);
    SetPosition(poScreenCenter);
    TFormResource* res = FormResource;
    if (res) {
        TImage* frames[] = {res->ImgSG01, res->ImgSG02, res->ImgSG03, res->ImgSG04, res->ImgSG05,
                            res->ImgSG06, res->ImgSG07, res->ImgSG08, res->ImgSG09, res->ImgSG10};
        std::memcpy(m_Frames, frames, sizeof m_Frames);
    }
    ImgSandGlass = new TImage(this);
    ImgSandGlass->SetParent(this);
    ImgSandGlass->SetBounds(110, 14, 47, 47);
    BtnProgCancel = MakePushButton(this, 200, 46, 60, 22, res ? res->ImgBtnProfileCancel_Normal : nullptr,
                                   res ? res->ImgBtnProfileCancel_Down : nullptr, nullptr);
    BtnProgCancel->OnClick = [this](TObject* s) { BtnWDPTDLSProgCancelClick(s); };
    TimerProgress = new TTimer(this);
    TimerProgress->SetEnabled(false);
    TimerProgress->SetInterval(1000);
    TimerProgress->OnTimer = [this](TObject* s) { TimerProgressTimer(s); };
    OnShow = [this](TObject*) { StartProgress(); };
}

void TFormWDPTDLSProgressMsg::StartProgress()
{
    // each wait reports only its own outcome
    m_bTDLSConnectFail = 1;
    m_strTDLSIP.clear();
    m_nFrame = 0;
    m_nTicks = 0;
    TimerProgress->SetEnabled(true);
    if (m_Frames[0])
        ImgSandGlass->SetPicture(m_Frames[0]->Picture());
}

void TFormWDPTDLSProgressMsg::BtnWDPTDLSProgCancelClick(TObject*)
{
    // A cancel that comes after the link is up changes nothing: the outcome stays success.
    TimerProgress->SetEnabled(false);
    PrintMessage(6, "[WDP][TDLSProgress] cancel, fail=%d\n", m_bTDLSConnectFail);
    Close();
}

void TFormWDPTDLSProgressMsg::TimerProgressTimer(TObject*)
{
    m_nFrame = (m_nFrame + 1) % kFrames;
    ++m_nTicks;
    if (m_nTicks >= kTimeoutTicks) {
        TimerProgress->SetEnabled(false);
        const CUISTR* s = FormResource ? FormResource->UI_Str.get() : nullptr;
        ShowMessageBox(s ? s->STR_TDLS_CONNECT_FAIL : std::string(), 0);
        Close();
        return;
    }
    if (m_Frames[m_nFrame])
        ImgSandGlass->SetPicture(m_Frames[m_nFrame]->Picture());
    GetWDPTable();
    const std::string address = FindTDLSIPByDeviceMacInWDPTableProgress(m_strTargetMac);
    if (address.empty() || address == "0.0.0.0") {
        m_strTDLSIP = "0.0.0.0";
        m_bTDLSConnectFail = 1;
        PrintMessage(6, "[WDP][TDLSProgress] TDLS isn't ready\n");
        return;
    }
    TimerProgress->SetEnabled(false);
    m_bTDLSConnectFail = 0;
    m_strTDLSIP = address;
    PrintMessage(6, "[WDP][TDLSProgress] TDLS is ready %s\n", address.c_str());
    Close();
}

std::string TFormWDPTDLSProgressMsg::FindTDLSIPByDeviceMacInWDPTableProgress(const std::string& mac) const
{
    if (m_WDPTable.ClientNumber == 0)
        return {};
    if (m_WDPTable.ClientNumber > MAX_WDP_TABLE_SIZE || m_WDPTable.Start > MAX_WDP_TABLE_SIZE) {
        PrintMessage(2, "[WDP][TDLSProgress] ClientNumber=%d Start=%d above MAX_WDP_TABLE_SIZE=%d\n",
                     m_WDPTable.ClientNumber, m_WDPTable.Start, MAX_WDP_TABLE_SIZE);
        return {};
    }
    std::string wanted = mac;
    for (char& c : wanted)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    for (int k = 0; k < m_WDPTable.ClientNumber; ++k) {
        const WDP_ENTRY& e = m_WDPTable.Entry[(m_WDPTable.Start + k) % MAX_WDP_TABLE_SIZE];
        if (MacText(e.DevMac, '-') != wanted && MacText(e.DevMac, ':') != wanted)
            continue;
        char text[16];
        std::snprintf(text, sizeof text, "%d.%d.%d.%d", e.TdlsIp[0], e.TdlsIp[1], e.TdlsIp[2], e.TdlsIp[3]);
        return text;
    }
    return {};
}

void TFormWDPTDLSProgressMsg::GetWDPTable()
{
    std::memset(&m_WDPTable, 0, sizeof m_WDPTable);
    const int result = VOZEZIV.WVWL_GetWDPTable ? VOZEZIV.WVWL_GetWDPTable(&m_WDPTable) : -1;
    if (result != WVWL_ERROR_SUCCESS)
        PrintMessage(2, "[WDP][TDLSProgress] WVWL_GetWDPTable()=%d\n", result);
}
