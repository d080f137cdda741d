#include "profiles/FormProfileEdit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/Helpers.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/FormSiteSurvey.h"
#include "mainwindow/SiteSurveyLinks.h"
#include "profiles/FormProfile.h"
#include "profiles/ProfileRecord.h"
#include "resources/FormResource.h"
#include "wlapi/bsslist.h"
#include "wlapi/constants.h"

TFormProfileEdit* FormProfileEdit = nullptr;

namespace {

constexpr int kExtRegDeviceFound = 201;
constexpr size_t kPacEntrySize = 516;
constexpr unsigned long kMaxPacEntries = 1024;
constexpr int kExtRegDeviceRemoved = 202;
constexpr int kPageLeft = 10, kPageTop = 48, kPageWidth = 380, kPageHeight = 155;

const CUISTR* Str()
{
    return FormResource ? FormResource->UI_Str.get() : nullptr;
}

std::string S(std::string CUISTR::*member)
{
    const CUISTR* s = Str();
    return s ? s->*member : std::string();
}

TLabel* MakeLabel(TWinControl* parent, int left, int top, const std::string& caption)
{
    auto* label = new TLabel(parent);
    label->SetParent(parent);
    label->SetBounds(left, top, 0, 0);
    label->SetCaption(caption);
    return label;
}

TComboBox* MakeCombo(TWinControl* parent, int left, int top, int width, TComboBoxStyle style = csDropDownList)
{
    auto* combo = new TComboBox(parent, style);
    combo->SetParent(parent);
    combo->SetBounds(left, top, width, 21);
    return combo;
}

TEdit* MakeEdit(TWinControl* parent, int left, int top, int width)
{
    auto* edit = new TEdit(parent);
    edit->SetParent(parent);
    edit->SetBounds(left, top, width, 21);
    return edit;
}

TWvImage* MakeButton(TFormProfileEdit* form, int left, int top, TImage* normal, TImage* down, TImage* disabled)
{
    const int w = normal ? normal->Width() : 60, h = normal ? normal->Height() : 22;
    return MakePushButton(form, left, top, w, h, normal, down, disabled);
}

void SelectByObject(TComboBox* combo, int value)
{
    const int index = combo->Items().IndexOfObject(reinterpret_cast<void*>(intptr_t(value)));
    combo->SetItemIndex(index >= 0 ? index : (combo->Items().Count() ? 0 : -1));
}

int SelectedObject(const TComboBox* combo, int none)
{
    const int index = combo->ItemIndex();
    if (index < 0)
        return none;
    return int(reinterpret_cast<intptr_t>(combo->Items().Objects(index)));
}

void AddEntry(TComboBox* combo, const std::string& text, int value)
{
    combo->Items().AddObject(text, reinterpret_cast<void*>(intptr_t(value)));
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

bool IsHexDigits(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
}

int WinOS()
{
    return VOZEZIV.nWinOS;
}

template <size_t N>
void CopyText(char (&field)[N], const std::string& text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

std::string BoundedText(const char* field, size_t size)
{
    const char* end = static_cast<const char*>(std::memchr(field, 0, size));
    return std::string(field, end ? size_t(end - field) : size);
}

// A certificate identifier: its length, then that many bytes.
KV_BLOB_KEY BoundedBlob(const KV_BLOB_KEY& stored)
{
    KV_BLOB_KEY key{};
    key.BlobLength = std::min<ULONG>(stored.BlobLength, sizeof key.BlobData);
    std::memcpy(key.BlobData, stored.BlobData, key.BlobLength);
    return key;
}

} // namespace

unsigned long long DefaultNameNumber(const std::string& name, const std::string& prefix)
{
    std::string upper = name, upperPrefix = prefix;
    CharUpperBuffA(upper.data(), DWORD(upper.size()));
    CharUpperBuffA(upperPrefix.data(), DWORD(upperPrefix.size()));
    if (upperPrefix.empty() || upper.compare(0, upperPrefix.size(), upperPrefix) != 0)
        return 0;
    unsigned long long number = 0;
    for (size_t i = upperPrefix.size(); i < upper.size() && std::isdigit(static_cast<unsigned char>(upper[i])); ++i) {
        number = number * 10 + unsigned(upper[i] - '0');
        if (number > 0xFFFFFFFFULL)
            return 0xFFFFFFFFULL;
    }
    return number;
}

// ---- pages

TFrameProfileEditWireless::TFrameProfileEditWireless(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditWireless";
    lblProfileName = MakeLabel(this, 16, 16, S(&CUISTR::STR_PROFILE_NAME));
    editProfileName = MakeEdit(this, 140, 12, 200);
    editProfileName->SetMaxLength(32);
    editProfileName->OnChange = [this](TObject* s) { editProfileNameChange(s); };
    lblSSID = MakeLabel(this, 16, 48, S(&CUISTR::STR_SSID));
    cboxSSID = MakeCombo(this, 140, 44, 200, csDropDown);
    lblNetworkType = MakeLabel(this, 16, 80, S(&CUISTR::STR_NETWORK_TYPE));
    rBtnInfra = new TRadioButton(this);
    rBtnInfra->SetParent(this);
    rBtnInfra->SetBounds(140, 78, 110, 17);
    rBtnInfra->SetCaption(S(&CUISTR::STR_INFRA_NETWORK));
    rBtnInfra->OnClick = [this](TObject* s) { rBtnInfraClick(s); };
    rBtnAdhoc = new TRadioButton(this);
    rBtnAdhoc->SetParent(this);
    rBtnAdhoc->SetBounds(140, 95, 110, 13);  // below: both captions show whole
    rBtnAdhoc->SetCaption(S(&CUISTR::STR_ADHOC_NETWORK));
    rBtnAdhoc->OnClick = [this](TObject* s) { rBtnAdhocClick(s); };
    lblChannel = MakeLabel(this, 16, 112, S(&CUISTR::STR_CHANNEL));
    cboxChannel = MakeCombo(this, 140, 108, 80);
}

void TFrameProfileEditWireless::editProfileNameChange(TObject*)
{
    // A closing square bracket cannot be typed into a name.
    const std::string text = editProfileName->Text();
    if (text.find(']') == std::string::npos)
        return;
    std::string name = text;
    name.erase(std::remove(name.begin(), name.end(), ']'), name.end());
    editProfileName->SetText(name);
}

void TFrameProfileEditWireless::rBtnInfraClick(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    editor->m_nProfNetworkType = 1;
    editor->m_nInfrastructureMode = 1;
    lblChannel->SetVisible(false);
    cboxChannel->SetVisible(false);
    editor->FillChannelList();
    editor->FrameProfileEditAdvanced->FillLists();
}

void TFrameProfileEditWireless::rBtnAdhocClick(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    editor->m_nProfNetworkType = 0;
    editor->m_nInfrastructureMode = 0;
    const bool typeShown = WinOS() < WINOS_WIN8;
    lblChannel->SetVisible(typeShown);
    cboxChannel->SetVisible(typeShown);
    editor->FillChannelList();
}

void TFrameProfileEditWireless::OnEnterPage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    const int os = WinOS();
    const bool typeShown = os < WINOS_WIN8;
    for (TControl* control : {static_cast<TControl*>(lblNetworkType), static_cast<TControl*>(rBtnInfra),
                              static_cast<TControl*>(rBtnAdhoc), static_cast<TControl*>(lblChannel),
                              static_cast<TControl*>(cboxChannel)})
        control->SetVisible(typeShown);
    if (os < WINOS_WIN7) {
        rBtnAdhoc->SetEnabled(true);
    } else if (os < WINOS_WIN8) {
        const bool apClient = VOZEZIV.WVWL_QueryOPMode && VOZEZIV.WVWL_QueryOPMode() == 2;
        rBtnAdhoc->SetEnabled(!apClient);
    }
    cboxSSID->SetText(editor->m_strProfSSID);
    unsigned long adhocMode = ULONG(editor->m_nAdhocMode);
    QueryAdhocMode(&adhocMode);
    editor->m_nAdhocMode = int(adhocMode);
    editor->FillChannelList();
    if (os >= WINOS_XP && os < WINOS_WIN8) {
        TRadioButton* chosen = editor->m_nProfNetworkType == 1 ? rBtnInfra : rBtnAdhoc;
        chosen->SetChecked(true);
        if (chosen->Visible() && chosen->Enabled())
            chosen->SetFocus();
        lblChannel->SetVisible(editor->m_nProfNetworkType == 0);
        cboxChannel->SetVisible(editor->m_nProfNetworkType == 0);
    }
}

void TFrameProfileEditWireless::StoreSettings()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    editor->m_strProfSSID = cboxSSID->Text().substr(0, 32);
    std::string name = editProfileName->Text();
    name.erase(std::remove(name.begin(), name.end(), ']'), name.end());
    editor->m_strProfName = name;
    const int type = rBtnAdhoc->Checked() ? 0 : 1;
    editor->m_nProfNetworkType = type;
    editor->m_nInfrastructureMode = type;
    if (cboxChannel->ItemIndex() >= 0)
        editor->m_strProfChannel = std::to_string(SelectedObject(cboxChannel, 0));
}

TFrameProfileEditSecurity::TFrameProfileEditSecurity(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditSecurity";
    lblAuthentication = MakeLabel(this, 16, 16, S(&CUISTR::STR_AUTHENTICATION));
    cboxAuthentication = MakeCombo(this, 140, 12, 200);
    cboxAuthentication->OnChange = [this](TObject* s) { cboxAuthenticationChange(s); };
    lblEncryption = MakeLabel(this, 16, 48, S(&CUISTR::STR_ENCRYPTION));
    cboxEncryption = MakeCombo(this, 140, 44, 200);
}

void TFrameProfileEditSecurity::OnEnterPage()
{
    if (!FormProfileEdit)
        return;
    SelectByObject(cboxAuthentication, FormProfileEdit->m_nAuthSel);
    cboxAuthenticationChange(this);
}

