#pragma once
// The add-credential page of the Hotspot 2.0 window: so far only its name edit, which the
// window fills with the next default name when the page's tab is chosen.
#include "core/FormBase.h"
#include "ui/StdCtrls.h"

class TFrameHotSpotAddCredential : public TFrameBase {
public:
    explicit TFrameHotSpotAddCredential(TComponent* owner);

    TEdit* editProfName = nullptr;
};
