#include "advanced/FrameAdvancedCCX.h"

TFrameAdvancedCCX::TFrameAdvancedCCX(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameAdvancedCCX";
}
