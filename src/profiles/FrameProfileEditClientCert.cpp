#include "profiles/FrameProfileEditClientCert.h"

#include "profiles/FormProfileEdit.h"

TFrameProfileEditClientCert::TFrameProfileEditClientCert(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditClientCert";
}

void TFrameProfileEditClientCert::StoreSettings() {}

bool TFrameProfileEditClientCert::CheckSettings()
{
    return true;
}
