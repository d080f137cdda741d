#include "profiles/FormPeapIdPwd.h"

#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "profiles/IdPwdFields.h"
#include "resources/FormResource.h"

TFormPeapIdPwd* FormPeapIdPwd = nullptr;

namespace {

// The interface texts; empty ones when the picture repository does not exist.
const CUISTR& Texts()
{
    static const CUISTR none;
    return FormResource && FormResource->UI_Str ? *FormResource->UI_Str : none;
}

constexpr uint32_t kMethodPeap = 0;
constexpr uint32_t kMethodEapFast = 3;

}  // namespace

TFormPeapIdPwd::TFormPeapIdPwd(TComponent* owner) : TForm(owner), m_profileBuffer(std::make_unique<WLANPROFILE>())
{
    Name = "FormPeapIdPwd";
    m_pProfile = m_profileBuffer.get();
    const CUISTR& texts = Texts();
    SetBorderStyle(bsDialog);
    SetClientSize(320, 160);
    SetPosition(poScreenCenter);

    lblDescription = new TLabel({this, 12, 10, 296, 40});
    lblDescription->SetWordWrap(true);

    lblTunnelIDText = new TLabel({this, 12, 62, 100, 16});
    editTunnelID = new TEdit({this, 118, 58, 190, 21});
    editTunnelID->SetMaxLength(ID_PWD_MAX_INPUT);
    lblTunnelPasswordText = new TLabel({this, 12, 92, 100, 16});
    editTunnelPassword = new TEdit({this, 118, 88, 190, 21});
    editTunnelPassword->SetMaxLength(ID_PWD_MAX_INPUT);
    editTunnelPassword->SetPasswordChar('*');

    BtnOK = new TButton({this, 122, 124, 75, 25, texts.STR_OK});
    BtnOK->Default = true;

    BtnOK->OnClick = [this](TObject* sender) { BtnOKClick(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
}

void TFormPeapIdPwd::FormShow(TObject*)
{
    PrintMessage(6, " --> TFormPeapIdPwd::FormShow\n");
    const CUISTR& texts = Texts();
    editTunnelID->SetText(m_strTunnelID);
    editTunnelPassword->SetText(m_strTunnelPassword);

    const uint32_t method = m_pProfile->enumAuthenProtocol;
    const bool oneTime = method == kMethodPeap || method == kMethodEapFast;
    if (method == kMethodPeap) {
        SetCaption(texts.STR_PEAP_ONE_TIME);
        lblDescription->SetCaption(texts.STR_PEAP_DESCRIPTION);
    } else if (method == kMethodEapFast) {
        SetCaption(texts.STR_EAP_FAST_ONE_TIME);
        lblDescription->SetCaption(texts.STR_EAP_FAST_DESCRIPTION);
    } else {
        SetCaption(texts.STR_ENTER_NEW_PASSWORD);
        lblDescription->SetCaption(texts.STR_ENTER_NEW_PASSWORD_DESCRIPTION);
    }
    lblTunnelIDText->SetCaption(texts.STR_TUNNEL_IDENTITY);
    lblTunnelPasswordText->SetCaption(texts.STR_TUNNEL_PASSWORD);
    // A new password keeps the identity: only the password can be entered.
    editTunnelID->SetEnabled(oneTime);
    PrintMessage(6, " <-- TFormPeapIdPwd::FormShow\n");
}

void TFormPeapIdPwd::BtnOKClick(TObject*)
{
    PrintMessage(6, " --> TFormPeapIdPwd::BtnOKClick\n");
    const CUISTR& texts = Texts();
    m_strTunnelID = editTunnelID->Text();
    m_strTunnelPassword = editTunnelPassword->Text();
    if (m_strTunnelID.empty()) {
        ShowMessageBox(texts.STR_INPUT_IDENTITY, 0);
        return;
    }
    if (m_strTunnelPassword.empty()) {
        ShowMessageBox(texts.STR_INPUT_PASSWORD, 0);
        return;
    }

    if (m_pProfile->nIDModeIndex != 1)
        SetTextField(m_pProfile->chID, m_strTunnelID);
    SetTextField(m_pProfile->chPassword, m_strTunnelPassword);

    char identity[128];
    char password[128];
    SetTextField(identity, m_strTunnelID);
    SetTextField(password, m_strTunnelPassword);
    VOZEZIV.WVWL_WriteIDnPasswd(identity, password);
    // The answer is not used; the library may fill a whole status record behind the words.
    alignas(4) BYTE ssoStatus[1036] = {};
    VOZEZIV.WVWL_ReadSSOStatus(reinterpret_cast<int*>(ssoStatus), reinterpret_cast<int*>(ssoStatus + 4));
    SetModalResult(mrOk);
    PrintMessage(6, " <-- TFormPeapIdPwd::BtnOKClick\n");
}
