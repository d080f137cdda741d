#include "hotspot/FrameHotSpotAddProfile.h"

TFrameHotSpotAddProfile::TFrameHotSpotAddProfile(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameHotSpotAddProfile";
    editProfName = new TEdit(this);
    editProfName->SetParent(this);
    editProfName->SetBounds(150, 40, 180, 21);
}
