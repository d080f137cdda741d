#pragma once
// The Wi-Fi Display reminder window (what the main window needs so far).
#include "ui/Forms.h"

class TWiFiDisplayWaning : public TForm {
public:
    explicit TWiFiDisplayWaning(TComponent* owner);
};

extern TWiFiDisplayWaning* WiFiDisplayWaning;
