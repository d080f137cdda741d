#include "advanced/FrameAdvancedCCX.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "advanced/AdvancedRecords.h"
#include "advanced/FormAdvancedControls.h"
#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/MainWindowServices.h"
#include "resources/WvImage.h"
#include "profiles/FormProfile.h"
#include "resources/FormResource.h"

namespace {

using skin::MakeLabel;
inline std::string Text(std::string CUISTR::*member) { return skin::UiText(member); }

const CUISTR& Str()
{
    static const CUISTR empty;
    return FormResource && FormResource->UI_Str ? *FormResource->UI_Str : empty;
}

constexpr const char* kDefaultMeasureTime = "250";
// More stored profiles than the library can hold are not believed.
constexpr unsigned long kMaxDiagProfiles = 4096;

// The measurement time typed; -1 when empty or not a number.
long MeasureTime(const TEdit* edit)
{
    const std::string text = edit->Text();
    if (text.empty())
        return -1;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    return *end ? -1 : value;
}

bool IsOlderAdapterKind()
{
    return VOZEZIV.selectedAdapter.nAdapterKind <= 3;
}

}  // namespace

TFrameAdvancedCCX::TFrameAdvancedCCX(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameAdvancedCCX";
    chBoxEnableCCX = new TCheckBox({this, 16, 8, 300, 17, Text(&CUISTR::STR_ENABLE_CCX)});
    chBoxEnableRadioMeasurement = new TCheckBox({this, 32, 30, 300, 17, Text(&CUISTR::STR_RADIO_MEASURE)});
    chBoxNonServingChannelMeasurement = new TCheckBox({this, 48, 52, 210, 17, Text(&CUISTR::STR_NON_SERVING_CHANNEL_MEASURE)});
    editMeasureTime = new TEdit({this, 262, 50, 40, 21});
    editMeasureTime->SetMaxLength(4);
    editMeasureTime->SetWindowStyle(editMeasureTime->WindowStyle() | ES_NUMBER);
    editMeasureTime->SetText(kDefaultMeasureTime);
    lblMeasureTimeTxt = MakeLabel(this, 306, 53, 88, &CUISTR::STR_MEASURE_TIME_UNIT);
    chBoxRFRoaming = new TCheckBox({this, 32, 76, 260, 17, Text(&CUISTR::STR_RF_ROAM_ENABLE)});
    chBoxVoiceDrasticRoaming = new TCheckBox({this, 32, 98, 260, 17, Text(&CUISTR::STR_VOICE_RATE)});
    BtnApply = new TButton({this, 310, 96, 75, 25, Text(&CUISTR::STR_APPLY)});

    lblCACTxt = MakeLabel(this, 16, 131, 130, &CUISTR::STR_ENABLE_CAC);
    lblCACTxt->SetAutoSize(true);  // the list and its button follow the caption's width
    cBoxCAC = new TComboBox({this, std::max(150, lblCACTxt->Left() + lblCACTxt->Width() + 8), 128, 100, 21});
    advctl::AddCoded(cBoxCAC, Text(&CUISTR::STR_ADDTS), 0);
    advctl::AddCoded(cBoxCAC, Text(&CUISTR::STR_DELTS), 1);
    advctl::AddCoded(cBoxCAC, Text(&CUISTR::STR_RESET), 2);
    cBoxCAC->SetItemIndex(0);
    BtnSet = new TButton({this, cBoxCAC->Left() + cBoxCAC->Width() + 10, 127, 75, 23, Text(&CUISTR::STR_CAC_APPLY)});

    grpBoxDiagnostic = new TGroupBox({this, 8, 156, 384, 170, Text(&CUISTR::STR_DIAGNOSTIC_CONNECT)});
    lblSelectProfileText = MakeLabel(grpBoxDiagnostic, 12, 23, 104, &CUISTR::STR_SELECT_PROFILE);
    cBoxProfile = new TComboBox({grpBoxDiagnostic, 120, 20, 150, 21});
    BtnDiagnostic = new TButton({grpBoxDiagnostic, 280, 19, 92, 23, Text(&CUISTR::STR_DIAGNOSTIC)});
    BtnCancel = new TButton({grpBoxDiagnostic, 280, 19, 92, 23, Text(&CUISTR::STR_CANCEL)});
    BtnCancel->SetVisible(false);
    lblProfileInformationText = MakeLabel(grpBoxDiagnostic, 12, 52, 300, &CUISTR::STR_PROFILE_INFOR);
    lblProfileNameText = MakeLabel(grpBoxDiagnostic, 24, 74, 140, &CUISTR::STR_PROFILE_NAME);
    lblProfileName = MakeLabel(grpBoxDiagnostic, 170, 74, 200, &CUISTR::STR_NONE);
    lblSSIDText = MakeLabel(grpBoxDiagnostic, 24, 96, 140, &CUISTR::STR_SSID);
    lblSSID = MakeLabel(grpBoxDiagnostic, 170, 96, 200, &CUISTR::STR_NONE);
    lblDiagnosticCapabilityText = MakeLabel(grpBoxDiagnostic, 24, 118, 140, &CUISTR::STR_DIAGNOSTIC_CAPABILITY);
    lblDiagnosticCapability = MakeLabel(grpBoxDiagnostic, 170, 118, 200, &CUISTR::STR_NO);
    for (TLabel* value : {lblProfileName, lblSSID, lblDiagnosticCapability})
        value->SetHint(value->Caption());
    lblEventLog = MakeLabel(grpBoxDiagnostic, 12, 144, 200);
    lblEventLog->SetCaption("EventLog");

    chBoxEnableCCX->OnClick = [this](TObject* s) { chBoxEnableCCXClick(s); };
    chBoxEnableRadioMeasurement->OnClick = [this](TObject* s) { chBoxEnableRadioMeasurementClick(s); };
    chBoxNonServingChannelMeasurement->OnClick = [this](TObject* s) { chBoxNonServingChannelMeasurementClick(s); };
    BtnApply->OnClick = [this](TObject* s) { BtnApplyClick(s); };
    BtnSet->OnClick = [this](TObject* s) { BtnSetClick(s); };
    BtnDiagnostic->OnClick = [this](TObject* s) { BtnDiagnosticClick(s); };
    BtnCancel->OnClick = [this](TObject* s) { BtnCancelClick(s); };
    cBoxProfile->OnChange = [this](TObject* s) { cBoxProfileChange(s); };
}

