#include "profiles/FrameProfileEditClientCert.h"

#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"
#include "wlapi/constants.h"

using namespace ProfileEditUi;

TFrameProfileEditClientCert::TFrameProfileEditClientCert(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditClientCert";
    rBtnUseClientCert = MakeOn<TRadioButton>(this, 16, 4, 170, 17);
    rBtnUseClientCert->SetCaption(S(&CUISTR::STR_USE_CLIENT_CERT));
    rBtnUseSmartCard = MakeOn<TRadioButton>(this, 190, 4, 170, 17);
    rBtnUseSmartCard->SetCaption(S(&CUISTR::STR_USE_SMARTCARD));
    chBoxUseClientCert = MakeOn<TCheckBox>(this, 16, 4, 300, 17);
    chBoxUseClientCert->SetCaption(S(&CUISTR::STR_USE_CLIENT_CERT));
    cBoxClientCert = MakeCombo(this, 16, 26, 340);
    lblIssuedtoText = MakeLabel(this, 16, 56, S(&CUISTR::STR_ISSUED_TO));
    lblIssuedbyText = MakeLabel(this, 16, 78, S(&CUISTR::STR_ISSUED_BY));
    lblExpirationDateText = MakeLabel(this, 16, 100, S(&CUISTR::STR_EXPIRATION_DATE));
    lblFriendlyNameText = MakeLabel(this, 16, 122, S(&CUISTR::STR_FRIENDLY_NAME));
    lblIssueto = MakeLabel(this, 150, 56, "");
    lblIssuedby = MakeLabel(this, 150, 78, "");
    lblExpirationDate = MakeLabel(this, 150, 100, "");
    lblFriendlyName = MakeLabel(this, 150, 122, "");
    rBtnUseClientCert->OnClick = [this](TObject*) { UpdateControls(); };
    rBtnUseSmartCard->OnClick = [this](TObject*) { UpdateControls(); };
    chBoxUseClientCert->OnClick = [this](TObject*) { UpdateControls(); };
    cBoxClientCert->OnChange = [this](TObject* s) { cBoxClientCertChange(s); };
}

void TFrameProfileEditClientCert::OnEnterPage()
{
    const bool vista = WinOS() >= WINOS_VISTA;
    rBtnUseClientCert->SetVisible(vista);
    rBtnUseSmartCard->SetVisible(vista);
    chBoxUseClientCert->SetVisible(!vista);
}

bool TFrameProfileEditClientCert::UsesClientCert(int method, int innerMethod)
{
    return method == 1 || (method == 0 && innerMethod == 13);
}

bool TFrameProfileEditClientCert::CertificateChosen() const
{
    return WinOS() >= WINOS_VISTA ? rBtnUseClientCert->Checked() : chBoxUseClientCert->Checked();
}

void TFrameProfileEditClientCert::ShowRecord(int index)
{
    const bool shown = index >= 0 && index < m_Certs.Count();
    const wlapi::CERT_INFO empty{};
    const wlapi::CERT_INFO& record = shown ? m_Certs.Record(index) : empty;
    lblIssueto->SetCaption(CertText(record.chIssuedTo));
    lblIssuedby->SetCaption(CertText(record.chIssuedBy));
    lblExpirationDate->SetCaption(CertText(record.chExpiration));
    lblFriendlyName->SetCaption(CertText(record.chFriendlyName));
    m_Certs.Select(shown ? index : -1);
}

void TFrameProfileEditClientCert::InitCertList()
{
    cBoxClientCert->Items().Clear();
    m_Certs.Fill("MY", true);
    for (int i = 0; i < m_Certs.Count(); ++i)
        AddEntry(cBoxClientCert, CertText(m_Certs.Record(i).chIssuedTo), i);
    if (m_Certs.Count() == 0) {
        ShowRecord(-1);
        return;
    }
    // The certificate the profile holds stays chosen; else the first.
    int index = FormProfileEdit ? m_Certs.FindByHash(FormProfileEdit->m_WpaInfo.UserCertKey) : -1;
    if (index < 0)
        index = 0;
    cBoxClientCert->SetItemIndex(index);
    ShowRecord(index);
}

void TFrameProfileEditClientCert::cBoxClientCertChange(TObject*)
{
    ShowRecord(SelectedObject(cBoxClientCert, -1));
}

void TFrameProfileEditClientCert::UpdateControls()
{
    EnableList(CertificateChosen());
}

void TFrameProfileEditClientCert::EnableList(bool chosen)
{
    if (chosen)
        InitCertList();
    for (TControl* control : {static_cast<TControl*>(cBoxClientCert), static_cast<TControl*>(lblIssuedtoText),
                              static_cast<TControl*>(lblIssuedbyText), static_cast<TControl*>(lblExpirationDateText),
                              static_cast<TControl*>(lblFriendlyNameText), static_cast<TControl*>(lblIssueto),
                              static_cast<TControl*>(lblIssuedby), static_cast<TControl*>(lblExpirationDate),
                              static_cast<TControl*>(lblFriendlyName)})
        control->SetEnabled(chosen);
}

void TFrameProfileEditClientCert::ShowForMethod(int method, int innerMethod)
{
    EnableList(WinOS() >= WINOS_VISTA ? UsesClientCert(method, innerMethod) : chBoxUseClientCert->Checked());
}

void TFrameProfileEditClientCert::StoreSettings()
{
    TFormProfileEdit* e = FormProfileEdit;
    if (!e || !VOZEZIV.WVWL_IsWpaCapable || !VOZEZIV.WVWL_IsWpaCapable())
        return;
    e->m_WpaInfo.bUseClientCert = CertificateChosen() ? 1 : 0;
    e->m_WpaInfo.bSmartCard = rBtnUseSmartCard->Checked() ? 1 : 0;
    e->m_WpaInfo.UserCertKey = m_Certs.SelectedKey();
}

bool TFrameProfileEditClientCert::CheckSettings()
{
    TFormProfileEdit* e = FormProfileEdit;
    if (!e)
        return true;
    const bool vista = WinOS() >= WINOS_VISTA;
    const bool noHash = m_Certs.SelectedKey().BlobLength == 0;
    if (!vista) {
        if (chBoxUseClientCert->Checked() && noHash) {
            ShowMessageBox(S(&CUISTR::STR_CHECKRULE5), 0);
            return false;
        }
        return true;
    }
    if (!rBtnUseClientCert->Checked())
        return true;
    if (e->m_bCertRequired && noHash) {
        ShowMessageBox(S(&CUISTR::STR_CHECKRULE5), 0);
        return false;
    }
    if (m_Certs.Selected() < 0)
        return true;
    SYSTEMTIME today{};
    GetLocalTime(&today);
    if (CertExpired(CertText(m_Certs.Record(m_Certs.Selected()).chExpiration), today.wYear, today.wMonth,
                    today.wDay)) {
        ShowMessageBox(S(&CUISTR::STR_ERROR_CERT_INVALID_EXPDATE), 0);
        return false;
    }
    return true;
}
