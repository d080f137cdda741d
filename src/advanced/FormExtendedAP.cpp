#include "advanced/FormExtendedAP.h"

TFormExtendedAP* FormExtendedAP = nullptr;

TFormExtendedAP::TFormExtendedAP(TComponent* owner) : TForm(owner)
{
    Name = "FormExtendedAP";
    SetBorderStyle(bsNone);
    SetClientSize(395, 300);
}

void TFormExtendedAP::SysBtnCloseClick(TObject*)
{
    Hide();
}
