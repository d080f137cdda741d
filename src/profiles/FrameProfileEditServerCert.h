#pragma once
// The trusted server certificate authority.
#include <windows.h>

#include "core/FormBase.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditServerCert : public TFrameBase {
public:
    explicit TFrameProfileEditServerCert(TComponent* owner);
    void StoreSettings();
};
