#include "wifidirect/FormWiFiDirectMediaSharing.h"

TFormWiFiDirectMediaSharing* FormWiFiDirectMediaSharing = nullptr;

TFormWiFiDirectMediaSharing::TFormWiFiDirectMediaSharing(TComponent* owner) : TForm(owner)
{
    Name = "FormWiFiDirectMediaSharing";
    SetBorderStyle(bsNone);
    SetClientSize(400, 300);
}