void TFrameProfileEditSecurity::cboxAuthenticationChange(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    const int auth = SelectedObject(cboxAuthentication, 0);
    const bool infra = editor->m_nInfrastructureMode == 1;
    const bool hide = VOZEZIV.bHideSecuritymode != 0;
    const bool vista = WinOS() >= WINOS_VISTA;
    cboxEncryption->Items().Clear();
    const auto add = [this](std::string CUISTR::*text, int value) { AddEntry(cboxEncryption, S(text), value); };
    switch (auth) {
    case 0:
        add(&CUISTR::STR_NONE, 0);
        if (vista || !(!infra && VOZEZIV.bProhibitWEPonHT))
            add(&CUISTR::STR_WEP, 1);
        break;
    case 1:
        if (vista || !(!infra && VOZEZIV.bProhibitWEPonHT))
            add(&CUISTR::STR_WEP, 1);
        break;
    case 3:
    case 4:
        if (infra && !hide)
            add(&CUISTR::STR_TKIP, 2);
        add(&CUISTR::STR_AES, 3);
        break;
    case 5:
        if (vista ? (infra && !hide) : ((infra || !VOZEZIV.bProhibitTKIPonHT) && !hide))
            add(&CUISTR::STR_TKIP, 2);
        add(&CUISTR::STR_AES, 3);
        if (CheckAdapterKind() == 1) {
            if (!hide)
                add(&CUISTR::STR_TKIP_MFP, 5);
            add(&CUISTR::STR_AES_MFP, 6);
        }
        break;
    case 6:
    case 7:
        if (vista ? (infra && !hide) : ((infra || !VOZEZIV.bProhibitTKIPonHT) && (infra || auth != 6) && !hide))
            add(&CUISTR::STR_TKIP, 2);
        add(&CUISTR::STR_AES, 3);
        break;
    case 8:
    case 9:
        add(&CUISTR::STR_SMS4, 4);
        break;
    case 10:
        if (vista && infra) {
            add(&CUISTR::STR_WEP, 1);
            if (!hide)
                add(&CUISTR::STR_TKIP, 2);
            add(&CUISTR::STR_AES, 3);
        }
        break;
    case 12:
        if (vista || !(!infra && VOZEZIV.bProhibitTKIPonHT))
            add(&CUISTR::STR_WEP, 1);
        break;
    default:
        break;
    }
    SelectByObject(cboxEncryption, editor->m_nEncrySel);
}

void TFrameProfileEditSecurity::StoreSettings()
{
    if (!FormProfileEdit)
        return;
    FormProfileEdit->m_nAuthSel = SelectedObject(cboxAuthentication, 0);
    FormProfileEdit->m_nEncrySel = SelectedObject(cboxEncryption, 0);
}

bool TFrameProfileEditSecurity::OnLeavePage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor || !VOZEZIV.bPersistentConnect)
        return true;
    const int auth = SelectedObject(cboxAuthentication, 0);
    const int encry = SelectedObject(cboxEncryption, 0);
    bool allowed = true;
    if (auth == 0 && encry == 0)
        allowed = VOZEZIV.bOpen_None != 0;
    else if (auth == 0 && encry == 1)
        allowed = VOZEZIV.bOpen_WEP != 0;
    else if (auth == 1)
        allowed = VOZEZIV.bShared_WEP != 0;
    else if (auth == 4)
        allowed = VOZEZIV.bWPA_PSK != 0;
    else if (auth == 6)
        allowed = VOZEZIV.bWPA2_PSK != 0;
    else if (auth == 7 || auth == 8 || auth == 9)
        allowed = false;
    if (!allowed)
        editor->FrameProfileEditSSO->ClearSsoBoxes();
    return true;
}

TFrameProfileEditKey::TFrameProfileEditKey(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditKey";
    PanelWEP = new TPanel(this);
    PanelWEP->SetParent(this);
    PanelWEP->SetBounds(0, 0, kPageWidth, 104);
    PanelWEP->SetColor(WEVO_FORM_COLOR);
    lblKeyFormat = MakeLabel(PanelWEP, 16, 16, S(&CUISTR::STR_KEYFORMAT));
    cboxKeyFormat = MakeCombo(PanelWEP, 140, 12, 200);
    AddEntry(cboxKeyFormat, S(&CUISTR::STR_HEXA), 0);
    AddEntry(cboxKeyFormat, S(&CUISTR::STR_ASCII), 1);
    cboxKeyFormat->OnChange = [this](TObject* s) { cboxKeyFormatChange(s); };
    lblDefaultKey = MakeLabel(PanelWEP, 16, 48, S(&CUISTR::STR_DEFAULTKEY));
    cboxDefaultKey = MakeCombo(PanelWEP, 140, 44, 200);
    cboxDefaultKey->OnChange = [this](TObject* s) { cboxDefaultKeyChange(s); };
    lblWEPKey = MakeLabel(PanelWEP, 16, 80, S(&CUISTR::STR_WEPKEY));
    for (TEdit*& edit : editWEPKey) {
        edit = MakeEdit(PanelWEP, 140, 76, 200);
        edit->SetPasswordChar('*');
        edit->SetMaxLength(26);
    }

    PanelPSK = new TPanel(this);
    PanelPSK->SetParent(this);
    PanelPSK->SetBounds(0, 0, kPageWidth, 104);
    PanelPSK->SetColor(WEVO_FORM_COLOR);
    lblPskKey = MakeLabel(PanelPSK, 16, 16, S(&CUISTR::STR_WPAPSKKEY));
    editPskKey = MakeEdit(PanelPSK, 140, 12, 200);
    editPskKey->SetPasswordChar('*');
    editPskKey->SetMaxLength(64);
    lblPskKeyFormat = MakeLabel(PanelPSK, 16, 48, S(&CUISTR::STR_KEYFORMAT));
    cboxPskKeyFormat = MakeCombo(PanelPSK, 140, 44, 200);
    AddEntry(cboxPskKeyFormat, S(&CUISTR::STR_PSK_HEXA), 0);
    AddEntry(cboxPskKeyFormat, S(&CUISTR::STR_PSK_ASCII), 1);

    chBoxShowPassword = new TCheckBox(this);
    chBoxShowPassword->SetParent(this);
    chBoxShowPassword->SetBounds(140, 108, 200, 17);
    chBoxShowPassword->SetCaption(S(&CUISTR::STR_SHOWPASSWORD));
    chBoxShowPassword->OnClick = [this](TObject* s) { chBoxShowPasswordClick(s); };
}

void TFrameProfileEditKey::OnEnterPage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    const int encry = editor->m_nEncrySel;
    PanelWEP->SetVisible(encry == 1);
    PanelPSK->SetVisible(encry >= 2 && encry <= 7);
    lblPskKeyFormat->SetVisible(encry == 4);
    cboxPskKeyFormat->SetVisible(encry == 4);
    if (encry == 1) {
        cboxDefaultKey->Items().Clear();
        AddEntry(cboxDefaultKey, S(&CUISTR::STR_KEY1), 1);
        if (WinOS() < WINOS_VISTA || editor->m_nInfrastructureMode == 1) {
            AddEntry(cboxDefaultKey, S(&CUISTR::STR_KEY2), 2);
            AddEntry(cboxDefaultKey, S(&CUISTR::STR_KEY3), 3);
            AddEntry(cboxDefaultKey, S(&CUISTR::STR_KEY4), 4);
        } else {
            editor->m_nDefaultKey = 1;
        }
        for (int i = 0; i < 4; ++i)
            editWEPKey[i]->SetText(editor->m_strWEPKey[i]);
        SelectByObject(cboxDefaultKey, editor->m_nDefaultKey);
        cboxDefaultKeyChange(this);
    }
    if (encry >= 2 && encry <= 7) {
        editPskKey->SetText(editor->m_strPskKey);
        SelectByObject(cboxPskKeyFormat, editor->m_nPskKeyType);
    }
    chBoxShowPassword->SetVisible(VOZEZIV.bShowPassword != 0);
    chBoxShowPasswordClick(this);
}

void TFrameProfileEditKey::cboxDefaultKeyChange(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    const int key = std::clamp(SelectedObject(cboxDefaultKey, 1), 1, 4);
    for (int i = 0; i < 4; ++i)
        editWEPKey[i]->SetVisible(i == key - 1);
    editWEPKey[key - 1]->BringToFront();
    if (editor) {
        editWEPKey[key - 1]->SetText(editor->m_strWEPKey[key - 1]);
        SelectByObject(cboxKeyFormat, editor->m_nWEPKeyFormat[key - 1]);
        cboxKeyFormatChange(this);
    }
}

void TFrameProfileEditKey::cboxKeyFormatChange(TObject*)
{
    const int limit = SelectedObject(cboxKeyFormat, 0) == 1 ? 13 : 26;
    for (TEdit* edit : editWEPKey)
        edit->SetMaxLength(limit);
}

void TFrameProfileEditKey::chBoxShowPasswordClick(TObject*)
{
    const bool clear = VOZEZIV.bShowPassword && chBoxShowPassword->Checked();
    const char mask = clear ? 0 : '*';
    editPskKey->SetPasswordChar(mask);
    for (TEdit* edit : editWEPKey)
        edit->SetPasswordChar(mask);
}

bool TFrameProfileEditKey::StoreSettings()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return false;
    for (int i = 0; i < 4; ++i)
        editor->m_strWEPKey[i] = editWEPKey[i]->Text();
    editor->m_strPskKey = editPskKey->Text();
    editor->m_nPskKeyType = editor->m_nAuthSel == 8 ? SelectedObject(cboxPskKeyFormat, 1) : 1;
    editor->m_nDefaultKey = std::clamp(SelectedObject(cboxDefaultKey, 1), 1, 4);
    editor->m_nWEPKeyFormat[editor->m_nDefaultKey - 1] = SelectedObject(cboxKeyFormat, 0);
    return editor->CheckKeys();
}

