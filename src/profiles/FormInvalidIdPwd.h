#pragma once
// The dialog for a new identity after a failed authentication (what the main
// window needs so far).
#include "ui/Forms.h"
#include "wlapi/records.h"

class TFormInvalidIdPwd : public TForm {
public:
    explicit TFormInvalidIdPwd(TComponent* owner);
    ~TFormInvalidIdPwd() override;

    WLANPROFILE* m_pProfile = nullptr;  // the dialog's own buffer
};

extern TFormInvalidIdPwd* FormInvalidIdPwd;
