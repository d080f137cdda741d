#pragma once
// WPS: the method and the access point to enrol with.
#include "core/FormBase.h"

class TFrameProfileEditWPS : public TFrameBase {
public:
    explicit TFrameProfileEditWPS(TComponent* owner);
};
