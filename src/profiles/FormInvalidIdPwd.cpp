#include "profiles/FormInvalidIdPwd.h"

#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/MainWindowServices.h"
#include "profiles/IdPwdFields.h"
#include "resources/FormResource.h"

TFormInvalidIdPwd* FormInvalidIdPwd = nullptr;

namespace {

// The interface texts; empty ones when the picture repository does not exist.
const CUISTR& Texts()
{
    static const CUISTR none;
    return FormResource && FormResource->UI_Str ? *FormResource->UI_Str : none;
}

constexpr uint32_t kMethodTls = 1;

// The time-out text of an 802.1X method, or null for a method without one.
const std::string* TimeoutText(const CUISTR& texts, uint32_t method)
{
    switch (method) {
    case 0: return &texts.STR_PEAP_TIMEOUT;
    case 1: return &texts.STR_TLS_TIMEOUT;
    case 2: return &texts.STR_TTLS_TIMEOUT;
    case 3: return &texts.STR_EAP_FAST_TIMEOUT;
    case 4: return &texts.STR_MD5_TIMEOUT;
    case 5: return &texts.STR_LEAP_TIMEOUT;
    default: return nullptr;
    }
}

}  // namespace

TFormInvalidIdPwd::TFormInvalidIdPwd(TComponent* owner)
    : TForm(owner), m_profileBuffer(std::make_unique<WLANPROFILE>())
{
    Name = "FormInvalidIdPwd";
    m_pProfile = m_profileBuffer.get();
    const CUISTR& texts = Texts();
    SetBorderStyle(bsDialog);
    SetClientSize(340, 224);
    SetCaption(texts.STR_WEVO_MESSAGE);
    SetPosition(poScreenCenter);

    lblCardNameText = new TLabel({.Parent = this, .Left = 12, .Top = 12, .Caption = texts.STR_CARD_NAME});
    lblCardName = new TLabel({this, 130, 12, 198, 16});
    lblCardName->SetEllipsisPosition(epEndEllipsis);
    lblProfileNameText = new TLabel({.Parent = this, .Left = 12, .Top = 36, .Caption = texts.STR_PROFILE_NAME});
    lblProfileName = new TLabel({this, 130, 36, 198, 16});
    lblProfileName->SetEllipsisPosition(epEndEllipsis);
    lblMessageText = new TLabel({.Parent = this, .Left = 12, .Top = 60, .Caption = texts.STR_MESSAGE});
    lblMessage = new TLabel({this, 130, 60, 198, 48});
    lblMessage->SetWordWrap(true);

    lblTunnelIDText = new TLabel({.Parent = this, .Left = 12, .Top = 120, .Caption = texts.STR_TUNNEL_AUTHEN_ID});
    editTunnelID = new TEdit({this, 138, 116, 190, 21});
    editTunnelID->SetMaxLength(ID_PWD_MAX_INPUT);
    lblTunnelPasswordText = new TLabel({.Parent = this, .Left = 12, .Top = 150, .Caption = texts.STR_TUNNEL_AUTHEN_PASSWORD});
    editTunnelPassword = new TEdit({this, 138, 146, 190, 21});
    editTunnelPassword->SetMaxLength(ID_PWD_MAX_INPUT);
    editTunnelPassword->SetPasswordChar('*');

    BtnOK = new TButton({this, 132, 188, 75, 25, texts.STR_OK});
    BtnOK->Default = true;

    BtnOK->OnClick = [this](TObject* sender) { BtnOKClick(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
}

void TFormInvalidIdPwd::FormShow(TObject*)
{
    PrintMessage(6, " --> TFormInvalidIdPwd::FormShow\n");
    const CUISTR& texts = Texts();

    char cardName[128] = {};
    VOZEZIV.WVWL_ReadDriverDesc(cardName);
    m_strCardName = FieldText(cardName);
    char profileName[128] = {};
    VOZEZIV.WVWL_ReadActiveProfileName(profileName);
    m_strProfileName = FieldText(profileName);
    lblCardName->SetCaption(m_strCardName);
    lblProfileName->SetCaption(m_strProfileName);

    m_strID.clear();
    m_strPassword.clear();
    editTunnelID->SetText("");
    editTunnelPassword->SetText("");

    const bool rejected = mainwin::IdentityRejected();
    const uint32_t method = m_pProfile->enumAuthenProtocol;
    if (rejected)
        m_strReason = texts.STR_INVALID_IDPW;
    else if (const std::string* timeout = TimeoutText(texts, method))
        m_strReason = *timeout;
    else
        m_strReason.clear();   // never the stale reason of an earlier failure
    lblMessage->SetCaption(m_strReason);

    lblTunnelIDText->SetVisible(rejected);
    editTunnelID->SetVisible(rejected);
    const bool askPassword = rejected && method != kMethodTls;
    lblTunnelPasswordText->SetVisible(askPassword);
    editTunnelPassword->SetVisible(askPassword);
    PrintMessage(6, " <-- TFormInvalidIdPwd::FormShow\n");
}

void TFormInvalidIdPwd::BtnOKClick(TObject*)
{
    PrintMessage(6, " --> TFormInvalidIdPwd::BtnOKClick\n");
    const CUISTR& texts = Texts();
    m_strID = editTunnelID->Text();
    m_strPassword = editTunnelPassword->Text();

    if (mainwin::IdentityRejected()) {
        if (m_strID.empty()) {
            ShowMessageBox(texts.STR_INPUT_IDENTITY, 0);
            return;
        }
        if (m_strPassword.empty() && m_pProfile->enumAuthenProtocol != kMethodTls) {
            ShowMessageBox(texts.STR_INPUT_PASSWORD, 0);
            return;
        }
        char identity[128];
        char password[128];
        SetTextField(identity, m_strID);
        SetTextField(password, m_strPassword);
        VOZEZIV.WVWL_WriteIDnPasswd(identity, password);
        SetTextField(m_pProfile->chID, m_strID);
        SetTextField(m_pProfile->chPassword, m_strPassword);
    }

    mainwin::SetReConnect();
    if (!VOZEZIV.bProfAdvPage) {
        unsigned long psMode = m_pProfile->enumPSMode;
        VOZEZIV.WVWL_ReadPSMode(&psMode);
        m_pProfile->enumPSMode = uint32_t(psMode);
    }
    VOZEZIV.WVWL_SetWLANProfile(m_pProfile);
    SetModalResult(mrOk);
    PrintMessage(6, " <-- TFormInvalidIdPwd::BtnOKClick\n");
}
