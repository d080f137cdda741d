#include "profiles/FrameProfileEditExtregWPSProfile.h"

TFrameProfileEditExtregWPSProfile::TFrameProfileEditExtregWPSProfile(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditExtregWPSProfile";
}
