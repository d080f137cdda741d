#pragma once
// The WAPI certificate mode and the user certificate.
#include <windows.h>

#include "core/FormBase.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditWAPICert : public TFrameBase {
public:
    explicit TFrameProfileEditWAPICert(TComponent* owner);
};