TFrameProfileEditAdvanced::TFrameProfileEditAdvanced(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditAdvanced";
    lblTxPower = MakeLabel(this, 16, 10, S(&CUISTR::STR_TX_POWER));
    cboxTxPower = MakeCombo(this, 150, 6, 120);

    PanelPowerSave = new TPanel(this);
    PanelPowerSave->SetParent(this);
    PanelPowerSave->SetBounds(0, 32, kPageWidth, 24);
    PanelPowerSave->SetColor(WEVO_FORM_COLOR);
    lblPowerSave = MakeLabel(PanelPowerSave, 16, 4, S(&CUISTR::STR_POWER_SAVE_MODE));
    rBtnCAM = new TRadioButton(PanelPowerSave);
    rBtnCAM->SetParent(PanelPowerSave);
    rBtnCAM->SetBounds(150, 3, 80, 17);
    rBtnCAM->SetCaption(S(&CUISTR::STR_CAM));
    rBtnPSM = new TRadioButton(PanelPowerSave);
    rBtnPSM->SetParent(PanelPowerSave);
    rBtnPSM->SetBounds(240, 3, 80, 17);
    rBtnPSM->SetCaption(S(&CUISTR::STR_PSM));

    PanelPreamble = new TPanel(this);
    PanelPreamble->SetParent(this);
    PanelPreamble->SetBounds(0, 32, kPageWidth, 24);
    PanelPreamble->SetColor(WEVO_FORM_COLOR);
    lblPreamble = MakeLabel(PanelPreamble, 16, 4, S(&CUISTR::STR_PREAMBLE));
    cboxPreamble = MakeCombo(PanelPreamble, 150, 0, 120);

    const auto makeRow = [this](int top, std::string CUISTR::*caption, TCheckBox*& box, TTrackBar*& bar,
                                TLabel*& value, int low, int high) {
        box = new TCheckBox(this);
        box->SetParent(this);
        box->SetBounds(16, top + 3, 130, 17);
        box->SetCaption(S(caption));
        bar = new TTrackBar(this);
        bar->SetParent(this);
        bar->SetBounds(150, top, 170, 24);
        bar->SetRange(low, high);
        bar->SetPosition(low);
        value = MakeLabel(this, 325, top + 4, std::to_string(low));
    };
    makeRow(62, &CUISTR::STR_RTS_THRESHOLD, chBoxRTS, tbRTS, lblRTSValue, 0, 2347);
    makeRow(92, &CUISTR::STR_FRAG_THRESHOLD, chBoxFrag, tbFrag, lblFragValue, 256, 2346);
    chBoxRTS->OnClick = [this](TObject* s) { chBoxRTSClick(s); };
    chBoxFrag->OnClick = [this](TObject* s) { chBoxFragClick(s); };
    tbRTS->OnChange = [this](TObject* s) { tbRTSChange(s); };
    tbFrag->OnChange = [this](TObject* s) { tbFragChange(s); };
    tbRTS->SetEnabled(false);
    tbFrag->SetEnabled(false);

    chBoxDiagnostic = new TCheckBox(this);
    chBoxDiagnostic->SetParent(this);
    chBoxDiagnostic->SetBounds(16, 126, 300, 17);
    chBoxDiagnostic->SetCaption(S(&CUISTR::STR_PROF_DIAGNOSTIC));
    FillLists();
}

void TFrameProfileEditAdvanced::FillLists()
{
    const int txPower = FormProfileEdit ? FormProfileEdit->m_nTxPower : 0;
    const int preamble = FormProfileEdit ? FormProfileEdit->m_nPreamble : 0;
    cboxTxPower->Items().Clear();
    AddEntry(cboxTxPower, S(&CUISTR::STR_AUTO), 0);
    AddEntry(cboxTxPower, S(&CUISTR::STR_100PERCENT), 1);
    AddEntry(cboxTxPower, S(&CUISTR::STR_75PERCENT), 2);
    AddEntry(cboxTxPower, S(&CUISTR::STR_50PERCENT), 3);
    AddEntry(cboxTxPower, S(&CUISTR::STR_25PERCENT), 4);
    AddEntry(cboxTxPower, S(&CUISTR::STR_10PERCENT), 5);
    AddEntry(cboxTxPower, S(&CUISTR::STR_LOWEST), 6);
    SelectByObject(cboxTxPower, txPower);
    cboxPreamble->Items().Clear();
    AddEntry(cboxPreamble, S(&CUISTR::STR_AUTO), 0);
    AddEntry(cboxPreamble, S(&CUISTR::STR_LONGPREAMBLE), 1);
    SelectByObject(cboxPreamble, preamble);
}

void TFrameProfileEditAdvanced::OnEnterPage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    const bool infra = editor->m_nProfNetworkType == 1;
    PanelPowerSave->SetVisible(infra);
    PanelPreamble->SetVisible(!infra);
    const bool powerSaveShown = WinOS() < WINOS_VISTA;
    lblPowerSave->SetVisible(powerSaveShown);
    rBtnCAM->SetVisible(powerSaveShown);
    rBtnPSM->SetVisible(powerSaveShown);
    chBoxDiagnostic->SetVisible(VOZEZIV.bSupportCCX != 0);
    (editor->m_nPSMode ? rBtnPSM : rBtnCAM)->SetChecked(true);
    tbRTS->SetEnabled(chBoxRTS->Checked());
    tbFrag->SetEnabled(chBoxFrag->Checked());
}

bool TFrameProfileEditAdvanced::OnLeavePage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return true;
    editor->m_nTxPower = SelectedObject(cboxTxPower, 0);
    editor->m_nPreamble = SelectedObject(cboxPreamble, 0);
    editor->m_nPSMode = rBtnCAM->Checked() ? 0 : 1;
    editor->m_bDiagnostic = chBoxDiagnostic->Checked() ? 1 : 0;
    editor->m_bUseRTS = chBoxRTS->Checked() ? 1 : 0;
    editor->m_nRTSThreshold = editor->m_bUseRTS ? tbRTS->Position() : 2347;
    editor->m_bUseFrag = chBoxFrag->Checked() ? 1 : 0;
    editor->m_nFragThreshold = editor->m_bUseFrag ? tbFrag->Position() : 2346;
    return true;
}

void TFrameProfileEditAdvanced::chBoxRTSClick(TObject*)
{
    tbRTS->SetEnabled(chBoxRTS->Checked());
}

void TFrameProfileEditAdvanced::chBoxFragClick(TObject*)
{
    tbFrag->SetEnabled(chBoxFrag->Checked());
}

void TFrameProfileEditAdvanced::tbRTSChange(TObject*)
{
    char text[16];
    wsprintfA(text, "%i", tbRTS->Position());
    lblRTSValue->SetCaption(text);
}

void TFrameProfileEditAdvanced::tbFragChange(TObject*)
{
    char text[16];
    wsprintfA(text, "%i", tbFrag->Position());
    lblFragValue->SetCaption(text);
}

void TFrameProfileEditAdvanced::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_HSCROLL && Message.LParam) {
        const HWND from = reinterpret_cast<HWND>(Message.LParam);
        if (from == tbRTS->Handle())
            tbRTS->Scrolled();
        else if (from == tbFrag->Handle())
            tbFrag->Scrolled();
    }
    TFrameBase::WndProc(Message);
}

TFrameProfileEditWPSConnect::TFrameProfileEditWPSConnect(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditWPSConnect";
    BtnPBC = new TWvImage(this);
    BtnPBC->SetParent(this);
}

void TFrameProfileEditWPSConnect::BtnPINClick(TObject*)
{
    PrintMessage(6, " --> TFrameProfileEditWPSConnect::BtnPINClick\n");
    PrintMessage(6, " <-- TFrameProfileEditWPSConnect::BtnPINClick\n");
}

// ---- the window

TFormProfileEdit::TFormProfileEdit(TComponent* owner) : TFormBase(owner)
{
    Name = "FormProfileEdit";
    TFormResource* res = FormResource;
    if (res && res->ImgProfileFormBG)
        ImgBackground->SetPicture(res->ImgProfileFormBG->Picture());
    if (ImgBackground->Picture().Empty())
        SetClientSize(400, 245);
    const int w = ClientWidth(), h = ClientHeight();

    SysBtnClose = MakeButton(this, w - 23, 16, res ? res->ImgBtnProfileFormClose_Normal : nullptr,
                             res ? res->ImgBtnProfileFormClose_Down : nullptr, nullptr);
    BtnProfileCancel = MakeButton(this, w - 100, h - 34, res ? res->ImgBtnProfileCancel_Normal : nullptr,
                                  res ? res->ImgBtnProfileCancel_Down : nullptr,
                                  res ? res->ImgBtnProfileCancel_Diabled : nullptr);
    BtnProfileBack = MakeButton(this, w - 70, h - 34, res ? res->ImgBtnProfileBack_Normal : nullptr,
                                res ? res->ImgBtnProfileBack_Down : nullptr,
                                res ? res->ImgBtnProfileBack_Disabled : nullptr);
    BtnProfileNext = MakeButton(this, w - 40, h - 34, res ? res->ImgBtnProfileNext_Normal : nullptr,
                                res ? res->ImgBtnProfileNext_Down : nullptr,
                                res ? res->ImgBtnProfileNext_Disabled : nullptr);
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    BtnProfileCancel->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    BtnProfileBack->OnClick = [this](TObject* s) { BtnProfileBackClick(s); };
    BtnProfileNext->OnClick = [this](TObject* s) { BtnProfileNextClick(s); };

    const auto place = [this](TFrameBase* page) {
        page->SetParent(this);
        page->SetBounds(kPageLeft, kPageTop, kPageWidth, kPageHeight);
        page->SetColor(WEVO_FORM_COLOR);
    };
    FrameProfileEditWireless = new TFrameProfileEditWireless(this);
    FrameProfileEditSecurity = new TFrameProfileEditSecurity(this);
    FrameProfileEditKey = new TFrameProfileEditKey(this);
    FrameProfileEditAdvanced = new TFrameProfileEditAdvanced(this);
    FrameProfileEdit8021X = new TFrameProfileEdit8021X(this);
    FrameProfileEditClientCert = new TFrameProfileEditClientCert(this);
    FrameProfileEditServerCert = new TFrameProfileEditServerCert(this);
    FrameProfileEditEAPFast = new TFrameProfileEditEAPFast(this);
    FrameProfileEditSSO = new TFrameProfileEditSSO(this);
    FrameProfileEditWAPICert = new TFrameProfileEditWAPICert(this);
    const auto plainPage = [this](const char* name) {
        auto* page = new TFrameBase(this);
        page->Name = name;
        return page;
    };
    FrameProfileEditWPS = plainPage("FrameProfileEditWPS");
    FrameProfileEditWPSPin = plainPage("FrameProfileEditWPSPin");
    FrameProfileEditWPSConnect = new TFrameProfileEditWPSConnect(this);
    FrameProfileEditWPSProfile = plainPage("FrameProfileEditWPSProfile");
    FrameProfileEditExtregWPSProfile = plainPage("FrameProfileEditExtregWPSProfile");
    for (TFrameBase* page : AllPages())
        place(page);

    TimerWPSHWPBC = new TTimer(this);
    TimerWPSHWPBC->SetEnabled(false);
    TimerWPSHWPBC->SetInterval(1000);
    TimerWPSConnectStatus = new TTimer(this);
    TimerWPSConnectStatus->SetEnabled(false);

    OnShow = [this](TObject* s) { FormShow(s); };
    ResetEditor();
    m_nEAPMethod = 0;
    m_nTunnelAuthen = 26;
    m_nTTLSTunnelAuthen = 72;
    m_nSessionResumption = 1;
    m_bCacheUserInfo = 1;
}

std::vector<TFrameBase*> TFormProfileEdit::AllPages() const
{
    return {FrameProfileEditWireless, FrameProfileEditSecurity, FrameProfileEditKey, FrameProfileEditAdvanced,
            FrameProfileEdit8021X, FrameProfileEditClientCert, FrameProfileEditServerCert,
            FrameProfileEditEAPFast, FrameProfileEditSSO, FrameProfileEditWAPICert, FrameProfileEditWPS,
            FrameProfileEditWPSPin, FrameProfileEditWPSConnect, FrameProfileEditWPSProfile,
            FrameProfileEditExtregWPSProfile};
}