void TFrameAdvancedCCX::OnEnterPage()
{
    LoadCCXControl();
    LoadDiagnosticProfiles();
    UpdateControls();
}

void TFrameAdvancedCCX::LoadCCXControl()
{
    unsigned long word = 0;
    if (!VOZEZIV.WVWL_ReadCCX2Cont(&word))
        return;
    const uint32_t w = uint32_t(word);
    chBoxEnableCCX->SetChecked(FieldGet(w, ccx2::Enable) != 0);
    if (!chBoxEnableCCX->Checked()) {
        for (TCheckBox* box : {chBoxEnableRadioMeasurement, chBoxNonServingChannelMeasurement, chBoxRFRoaming,
                               chBoxVoiceDrasticRoaming})
            box->SetChecked(false);
        editMeasureTime->SetText(kDefaultMeasureTime);
        return;
    }
    chBoxEnableRadioMeasurement->SetChecked(FieldGet(w, ccx2::RMEnable) != 0);
    chBoxRFRoaming->SetChecked(FieldGet(w, ccx2::RFRoamEnable) != 0);
    chBoxVoiceDrasticRoaming->SetChecked(FieldGet(w, ccx2::VoiceRate) != 0);
    if (chBoxEnableRadioMeasurement->Checked()) {
        chBoxNonServingChannelMeasurement->SetChecked(FieldGet(w, ccx2::DCRMEnable) != 0);
        editMeasureTime->SetText(std::to_string(CcxTuLimitShown(w)));
    } else {
        chBoxNonServingChannelMeasurement->SetChecked(false);
        editMeasureTime->SetText(kDefaultMeasureTime);
    }
}

