#pragma once
// WPS: the profile a run produced.
#include "core/FormBase.h"

class TFrameProfileEditWPSProfile : public TFrameBase {
public:
    explicit TFrameProfileEditWPSProfile(TComponent* owner);
};
