#include "wifidisplay/FormWiFiDisplay.h"

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "wlapi/constants.h"

TFormWiFiDisplay* FormWiFiDisplay = nullptr;

TFormWiFiDisplay::TFormWiFiDisplay(TComponent* owner) : TForm(owner)
{
    Name = "FormWiFiDisplay";
    SetBorderStyle(bsNone);
    SetClientSize(400, 330);
    BtnWDPTeardown = new TWvImage(this);
    BtnWDPTeardown->SetParent(this);
    BtnWDPTeardown->SetEnabled(false);
}

void TFormWiFiDisplay::Dispatch(TMessage& Message)
{
    if (Message.Msg == MSG_WIFIDISPLAY_EVENET) {
        ++m_nEventsHandled;
        PrintMessage(6, "[WDP] TFormWiFiDisplay: MSG_WIFIDISPLAY_EVENET\n");
        return;
    }
    TForm::Dispatch(Message);
}

void TFormWiFiDisplay::SysBtnCloseClick(TObject*)
{
    Hide();
}

void TFormWiFiDisplay::BtnWDPTeardownClick(TObject*)
{
    PrintMessage(6, "[WDP] TFormWiFiDisplay::BtnWDPTeardownClick\n");
    m_bSessionTornDown = TRUE;
    BtnWDPTeardown->SetEnabled(false);
}

void TFormWiFiDisplay::ResetWDPView()
{
    m_bViewReset = TRUE;
}

void TFormWiFiDisplay::SetWDPConfigToDriver(int enable)
{
    PrintMessage(6, "[WDP] TFormWiFiDisplay::SetWDPConfigToDriver(%d)\n", enable);
    if (!VOZEZIV.WVWL_WriteAndSetWDPConfig || !VOZEZIV.WVWL_ReadWDPConfig)
        return;
    alignas(4) BYTE config[452] = {};
    VOZEZIV.WVWL_ReadWDPConfig(config);
    config[0] = enable ? 1 : 0;
    VOZEZIV.WVWL_WriteAndSetWDPConfig(config, enable);
}