void TFrameAdvancedCCX::LoadDiagnosticProfiles()
{
    const CUISTR& s = Str();
    m_DiagRows.clear();
    cBoxProfile->Items().Clear();
    unsigned long count = 0;
    VOZEZIV.WVWL_ReadProfileList(nullptr, &count);
    if (long(count) < 1)
        return;
    if (count > kMaxDiagProfiles) {
        PrintMessage(3, " TFrameAdvancedCCX: %lu profiles claimed, listing %lu\n", count, kMaxDiagProfiles);
        count = kMaxDiagProfiles;
    }
    const unsigned long allocated = count;
    auto profiles = std::make_unique<WLANPROFILE[]>(allocated);
    VOZEZIV.WVWL_ReadProfileList(profiles.get(), &count);
    const unsigned long returned = count < allocated ? count : allocated;
    for (unsigned long i = 0; i < returned; ++i) {
        const WLANPROFILE& p = profiles[i];
        CCX_DIAG_ROW row;
        row.name.assign(p.strProfileName, strnlen(p.strProfileName, sizeof p.strProfileName));
        const size_t ssidLength = p.SSID.SsidLength < sizeof p.SSID.Ssid ? p.SSID.SsidLength : sizeof p.SSID.Ssid;
        row.ssid.assign(reinterpret_cast<const char*>(p.SSID.Ssid), strnlen(reinterpret_cast<const char*>(p.SSID.Ssid), ssidLength));
        char name128[128] = {};
        row.name.copy(name128, sizeof name128 - 1);
        row.capability = VOZEZIV.WVWL_WlanIsCCXDiagnosticProfile(name128) == 1 ? s.STR_YES : s.STR_NO;
        advctl::AddCoded(cBoxProfile, row.name, int(i));
        m_DiagRows.push_back(row);
    }
    if (m_DiagRows.empty())
        return;
    cBoxProfile->SetItemIndex(0);
    ShowRow(m_DiagRows[0].name, m_DiagRows[0].ssid, m_DiagRows[0].capability);
}

void TFrameAdvancedCCX::ShowRow(const std::string& name, const std::string& ssid, const std::string& capability)
{
    const std::pair<TLabel*, const std::string*> values[] = {
        {lblProfileName, &name}, {lblSSID, &ssid}, {lblDiagnosticCapability, &capability}};
    for (const auto& [label, text] : values) {
        label->SetCaption(*text);
        label->SetHint(*text);
    }
}

void TFrameAdvancedCCX::UpdateControls()
{
    const bool newer = !IsOlderAdapterKind();
    for (TControl* c : {static_cast<TControl*>(chBoxRFRoaming), static_cast<TControl*>(chBoxVoiceDrasticRoaming),
                        static_cast<TControl*>(lblCACTxt), static_cast<TControl*>(cBoxCAC),
                        static_cast<TControl*>(BtnSet), static_cast<TControl*>(grpBoxDiagnostic)})
        c->SetVisible(newer);
    // The two buttons share one place: while a diagnostic runs only Cancel is there.
    const bool running = m_bDiagRunning == 1;
    BtnDiagnostic->SetVisible(newer && !running);
    BtnCancel->SetVisible(newer && running);

    const bool ccx = chBoxEnableCCX->Checked();
    const bool measure = ccx && chBoxEnableRadioMeasurement->Checked();
    chBoxEnableRadioMeasurement->SetEnabled(ccx);
    for (TControl* c : {static_cast<TControl*>(chBoxNonServingChannelMeasurement), static_cast<TControl*>(editMeasureTime),
                        static_cast<TControl*>(lblMeasureTimeTxt)})
        c->SetEnabled(measure);
    for (TControl* c : {static_cast<TControl*>(chBoxRFRoaming), static_cast<TControl*>(chBoxVoiceDrasticRoaming),
                        static_cast<TControl*>(lblCACTxt), static_cast<TControl*>(cBoxCAC),
                        static_cast<TControl*>(BtnSet), static_cast<TControl*>(BtnDiagnostic),
                        static_cast<TControl*>(grpBoxDiagnostic), static_cast<TControl*>(cBoxProfile),
                        static_cast<TControl*>(lblSelectProfileText), static_cast<TControl*>(lblProfileInformationText),
                        static_cast<TControl*>(lblProfileNameText), static_cast<TControl*>(lblProfileName),
                        static_cast<TControl*>(lblSSIDText), static_cast<TControl*>(lblSSID),
                        static_cast<TControl*>(lblDiagnosticCapabilityText),
                        static_cast<TControl*>(lblDiagnosticCapability), static_cast<TControl*>(lblEventLog)})
        c->SetEnabled(ccx);
    // A running diagnostic can always be cancelled, with CCX switched off too.
    if (running) {
        grpBoxDiagnostic->SetEnabled(true);
        BtnCancel->SetEnabled(true);
    }
}

