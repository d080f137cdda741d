#include "wifidisplay/FormWFADispDevDetailInfo.h"

TFormWFADispDevDetailInfo* FormWFADispDevDetailInfo = nullptr;

TFormWFADispDevDetailInfo::TFormWFADispDevDetailInfo(TComponent* owner) : TForm(owner)
{
    Name = "FormWFADispDevDetailInfo";
    SetBorderStyle(bsDialog);
    SetClientSize(300, 200);
}

void TFormWFADispDevDetailInfo::SysBtnCloseClick(TObject*)
{
    Hide();
}
