#include "hotspot/FrameHotSpotAddCredential.h"

#include <cstdio>
#include <new>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "hotspot/FormHotSpot.h"
#include "hotspot/HotSpotControls.h"

using namespace hotspot;

namespace {

constexpr int kRowType = 16, kRowName = 48, kRowA = 80, kRowB = 112, kRowC = 144, kButtonTop = 280;
constexpr const char kStore[] = "MY";
constexpr size_t kMaxThumbprintBytes = 31;

TLabel* MakeCaption(TWinControl* parent, int top, std::string CUISTR::*member)
{
    return skin::MakeLabel(parent, kLabelLeft, top + 4, kFieldLeft - kLabelLeft - 6, member);
}

// Shows a caption and its control at a row, or hides both.
void Place(TLabel* label, TControl* control, int top, bool visible)
{
    label->SetVisible(visible);
    control->SetVisible(visible);
    if (!visible)
        return;
    label->SetTop(top + 4);
    control->SetTop(top);
}

} // namespace

TFrameHotSpotAddCredential::TFrameHotSpotAddCredential(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameHotSpotAddCredential";
    lblCredentialType = MakeCaption(this, kRowType, &CUISTR::STR_HotSpot_TYPE);
    cBoxCredentialType = MakeList(this, kRowType, {&CUISTR::STR_HotSpot_TTLS, &CUISTR::STR_HotSpot_CERT,
                                                   &CUISTR::STR_HotSpot_SIM});
    lblProfName = MakeCaption(this, kRowName, &CUISTR::STR_HotSpot_HSPROFNAME);
    editProfName = MakeEdit(this, kRowName, 64);
    lblUserName = MakeCaption(this, kRowA, &CUISTR::STR_HotSpot_USERNAME);
    editUserName = MakeEdit(this, kRowA, 32);
    lblPassword = MakeCaption(this, kRowB, &CUISTR::STR_HotSpot_PASSWORD);
    editPassword = MakeEdit(this, kRowB, 32, true);
    lblClientCert = MakeCaption(this, kRowA, &CUISTR::STR_HotSpot_ROOTCA);
    cBoxClientCert = MakeList(this, kRowA, {});
    lblRealm = MakeCaption(this, kRowC, &CUISTR::STR_HotSpot_REALM);
    editRealm = MakeEdit(this, kRowC, 64);
    lblIMSI = MakeCaption(this, kRowA, &CUISTR::STR_HotSpot_IMSI);
    editIMSI = MakeEdit(this, kRowA, 32);
    lblMNC = MakeCaption(this, kRowB, &CUISTR::STR_HotSpot_MNC);
    editMNC = MakeEdit(this, kRowB, 3);
    lblMCC = MakeCaption(this, kRowC, &CUISTR::STR_HotSpot_MCC);
    editMCC = MakeEdit(this, kRowC, 3);

    BtnAddCredential = MakeButton(this, 266, kButtonTop, Text(&CUISTR::STR_HotSpot_BTNADD));
    BtnSubmitCredential = MakeButton(this, 172, kButtonTop, Text(&CUISTR::STR_HotSpot_BTNSUBMIT));
    BtnCancelModify = MakeButton(this, 266, kButtonTop, Text(&CUISTR::STR_HotSpot_BTNCANCEL));
    ShowModifyButtons(false);
    cBoxCredentialTypeChange(nullptr);

    cBoxCredentialType->OnChange = [this](TObject* s) { cBoxCredentialTypeChange(s); };
    BtnAddCredential->OnClick = [this](TObject* s) { BtnAddCredentialClick(s); };
    BtnSubmitCredential->OnClick = [this](TObject* s) { BtnSubmitCredentialClick(s); };
    BtnCancelModify->OnClick = [this](TObject* s) { BtnCancelModifyClick(s); };
}

TFrameHotSpotAddCredential::~TFrameHotSpotAddCredential()
{
    FreeCertList();
}

TFormHotSpot* TFrameHotSpotAddCredential::Form() const
{
    return dynamic_cast<TFormHotSpot*>(Owner());
}