// ---------------------------------------------------------------------------------------------
// The CCX word

bool TFrameAdvancedCCX::BuildCCXWord(uint32_t& word) const
{
    unsigned long read = 0;
    if (!VOZEZIV.WVWL_ReadCCX2Cont(&read)) {
        PrintMessage(2, " TFrameAdvancedCCX: WVWL_ReadCCX2Cont() failed, the CCX word is not written\n");
        return false;
    }
    uint32_t w = uint32_t(read);
    if (chBoxEnableCCX->Checked()) {
        w = FieldSet(w, ccx2::Enable, 1);
        w = FieldSet(w, ccx2::RMEnable, chBoxEnableRadioMeasurement->Checked());
        w = FieldSet(w, ccx2::DCRMEnable, chBoxNonServingChannelMeasurement->Checked());
        w = FieldSet(w, ccx2::RFRoamEnable, chBoxRFRoaming->Checked());
        w = FieldSet(w, ccx2::VoiceRate, chBoxVoiceDrasticRoaming->Checked());
        w = FieldSet(w, ccx2::TuLimit, uint32_t(MeasureTime(editMeasureTime)));
    } else {
        for (WORD_FIELD off : {ccx2::Enable, ccx2::CCKMEnable, ccx2::RMEnable, ccx2::DCRMEnable, ccx2::CACEnable,
                               ccx2::NetworkEAP, ccx2::RotateProfile, ccx2::MFP, ccx2::RFRoamEnable})
            w = FieldSet(w, off, 0);
        w = FieldSet(w, ccx2::TuLimit, kCcxTuLimitDefault);
    }
    word = w;
    return true;
}

void TFrameAdvancedCCX::WriteCCXRegistry(uint32_t word)
{
    if (!VOZEZIV.WVWL_WriteRegValue("CCX2Control", REG_DWORD, &word, sizeof word))
        PrintMessage(6, " To write \"CCX2Control\" registry is failed!\n");
}

void TFrameAdvancedCCX::ApplyToActiveProfile(uint32_t word)
{
    SetCCXInfoForActiveProfile(word);
}

// ---------------------------------------------------------------------------------------------
// Handlers

void TFrameAdvancedCCX::chBoxEnableCCXClick(TObject*)
{
    if (chBoxEnableCCX->Checked()) {
        chBoxEnableRadioMeasurement->SetChecked(true);
        chBoxNonServingChannelMeasurement->SetChecked(true);
        chBoxRFRoaming->SetChecked(false);
        chBoxVoiceDrasticRoaming->SetChecked(false);
    } else {
        for (TCheckBox* box : {chBoxEnableRadioMeasurement, chBoxNonServingChannelMeasurement, chBoxRFRoaming,
                               chBoxVoiceDrasticRoaming})
            box->SetChecked(false);
        editMeasureTime->SetText(kDefaultMeasureTime);
    }
    UpdateControls();
}

void TFrameAdvancedCCX::chBoxEnableRadioMeasurementClick(TObject*)
{
    if (!chBoxEnableRadioMeasurement->Checked()) {
        chBoxNonServingChannelMeasurement->SetChecked(false);
        editMeasureTime->SetText(kDefaultMeasureTime);
    }
    UpdateControls();
}

