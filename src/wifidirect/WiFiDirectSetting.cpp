#include "wifidirect/WiFiDirectSetting.h"

TFormWiFiDirectSetting* FormWiFiDirectSetting = nullptr;

TFormWiFiDirectSetting::TFormWiFiDirectSetting(TComponent* owner) : TForm(owner)
{
    Name = "FormWiFiDirectSetting";
    SetBorderStyle(bsNone);
    SetClientSize(400, 330);
}
