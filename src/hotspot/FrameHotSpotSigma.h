#pragma once
// The certification test page of the Hotspot 2.0 window (its controls are still to come).
#include "core/FormBase.h"

class TFrameHotSpotSigma : public TFrameBase {
public:
    explicit TFrameHotSpotSigma(TComponent* owner);
};
