#include "hotspot/FrameHotSpotAddProfile.h"

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "hotspot/FormHotSpot.h"
#include "hotspot/HotSpotControls.h"

using namespace hotspot;

namespace {

constexpr int kRowType = 16, kRowName = 48, kRowSsid = 80, kRowAuth = 112, kRowEncr = 144, kRowA = 176,
              kRowB = 208, kButtonTop = 280;
constexpr const char kAes[] = "AES", kTkip[] = "TKIP", kWpa2[] = "WPA2", kWpa[] = "WPA";

TLabel* MakeCaption(TWinControl* parent, int top, std::string CUISTR::*member)
{
    return skin::MakeLabel(parent, kLabelLeft, top + 4, kFieldLeft - kLabelLeft - 6, member);
}

void ShowPair(TLabel* label, TControl* control, bool visible)
{
    label->SetVisible(visible);
    control->SetVisible(visible);
}

} // namespace

TFrameHotSpotAddProfile::TFrameHotSpotAddProfile(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameHotSpotAddProfile";
    lblProfileType = MakeCaption(this, kRowType, &CUISTR::STR_HotSpot_TYPE);
    cBoxProfileType = MakeList(this, kRowType, {&CUISTR::STR_HotSpot_Enterprise, &CUISTR::STR_HotSpot_PSK});
    lblProfName = MakeCaption(this, kRowName, &CUISTR::STR_HotSpot_PROFNAME);
    editProfName = MakeEdit(this, kRowName, 64);
    lblSSID = MakeCaption(this, kRowSsid, &CUISTR::STR_HotSpot_SSID);
    editSSID = MakeEdit(this, kRowSsid, 32);
    lblKeyMgmtType = MakeCaption(this, kRowAuth, &CUISTR::STR_HotSpot_AUTH);
    cBoxKeyMgmtType = MakeList(this, kRowAuth, {&CUISTR::STR_HotSpot_WPA2, &CUISTR::STR_HotSpot_WPA});
    lblEncrypyType = MakeCaption(this, kRowEncr, &CUISTR::STR_HotSpot_ENCR);
    cBoxEncrypyType = MakeList(this, kRowEncr, {&CUISTR::STR_HotSpot_AES_CCMP, &CUISTR::STR_HotSpot_TKIP});
    lblUserName = MakeCaption(this, kRowA, &CUISTR::STR_HotSpot_USERNAME);
    editUserName = MakeEdit(this, kRowA, 32);
    lblPassword = MakeCaption(this, kRowB, &CUISTR::STR_HotSpot_PASSWORD);
    editPassword = MakeEdit(this, kRowB, 32, true);
    lblPassPhrase = MakeCaption(this, kRowA, &CUISTR::STR_HotSpot_PASSPHRASE);
    editPassPhrase = MakeEdit(this, kRowA, 32, true);
    lblRootCa = MakeCaption(this, kRowB, &CUISTR::STR_HotSpot_ROOTCA);
    editRootCa = MakeEdit(this, kRowB, 64);
    ShowPair(lblRootCa, editRootCa, false);

    BtnAddProfile = MakeButton(this, 266, kButtonTop, Text(&CUISTR::STR_HotSpot_BTNADD));
    BtnSubmitProfile = MakeButton(this, 172, kButtonTop, Text(&CUISTR::STR_HotSpot_BTNSUBMIT));
    BtnCancelModify = MakeButton(this, 266, kButtonTop, Text(&CUISTR::STR_HotSpot_BTNCANCEL));
    ShowModifyButtons(false);
    cBoxProfileTypeChange(nullptr);

    cBoxProfileType->OnChange = [this](TObject* s) { cBoxProfileTypeChange(s); };
    BtnAddProfile->OnClick = [this](TObject* s) { BtnAddProfileClick(s); };
    BtnSubmitProfile->OnClick = [this](TObject* s) { BtnSubmitProfileClick(s); };
    BtnCancelModify->OnClick = [this](TObject* s) { BtnCancelModifyClick(s); };
}

TFormHotSpot* TFrameHotSpotAddProfile::Form() const
{
    return dynamic_cast<TFormHotSpot*>(Owner());
}

void TFrameHotSpotAddProfile::ShowModifyButtons(bool modify)
{
    BtnAddProfile->SetVisible(!modify);
    BtnSubmitProfile->SetVisible(modify);
    BtnCancelModify->SetVisible(modify);
}

