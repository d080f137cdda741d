#include "profiles/FormInvalidIdPwd.h"

TFormInvalidIdPwd* FormInvalidIdPwd = nullptr;

TFormInvalidIdPwd::TFormInvalidIdPwd(TComponent* owner) : TForm(owner), m_pProfile(new WLANPROFILE{})
{
    Name = "FormInvalidIdPwd";
    SetBorderStyle(bsDialog);
    SetClientSize(300, 150);
}

TFormInvalidIdPwd::~TFormInvalidIdPwd()
{
    delete m_pProfile;
}
