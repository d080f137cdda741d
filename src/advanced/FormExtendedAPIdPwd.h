#pragma once
// The SSID and key dialog of the AP-client switch (what the main window needs of it so far).
#include <string>

#include "ui/Forms.h"
#include "wlapi/records.h"

class TFormExtendedAPIdPwd : public TForm {
public:
    explicit TFormExtendedAPIdPwd(TComponent* owner);

    EXTAP_CONFIG m_Config{};

    // Zero-fills the working record and copies the given one into it.
    void SetConfig(EXTAP_CONFIG config);
    // The OK check: a non-empty SSID and a key of 8 to 64 characters (64 only hexadecimal);
    // stores both with 8 clients through WVWL_WriteExtAPConfig and ends with OK.
    bool Accept(const std::string& ssid, const std::string& key);
};

extern TFormExtendedAPIdPwd* FormExtendedAPIdPwd;
