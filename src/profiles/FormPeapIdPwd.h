#pragma once
// The tunnel identity and password dialog (what the main window needs so far).
#include <string>

#include "ui/Forms.h"
#include "wlapi/records.h"

class TFormPeapIdPwd : public TForm {
public:
    explicit TFormPeapIdPwd(TComponent* owner);
    ~TFormPeapIdPwd() override;

    std::string m_strTunnelID;
    std::string m_strTunnelPassword;
    WLANPROFILE* m_pProfile = nullptr;  // the dialog's own buffer
};

extern TFormPeapIdPwd* FormPeapIdPwd;