void TFrameHotSpotAddCredential::ShowModifyButtons(bool modify)
{
    BtnAddCredential->SetVisible(!modify);
    BtnSubmitCredential->SetVisible(modify);
    BtnCancelModify->SetVisible(modify);
}

void TFrameHotSpotAddCredential::OnEnterPage()
{
    InitCertList();
}

bool TFrameHotSpotAddCredential::OnLeavePage()
{
    for (TEdit* edit : {editUserName, editPassword, editRealm, editIMSI, editMNC, editMCC})
        edit->SetText("");
    cBoxCredentialType->SetItemIndex(kTtls);
    cBoxCredentialTypeChange(nullptr);
    ShowModifyButtons(false);
    return true;
}

void TFrameHotSpotAddCredential::cBoxCredentialTypeChange(TObject*)
{
    const int type = cBoxCredentialType->ItemIndex();
    const bool ttls = type == kTtls, cert = type == kCert, sim = type == kSim;
    Place(lblUserName, editUserName, kRowA, ttls);
    Place(lblPassword, editPassword, kRowB, ttls);
    Place(lblClientCert, cBoxClientCert, kRowA, cert);
    Place(lblRealm, editRealm, cert ? kRowB : kRowC, ttls || cert);
    Place(lblIMSI, editIMSI, kRowA, sim);
    Place(lblMNC, editMNC, kRowB, sim);
    Place(lblMCC, editMCC, kRowC, sim);
    Invalidate();
}

// ---- certificates

void TFrameHotSpotAddCredential::FreeCertList()
{
    if (VOZEZIV.WVWL_FreeCertArray)
        VOZEZIV.WVWL_FreeCertArray(m_UserCert, &m_nUserCertCount);
    delete[] m_UserCert;
    m_UserCert = nullptr;
    m_nUserCertCount = 0;
}

void TFrameHotSpotAddCredential::InitCertList()
{
    FreeCertList();
    cBoxClientCert->Items().Clear();
    int user = 0, machine = 0;
    if (VOZEZIV.WVWL_EnumCert)
        VOZEZIV.WVWL_EnumCert(kStore, nullptr, &user);
    if (VOZEZIV.WVWL_EnumMachineCert)
        VOZEZIV.WVWL_EnumMachineCert(kStore, nullptr, &machine);
    user = user > 0 ? user : 0;
    machine = machine > 0 ? machine : 0;
    const int total = user + machine;
    if (total == 0)
        return;
    m_UserCert = new (std::nothrow) CertRecord[size_t(total)]();
    if (!m_UserCert) {
        PrintMessage(6, " --> TFrameHotSpotAddCredential::InitCertList: malloc m_UserCert failed\n");
        return;
    }
    // The filling calls return how many they wrote; never more than asked for is used.
    int filledUser = user, filledMachine = machine;
    if (user > 0)
        VOZEZIV.WVWL_EnumCert(kStore, m_UserCert, &filledUser);
    filledUser = std::clamp(filledUser, 0, user);
    if (machine > 0)
        VOZEZIV.WVWL_EnumMachineCert(kStore, m_UserCert + filledUser, &filledMachine);
    filledMachine = std::clamp(filledMachine, 0, total - filledUser);
    m_nUserCertCount = filledUser + filledMachine;
    for (int i = 0; i < m_nUserCertCount; ++i)
        cBoxClientCert->Items().Add(FieldText(m_UserCert[i].chIssuedTo));
    if (m_nUserCertCount > 0)
        cBoxClientCert->SetItemIndex(0);
}

std::string TFrameHotSpotAddCredential::CertThumbprintText(const CertRecord& cert)
{
    const auto* hash = reinterpret_cast<const uint8_t*>(uintptr_t(cert.pHash));
    if (!hash)
        return {};
    const size_t n = std::min<size_t>(cert.nHashLen, kMaxThumbprintBytes);
    std::string text;
    for (size_t i = 0; i < n; ++i) {
        char two[3];
        std::snprintf(two, sizeof two, "%02x", hash[i]);
        text += two;
    }
    return text;
}