TFormProfileEdit::~TFormProfileEdit() = default;

void TFormProfileEdit::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TFormProfileEdit::FormCreate\n");
    lblCaptionText->SetCaption(S(&CUISTR::STR_BtnHintProfile));
    SysBtnClose->SetHint(S(&CUISTR::STR_BtnHintClose));
    BtnProfileNext->SetHint(S(&CUISTR::STR_BtnHintNext));
    BtnProfileBack->SetHint(S(&CUISTR::STR_BtnHintBack));
    BtnProfileCancel->SetHint(S(&CUISTR::STR_BtnHintCancel));
    unsigned long ccx2 = 0;
    if (VOZEZIV.WVWL_ReadCCX2Cont)
        VOZEZIV.WVWL_ReadCCX2Cont(&ccx2);
    m_bCCKMEnabled = (ccx2 & 0x2) ? TRUE : FALSE;
    TimerWPSHWPBC->SetInterval(1000);
    PrintMessage(6, " Start TimerWPSHWPBC Timer : 1sec\n");
    m_nWPSVersion = 0x10;
    if (VOZEZIV.WVWL_QueryWPSVersion) {
        unsigned long version = 0;
        if (VOZEZIV.WVWL_QueryWPSVersion(&version))
            m_nWPSVersion = version;
        else
            PrintMessage(2, " WVWL_QueryWPSVersion() return FALSE\n");
    }
    PrintMessage(6, " WPS version = 0x%X\n", unsigned(m_nWPSVersion));
    TFormBase::FormCreate(Sender);
    PrintMessage(6, " <-- TFormProfileEdit::FormCreate\n");
}

void TFormProfileEdit::FormShow(TObject*)
{
    BtnProfileBack->SetEnabled(false);
    BtnProfileNext->SetEnabled(true);
    TFrameBase* first = FrameProfileEditSecurity;
    if (!SurveyMode())
        first = WpsFromProfile() ? FrameProfileEditWPS : static_cast<TFrameBase*>(FrameProfileEditWireless);
    m_pCurrentPage = nullptr;
    if (first == FrameProfileEditSecurity)
        FillAuthenticationList();
    SwitchPage(nullptr, first);
}

void TFormProfileEdit::ResetEditor()
{
    m_strProfName.clear();
    m_strProfSSID.clear();
    m_nProfNetworkType = 1;
    m_nInfrastructureMode = 1;
    m_nAuthSel = 0;
    m_nEncrySel = 0;
    m_strProfID.clear();
    m_nProfID = 0;
    m_strProfChannel.clear();
    m_nDefaultKey = 1;
    for (int i = 0; i < 4; ++i) {
        m_nWEPKeyFormat[i] = 0;
        m_strWEPKey[i].clear();
    }
    m_nPskKeyType = 1;
    m_strPskKey.clear();
    unsigned long psMode = 0;
    if (VOZEZIV.WVWL_ReadPSMode)
        VOZEZIV.WVWL_ReadPSMode(&psMode);
    m_nPSMode = int(psMode);
    m_nTxPower = 0;
    m_nPreamble = 0;
    m_bUseRTS = 0;
    m_nRTSThreshold = 2347;
    m_bUseFrag = 0;
    m_nFragThreshold = 2346;
    m_bDiagnostic = 0;
    m_nAdhocMode = 1;
    m_bACCam = 0;
    m_bMD5WepKeys = 0;
    m_bShowWPSProfilePage = FALSE;
    m_PacBuffer.clear();
    m_nWapiCertMode = 0;
    m_WapiUserIdentity = {};
    m_WapiASIdentity = {};
    m_strUserCertPath.clear();
    m_strASCertPath.clear();
    m_WpaInfo = WPA_INFO();
    if (FrameProfileEditKey) {
        FrameProfileEditKey->editPskKey->SetText("");
        for (TEdit* edit : FrameProfileEditKey->editWEPKey)
            edit->SetText("");
    }
}

void TFormProfileEdit::FillSsidList(bool fromProfile)
{
    TComboBox* box = FrameProfileEditWireless->cboxSSID;
    box->Items().Clear();
    const DWORD size = VOZEZIV.nRepositBssidBufSize;
    if (VOZEZIV.pRepositBssidList && size) {
        std::vector<BYTE> copy(VOZEZIV.pRepositBssidList, VOZEZIV.pRepositBssidList + size);
        int index = 0;
        for (const bss::Item& item : bss::WalkList(copy.data(), copy.size()).items) {
            const BYTE* p = copy.data() + item.offset;
            const bool adhoc = bss::ReadU32(p + bss::kInfrastructureMode) == 0;
            if (!(WinOS() >= WINOS_WIN8 && adhoc)) {
                const uint32_t length = std::min(bss::ReadU32(p + bss::kSsidLength), bss::kMaxSsid);
                box->Items().AddObject(std::string(reinterpret_cast<const char*>(p + bss::kSsid), length),
                                       reinterpret_cast<void*>(intptr_t(index)));
            }
            ++index;
        }
    }
    int selected = box->Items().IndexOf(m_strProfSSID);
    if (selected < 0 && fromProfile && !m_strProfSSID.empty()) {
        box->Items().AddObject(m_strProfSSID, reinterpret_cast<void*>(intptr_t(-1)));
        selected = box->Items().Count() - 1;
    }
    box->SetItemIndex(selected);
    box->SetText(m_strProfSSID);
}

void TFormProfileEdit::InitialSettingFromSiteSurvey(const NDIS_WLAN_BSSID_EX* network, const std::string& name,
                                                    const std::string& id, int authType, int secured,
                                                    const std::string& cipher)
{
    PrintMessage(6, " --> TFormProfileEdit::InitialSettingFromSiteSurvey\n");
    ResetEditor();
    m_bFromSurvey = TRUE;
    m_bWPSFromProfile = FALSE;
    m_strProfName = name;
    m_strOrgProfName = name;
    m_strProfID = (id.empty() || id == "0") ? "1" : id;
    FrameProfileEditWireless->editProfileName->SetText(name);
    if (network) {
        const uint32_t length = std::min<ULONG>(network->Ssid.SsidLength, bss::kMaxSsid);
        m_strProfSSID.assign(reinterpret_cast<const char*>(network->Ssid.Ssid), length);
        m_nInfrastructureMode = network->InfrastructureMode;
        m_nProfNetworkType = network->InfrastructureMode == 1 ? 1 : 0;
        if (VOZEZIV.WVWL_FrequencyToChannel) {
            const int channel = VOZEZIV.WVWL_FrequencyToChannel(network->Configuration.DSConfig);
            if (channel >= 0)
                m_strProfChannel = std::to_string(channel);
        }
    }
    FillSsidList();

    if (!secured) {
        m_nAuthSel = 0;
        m_nEncrySel = 0;
    } else {
        if (cipher == S(&CUISTR::STR_AES) || cipher == "TKIP+AES")
            m_nEncrySel = 3;
        else if (cipher == S(&CUISTR::STR_TKIP))
            m_nEncrySel = 2;
        else if (cipher == S(&CUISTR::STR_SMS4))
            m_nEncrySel = 4;
        else
            m_nEncrySel = 1;
        const bool wpa2 = WinOS() >= 11;
        switch (authType) {
        case 1: m_nAuthSel = 3; break;
        case 2: m_nAuthSel = 4; break;
        case 3: m_nAuthSel = 7; break;
        case 4: m_nAuthSel = wpa2 ? 5 : 3; break;
        case 5: m_nAuthSel = wpa2 ? 6 : 4; break;
        case 6: m_nAuthSel = 8; break;
        case 7: m_nAuthSel = 9; break;
        case 8: m_nAuthSel = 10; break;
        default:
            m_nAuthSel = 0;
            m_nEncrySel = 1;
            break;
        }
    }
    FillAuthenticationList();
    PrintMessage(6, " <-- TFormProfileEdit::InitialSettingFromSiteSurvey\n");
}

void TFormProfileEdit::InitialSettingFromProfileAdd(const std::string& name, const std::string& id)
{
    PrintMessage(6, " --> TFormProfileEdit::InitialSettingFromProfileAdd\n");
    ResetEditor();
    m_bWPSFromProfile = FALSE;
    m_bFromSurvey = FALSE;
    m_strProfName = name;
    m_strOrgProfName = name;
    m_strProfID = (id.empty() || id == "0") ? "1" : id;
    FrameProfileEditWireless->editProfileName->SetText(name);
    FillSsidList();
    FrameProfileEditWireless->rBtnInfra->SetChecked(true);
    m_nProfNetworkType = 1;
    m_nInfrastructureMode = 1;
    FillAuthenticationList();
    ShowAdvancedValues();
    FrameProfileEditSSO->ClearSsoBoxes();
    FrameProfileEditEAPFast->m_PacEntries.clear();
    FrameProfileEditEAPFast->m_nPacCount = 0;
    PrintMessage(6, " <-- TFormProfileEdit::InitialSettingFromProfileAdd\n");
}

