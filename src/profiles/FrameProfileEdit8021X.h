#pragma once
// EAP method, inner method, identity and password of an 802.1X profile.
#include <windows.h>

#include "core/FormBase.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TFrameProfileEdit8021X : public TFrameBase {
public:
    explicit TFrameProfileEdit8021X(TComponent* owner);
    // The page's values into the editor's working copy.
    void StoreSettings();
    // True when the settings may be used (identity and certificates as the method needs).
    bool CheckSettings();
};
