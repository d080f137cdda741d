#pragma once
// WPS: the PIN of the enrollee or registrar.
#include "core/FormBase.h"

class TFrameProfileEditWPSPin : public TFrameBase {
public:
    explicit TFrameProfileEditWPSPin(TComponent* owner);
};
