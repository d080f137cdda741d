#include "advanced/FrameAdvancedWireless.h"

TFrameAdvancedWireless::TFrameAdvancedWireless(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameAdvancedWireless";
    chBox11NMode = new TCheckBox(this);
    chBox11NMode->SetParent(this);
    chBox11NMode->SetChecked(true);
}
