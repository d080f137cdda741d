#pragma once
// WPS: the profile an external registrar configures.
#include "core/FormBase.h"

class TFrameProfileEditExtregWPSProfile : public TFrameBase {
public:
    explicit TFrameProfileEditExtregWPSProfile(TComponent* owner);
};
