#include "wifidirect/FormWiFiDirectProfile.h"

TFormWiFiDirectProfile* FormWiFiDirectProfile = nullptr;

TFormWiFiDirectProfile::TFormWiFiDirectProfile(TComponent* owner) : TForm(owner)
{
    Name = "FormWiFiDirectProfile";
    SetBorderStyle(bsNone);
    SetClientSize(400, 300);
}

void TFormWiFiDirectProfile::UpdateProfileList()
{
    ++m_nListUpdates;
}
