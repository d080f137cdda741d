#include "advanced/FrameAdvancedWMM.h"

TFrameAdvancedWMM::TFrameAdvancedWMM(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameAdvancedWMM";
}
