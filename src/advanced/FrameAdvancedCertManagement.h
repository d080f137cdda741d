#pragma once
// Certificate-centre page of the advanced window (tab id 2); its controls are still to come.
#include "core/FormBase.h"

class TFrameAdvancedCertManagement : public TFrameBase {
public:
    explicit TFrameAdvancedCertManagement(TComponent* owner);
};
