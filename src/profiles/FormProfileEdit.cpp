#include "profiles/FormProfileEdit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/Helpers.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormSiteSurvey.h"
#include "mainwindow/SiteSurveyLinks.h"
#include "profiles/ProfileRecord.h"
#include "resources/FormResource.h"
#include "wlapi/bsslist.h"
#include "wlapi/constants.h"

TFormProfileEdit* FormProfileEdit = nullptr;

namespace {

constexpr int kExtRegDeviceFound = 201;
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
    lblSSID = MakeLabel(this, 16, 48, S(&CUISTR::STR_SSID));
    cboxSSID = MakeCombo(this, 140, 44, 200, csDropDown);
}

void TFrameProfileEditWireless::OnEnterPage()
{
    if (FormProfileEdit)
        cboxSSID->SetText(FormProfileEdit->m_strProfSSID);
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
    FrameProfileEditWPS = new TFrameBase(this);
    FrameProfileEditWPS->Name = "FrameProfileEditWPS";
    FrameProfileEditWPSConnect = new TFrameProfileEditWPSConnect(this);
    for (TFrameBase* page : {static_cast<TFrameBase*>(FrameProfileEditWireless),
                             static_cast<TFrameBase*>(FrameProfileEditSecurity),
                             static_cast<TFrameBase*>(FrameProfileEditKey), FrameProfileEditWPS,
                             static_cast<TFrameBase*>(FrameProfileEditWPSConnect)})
        place(page);

    TimerWPSHWPBC = new TTimer(this);
    TimerWPSHWPBC->SetEnabled(false);
    TimerWPSHWPBC->SetInterval(1000);
    TimerWPSConnectStatus = new TTimer(this);
    TimerWPSConnectStatus->SetEnabled(false);

    OnShow = [this](TObject* s) { FormShow(s); };
    ResetEditor();
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
    TFormBase::FormCreate(Sender);
    PrintMessage(6, " <-- TFormProfileEdit::FormCreate\n");
}

void TFormProfileEdit::FormShow(TObject*)
{
    BtnProfileBack->SetEnabled(false);
    BtnProfileNext->SetEnabled(true);
    TFrameBase* first = (m_bAddProfile || m_bEditProfile) ? static_cast<TFrameBase*>(FrameProfileEditWireless)
                                                          : static_cast<TFrameBase*>(FrameProfileEditSecurity);
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
    m_bMD5WepKeys = 0;
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

void TFormProfileEdit::FillSsidList()
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
    const int selected = box->Items().IndexOf(m_strProfSSID);
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
    FillAuthenticationList();
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
    m_nProfNetworkType = int(p.enumNetworkType);
    m_nInfrastructureMode = p.enumNetworkType == 1 ? 1 : 0;
    if (VOZEZIV.WVWL_FrequencyToChannel)
        m_strProfChannel = std::to_string(VOZEZIV.WVWL_FrequencyToChannel(ULONG(p.lFreq)));
    m_nProfID = int(p.nProfileID);
    m_strProfID = std::to_string(p.nProfileID);
    m_nPSMode = p.enumPSMode >= 2 ? 1 : int(p.enumPSMode);
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
    PrintMessage(6, " <-- TFormProfileEdit::LoadProfile\n");
}

