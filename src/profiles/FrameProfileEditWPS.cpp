#include "profiles/FrameProfileEditWPS.h"

TFrameProfileEditWPS::TFrameProfileEditWPS(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditWPS";
}
