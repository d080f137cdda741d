#pragma once
// The Wi-Fi Display reminder: a plain dialog whose check box stops it from being shown again.
#include "resources/WvImage.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

class TWiFiDisplayWaning : public TForm {
public:
    explicit TWiFiDisplayWaning(TComponent* owner);

    TLabel* Message = nullptr;
    TCheckBox* CheckDonotReminder = nullptr;
    TWvImage* BtnWiFiDisplay = nullptr;
    TLabel* ImageName = nullptr;

    void FormHide(TObject* Sender);
};

extern TWiFiDisplayWaning* WiFiDisplayWaning;
