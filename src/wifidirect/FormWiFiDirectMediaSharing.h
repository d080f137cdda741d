#pragma once
// The media-sharing window (what the main window needs of it so far).
#include "ui/Forms.h"

class TFormWiFiDirectMediaSharing : public TForm {
public:
    explicit TFormWiFiDirectMediaSharing(TComponent* owner);
};

extern TFormWiFiDirectMediaSharing* FormWiFiDirectMediaSharing;
