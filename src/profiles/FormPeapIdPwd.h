#pragma once
// The tunnel identity and password dialog: the one-time password of a PEAP or EAP-FAST
// connection, or a new password when the server demands a change.
#include <memory>
#include <string>

#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

class TFormPeapIdPwd : public TForm {
public:
    explicit TFormPeapIdPwd(TComponent* owner);

    TLabel* lblDescription;
    TLabel* lblTunnelIDText;
    TEdit* editTunnelID;
    TLabel* lblTunnelPasswordText;
    TEdit* editTunnelPassword;
    TButton* BtnOK;

    // Given by the main window before showing; after OK they hold what the user entered.
    std::string m_strTunnelID;
    std::string m_strTunnelPassword;
    WLANPROFILE* m_pProfile = nullptr;  // the dialog's own buffer, filled by the main window

    void FormShow(TObject* Sender);
    void BtnOKClick(TObject* Sender);

private:
    std::unique_ptr<WLANPROFILE> m_profileBuffer;
};

extern TFormPeapIdPwd* FormPeapIdPwd;
