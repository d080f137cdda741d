#include "profiles/FrameProfileEditServerCert.h"

#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"
#include "wlapi/constants.h"

using namespace ProfileEditUi;

namespace {

const char kAnyTrustedCA[] = "- Any Trusted CA -";

} // namespace

TFrameProfileEditServerCert::TFrameProfileEditServerCert(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditServerCert";
    chBoxEnableServerCert = MakeOn<TCheckBox>(this, 16, 8, 340, 17);
    chBoxEnableServerCert->SetCaption(S(&CUISTR::STR_ENABLE_SERVER_CERT));
    cBoxServerCert = MakeCombo(this, 16, 32, 340);
    chBoxIntermidiateCert = MakeOn<TCheckBox>(this, 16, 62, 340, 17);
    chBoxIntermidiateCert->SetCaption(S(&CUISTR::STR_INTERMIDIATE_CERT));
    lblServerNameTxt = MakeLabel(this, 16, 88, S(&CUISTR::STR_SERVER_NAME));
    lblServerNameTxt->SetVisible(false);
    editServerName = MakeEdit(this, 150, 84, 200);
    editServerName->SetVisible(false);
    rBtnServerName = MakeOn<TRadioButton>(this, 16, 110, 160, 17);
    rBtnServerName->SetCaption(S(&CUISTR::STR_MATCH_SERVER_NAME));
    rBtnServerName->SetVisible(false);
    rBtnDomainName = MakeOn<TRadioButton>(this, 180, 110, 160, 17);
    rBtnDomainName->SetCaption(S(&CUISTR::STR_MATCH_DOMAIN_NAME));
    rBtnDomainName->SetVisible(false);
    chBoxEnableServerCert->OnClick = [this](TObject* s) { chBoxEnableServerCertClick(s); };
    cBoxServerCert->OnChange = [this](TObject* s) { cBoxServerCertChange(s); };
    chBoxEnableServerCertClick(this);
}

void TFrameProfileEditServerCert::OnEnterPage()
{
    if (WinOS() >= WINOS_VISTA)
        chBoxIntermidiateCert->SetVisible(false);
    chBoxEnableServerCertClick(this);
}

void TFrameProfileEditServerCert::InitCertList()
{
    if (!m_Certs.Fill("ROOT", false))
        return;
    cBoxServerCert->Items().Clear();
    AddEntry(cBoxServerCert, kAnyTrustedCA, -1);
    for (int i = 0; i < m_Certs.Count(); ++i)
        AddEntry(cBoxServerCert, CertText(m_Certs.Record(i).chIssuedTo), i);
    cBoxServerCert->SetItemIndex(0);
    const int stored = FormProfileEdit ? m_Certs.FindByHash(FormProfileEdit->m_WpaInfo.CACertKey) : -1;
    m_Certs.Select(stored);
    if (stored >= 0)
        cBoxServerCert->SetItemIndex(stored + 1);
}

void TFrameProfileEditServerCert::cBoxServerCertChange(TObject*)
{
    // By the item's position: of two certificates with the same name the picked one counts.
    m_Certs.Select(SelectedObject(cBoxServerCert, -1));
}

void TFrameProfileEditServerCert::chBoxEnableServerCertClick(TObject*)
{
    const bool enabled = chBoxEnableServerCert->Checked();
    if (enabled)
        InitCertList();
    else
        cBoxServerCert->SetItemIndex(-1);
    chBoxIntermidiateCert->SetEnabled(enabled);
    lblServerNameTxt->SetEnabled(enabled);
    cBoxServerCert->SetEnabled(enabled);
}

void TFrameProfileEditServerCert::StoreSettings()
{
    TFormProfileEdit* e = FormProfileEdit;
    if (!e)
        return;
    e->m_WpaInfo.bUseServerCert = chBoxEnableServerCert->Checked() ? 1 : 0;
    e->m_WpaInfo.bAllowIntermediate = chBoxIntermidiateCert->Checked() ? 1 : 0;
    e->m_WpaInfo.nServerRule = rBtnDomainName->Checked() ? 1 : 0;
    e->m_WpaInfo.CACertKey = m_Certs.SelectedKey();
}
