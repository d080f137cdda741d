#include "profiles/FrameProfileEditWPSProfile.h"

TFrameProfileEditWPSProfile::TFrameProfileEditWPSProfile(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditWPSProfile";
}