void TFrameAdvancedCCX::chBoxNonServingChannelMeasurementClick(TObject*)
{
    if (!chBoxNonServingChannelMeasurement->Checked())
        editMeasureTime->SetText(kDefaultMeasureTime);
}

void TFrameAdvancedCCX::BtnApplyClick(TObject*)
{
    const long time = MeasureTime(editMeasureTime);
    if (time < long(ccx2::kTuLimitMin) || time > long(ccx2::kTuLimitMax)) {
        ShowMessageBox(Str().STR_INVALID_MEASURE_TIME, 0);
        return;
    }
    uint32_t word = 0;
    if (!BuildCCXWord(word))
        return;
    WriteCCXRegistry(word);
    ApplyToActiveProfile(word);
}

void TFrameAdvancedCCX::BtnSetClick(TObject*)
{
    ACM_COMMAND command{};
    command.Command = uint16_t(cBoxCAC->ItemIndex() + 1);
    command.One = 1;
    VOZEZIV.WVWL_SetACMCmd(command);
}

void TFrameAdvancedCCX::BtnDiagnosticClick(TObject*)
{
    const CUISTR& s = Str();
    if (m_bDiagRunning == 1) {
        PrintMessage(6, " TFrameAdvancedCCX: a diagnostic runs already, Cancel ends it first\n");
        return;
    }
    if (cBoxProfile->ItemIndex() < 0) {
        ShowMessageBox(s.STR_PLZ_SELECT_PROFILE, 0);
        return;
    }
    if (VOZEZIV.nWinOS < 31) {
        BtnCancel->SetVisible(true);
        BtnDiagnostic->SetVisible(false);
        mainwin::ClearRetryConnect();
        VOZEZIV.WVWL_StartDiagTest();
        m_bDiagRunning = 1;
        return;
    }
    const std::string name = cBoxProfile->Text();
    const CCX_DIAG_ROW* row = nullptr;
    for (const CCX_DIAG_ROW& r : m_DiagRows)
        if (r.name == name)
            row = &r;
    if (!row)
        return;
    char name64[64] = {};
    name.copy(name64, 63);
    if (VOZEZIV.WVWL_WlanIsWindowsProfileExist(name64) == 0) {
        ShowMessageBox(s.STR_PLZ_DIAGNOSTIC_PROFILE, 0);
        return;
    }
    if (row->capability == s.STR_NO) {
        ShowMessageBox(s.STR_PLZ_ENABLE_DIAGNOSTIC, 0);
        return;
    }
    m_bDiagRunning = 1;
    BtnCancel->SetVisible(true);
    BtnDiagnostic->SetVisible(false);
    std::wstring wide(1024, L'\0');
    MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide.data(), int(wide.size()) - 1);
    VOZEZIV.WVWL_WlanSendS64Start(wide.c_str());
}

void TFrameAdvancedCCX::BtnCancelClick(TObject*)
{
    BtnDiagnostic->SetVisible(true);
    BtnCancel->SetVisible(false);
    if (m_bDiagRunning == 1) {
        if (VOZEZIV.nWinOS >= 31) {
            VOZEZIV.WVWL_WlanSendClientAbort();
        } else {
            VOZEZIV.WVWL_StopDiagTest();
            if (FormProfile)
                FormProfile->SetOidFromReg(0);
        }
    }
    m_bDiagRunning = 0;
    BtnDiagnostic->SetEnabled(true);
}

void TFrameAdvancedCCX::cBoxProfileChange(TObject*)
{
    const CUISTR& s = Str();
    unsigned long count = 0;
    VOZEZIV.WVWL_ReadProfileList(nullptr, &count);
    if (long(count) < 1) {
        ShowRow(s.STR_NONE, s.STR_NONE, s.STR_NO);
        return;
    }
    const std::string name = cBoxProfile->Text();
    for (const CCX_DIAG_ROW& r : m_DiagRows)
        if (r.name == name) {
            ShowRow(r.name, r.ssid, r.capability);
            return;
        }
}
