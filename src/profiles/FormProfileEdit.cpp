#include "profiles/FormProfileEdit.h"

#include "core/Log.h"

TFormProfileEdit* FormProfileEdit = nullptr;

namespace {
constexpr int kExtRegDeviceFound = 201;
constexpr int kExtRegDeviceRemoved = 202;
}

TFrameProfileEditWPSConnect::TFrameProfileEditWPSConnect(TComponent* owner) : TFrame(owner)
{
    BtnPBC = new TWvImage(this);
    BtnPBC->SetParent(this);
}

TFormProfileEdit::TFormProfileEdit(TComponent* owner) : TForm(owner)
{
    Name = "FormProfileEdit";
    SetBorderStyle(bsNone);
    SetClientSize(395, 400);
    TimerWPSHWPBC = new TTimer(this);
    TimerWPSHWPBC->SetInterval(1000);
}

void TFormProfileEdit::SysBtnCloseClick(TObject*)
{
    Hide();
}

void TFormProfileEdit::OnExtRegWpsMessage(BYTE code)
{
    PrintMessage(6, " TFormProfileEdit::OnExtRegWpsMessage %d\n", int(code));
    m_nLastExtRegCode = code;
    if (code == kExtRegDeviceFound)
        m_bExtRegDeviceFound = TRUE;
    else if (code == kExtRegDeviceRemoved)
        m_bExtRegDeviceFound = FALSE;
}