void TFormProfileEdit::LoadProfile()
{
    PrintMessage(6, " --> TFormProfileEdit::LoadProfile\n");
    auto record = std::make_unique<WLANPROFILE>();
    WLANPROFILE& p = *record;
    std::memset(&p, 0, sizeof p);
    char name[128] = {};
    CopyText(name, m_strProfName);
    if (VOZEZIV.WVWL_ReadProfileData)
        VOZEZIV.WVWL_ReadProfileData(&p, name);

    m_strProfSSID = ProfileSsidOf(p);
    m_nProfNetworkType = p.enumNetworkType == 1 ? 1 : 0;
    m_nInfrastructureMode = m_nProfNetworkType;
    if (VOZEZIV.WVWL_FrequencyToChannel)
        m_strProfChannel = std::to_string(VOZEZIV.WVWL_FrequencyToChannel(ULONG(p.lFreq)));
    m_nProfID = int(p.nProfileID);
    m_strProfID = std::to_string(p.nProfileID);
    m_nPSMode = p.enumPSMode >= 2 ? 1 : int(p.enumPSMode);
    m_nTxPower = int(std::min<uint32_t>(p.lTxPower, 6));
    m_bACCam = int(p.bACCam);
    m_nPreamble = p.enumPreamType == 0 ? 1 : 0;
    m_bUseRTS = p.bUseRTSThre ? 1 : 0;
    m_nRTSThreshold = m_bUseRTS ? std::clamp<int32_t>(p.lRtsThre, 0, 2347) : 2347;
    m_bUseFrag = p.bUseFragThre ? 1 : 0;
    m_nFragThreshold = m_bUseFrag ? std::clamp<int32_t>(p.lFragThre, 256, 2346) : 2346;
    m_bDiagnostic = p.bUseDiagnostic ? 1 : 0;
    m_nEncrySel = StoredEncryToEditor(p.enumEncryStatus);
    m_nAuthSel = StoredAuthToEditor(p.enumAuthenMode, p.b8021X, p.enumEncryStatus);
    m_nDefaultKey = int(std::clamp<ULONG>(p.wepDefaultKey, 1, 4));
    const char* keys[4] = {p.WEPKey1, p.WEPKey2, p.WEPKey3, p.WEPKey4};
    const uint32_t types[4] = {p.WEPKey1Type, p.WEPKey2Type, p.WEPKey3Type, p.WEPKey4Type};
    for (int i = 0; i < 4; ++i) {
        m_nWEPKeyFormat[i] = int(types[i]);
        m_strWEPKey[i] = BoundedText(keys[i], 64);
    }
    m_nPskKeyType = int(p.nPskKeyType);
    m_strPskKey.assign(p.chPskKey, std::min<size_t>(p.nPskKeyLen, sizeof p.chPskKey));
    m_strPskKey = BoundedText(m_strPskKey.data(), m_strPskKey.size());

    m_WpaInfo.nEapMethod = int(p.enumAuthenProtocol);
    if (p.enumAuthenProtocol == 2)
        m_WpaInfo.nTTLSTunnel = int(p.enumTunnel);
    else
        m_WpaInfo.nTunnel = int(p.enumTunnel);
    m_WpaInfo.nProvTunnel = int(p.enumProvisioningTunnel);
    m_WpaInfo.nSessionResume = int(p.nSessionResumption);
    m_WpaInfo.strIdentity = BoundedText(p.chID, sizeof p.chID);
    m_WpaInfo.strPassword = BoundedText(p.chPassword, sizeof p.chPassword);
    m_WpaInfo.strIdentityCopy = m_WpaInfo.strIdentity;
    m_WpaInfo.strPasswordCopy = m_WpaInfo.strPassword;
    m_WpaInfo.strDomain = BoundedText(p.chDomainName, sizeof p.chDomainName);
    m_WpaInfo.nPwdMode = int(p.nPasswordMode);
    m_WpaInfo.bUseClientCert = int(p.bClientCert);
    m_WpaInfo.bUseServerCert = int(p.bServerCert);
    m_WpaInfo.bPacEnabled = int(p.bPAC);
    m_WpaInfo.bProvisionEnabled = int(p.bProvision);
    m_WpaInfo.strPacPath = BoundedText(p.chPACfilepath, sizeof p.chPACfilepath);
    m_WpaInfo.bAllowIntermediate = int(p.bIntermediateCert);
    m_WpaInfo.strServer = BoundedText(p.chServerName, sizeof p.chServerName);
    m_WpaInfo.nServerRule = int(p.nServerNameRule);
    m_WpaInfo.CACertKey = BoundedBlob(p.CA_cert);
    m_WpaInfo.UserCertKey = BoundedBlob(p.user_cert);
    m_WpaInfo.bSmartCard = int(p.bClientCertInSmartCard);
    m_WpaInfo.nIdMode = int(p.nIDModeIndex);
    m_WpaInfo.bCacheUser = int(p.bCacheUserInfo);
    m_nWapiCertMode = int(p.nWapiCertMode);
    m_WapiUserIdentity = p.WapiUserIdentity;
    m_WapiASIdentity = p.WapiASIdentity;
    m_strUserCertPath = BoundedText(p.chUserCertPath, sizeof p.chUserCertPath);
    m_strASCertPath = BoundedText(p.chASCertPath, sizeof p.chASCertPath);
    ShowSsoBitsOnPage(*FrameProfileEditSSO, p.ssoInfo, VOZEZIV.bPersistentConnect != 0, WinOS());
    ReadPacList(name);
    PrintMessage(6, " <-- TFormProfileEdit::LoadProfile\n");
}

void TFormProfileEdit::ReadPacList(const char* profileName)
{
    m_WpaInfo.nPacCount = 0;
    m_WpaInfo.pPacEntries = nullptr;
    m_PacBuffer.clear();
    if (!VOZEZIV.WVWL_ReadPACList)
        return;
    unsigned long count = 0;
    VOZEZIV.WVWL_ReadPACList(nullptr, &count, profileName);
    if (count == 0)
        return;
    if (count > kMaxPacEntries) {
        PrintMessage(2, " TFormProfileEdit::ReadPacList: %lu entries refused\n", count);
        return;
    }
    try {
        m_PacBuffer.assign(size_t(count) * kPacEntrySize, 0);
    } catch (const std::bad_alloc&) {
        return;
    }
    unsigned long filled = count;
    VOZEZIV.WVWL_ReadPACList(m_PacBuffer.data(), &filled, profileName);
    m_WpaInfo.nPacCount = int(std::min(filled, count));
    m_WpaInfo.pPacEntries = m_PacBuffer.data();
}

void TFormProfileEdit::FillPagesFromProfile()
{
    m_bFromSurvey = FALSE;
    m_bWPSFromProfile = FALSE;
    if (FormProfile)
        FormProfile->m_bWPSFromProfile = FALSE;
    TFrameProfileEditWireless* wireless = FrameProfileEditWireless;
    wireless->editProfileName->SetText(m_strProfName);
    FillSsidList(true);
    const int type = m_nProfNetworkType;
    (type == 1 ? wireless->rBtnInfra : wireless->rBtnAdhoc)->SetChecked(true);
    m_nProfNetworkType = type;
    m_nInfrastructureMode = type == 1 ? 1 : 0;
    FillAuthenticationList();
    FrameProfileEditKey->editPskKey->SetText(m_strPskKey);
    for (int i = 0; i < 4; ++i)
        FrameProfileEditKey->editWEPKey[i]->SetText(m_strWEPKey[i]);
    unsigned long adhocMode = ULONG(m_nAdhocMode);
    QueryAdhocMode(&adhocMode);
    m_nAdhocMode = int(adhocMode);
    FillChannelList();
    ShowAdvancedValues();

    m_nEAPMethod = m_WpaInfo.nEapMethod;
    m_nTunnelAuthen = m_WpaInfo.nTunnel;
    m_nTTLSTunnelAuthen = m_WpaInfo.nTTLSTunnel;
    m_nSessionResumption = m_WpaInfo.nSessionResume;
    m_nPasswordMode = m_WpaInfo.nPwdMode;
    m_bCacheUserInfo = m_WpaInfo.bCacheUser;
    m_bUsePAC = m_WpaInfo.bPacEnabled;
    m_bProvisionMode = m_WpaInfo.bProvisionEnabled;
    m_nProvisioningTunnel = m_WpaInfo.nProvTunnel == 13 ? 1 : m_WpaInfo.nProvTunnel == 6 ? 2 : 0;
    // The credential list goes to the EAP-FAST page.
    FrameProfileEditEAPFast->m_PacEntries = std::move(m_PacBuffer);
    FrameProfileEditEAPFast->m_nPacCount = m_WpaInfo.nPacCount;
    m_PacBuffer.clear();
    m_WpaInfo.pPacEntries = nullptr;
}

void TFormProfileEdit::ShowAdvancedValues()
{
    TFrameProfileEditAdvanced* page = FrameProfileEditAdvanced;
    page->FillLists();
    page->chBoxDiagnostic->SetChecked(m_bDiagnostic != 0);
    page->chBoxRTS->SetChecked(m_bUseRTS != 0);
    page->tbRTS->SetPosition(m_bUseRTS ? m_nRTSThreshold : page->tbRTS->Min());
    page->tbRTSChange(page);
    page->chBoxFrag->SetChecked(m_bUseFrag != 0);
    page->tbFrag->SetPosition(m_bUseFrag ? m_nFragThreshold : page->tbFrag->Min());
    page->tbFragChange(page);
}

void TFormProfileEdit::FillChannelList()
{
    TComboBox* box = FrameProfileEditWireless->cboxChannel;
    box->Items().Clear();
    unsigned char channels[64] = {};
    int count = 0;
    const int phyMode = FormMain ? int(FormMain->m_enumPhyMode) : 0;
    if (VOZEZIV.WVWL_GetAvailableChannels)
        VOZEZIV.WVWL_GetAvailableChannels(1, phyMode, m_nAdhocMode, channels, &count, 1);
    count = std::clamp(count, 0, 64);
    for (int i = 0; i < count; ++i) {
        const int channel = channels[i];
        if (channel == 34 || channel == 38 || channel == 42 || channel == 46)
            continue;
        AddEntry(box, std::to_string(channel), channel);
    }
    const int index = box->Items().IndexOf(m_strProfChannel);
    box->SetItemIndex(index >= 0 ? index : (box->Items().Count() ? 0 : -1));
}

int QueryAdhocMode(unsigned long* adhocMode)
{
    if (!VOZEZIV.WVWL_QuerySTAConfig)
        return 0;
    KV_802_11_STA_CONFIG config{};
    const int result = VOZEZIV.WVWL_QuerySTAConfig(&config);
    if (adhocMode)
        *adhocMode = config.AdhocMode;
    return result;
}

