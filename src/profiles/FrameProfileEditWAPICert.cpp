#include "profiles/FrameProfileEditWAPICert.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "advanced/FormAdvanced.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/MainWindowServices.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"

using namespace ProfileEditUi;

namespace {

constexpr int kModeAuto = 0;
constexpr int kModeManual = 1;

TLabel* MakeValue(TWinControl* parent, int left, int top)
{
    TLabel* label = MakeLabel(parent, left, top, "");
    label->SetAutoSize(false);
    label->SetBounds(left, top, 258, 15);
    return label;
}

bool SameIdentity(const WAPI_ID_BUFFER& a, const WAPI_ID_BUFFER& b)
{
    return a.Length == b.Length && std::memcmp(a.Data, b.Data, std::min<size_t>(a.Length, sizeof a.Data)) == 0;
}

} // namespace

int WapiStoreCount(const WAPI_CERT_STORE& store)
{
    return int(std::min<uint32_t>(store.nCount, WAPI_MAX_USER_CERT));
}

std::string WapiCertText(const char (&field)[256])
{
    return std::string(field, strnlen(field, sizeof field));
}

bool WapiIdentityOf(const WAPI_CERT_INFO& cert, int kind, WAPI_ID_BUFFER& identity)
{
    std::memset(&identity, 0, sizeof identity);
    if (!VOZEZIV.ZeZuveZud_GetIdentity)
        return false;
    const int result = kind == 1 ? VOZEZIV.ZeZuveZud_GetIdentity(1, cert.UserCert.nUserIdValue1,
                                                                  cert.UserCert.nUserIdValue2, &identity)
                                 : VOZEZIV.ZeZuveZud_GetIdentity(0, cert.nASIdValue, 0, &identity);
    if (identity.Length > sizeof identity.Data) {
        PrintMessage(6, " Identity length %d clamped to %d\n", int(identity.Length), int(sizeof identity.Data));
        identity.Length = uint16_t(sizeof identity.Data);
    }
    return result == 1;
}

TFrameProfileEditWAPICert::TFrameProfileEditWAPICert(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditWAPICert";
    lblSelectModeText = MakeLabel(this, 16, 12, S(&CUISTR::STR_SELECTCERTMODE));
    cbBoxSelectMode = MakeCombo(this, 150, 8, 196);
    lblWAPICertificateText = MakeLabel(this, 16, 40, S(&CUISTR::STR_WAPI_CERT));
    cbBooxWAPICert = MakeCombo(this, 150, 36, 196);
    grpBoxCertInfo = MakeOn<TGroupBox>(this, 16, 66, 360, 84);
    grpBoxCertInfo->SetCaption(S(&CUISTR::STR_CERTIFICATE_INFO));
    lblSerialNumberText = MakeLabel(grpBoxCertInfo, 10, 20, S(&CUISTR::STR_SERIAL_NUMBER));
    lblIssuerText = MakeLabel(grpBoxCertInfo, 10, 40, S(&CUISTR::STR_ISSUER));
    lblValidPeriodText = MakeLabel(grpBoxCertInfo, 10, 60, S(&CUISTR::STR_VALID_PERIOD));
    lblSerialNumber = MakeValue(grpBoxCertInfo, 96, 20);
    lblIssuer = MakeValue(grpBoxCertInfo, 96, 40);
    lblValidPeriod = MakeValue(grpBoxCertInfo, 96, 60);
    const TFormResource* res = FormResource;
    BtnWAPICertCenter = MakePushButton(this, 352, 34, 24, 26, res ? res->ImgBtnProfEditWAPICertManager_Normal : nullptr,
                                       res ? res->ImgBtnProfEditWAPICertManager_Down : nullptr, nullptr);
    BtnWAPICertCenter->SetHint(S(&CUISTR::STR_CERTMANAGENT));

    cbBoxSelectMode->OnChange = [this](TObject* s) { cbBoxSelectModeChange(s); };
    cbBooxWAPICert->OnChange = [this](TObject* s) { cbBooxWAPICertChange(s); };
    cbBooxWAPICert->OnDropDown = [this](TObject* s) { cbBoxWAPICertDropDown(s); };
    BtnWAPICertCenter->OnClick = [this](TObject* s) { BtnWAPICertCenterClick(s); };
}

bool TFrameProfileEditWAPICert::ManualMode() const
{
    return cbBoxSelectMode->ItemIndex() == 1;
}

const WAPI_CERT_INFO* TFrameProfileEditWAPICert::SelectedCert() const
{
    TFormProfileEdit* e = FormProfileEdit;
    const int position = SelectedObject(cbBooxWAPICert, -1);
    if (!e || position < 0 || position >= WapiStoreCount(*e->m_WapiCertStore))
        return nullptr;
    return &e->m_WapiCertStore->Cert[position];
}

void TFrameProfileEditWAPICert::OnEnterPage()
{
    TFormProfileEdit* e = FormProfileEdit;
    if (!e)
        return;
    PrintMessage(6, " Cert Manual Select in profile is %d\n", e->m_nWapiCertMode);
    cbBoxSelectMode->Items().Clear();
    AddEntry(cbBoxSelectMode, S(&CUISTR::STR_AUTO), kModeAuto);
    AddEntry(cbBoxSelectMode, S(&CUISTR::STR_MANUAL), kModeManual);
    SelectByObject(cbBoxSelectMode, e->m_nWapiCertMode);
    SelectProfileCert();
    ShowCertInfo();
}

