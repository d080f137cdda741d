#include "advanced/FrameAdvancedCertManagement.h"

TFrameAdvancedCertManagement::TFrameAdvancedCertManagement(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameAdvancedCertManagement";
}