void TFormProfileEdit::FillAuthenticationList()
{
    TComboBox* box = FrameProfileEditSecurity->cboxAuthentication;
    box->Items().Clear();
    const auto add = [box](std::string CUISTR::*text, int value) { AddEntry(box, S(text), value); };
    const bool infra = m_nInfrastructureMode == 1;
    const bool hide = VOZEZIV.bHideSecuritymode != 0;
    const bool wapi = VOZEZIV.bSupportWAPI && CheckAdapterKind() == 1 && !m_strProfSSID.empty();
    const int os = WinOS();
    if (!VOZEZIV.WVWL_IsWpaCapable || VOZEZIV.WVWL_IsWpaCapable() == 0) {
        add(&CUISTR::STR_OPENSYSTEM, 0);
        if (os < WINOS_WIN8)
            add(&CUISTR::STR_SHARED, 1);
    } else if (os < WINOS_VISTA && infra) {
        add(&CUISTR::STR_OPENSYSTEM, 0);
        add(&CUISTR::STR_SHARED, 1);
        if (!hide) {
            add(&CUISTR::STR_WPA, 3);
            add(&CUISTR::STR_WPAPSK, 4);
        }
        if (os >= 11) {
            add(&CUISTR::STR_WPA2, 5);
            add(&CUISTR::STR_WPA2PSK, 6);
        }
        add(&CUISTR::STR_8021X, 12);
        if (wapi) {
            add(&CUISTR::STR_WAPIPSK, 8);
            add(&CUISTR::STR_WAPICA, 9);
        }
    } else if (os < WINOS_VISTA) {
        add(&CUISTR::STR_OPENSYSTEM, 0);
        if (!hide)
            add(&CUISTR::STR_WPANONE, 7);
        if (VOZEZIV.bWPA2PSKForAdhocXP)
            add(&CUISTR::STR_WPA2PSK, 6);
        else if (m_nAuthSel == 6)
            m_nAuthSel = 0;
        if (wapi)
            add(&CUISTR::STR_WAPIPSK, 8);
    } else if (infra) {
        add(&CUISTR::STR_OPENSYSTEM, 0);
        if (os < WINOS_WIN8)
            add(&CUISTR::STR_SHARED, 1);
        if (!hide) {
            add(&CUISTR::STR_WPA, 3);
            add(&CUISTR::STR_WPAPSK, 4);
        }
        add(&CUISTR::STR_WPA2, 5);
        add(&CUISTR::STR_WPA2PSK, 6);
        add(&CUISTR::STR_8021X, 12);
        add(&CUISTR::STR_CCKM, 10);
        if (wapi) {
            add(&CUISTR::STR_WAPIPSK, 8);
            add(&CUISTR::STR_WAPICA, 9);
        }
    } else {
        add(&CUISTR::STR_OPENSYSTEM, 0);
        if (VOZEZIV.WVWL_WlanIsAdhocSupportWPA2AES && VOZEZIV.WVWL_WlanIsAdhocSupportWPA2AES() == 1)
            add(&CUISTR::STR_WPA2PSK, 6);
    }
    SelectByObject(box, m_nAuthSel);
    FrameProfileEditSecurity->cboxAuthenticationChange(this);
}

bool TFormProfileEdit::CheckWirelessPage()
{
    FrameProfileEditWireless->StoreSettings();
    const auto fail = [](std::string CUISTR::*text) {
        links::ShowMessage(S(text), 0);
        return false;
    };
    if (m_strProfName.empty())
        return fail(&CUISTR::STR_INPUTPROFILENAME);
    if (IsBlank(m_strProfName))
        return fail(&CUISTR::STR_PURESPACE_PROFILENAME);
    if (m_strProfName.size() > 32)
        return fail(&CUISTR::STR_PROFILENAMELENGTH);
    if (DefaultNameNumber(m_strProfName, S(&CUISTR::STR_PROF)) >= 0xFFFFFFFFULL)
        return fail(&CUISTR::STR_PROFILENAME_INVALIDINT);
    const bool needsSsid = WinOS() >= WINOS_VISTA || m_nInfrastructureMode == 0 || m_bFromSurvey;
    if (needsSsid && m_strProfSSID.empty())
        return fail(&CUISTR::STR_ADHOCINPUTSSID);
    const bool testName = m_bAddProfile || m_strProfName != m_strOrgProfName;
    if (testName && VOZEZIV.WVWL_CheckDuplicatedProfileName &&
        VOZEZIV.WVWL_CheckDuplicatedProfileName(m_strProfName.c_str()) == -16)
        return fail(&CUISTR::STR_DUPLIPROF);
    if (WinOS() < WINOS_VISTA && m_bAddProfile && m_strProfID.empty())
        return fail(&CUISTR::STR_PROF_IDREQUIRED);
    if (m_bAddProfile)
        m_strOrgProfName = m_strProfName;
    FillAuthenticationList();
    if (SwitchPage(m_pCurrentPage, FrameProfileEditSecurity))
        BtnProfileBack->SetEnabled(true);
    return true;
}

bool IsValidPskKey(const std::string& key)
{
    if (key.size() < 8 || key.size() > 64)
        return false;
    return key.size() < 64 || IsHexDigits(key);
}

bool TFormProfileEdit::CheckKeys()
{
    TFrameProfileEditKey* page = FrameProfileEditKey;
    const auto pskFail = [page](std::string CUISTR::*text) {
        page->editPskKey->SetFocus();
        links::ShowMessage(S(text), 0);
        return false;
    };
    switch (m_nAuthSel) {
    case 4:
    case 6:
    case 7:
        if (!IsValidPskKey(m_strPskKey))
            return pskFail(m_nAuthSel == 4   ? &CUISTR::STR_MSGPSKKEYINVALID
                           : m_nAuthSel == 6 ? &CUISTR::STR_MSGWPA2PSKKEYINVALID
                                             : &CUISTR::STR_MSGWPANONEKEYINVALID);
        return true;
    case 8:
        if (m_strPskKey.size() < 8)
            return pskFail(&CUISTR::STR_MSGWAPIPSKKEYINVALID);
        if (m_nPskKeyType == 0 && m_strPskKey.size() % 2)
            return pskFail(&CUISTR::STR_MSGHEXWAPIPSKKEYINVALID);
        if (m_nPskKeyType == 0 && !IsHexDigits(m_strPskKey))
            return pskFail(&CUISTR::STR_MSGWAPIPSKKEYINVALID);
        return true;
    default:
        break;
    }
    const bool wep = m_nAuthSel == 1 || (m_nAuthSel == 0 && m_nEncrySel == 1) ||
                     (m_nAuthSel == 12 && m_nEncrySel == 1 && m_bMD5WepKeys);
    if (!wep)
        return true;
    const int index = std::clamp(m_nDefaultKey, 1, 4) - 1;
    const std::string& key = m_strWEPKey[index];
    const bool ascii = m_nWEPKeyFormat[index] == 1;
    const bool ok = ascii ? (key.size() == 5 || key.size() == 13)
                          : ((key.size() == 10 || key.size() == 26) && IsHexDigits(key));
    if (ok)
        return true;
    TEdit* edit = page->editWEPKey[index];
    edit->SetFocus();
    links::ShowMessage(S(ascii ? &CUISTR::STR_MSGASCIIWEPKEYINVALID : &CUISTR::STR_MSGHEXWEPKEYINVALID), 0);
    edit->SetMaxLength(ascii ? 13 : 26);
    return false;
}

bool TFormProfileEdit::IsPersistentPlatform() const
{
    const int os = WinOS(), type = VOZEZIV.nWinType;
    return os == WINOS_XP || (os >= WINOS_VISTA && type != 14) ||
           (os == WINOS_XP64 && VOZEZIV.bSupportPersistentForXPX64) ||
           (type == 14 && VOZEZIV.bSupportPersistentForWin7Starter);
}

bool TFormProfileEdit::SsoKindTest(int kindSwitch) const
{
    return IsPersistentPlatform() && m_nProfNetworkType == 1 && VOZEZIV.bPersistentConnect && kindSwitch;
}

int TFormProfileEdit::EapMethodSwitch(int method)
{
    switch (method) {
    case 0: return VOZEZIV.bPEAP;
    case 1: return VOZEZIV.bTLS_SmartCard;
    case 2: return VOZEZIV.bTTLS;
    case 3: return VOZEZIV.bEAP_FAST;
    case 4: return VOZEZIV.bMD5;
    case 5: return VOZEZIV.bLEAP;
    default: return 0;
    }
}

void TFormProfileEdit::GoTo(TFrameBase* page, int backEnabled)
{
    if (!SwitchPage(m_pCurrentPage, page))
        return;
    if (backEnabled >= 0)
        BtnProfileBack->SetEnabled(backEnabled != 0);
}

void TFormProfileEdit::AdvancedOrFinish()
{
    if (VOZEZIV.bProfAdvPage)
        GoTo(FrameProfileEditAdvanced, 1);
    else
        Finish();
}

void TFormProfileEdit::BtnProfileNextClick(TObject*)
{
    TFrameBase* page = m_pCurrentPage;
    if (page == FrameProfileEditWireless) {
        CheckWirelessPage();
    } else if (page == FrameProfileEditSecurity) {
        FrameProfileEditSecurity->StoreSettings();
        NextFromSecurity();
    } else if (page == FrameProfileEditKey) {
        NextFromKey();
    } else if (page == FrameProfileEdit8021X) {
        NextFrom8021X();
    } else if (page == FrameProfileEditClientCert) {
        FrameProfileEditClientCert->StoreSettings();
        const bool check = m_nInfrastructureMode == 1 &&
                           (m_nAuthSel == 3 || m_nAuthSel == 5 || m_nAuthSel == 10 || m_nAuthSel == 12);
        if (check && !FrameProfileEditClientCert->CheckSettings())
            return;
        GoTo(FrameProfileEditServerCert, 1);
    } else if (page == FrameProfileEditServerCert) {
        NextFromServerCert();
    } else if (page == FrameProfileEditEAPFast) {
        NextFromEAPFast();
    } else if (page == FrameProfileEditWAPICert) {
        if (m_nWapiStoreCertCount <= 0) {
            links::ShowMessage(S(&CUISTR::STR_NO_USER_CERT), 0);
            return;
        }
        if (SurveyMode())
            HandOver();
        else
            AdvancedOrFinish();
    } else if (page == FrameProfileEditSSO) {
        if (SurveyMode())
            HandOver();
        else
            AdvancedOrFinish();
    } else if (page == FrameProfileEditAdvanced) {
        if (FrameProfileEditWireless->cboxChannel->Text().empty()) {
            links::ShowMessage(S(&CUISTR::STR_SYSCONFIG_NO_CHANN_4_ADHOC), 0);
            return;
        }
        FrameProfileEditAdvanced->OnLeavePage();
        Finish();
    }
}

void TFormProfileEdit::NextFromSecurity()
{
    if (m_nAuthSel == 0 && m_nEncrySel == 0) {
        if (SurveyMode())
            HandOver();
        else if (SsoKindTest(VOZEZIV.bOpen_None))
            GoTo(FrameProfileEditSSO, 1);
        else
            AdvancedOrFinish();
        return;
    }
    switch (m_nAuthSel) {
    case 3:
    case 5:
    case 10:
    case 12:
        GoTo(FrameProfileEdit8021X, 1);
        return;
    case 9:
        GoTo(FrameProfileEditWAPICert, 1);
        return;
    default:
        GoTo(FrameProfileEditKey, 1);
        return;
    }
}

void TFormProfileEdit::NextFromKey()
{
    if (!FrameProfileEditKey->StoreSettings())
        return;
    if (m_bShowWPSProfilePage) {
        GoTo(FrameProfileEditWPSConnect);
        return;
    }
    if (SurveyMode()) {
        HandOver();
        return;
    }
    const bool sso = (m_nAuthSel == 0 && m_nEncrySel == 1 && SsoKindTest(VOZEZIV.bOpen_WEP)) ||
                     (m_nAuthSel == 1 && SsoKindTest(VOZEZIV.bShared_WEP)) ||
                     (m_nAuthSel == 4 && SsoKindTest(VOZEZIV.bWPA_PSK)) ||
                     (m_nAuthSel == 6 && SsoKindTest(VOZEZIV.bWPA2_PSK)) ||
                     (m_nEAPMethod == 4 && SsoKindTest(VOZEZIV.bMD5));
    if (sso)
        GoTo(FrameProfileEditSSO, 1);
    else
        AdvancedOrFinish();
}

