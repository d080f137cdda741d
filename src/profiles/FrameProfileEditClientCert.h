#pragma once
// The client certificate of TLS and PEAP-TLS.
#include <windows.h>

#include "core/FormBase.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditClientCert : public TFrameBase {
public:
    explicit TFrameProfileEditClientCert(TComponent* owner);
    void StoreSettings();
    bool CheckSettings();
};