bool TFrameHotSpotAddProfile::OnLeavePage()
{
    for (TEdit* edit : {editSSID, editRootCa, editPassword, editUserName, editPassPhrase})
        edit->SetText("");
    for (TComboBox* list : {cBoxProfileType, cBoxKeyMgmtType, cBoxEncrypyType})
        list->SetItemIndex(0);
    cBoxProfileTypeChange(nullptr);
    ShowModifyButtons(false);
    return true;
}

void TFrameHotSpotAddProfile::cBoxProfileTypeChange(TObject*)
{
    const bool psk = cBoxProfileType->ItemIndex() == kPsk;
    ShowPair(lblUserName, editUserName, !psk);
    ShowPair(lblPassword, editPassword, !psk);
    ShowPair(lblPassPhrase, editPassPhrase, psk);
    Invalidate();
}

HS20_PROFILE TFrameHotSpotAddProfile::BuildRecord(uint8_t prefer, uint8_t weight) const
{
    HS20_PROFILE p{};
    p.Prefer = prefer;
    p.Weight = weight;
    p.IsPresent = 1;
    p.IsPSK = cBoxProfileType->ItemIndex() == kPsk ? 1 : 0;
    p.SsidLen = PutField(p.Ssid, editSSID->Text());
    p.UserNameLen = PutField(p.UserName, editUserName->Text());
    p.PasswordLen = PutField(p.Password, editPassword->Text());
    p.PassPhraseLen = PutField(p.PassPhrase, editPassPhrase->Text());
    PutField(p.EncpType, cBoxEncrypyType->ItemIndex() == 1 ? kTkip : kAes);
    PutField(p.KeyMgmtType, cBoxKeyMgmtType->ItemIndex() == 1 ? kWpa : kWpa2);
    PutField(p.RootCa, editRootCa->Text());
    PutField(p.Name, editProfName->Text());
    return p;
}

void TFrameHotSpotAddProfile::ShowRecord(const HS20_PROFILE& p)
{
    editProfName->SetText(FieldText(p.Name));
    editSSID->SetText(FieldText(p.Ssid, p.SsidLen));
    if (p.IsPSK == 1) {
        editPassPhrase->SetText(FieldText(p.PassPhrase, p.PassPhraseLen));
    } else {
        editUserName->SetText(FieldText(p.UserName, p.UserNameLen));
        editPassword->SetText(FieldText(p.Password, p.PasswordLen));
        editRootCa->SetText(FieldText(p.RootCa));
    }
    cBoxProfileType->SetItemIndex(p.IsPSK == 1 ? kPsk : kEnterprise);
    cBoxEncrypyType->SetItemIndex(FieldText(p.EncpType) == kAes ? 0 : 1);
    cBoxKeyMgmtType->SetItemIndex(FieldText(p.KeyMgmtType) == kWpa2 ? 0 : 1);
    ShowModifyButtons(true);
}

void TFrameHotSpotAddProfile::BtnAddProfileClick(TObject*)
{
    TFormHotSpot* form = Form();
    if (!form)
        return;
    const bool added = form->FrameHotSpotMain->AddEntry(
        "HotSpotAddProfile", "HS20_Add_Profile", TFrameHotSpotMain::kProfile, [this](BYTE prefer, BYTE weight, int) -> std::optional<std::string> {
            const HS20_PROFILE record = BuildRecord(prefer, weight);
            if (!VOZEZIV.HS20_Add_Profile || VOZEZIV.HS20_Add_Profile(record) != 1)
                return std::nullopt;
            return FieldText(record.Name);
        });
    if (added)
        form->FinishEntryPage(this);
}

void TFrameHotSpotAddProfile::BtnSubmitProfileClick(TObject*)
{
    TFormHotSpot* form = Form();
    if (!form)
        return;
    form->FrameHotSpotMain->ModifyEntry(
        "HotSpotAddCredential", "HS20_Modify_Profile", [this](BYTE prefer, BYTE weight, int index) -> std::optional<std::string> {
            const HS20_PROFILE record = BuildRecord(prefer, weight);
            if (!VOZEZIV.HS20_Modify_Profile || VOZEZIV.HS20_Modify_Profile(record, index) != 1)
                return std::nullopt;
            return FieldText(record.Name);
        });
    form->EndModify();
    form->FinishEntryPage(this);
}

void TFrameHotSpotAddProfile::BtnCancelModifyClick(TObject*)
{
    if (TFormHotSpot* form = Form()) {
        form->EndModify();
        form->TabBtnHotSpotClick(this);
    }
}