void TFrameHotSpotAddCredential::SelectCertByThumbprint(const std::string& thumbprint)
{
    for (int i = 0; i < m_nUserCertCount && i < cBoxClientCert->Items().Count(); ++i) {
        if (CertThumbprintText(m_UserCert[i]) == thumbprint)
            cBoxClientCert->SetItemIndex(i);
    }
}

// ---- records

HS20_CREDENTIAL TFrameHotSpotAddCredential::BuildRecord(uint8_t prefer, uint8_t weight) const
{
    HS20_CREDENTIAL c{};
    c.Prefer = prefer;
    c.Weight = weight;
    c.CredenType = uint8_t(std::max(cBoxCredentialType->ItemIndex(), 0));
    c.UserNameLen = PutField(c.UserName, editUserName->Text());
    c.PasswordLen = PutField(c.Password, editPassword->Text());
    const int cert = cBoxClientCert->ItemIndex();
    if (m_nUserCertCount > 0 && cert >= 0 && cert < m_nUserCertCount)
        PutField(c.RootCa, CertThumbprintText(m_UserCert[cert]));
    PutField(c.Realm, editRealm->Text());
    PutField(c.IMSI, editIMSI->Text());
    PutField(c.MNC, editMNC->Text());
    PutField(c.MCC, editMCC->Text());
    PutField(c.Name, editProfName->Text());
    return c;
}

void TFrameHotSpotAddCredential::ShowRecord(const HS20_CREDENTIAL& c)
{
    editProfName->SetText(FieldText(c.Name));
    const int type = c.CredenType <= kSim ? c.CredenType : kTtls;
    if (type == kSim) {
        const std::string imsi = FieldText(c.IMSI), mcc = FieldText(c.MCC), mnc = FieldText(c.MNC);
        PrintMessage(6, " --> TFrameHotSpotMain: IMSI: %s", imsi.c_str());
        PrintMessage(6, " --> TFrameHotSpotMain: MCC: %s", mcc.c_str());
        PrintMessage(6, " --> TFrameHotSpotMain: MNC: %s", mnc.c_str());
        editIMSI->SetText(imsi);
        editMCC->SetText(mcc);
        editMNC->SetText(mnc);
    } else {
        editUserName->SetText(FieldText(c.UserName, c.UserNameLen));
        editPassword->SetText(FieldText(c.Password, c.PasswordLen));
        editRealm->SetText(FieldText(c.Realm));
    }
    cBoxCredentialType->SetItemIndex(type);
    ShowModifyButtons(true);
}

// ---- buttons

void TFrameHotSpotAddCredential::BtnAddCredentialClick(TObject*)
{
    TFormHotSpot* form = Form();
    if (!form)
        return;
    const bool added = form->FrameHotSpotMain->AddEntry(
        "HotSpotAddCredential", "HS20_Add_Credential", TFrameHotSpotMain::kCredential, [this](BYTE prefer, BYTE weight, int) -> std::optional<std::string> {
            const HS20_CREDENTIAL record = BuildRecord(prefer, weight);
            if (!VOZEZIV.HS20_Add_Credential || VOZEZIV.HS20_Add_Credential(record) != 1)
                return std::nullopt;
            return FieldText(record.Name);
        });
    if (added)
        form->FinishEntryPage(this);
}

void TFrameHotSpotAddCredential::BtnSubmitCredentialClick(TObject*)
{
    TFormHotSpot* form = Form();
    if (!form)
        return;
    form->FrameHotSpotMain->ModifyEntry(
        "HotSpotAddCredential", "HS20_Modify_Credential", [this](BYTE prefer, BYTE weight, int index) -> std::optional<std::string> {
            const HS20_CREDENTIAL record = BuildRecord(prefer, weight);
            if (!VOZEZIV.HS20_Modify_Credential || VOZEZIV.HS20_Modify_Credential(record, index) != 1)
                return std::nullopt;
            return FieldText(record.Name);
        });
    form->EndModify();
    form->FinishEntryPage(this);
}

void TFrameHotSpotAddCredential::BtnCancelModifyClick(TObject*)
{
    if (TFormHotSpot* form = Form()) {
        form->EndModify();
        form->TabBtnHotSpotClick(this);
    }
}
