#include "mainwindow/FormAbout.h"

TFormAbout* FormAbout = nullptr;

TFormAbout::TFormAbout(TComponent* owner) : TForm(owner)
{
    Name = "FormAbout";
    SetBorderStyle(bsNone);
    SetClientSize(395, 250);
}

void TFormAbout::SysBtnCloseClick(TObject*)
{
    Hide();
}
