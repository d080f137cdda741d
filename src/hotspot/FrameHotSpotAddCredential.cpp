#include "hotspot/FrameHotSpotAddCredential.h"

TFrameHotSpotAddCredential::TFrameHotSpotAddCredential(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameHotSpotAddCredential";
    editProfName = new TEdit(this);
    editProfName->SetParent(this);
    editProfName->SetBounds(150, 40, 180, 21);
}