void TFrameProfileEditWAPICert::FillCertList()
{
    cbBooxWAPICert->Items().Clear();
    TFormProfileEdit* e = FormProfileEdit;
    if (!e || !VOZEZIV.ZeZuveZud_GetCert)
        return;
    VOZEZIV.ZeZuveZud_GetCert(e->m_WapiCertStore.get());
    const WAPI_CERT_STORE& store = *e->m_WapiCertStore;
    for (int i = 0; i < WapiStoreCount(store); ++i)
        AddEntry(cbBooxWAPICert, WapiCertText(store.Cert[i].UserCert.Subject), i);
    cbBooxWAPICert->SetItemIndex(cbBooxWAPICert->Items().Count() > 0 ? 0 : -1);
}

void TFrameProfileEditWAPICert::SelectProfileCert()
{
    FillCertList();
    cbBooxWAPICert->SetEnabled(false);
    cbBooxWAPICert->SetItemIndex(-1);
    TFormProfileEdit* e = FormProfileEdit;
    if (!e || !ManualMode())
        return;
    cbBooxWAPICert->SetEnabled(true);
    if (!VOZEZIV.ZeZuveZud_GetIdentity) {
        PrintMessage(6, " GetIdentity : VOZEZIV.ZeZuveZud_GetIdentity is NULL\n");
        return;
    }
    const WAPI_CERT_STORE& store = *e->m_WapiCertStore;
    for (int i = 0; i < WapiStoreCount(store) && e->m_WapiUserIdentity.Length > 0; ++i) {
        WAPI_ID_BUFFER user{}, as{};
        if (!WapiIdentityOf(store.Cert[i], 1, user) || !SameIdentity(user, e->m_WapiUserIdentity))
            continue;
        if (!WapiIdentityOf(store.Cert[i], 0, as) || !SameIdentity(as, e->m_WapiASIdentity))
            continue;
        cbBooxWAPICert->SetItemIndex(i);
        return;
    }
    if (cbBooxWAPICert->Items().Count() > 0)
        cbBooxWAPICert->SetItemIndex(0);
}

std::string TFrameProfileEditWAPICert::SerialToHex(const WAPI_CERT_ENTRY& entry)
{
    std::string text;
    const size_t length = std::min<size_t>(entry.nSerialLen, sizeof entry.Serial);
    char two[3];
    for (size_t i = 0; i < length; ++i) {
        std::snprintf(two, sizeof two, "%02x", entry.Serial[i]);
        text += two;
    }
    return text;
}

void TFrameProfileEditWAPICert::ShowCertInfo()
{
    const WAPI_CERT_INFO* cert = SelectedCert();
    if (!cert) {
        lblSerialNumber->SetCaption("");
        lblIssuer->SetCaption("");
        lblValidPeriod->SetCaption("");
        return;
    }
    const WAPI_CERT_ENTRY& user = cert->UserCert;
    lblSerialNumber->SetCaption(SerialToHex(user));
    lblIssuer->SetCaption(WapiCertText(user.Issuer));
    lblValidPeriod->SetCaption(WapiCertText(user.ValidFrom) + " - " + WapiCertText(user.ValidTo));
}

void TFrameProfileEditWAPICert::StoreIdentities()
{
    TFormProfileEdit* e = FormProfileEdit;
    if (!e)
        return;
    const WAPI_CERT_INFO* cert = SelectedCert();
    if (!ManualMode() || !cert) {
        e->m_WapiUserIdentity = {};
        e->m_WapiASIdentity = {};
        return;
    }
    WAPI_ID_BUFFER user{}, as{};
    if (VOZEZIV.ZeZuveZud_GetIdentity) {
        WapiIdentityOf(*cert, 1, user);
        WapiIdentityOf(*cert, 0, as);
        PrintMessage(6, " User ID length = %d\n", int(user.Length));
        PrintMessage(6, " AS ID length = %d\n", int(as.Length));
    }
    e->m_WapiUserIdentity = user;
    e->m_WapiASIdentity = as;
}

void TFrameProfileEditWAPICert::cbBoxSelectModeChange(TObject*)
{
    TFormProfileEdit* e = FormProfileEdit;
    if (!e)
        return;
    e->m_nWapiCertMode = SelectedObject(cbBoxSelectMode, kModeAuto);
    FillCertList();
    const bool manual = ManualMode();
    cbBooxWAPICert->SetEnabled(manual);
    cbBooxWAPICert->SetItemIndex(manual && cbBooxWAPICert->Items().Count() > 0 ? 0 : -1);
    ShowCertInfo();
    StoreIdentities();
}

void TFrameProfileEditWAPICert::cbBooxWAPICertChange(TObject*)
{
    TFormProfileEdit* e = FormProfileEdit;
    PrintMessage(6, " Cert num = %d\n", e ? int(e->m_WapiCertStore->nCount) : 0);
    ShowCertInfo();
    StoreIdentities();
}

void TFrameProfileEditWAPICert::cbBoxWAPICertDropDown(TObject*)
{
    const int position = cbBooxWAPICert->ItemIndex();
    FillCertList();
    cbBooxWAPICert->SetItemIndex(position < cbBooxWAPICert->Items().Count() ? position : -1);
}

void TFrameProfileEditWAPICert::BtnWAPICertCenterClick(TObject*)
{
    if (!FormAdvanced || !mainwin::HasMainWindow())
        return;
    if (!FormAdvanced->Enabled())
        FormAdvanced->SetEnabled(true);
    mainwin::OpenAdvanced();
    FormAdvanced->TabBtnCertCenterClick(FormAdvanced->TabBtnCertCenter);
}
