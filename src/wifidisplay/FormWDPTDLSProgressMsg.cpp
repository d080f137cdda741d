#include "wifidisplay/FormWDPTDLSProgressMsg.h"

#include <cstring>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "wlapi/result.h"

TFormWDPTDLSProgressMsg* FormWDPTDLSProgressMsg = nullptr;

TFormWDPTDLSProgressMsg::TFormWDPTDLSProgressMsg(TComponent* owner) : TFormBase(owner)
{
    Name = "FormWDPTDLSProgressMsg";
    SetClientSize(280, 80);
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
    OnShow = [this](TObject*) { StartProgress(); };
}

void TFormWDPTDLSProgressMsg::StartProgress()
{
    m_nFrame = 0;
    m_nTicks = 0;
    TimerProgress->SetEnabled(true);
    if (m_Frames[0])
        ImgSandGlass->SetPicture(m_Frames[0]->Picture());
}

void TFormWDPTDLSProgressMsg::BtnWDPTDLSProgCancelClick(TObject*)
{
    TimerProgress->SetEnabled(false);
    Close();
}

void TFormWDPTDLSProgressMsg::GetWDPTable()
{
    std::memset(&m_WDPTable, 0, sizeof m_WDPTable);
    const int result = VOZEZIV.WVWL_GetWDPTable ? VOZEZIV.WVWL_GetWDPTable(&m_WDPTable) : -1;
    if (result != WVWL_ERROR_SUCCESS)
        PrintMessage(2, "[WDP][TDLSProgress] WVWL_GetWDPTable()=%d\n", result);
}