void TFormProfileEdit::FillPagesFromProfile()
{
    m_bFromSurvey = FALSE;
    m_bWPSFromProfile = FALSE;
    FrameProfileEditWireless->editProfileName->SetText(m_strProfName);
    FillSsidList();
    FillAuthenticationList();
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

void TFormProfileEdit::BtnProfileNextClick(TObject*)
{
    if (m_pCurrentPage == FrameProfileEditWireless) {
        CheckWirelessPage();
        return;
    }
    if (m_pCurrentPage == FrameProfileEditSecurity) {
        FrameProfileEditSecurity->StoreSettings();
        NextFromSecurity();
        return;
    }
    if (m_pCurrentPage == FrameProfileEditKey) {
        if (!FrameProfileEditKey->StoreSettings())
            return;
        if (m_bAddProfile || m_bEditProfile)
            Finish();
        else
            HandOver();
    }
}

void TFormProfileEdit::NextFromSecurity()
{
    const bool surveyMode = !m_bAddProfile && !m_bEditProfile;
    const bool needsKey = !(m_nAuthSel == 0 && m_nEncrySel == 0) && m_nAuthSel != 3 && m_nAuthSel != 5 &&
                          m_nAuthSel != 12 && m_nAuthSel != 10 && m_nAuthSel != 9;
    if (needsKey) {
        if (SwitchPage(m_pCurrentPage, FrameProfileEditKey))
            BtnProfileBack->SetEnabled(true);
        return;
    }
    // Open networks go on at once; the 802.1X and WAPI certificate pages are not part of
    // this editor yet, so those kinds go on with the settings as they are.
    if (surveyMode)
        HandOver();
    else
        Finish();
}

void TFormProfileEdit::BtnProfileBackClick(TObject*)
{
    const bool surveyMode = !m_bAddProfile && !m_bEditProfile;
    if (m_pCurrentPage == FrameProfileEditSecurity) {
        if (SwitchPage(m_pCurrentPage, FrameProfileEditWireless))
            BtnProfileBack->SetEnabled(false);
        return;
    }
    if (m_pCurrentPage == FrameProfileEditKey) {
        if (SwitchPage(m_pCurrentPage, FrameProfileEditSecurity))
            BtnProfileBack->SetEnabled(!surveyMode);
    }
}

void TFormProfileEdit::HandOver()
{
    if (FormSiteSurvey)
        FormSiteSurvey->SecurityConnection();
    Leave();
}

void TFormProfileEdit::Finish()
{
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

void TFormProfileEdit::SysBtnCloseClick(TObject*)
{
    m_bWPSFromProfile = FALSE;
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

void TFormProfileEdit::WriteBackProfileToRegistry()
{
    PrintMessage(6, " --> TFormProfileEdit::WriteBackProfileToRegistry\n");
    auto record = std::make_unique<WLANPROFILE>();
    WLANPROFILE& p = *record;
    std::memset(&p, 0, sizeof p);
    p.SSID.SsidLength = ULONG(std::min<size_t>(m_strProfSSID.size(), 32));
    std::memcpy(p.SSID.Ssid, m_strProfSSID.data(), p.SSID.SsidLength);
    p.enumNetworkType = m_nProfNetworkType;
    p.enumPreamType = 2;
    p.lRtsThre = 2347;
    p.lFragThre = 2346;
    p.enumAuthenMode = EditorAuthToStored(m_nAuthSel);
    p.enumEncryStatus = EditorEncryToStored(m_nEncrySel);
    char* keys[4] = {p.WEPKey1, p.WEPKey2, p.WEPKey3, p.WEPKey4};
    uint32_t* types[4] = {&p.WEPKey1Type, &p.WEPKey2Type, &p.WEPKey3Type, &p.WEPKey4Type};
    for (int i = 0; i < 4; ++i) {
        std::memcpy(keys[i], m_strWEPKey[i].data(), std::min<size_t>(m_strWEPKey[i].size(), 64));
        *types[i] = m_nWEPKeyFormat[i];
    }
    p.wepDefaultKey = m_nDefaultKey;
    p.enumPSMode = m_nPSMode;
    if (VOZEZIV.WVWL_ChannelToFrequency && !m_strProfChannel.empty() &&
        std::all_of(m_strProfChannel.begin(), m_strProfChannel.end(), ::isdigit))
        p.lFreq = VOZEZIV.WVWL_ChannelToFrequency(std::atoi(m_strProfChannel.c_str()));
    std::memcpy(p.chPskKey, m_strPskKey.data(), std::min<size_t>(m_strPskKey.size(), 64));
    p.nPskKeyLen = ULONG(std::min<size_t>(m_strPskKey.size(), 64));
    p.nPskKeyType = m_nPskKeyType;
    CopyText(p.strProfileName, m_strProfName);
    const bool number = !m_strProfID.empty() && std::all_of(m_strProfID.begin(), m_strProfID.end(), ::isdigit);
    p.nProfileID = number ? std::atoi(m_strProfID.c_str()) : 1;
    p.b8021X = (m_nAuthSel == 12 && m_nEncrySel == 1) ||
               (m_nProfNetworkType == 1 && (m_nAuthSel == 3 || m_nAuthSel == 5 || m_nAuthSel == 10));
    p.bCacheUserInfo = m_WpaInfo.bCacheUser;
    p.enumAuthenProtocol = m_WpaInfo.nEapMethod;
    p.enumTunnel = m_WpaInfo.nEapMethod == 2 ? m_WpaInfo.nTTLSTunnel : m_WpaInfo.nTunnel;
    p.enumProvisioningTunnel = m_WpaInfo.nProvTunnel;
    p.nSessionResumption = m_WpaInfo.nSessionResume;
    CopyText(p.chID, m_WpaInfo.strIdentity);
    CopyText(p.chPassword, m_WpaInfo.strPassword);
    CopyText(p.chDomainName, m_WpaInfo.strDomain);
    p.nPasswordMode = m_WpaInfo.nPwdMode;
    p.bProvision = m_WpaInfo.bProvisionEnabled;
    p.nWapiCertMode = m_nWapiCertMode;
    p.WapiUserIdentity = m_WapiUserIdentity;
    p.WapiASIdentity = m_WapiASIdentity;

    char name[128] = {};
    CopyText(name, m_strOrgProfName);
    PrintMessage(6, " --> TFormProfileEdit::WriteBackProfileToRegistry: szProfile = %s\n", name);
    if (VOZEZIV.WVWL_WriteProfile)
        VOZEZIV.WVWL_WriteProfile(name, &p);
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