void TFormProfileEdit::NextFrom8021X()
{
    FrameProfileEdit8021X->StoreSettings();
    const bool check = m_nInfrastructureMode == 1 &&
                       (m_nAuthSel == 3 || m_nAuthSel == 5 || m_nAuthSel == 10 || m_nAuthSel == 12);
    if (check && !FrameProfileEdit8021X->CheckSettings())
        return;
    const int os = WinOS(), type = VOZEZIV.nWinType;
    switch (m_nEAPMethod) {
    case 0:
        GoTo(m_nTunnelAuthen == 13 ? static_cast<TFrameBase*>(FrameProfileEditClientCert)
                                   : static_cast<TFrameBase*>(FrameProfileEditServerCert), 1);
        return;
    case 1:
    case 2:
        GoTo(FrameProfileEditClientCert, 1);
        return;
    case 3:
        if (os < WINOS_VISTA)
            GoTo(FrameProfileEditEAPFast, 1);
        else if (SurveyMode())
            HandOver();
        else if (!VOZEZIV.bPersistentConnect)
            GoTo(FrameProfileEditSSO, 1);
        else if (VOZEZIV.bEAP_FAST &&
                 ((os <= 44 && type != 14) || (type == 14 && VOZEZIV.bSupportPersistentForWin7Starter)))
            GoTo(FrameProfileEditSSO, 1);
        else
            AdvancedOrFinish();
        return;
    case 4:
        m_bMD5WepKeys = 1;
        GoTo(FrameProfileEditKey, 1);
        return;
    case 5:
        if (SurveyMode())
            HandOver();
        else if (!VOZEZIV.bPersistentConnect || (IsPersistentPlatform() && VOZEZIV.bLEAP))
            GoTo(FrameProfileEditSSO, 1);
        else
            AdvancedOrFinish();
        return;
    default:
        return;
    }
}

void TFormProfileEdit::NextFromServerCert()
{
    FrameProfileEditServerCert->StoreSettings();
    if (SurveyMode()) {
        HandOver();
        return;
    }
    const int os = WinOS(), type = VOZEZIV.nWinType;
    bool sso;
    if (VOZEZIV.bPersistentConnect)
        sso = IsPersistentPlatform() && m_nEAPMethod >= 0 && m_nEAPMethod <= 3 && EapMethodSwitch(m_nEAPMethod);
    else
        sso = (os >= WINOS_VISTA && type != 14) || (type == 14 && VOZEZIV.bSupportPersistentForWin7Starter) ||
              m_nEAPMethod == 3;
    if (sso)
        GoTo(FrameProfileEditSSO, 1);
    else
        AdvancedOrFinish();
}

void TFormProfileEdit::NextFromEAPFast()
{
    FrameProfileEditEAPFast->StoreSettings();
    if (m_nTunnelAuthen == 13 || m_nProvisioningTunnel == 1)
        GoTo(FrameProfileEditClientCert, 1);
    else if (SurveyMode())
        HandOver();
    else if (!VOZEZIV.bPersistentConnect || (IsPersistentPlatform() && VOZEZIV.bEAP_FAST))
        GoTo(FrameProfileEditSSO, 1);
    else
        AdvancedOrFinish();
}

void TFormProfileEdit::BtnProfileBackClick(TObject*)
{
    TFrameBase* page = m_pCurrentPage;
    const int backInEditModes = SurveyMode() ? 0 : 1;
    if (page == FrameProfileEditSecurity) {
        GoTo(FrameProfileEditWireless, 0);
    } else if (page == FrameProfileEditKey) {
        if (m_bShowWPSProfilePage) {
            GoTo(FrameProfileEditWPSProfile, 0);
            BtnProfileNext->SetEnabled(true);
        } else {
            GoTo(FrameProfileEditSecurity, backInEditModes);
        }
    } else if (page == FrameProfileEdit8021X) {
        GoTo(FrameProfileEditSecurity, backInEditModes);
    } else if (page == FrameProfileEditClientCert) {
        GoTo(WinOS() <= 30 && m_nEAPMethod == 3 ? static_cast<TFrameBase*>(FrameProfileEditEAPFast)
                                                : static_cast<TFrameBase*>(FrameProfileEdit8021X));
    } else if (page == FrameProfileEditServerCert) {
        const bool client = m_nEAPMethod != 0 || m_nTunnelAuthen == 13;
        GoTo(client ? static_cast<TFrameBase*>(FrameProfileEditClientCert)
                    : static_cast<TFrameBase*>(FrameProfileEdit8021X));
    } else if (page == FrameProfileEditEAPFast) {
        GoTo(FrameProfileEdit8021X);
    } else if (page == FrameProfileEditWAPICert) {
        GoTo(FrameProfileEditSecurity);
    } else if (page == FrameProfileEditSSO) {
        BackFromSSO();
    } else if (page == FrameProfileEditAdvanced) {
        BackFromAdvanced();
    }
}

void TFormProfileEdit::BackFromSSO()
{
    const int os = WinOS(), method = m_nEAPMethod;
    if (!VOZEZIV.bPersistentConnect) {
        if (method == 5 || (method == 3 && os >= WINOS_VISTA))
            GoTo(FrameProfileEdit8021X);
        else if (method == 3)
            GoTo(FrameProfileEditEAPFast);
        else
            GoTo(FrameProfileEditServerCert);
        return;
    }
    if (m_nAuthSel == 0 && m_nEncrySel == 0) {
        GoTo(FrameProfileEditSecurity);
    } else if ((m_nAuthSel == 0 && m_nEncrySel == 1) || m_nAuthSel == 1 || m_nAuthSel == 4 || m_nAuthSel == 6 ||
               method == 4) {
        GoTo(FrameProfileEditKey);
    } else if (method == 3 && os < WINOS_VISTA) {
        GoTo(m_nTunnelAuthen == 13 || m_nProvisioningTunnel == 1
                 ? static_cast<TFrameBase*>(FrameProfileEditServerCert)
                 : static_cast<TFrameBase*>(FrameProfileEditEAPFast));
    } else if (method == 3 || method == 5) {
        GoTo(FrameProfileEdit8021X);
    } else {
        GoTo(FrameProfileEditServerCert);
    }
}

void TFormProfileEdit::BackFromAdvanced()
{
    const int auth = m_nAuthSel, method = m_nEAPMethod;
    if (auth == 0 && m_nEncrySel == 0) {
        GoTo(SsoKindTest(VOZEZIV.bOpen_None) ? static_cast<TFrameBase*>(FrameProfileEditSSO)
                                             : static_cast<TFrameBase*>(FrameProfileEditSecurity));
        return;
    }
    if (auth == 9) {
        GoTo(FrameProfileEditWAPICert);
        return;
    }
    if (auth == 3 || auth == 5 || auth == 10 || auth == 12) {
        if (IsPersistentPlatform() && VOZEZIV.bPersistentConnect && EapMethodSwitch(method))
            GoTo(FrameProfileEditSSO);
        else if (method >= 0 && method <= 2)
            GoTo(FrameProfileEditServerCert);
        else if (method == 5)
            GoTo(FrameProfileEdit8021X);
        else if (method == 4)
            GoTo(FrameProfileEditKey);
        else
            GoTo(FrameProfileEditSSO);
        return;
    }
    const bool sso = (auth == 0 && m_nEncrySel == 1 && SsoKindTest(VOZEZIV.bOpen_WEP)) ||
                     (auth == 1 && SsoKindTest(VOZEZIV.bShared_WEP)) ||
                     (auth == 4 && SsoKindTest(VOZEZIV.bWPA_PSK)) || (auth == 6 && SsoKindTest(VOZEZIV.bWPA2_PSK));
    GoTo(sso ? static_cast<TFrameBase*>(FrameProfileEditSSO) : static_cast<TFrameBase*>(FrameProfileEditKey));
}

void TFormProfileEdit::HandOver()
{
    if (FormSiteSurvey)
        FormSiteSurvey->SecurityConnection();
    Leave();
}

void TFormProfileEdit::Finish()
{
    if (SurveyMode()) {
        HandOver();
        return;
    }
    SaveProfile();
    Leave();
}

void TFormProfileEdit::Leave()
{
    if (Modal())
        SetModalResult(mrOk);
    else
        Hide();
}

bool TFormProfileEdit::WpsFromProfile() const
{
    return m_bWPSFromProfile || (FormProfile && FormProfile->m_bWPSFromProfile);
}

void TFormProfileEdit::OnWpsDisconnect()
{
    PrintMessage(6, " --> TFormProfileEdit::OnWpsDisconnect\n");
    if (VOZEZIV.WVWL_WriteWPSFlag)
        VOZEZIV.WVWL_WriteWPSFlag(0);
}

void TFormProfileEdit::SysBtnCloseClick(TObject*)
{
    if (WpsFromProfile() && m_pCurrentPage == FrameProfileEditWPSConnect) {
        int flag = 0;
        if (VOZEZIV.WVWL_ReadWPSFlag && VOZEZIV.WVWL_ReadWPSFlag(&flag) && flag == 1)
            OnWpsDisconnect();
    }
    m_bWPSFromProfile = FALSE;
    if (FormProfile)
        FormProfile->m_bWPSFromProfile = FALSE;
    if (Modal())
        SetModalResult(mrCancel);
    else
        Hide();
}

DWORD EditorAuthToStored(int authSel)
{
    static const DWORD stored[] = {0, 1, 0, 3, 4, 6, 7, 5, 10, 11, 13, 14, 0};
    return authSel >= 0 && authSel < 13 ? stored[authSel] : 0;
}

DWORD EditorEncryToStored(int encrySel)
{
    static const DWORD stored[] = {1, 0, 4, 6, 9, 10, 11};
    return encrySel >= 0 && encrySel < 7 ? stored[encrySel] : 1;
}

