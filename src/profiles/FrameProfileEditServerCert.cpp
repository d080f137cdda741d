#include "profiles/FrameProfileEditServerCert.h"

#include "profiles/FormProfileEdit.h"

TFrameProfileEditServerCert::TFrameProfileEditServerCert(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditServerCert";
}

void TFrameProfileEditServerCert::StoreSettings() {}
