#include "profiles/FormPeapIdPwd.h"

TFormPeapIdPwd* FormPeapIdPwd = nullptr;

TFormPeapIdPwd::TFormPeapIdPwd(TComponent* owner) : TForm(owner), m_pProfile(new WLANPROFILE{})
{
    Name = "FormPeapIdPwd";
    SetBorderStyle(bsDialog);
    SetClientSize(300, 150);
}

TFormPeapIdPwd::~TFormPeapIdPwd()
{
    delete m_pProfile;
}
