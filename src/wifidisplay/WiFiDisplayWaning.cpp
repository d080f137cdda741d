#include "wifidisplay/WiFiDisplayWaning.h"

TWiFiDisplayWaning* WiFiDisplayWaning = nullptr;

TWiFiDisplayWaning::TWiFiDisplayWaning(TComponent* owner) : TForm(owner)
{
    Name = "WiFiDisplayWaning";
    SetBorderStyle(bsDialog);
    SetClientSize(300, 120);
}
