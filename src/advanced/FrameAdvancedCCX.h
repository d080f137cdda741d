#pragma once
// CCX page of the advanced window (tab id 3); its controls are still to come.
#include "core/FormBase.h"

class TFrameAdvancedCCX : public TFrameBase {
public:
    explicit TFrameAdvancedCCX(TComponent* owner);
};
