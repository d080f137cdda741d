#pragma once
// The dialog shown after an 802.1X authentication failed: why it failed and, for a rejected
// identity, a new identity and password with which it reconnects.
#include <memory>
#include <string>

#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

class TFormInvalidIdPwd : public TForm {
public:
    explicit TFormInvalidIdPwd(TComponent* owner);

    TLabel* lblCardNameText;
    TLabel* lblCardName;
    TLabel* lblProfileNameText;
    TLabel* lblProfileName;
    TLabel* lblMessageText;
    TLabel* lblMessage;
    TLabel* lblTunnelIDText;
    TEdit* editTunnelID;
    TLabel* lblTunnelPasswordText;
    TEdit* editTunnelPassword;
    TButton* BtnOK;

    WLANPROFILE* m_pProfile = nullptr;  // the dialog's own buffer, filled by the main window
    std::string m_strCardName;
    std::string m_strProfileName;
    std::string m_strReason;
    std::string m_strID;
    std::string m_strPassword;

    void FormShow(TObject* Sender);
    void BtnOKClick(TObject* Sender);

private:
    std::unique_ptr<WLANPROFILE> m_profileBuffer;
};

extern TFormInvalidIdPwd* FormInvalidIdPwd;
