#pragma once
// EAP-FAST provisioning and the protected access credentials.
#include <windows.h>
#include <vector>


#include "core/FormBase.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditEAPFast : public TFrameBase {
public:
    explicit TFrameProfileEditEAPFast(TComponent* owner);
    void StoreSettings();
    // The credential list taken over from a loaded profile (516-byte entries).
    std::vector<BYTE> m_PacEntries;
    int m_nPacCount = 0;
};
