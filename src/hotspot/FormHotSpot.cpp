#include "hotspot/FormHotSpot.h"

#include "core/Log.h"

TFormHotSpot* FormHotSpot = nullptr;

TFrameHotSpotMain::TFrameHotSpotMain(TComponent* owner) : TFrame(owner)
{
    rBtnDisableHS20 = new TRadioButton(this);
    rBtnDisableHS20->SetParent(this);
    rBtnDisableHS20->OnClick = [this](TObject* s) { rBtnDisableHS20Click(s); };
}

void TFrameHotSpotMain::rBtnDisableHS20Click(TObject*)
{
    PrintMessage(6, " TFrameHotSpotMain::rBtnDisableHS20Click\n");
    m_bHS20Active = 0;
}

int TFrameHotSpotMain::GetConnectedHS20Text(std::string&)
{
    return 0;
}

int TFrameHotSpotMain::DelConnectedParameters()
{
    return 0;
}

TFormHotSpot::TFormHotSpot(TComponent* owner) : TForm(owner)
{
    Name = "FormHotSpot";
    SetBorderStyle(bsNone);
    SetClientSize(400, 330);
    FrameHotSpotMain = new TFrameHotSpotMain(this);
    FrameHotSpotMain->SetParent(this);
}

void TFormHotSpot::SysBtnCloseClick(TObject*)
{
    Hide();
}
