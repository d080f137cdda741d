#include "wifidisplay/WDPUIBCControlPanelForm.h"

TWDPUIBCControlPanelForm* WDPUIBCControlPanelForm = nullptr;

TWDPUIBCControlPanelForm::TWDPUIBCControlPanelForm(TComponent* owner) : TForm(owner)
{
    Name = "WDPUIBCControlPanelForm";
    SetCaption("UIBC Control Panel");
    SetClientSize(320, 240);
}
