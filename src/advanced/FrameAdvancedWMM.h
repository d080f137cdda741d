#pragma once
// WMM page of the advanced window (tab id 4); its controls are still to come.
#include "core/FormBase.h"

class TFrameAdvancedWMM : public TFrameBase {
public:
    explicit TFrameAdvancedWMM(TComponent* owner);
};
