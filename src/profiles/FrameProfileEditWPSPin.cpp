#include "profiles/FrameProfileEditWPSPin.h"

TFrameProfileEditWPSPin::TFrameProfileEditWPSPin(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditWPSPin";
}
