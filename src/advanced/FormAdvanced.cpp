#include "advanced/FormAdvanced.h"

TFormAdvanced* FormAdvanced = nullptr;

TFrameAdvancedWireless::TFrameAdvancedWireless(TComponent* owner) : TFrame(owner)
{
    chBox11NMode = new TCheckBox(this);
    chBox11NMode->SetParent(this);
    chBox11NMode->SetChecked(true);
}

TFormAdvanced::TFormAdvanced(TComponent* owner) : TForm(owner)
{
    Name = "FormAdvanced";
    SetBorderStyle(bsNone);
    SetClientSize(395, 330);
    TabBtnWMM = new TWvImage(this);
    TabBtnWMM->SetParent(this);
    TabBtnCCX = new TWvImage(this);
    TabBtnCCX->SetParent(this);
    FrameAdvancedWireless = new TFrameAdvancedWireless(this);
    FrameAdvancedWireless->SetParent(this);
}

void TFormAdvanced::SysBtnCloseClick(TObject*)
{
    Hide();
}

bool TFormAdvanced::Is11nModeChecked() const
{
    return FrameAdvancedWireless && FrameAdvancedWireless->chBox11NMode && FrameAdvancedWireless->chBox11NMode->Checked();
}