DWORD SsoBitsFromPage(const TFrameProfileEditSSO& page, bool persistentConnect, int winOS)
{
    DWORD bits = page.chBoxEnableSSO->Checked() ? PROF_SSO_USE_SSO : 0;
    const bool vista = winOS >= WINOS_VISTA;
    if (persistentConnect) {
        if (!page.chBoxEnableSSO->Checked())
            return bits;
        if (vista)
            return bits | PROF_SSO_ALLOW_MACHINE;
        return bits | PROF_SSO_PERSISTENT_CONNECTION | (1u << PROF_SSO_ID_PWD_SOURCE_SHIFT);
    }
    if (vista) {
        if (page.chBoxAllowMachineAuth->Checked())
            bits |= PROF_SSO_ALLOW_MACHINE;
        if (page.rBtnPostLogon->Checked())
            bits |= PROF_SSO_LOGON;
        return bits;
    }
    if (page.chBoxEnablePersistentConnection->Checked())
        bits |= PROF_SSO_PERSISTENT_CONNECTION;
    const DWORD source = page.rBtnPromptIDPWD->Checked() ? 2 : page.rBtnUseIDPWDinProfile->Checked() ? 1 : 0;
    return bits | (source << PROF_SSO_ID_PWD_SOURCE_SHIFT);
}

void ShowSsoBitsOnPage(TFrameProfileEditSSO& page, DWORD bits, bool persistentConnect, int winOS)
{
    const bool vista = winOS >= WINOS_VISTA;
    const bool enabled = (bits & PROF_SSO_USE_SSO) != 0;
    page.chBoxEnableSSO->SetChecked(enabled);
    if (persistentConnect) {
        page.chBoxEnablePersistentConnection->SetChecked(enabled);
        if (vista)
            page.chBoxAllowMachineAuth->SetChecked(enabled);
        else
            page.rBtnUseIDPWDinProfile->SetChecked(true);
        return;
    }
    if (vista) {
        page.chBoxAllowMachineAuth->SetChecked((bits & PROF_SSO_ALLOW_MACHINE) != 0);
        (bits & PROF_SSO_LOGON ? page.rBtnPostLogon : page.rBtnPreLogon)->SetChecked(true);
        return;
    }
    page.chBoxEnablePersistentConnection->SetChecked((bits & PROF_SSO_PERSISTENT_CONNECTION) != 0);
    const DWORD source = (bits & PROF_SSO_ID_PWD_SOURCE_MASK) >> PROF_SSO_ID_PWD_SOURCE_SHIFT;
    TRadioButton* chosen = source == 2   ? page.rBtnPromptIDPWD
                           : source == 1 ? page.rBtnUseIDPWDinProfile
                                         : page.rBtnUseIDPWDinWinlogon;
    chosen->SetChecked(true);
}

void TFormProfileEdit::SaveProfile()
{
    char active[128] = {};
    if (VOZEZIV.WVWL_ReadActiveProfileName)
        VOZEZIV.WVWL_ReadActiveProfileName(active);
    active[sizeof active - 1] = 0;
    if (m_strOrgProfName == active && m_strProfName != m_strOrgProfName &&
        VOZEZIV.WVWL_ResetToDefaultConnecctionSetting)
        VOZEZIV.WVWL_ResetToDefaultConnecctionSetting();
    WriteBackProfileToRegistry();
    links::RefreshProfileList();
}

void TFormProfileEdit::BuildProfileRecord(WLANPROFILE& p) const
{
    std::memset(&p, 0, sizeof p);
    p.SSID.SsidLength = ULONG(std::min<size_t>(m_strProfSSID.size(), 32));
    std::memcpy(p.SSID.Ssid, m_strProfSSID.data(), p.SSID.SsidLength);
    p.enumNetworkType = m_nProfNetworkType;
    p.enumPreamType = m_nPreamble == 1 ? 0 : 2;
    p.lRtsThre = m_nRTSThreshold;
    p.bUseRTSThre = m_bUseRTS;
    p.lFragThre = m_nFragThreshold;
    p.bUseFragThre = m_bUseFrag;
    p.enumAuthenMode = EditorAuthToStored(m_nAuthSel);
    p.enumEncryStatus = EditorEncryToStored(m_nEncrySel);
    p.lTxPower = m_nTxPower;
    char* keys[4] = {p.WEPKey1, p.WEPKey2, p.WEPKey3, p.WEPKey4};
    uint32_t* types[4] = {&p.WEPKey1Type, &p.WEPKey2Type, &p.WEPKey3Type, &p.WEPKey4Type};
    for (int i = 0; i < 4; ++i) {
        // The field keeps a terminating zero.
        std::memcpy(keys[i], m_strWEPKey[i].data(), std::min<size_t>(m_strWEPKey[i].size(), 63));
        *types[i] = m_nWEPKeyFormat[i];
    }
    p.wepDefaultKey = m_nDefaultKey;
    p.enumPSMode = m_nPSMode;
    p.bACCam = m_bACCam;
    if (VOZEZIV.WVWL_ChannelToFrequency && !m_strProfChannel.empty() &&
        std::all_of(m_strProfChannel.begin(), m_strProfChannel.end(), ::isdigit) && m_strProfChannel.size() < 10)
        p.lFreq = VOZEZIV.WVWL_ChannelToFrequency(std::atoi(m_strProfChannel.c_str()));
    p.bUseDiagnostic = m_bDiagnostic;
    p.nPskKeyLen = ULONG(std::min<size_t>(m_strPskKey.size(), sizeof p.chPskKey));
    std::memcpy(p.chPskKey, m_strPskKey.data(), p.nPskKeyLen);
    p.nPskKeyType = m_nPskKeyType;
    CopyText(p.strProfileName, m_strProfName);
    const bool number = !m_strProfID.empty() && m_strProfID.size() < 10 &&
                        std::all_of(m_strProfID.begin(), m_strProfID.end(), ::isdigit);
    p.nProfileID = number ? std::atoi(m_strProfID.c_str()) : 1;
    p.b8021X = (m_nAuthSel == 12 && m_nEncrySel == 1) ||
               (m_nProfNetworkType == 1 && (m_nAuthSel == 3 || m_nAuthSel == 5 || m_nAuthSel == 10));

    const WPA_INFO& w = m_WpaInfo;
    p.bCacheUserInfo = w.bCacheUser;
    p.enumAuthenProtocol = w.nEapMethod;
    p.enumTunnel = w.nEapMethod == 2 ? w.nTTLSTunnel : w.nTunnel;
    p.enumProvisioningTunnel = w.nProvTunnel;
    p.nSessionResumption = w.nSessionResume;
    CopyText(p.chID, w.strIdentity);
    CopyText(p.chPassword, w.strPassword);
    CopyText(p.chDomainName, w.strDomain);
    p.nPasswordMode = w.nPwdMode;
    p.bClientCert = w.bUseClientCert;
    p.bServerCert = w.bUseServerCert;
    p.bPAC = w.bPacEnabled;
    p.bProvision = w.bProvisionEnabled;
    CopyText(p.chPACfilepath, w.strPacPath);
    p.bIntermediateCert = w.bAllowIntermediate;
    CopyText(p.chServerName, w.strServer);
    p.nServerNameRule = w.nServerRule;
    p.CA_cert = BoundedBlob(w.CACertKey);
    p.user_cert = BoundedBlob(w.UserCertKey);
    p.bClientCertInSmartCard = w.bSmartCard;
    p.nIDModeIndex = w.nIdMode;
    p.nWapiCertMode = m_nWapiCertMode;
    p.WapiUserIdentity = m_WapiUserIdentity;
    p.WapiASIdentity = m_WapiASIdentity;
    p.ssoInfo = SsoBitsFromPage(*FrameProfileEditSSO, VOZEZIV.bPersistentConnect != 0, WinOS());
}

void TFormProfileEdit::WriteBackProfileToRegistry()
{
    PrintMessage(6, " --> TFormProfileEdit::WriteBackProfileToRegistry\n");
    auto record = std::make_unique<WLANPROFILE>();
    WLANPROFILE& p = *record;
    BuildProfileRecord(p);

    char name[128] = {};
    CopyText(name, m_strOrgProfName);
    PrintMessage(6, " --> TFormProfileEdit::WriteBackProfileToRegistry: szProfile = %s\n", name);
    if (VOZEZIV.WVWL_WriteProfile)
        VOZEZIV.WVWL_WriteProfile(name, &p);

    if (m_WpaInfo.nEapMethod == 3 && VOZEZIV.WVWL_WritePACList) {
        // The pair (count, entries) always describes a list that is there: the editor's own
        // buffer, else the one the EAP-FAST page holds.
        TFrameProfileEditEAPFast* fast = FrameProfileEditEAPFast;
        if (!m_WpaInfo.pPacEntries) {
            const int held = int(fast->m_PacEntries.size() / kPacEntrySize);
            m_WpaInfo.nPacCount = std::clamp(fast->m_nPacCount, 0, held);
            m_WpaInfo.pPacEntries = m_WpaInfo.nPacCount ? fast->m_PacEntries.data() : nullptr;
        }
        VOZEZIV.WVWL_WritePACList(&m_WpaInfo.nPacCount, p.strProfileName);
    }
    m_PacBuffer.clear();
    m_WpaInfo.pPacEntries = nullptr;

    const bool enterprise = p.enumAuthenMode == 3 || p.enumAuthenMode == 6 || p.enumAuthenMode == 13 ||
                            (p.enumAuthenMode == 0 && p.b8021X == 1);
    if (enterprise && m_WpaInfo.nEapMethod == 3 && WinOS() >= WINOS_VISTA) {
        if (HWND main = links::MainWindowHandle())
            PostMessageA(main, MSG_ENABLE_MAIN_WINDOW, 0, 0);
        if (VOZEZIV.WVWL_StartEapHostPeerInvokeConfigUI)
            VOZEZIV.WVWL_StartEapHostPeerInvokeConfigUI(p.strProfileName, nullptr, nullptr);
    }
    PrintMessage(6, " --> TFormProfileEdit::WriteBackProfileToRegistry\n");
}

void TFormProfileEdit::UpdateWPSAPList()
{
    PrintMessage(6, " --> TFormProfileEdit::UpdateWPSAPList\n");
}

void TFormProfileEdit::ScanRoutineAfterEAPConfig()
{
    ++m_nScanCntAfterEAPConfig;
    m_strWpsStatus = "Get WPS profile successfully. Scanning...";
    links::InsertScanAction();
}

void TFormProfileEdit::ConnectRoutineAfterEAPConfig()
{
    m_strWpsStatus = "Get WPS profile successfully. Connecting...";
    links::SetOidFromReg();
    TimerWPSConnectStatus->SetEnabled(true);
    Leave();
}

void TFormProfileEdit::OnExtRegWpsMessage(BYTE code)
{
    PrintMessage(6, " TFormProfileEdit::OnExtRegWpsMessage %d\n", int(code));
    m_nLastExtRegCode = code;
    if (code == kExtRegDeviceFound)
        m_bExtRegDeviceFound = TRUE;
    else if (code == kExtRegDeviceRemoved)
        m_bExtRegDeviceFound = FALSE;
}
