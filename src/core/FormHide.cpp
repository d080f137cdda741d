#include "core/FormHide.h"

TFormHide* FormHide = nullptr;

TFormHide::TFormHide(TComponent* AOwner) : TForm(AOwner)
{
    Name = "FormHide";
    SetCaption("Tarnwell WLAN Utility");
    SetClientSize(312, 216);
}
