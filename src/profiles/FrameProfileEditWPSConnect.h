#pragma once
// The WPS connect page (what other windows reach of it so far).
#include <windows.h>

#include "core/FormBase.h"
#include "resources/WvImage.h"

class TFrameProfileEditWPSConnect : public TFrameBase {
public:
    explicit TFrameProfileEditWPSConnect(TComponent* owner);
    TWvImage* BtnPBC = nullptr;
    // PIN connect: runs the WPS PIN road.
    void BtnPINClick(TObject* Sender);
};
