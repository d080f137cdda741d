#include "wifidisplay/WiFiDisplayWaning.h"

#include <algorithm>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "resources/UiStr.h"

TWiFiDisplayWaning* WiFiDisplayWaning = nullptr;

namespace {
std::string S(std::string CUISTR::*member)
{
    const CUISTR* s = FormResource ? FormResource->UI_Str.get() : nullptr;
    return s ? s->*member : std::string();
}
} // namespace

TWiFiDisplayWaning::TWiFiDisplayWaning(TComponent* owner) : TForm(owner)
{
    Name = "WiFiDisplayWaning";
    SetBorderStyle(bsDialog);
    SetCaption("Warning");
    SetClientSize(409, 124);
    Font().SetName("Tahoma");

    TFormResource* res = FormResource;
    TImage* picture = res ? res->ImgBtnWiFiDisplay_Normal : nullptr;
    BtnWiFiDisplay = MakePushButton(this, 16, 16, 25, 25, picture, picture, picture);
    BtnWiFiDisplay->SetEnabled(false);
    ImageName = new TLabel(this);
    ImageName->SetParent(this);
    ImageName->SetAlignment(taRightJustify);
    ImageName->SetBounds(0, 46, 64, 13);
    ImageName->SetAutoSize(true);
    ImageName->SetCaption("Wi-Fi Display");
    // Centred under the picture, and never past the window's left edge.
    const int centre = BtnWiFiDisplay->Left() + BtnWiFiDisplay->Width() / 2;
    ImageName->SetLeft(std::max(4, centre - ImageName->Width() / 2));

    Message = new TLabel(this);
    Message->SetParent(this);
    Message->SetAutoSize(false);
    Message->SetWordWrap(true);
    Message->SetBounds(76, 16, 317, 64);
    Message->SetCaption(S(&CUISTR::STR_WARN_REMINDER));

    CheckDonotReminder = new TCheckBox(this);
    CheckDonotReminder->SetParent(this);
    CheckDonotReminder->SetBounds(76, 92, 317, 17);
    const std::string reminder = S(&CUISTR::STR_DONOT_REMINDER);
    CheckDonotReminder->SetCaption(reminder.empty() ? "Don't reminder me" : reminder);

    OnHide = [this](TObject* s) { FormHide(s); };
}

void TWiFiDisplayWaning::FormHide(TObject*)
{
    if (!CheckDonotReminder->Checked()) {
        PrintMessage(6, "[WDP] TWiFiDisplayWaning: reminder kept\n");
        return;
    }
    if (!VOZEZIV.WVWL_WriteWDPUIConfig) {
        PrintMessage(2, "[WDP] TWiFiDisplayWaning: WVWL_WriteWDPUIConfig=NULL\n");
        return;
    }
    const unsigned long show = 0;
    const int result = VOZEZIV.WVWL_WriteWDPUIConfig(&show);
    PrintMessage(6, "[WDP] TWiFiDisplayWaning: WVWL_WriteWDPUIConfig(0)=%d\n", result);
}
