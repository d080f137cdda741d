#include "profiles/FormProfile.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "dialogs/Dialogs.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/MainWindowServices.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileFileDialog.h"
#include "profiles/ProfileNames.h"
#include "profiles/ProfileRecord.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wlapi/constants.h"

TFormProfile* FormProfile = nullptr;

namespace {

constexpr COLORREF kListColor = 0x00F9F3E8;
// Rows the list holds at most; a larger count from the library is cut to it.
constexpr unsigned long kMaxProfiles = 65536;
constexpr int kAuthTextLimit = 16;

class TTrace {
public:
    explicit TTrace(const char* name) : name_(name) { PrintMessage(6, " --> TFormProfile::%s\n", name_); }
    ~TTrace() { PrintMessage(6, " <-- TFormProfile::%s\n", name_); }

private:
    const char* name_;
};

std::string S(std::string CUISTR::*member)
{
    const CUISTR* s = FormResource ? FormResource->UI_Str.get() : nullptr;
    return s ? s->*member : std::string();
}

int WinOS()
{
    return VOZEZIV.nWinOS;
}

int Call(int(__stdcall* entry)(), int fallback = 0)
{
    return entry ? entry() : fallback;
}

int ReadFlag(int(__stdcall* read)(int*))
{
    int flag = 0;
    if (read)
        read(&flag);
    return flag;
}

int QueryOPMode()
{
    return Call(VOZEZIV.WVWL_QueryOPMode, OP_MODE_STATION);
}

std::string ReadActiveName()
{
    char name[128] = {};
    if (VOZEZIV.WVWL_ReadActiveProfileName)
        VOZEZIV.WVWL_ReadActiveProfileName(name);
    name[sizeof name - 1] = 0;
    return name;
}

// A name in the 128-byte buffer the library expects.
struct TName128 {
    explicit TName128(const std::string& text) { text.copy(chars, sizeof chars - 1); }
    char chars[128] = {};
};

std::unique_ptr<WLANPROFILE> ReadRecord(const std::string& name)
{
    auto record = std::make_unique<WLANPROFILE>();
    std::memset(record.get(), 0, sizeof(WLANPROFILE));
    TName128 buffer(name);
    if (VOZEZIV.WVWL_ReadProfileData)
        VOZEZIV.WVWL_ReadProfileData(record.get(), buffer.chars);
    return record;
}

// Every stored profile as its whole record.
std::vector<WLANPROFILE> ReadAllProfiles()
{
    std::vector<WLANPROFILE> records;
    if (!VOZEZIV.WVWL_ReadProfileList)
        return records;
    unsigned long count = 0;
    VOZEZIV.WVWL_ReadProfileList(nullptr, &count);
    if (count == 0)
        return records;
    if (count > kMaxProfiles) {
        PrintMessage(3, " TFormProfile::RefreshProfileList: %lu profiles, showing %lu\n", count, kMaxProfiles);
        count = kMaxProfiles;
    }
    try {
        records.resize(count);
    } catch (const std::bad_alloc&) {
        PrintMessage(2, " TFormProfile::RefreshProfileList: no memory for %lu profiles\n", count);
        return {};
    }
    std::memset(records.data(), 0, records.size() * sizeof(WLANPROFILE));
    unsigned long filled = count;
    VOZEZIV.WVWL_ReadProfileList(records.data(), &filled);
    records.resize(std::min(filled, count));
    return records;
}

WLAN_STATUS QueryLink()
{
    WLAN_STATUS status;
    std::memset(&status, 0, sizeof status);
    WLAN_STATUS_QUERY query{};
    query.flag[1] = 1;
    if (VOZEZIV.WVWL_QueryWLANStatus)
        VOZEZIV.WVWL_QueryWLANStatus(&status, query);
    return status;
}

std::string LinkSsid(const WLAN_STATUS& status)
{
    const size_t length = std::min<size_t>(status.ssid.SsidLength, sizeof status.ssid.Ssid);
    const char* bytes = reinterpret_cast<const char*>(status.ssid.Ssid);
    const char* end = static_cast<const char*>(std::memchr(bytes, 0, length));
    return std::string(bytes, end ? size_t(end - bytes) : length);
}

int FrequencyToChannel(unsigned long frequency)
{
    return VOZEZIV.WVWL_FrequencyToChannel ? VOZEZIV.WVWL_FrequencyToChannel(frequency) : 0;
}

TWvImage* MakeButton(TFormProfile* form, int left, int top, TImage* normal, TImage* down, TImage* disabled)
{
    const int w = normal ? normal->Width() : 24, h = normal ? normal->Height() : 26;
    return MakePushButton(form, left, top, w, h, normal, down, disabled);
}

} // namespace

TFormProfile::TFormProfile(TComponent* owner) : TFormBase(owner)
{
    Name = "FormProfile";
    TFormResource* res = FormResource;
    if (res && res->ImgProfileFormBG)
        ImgBackground->SetPicture(res->ImgProfileFormBG->Picture());
    if (ImgBackground->Picture().Empty())
        SetClientSize(400, 245);
    const int w = ClientWidth();

    struct TButtonPictures {
        TWvImage** button;
        TImage* TFormResource::*normal;
        TImage* TFormResource::*down;
        TImage* TFormResource::*disabled;
    };
    const TButtonPictures buttons[] = {
        {&BtnProfileAdd, &TFormResource::ImgBtnProfileAdd_Normal, &TFormResource::ImgBtnProfileAdd_Down,
         &TFormResource::ImgBtnProfileAdd_Disabled},
        {&BtnProfileDelete, &TFormResource::ImgBtnProfileDelete_Normal, &TFormResource::ImgBtnProfileDelete_Down,
         &TFormResource::ImgBtnProfileDelete_Disabled},
        {&BtnProfileEdit, &TFormResource::ImgBtnProfileEdit_Normal, &TFormResource::ImgBtnProfileEdit_Down,
         &TFormResource::ImgBtnProfileEdit_Disabled},
        {&BtnProfileImport, &TFormResource::ImgBtnProfileImport_Normal, &TFormResource::ImgBtnProfileImport_Down,
         &TFormResource::ImgBtnProfileImport_Disabled},
        {&BtnProfileExport, &TFormResource::ImgBtnProfileExport_Normal, &TFormResource::ImgBtnProfileExport_Down,
         &TFormResource::ImgBtnProfileExport_Disabled},
        {&BtnProfileActivate, &TFormResource::ImgBtnProfileActivate_Normal,
         &TFormResource::ImgBtnProfileActivate_Down, &TFormResource::ImgBtnProfileActivate_Disabled},
        {&BtnProfileWPS, &TFormResource::ImgBtnProfileWPS_Normal, &TFormResource::ImgBtnProfileWPS_Down,
         &TFormResource::ImgBtnProfileWPS_Disabled},
    };
    int left = 8;
    for (const TButtonPictures& b : buttons) {
        *b.button = MakeButton(this, left, 20, res ? res->*b.normal : nullptr, res ? res->*b.down : nullptr,
                               res ? res->*b.disabled : nullptr);
        left += (*b.button)->Width() + 1;
    }
    SysBtnClose = MakeButton(this, w - 23, 16, res ? res->ImgBtnProfileFormClose_Normal : nullptr,
                             res ? res->ImgBtnProfileFormClose_Down : nullptr, nullptr);
    BtnProfileAdd->OnClick = [this](TObject* s) { BtnProfileAddClick(s); };
    BtnProfileWPS->OnClick = [this](TObject* s) { BtnProfileWPSClick(s); };
    BtnProfileDelete->OnClick = [this](TObject* s) { BtnProfileDeleteClick(s); };
    BtnProfileEdit->OnClick = [this](TObject* s) { BtnProfileEditClick(s); };
    BtnProfileImport->OnClick = [this](TObject* s) { BtnProfileImportClick(s); };
    BtnProfileExport->OnClick = [this](TObject* s) { BtnProfileExportClick(s); };
    BtnProfileActivate->OnClick = [this](TObject* s) { BtnProfileActivateClick(s); };
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };

    m_strNetworkType[0] = S(&CUISTR::STR_ADHOC);
    m_strNetworkType[1] = S(&CUISTR::STR_INFRA);
    m_strNetworkType[2] = S(&CUISTR::STR_AUTO);
    m_strAuthentication[0] = S(&CUISTR::STR_OPENSYSTEM);
    m_strAuthentication[1] = S(&CUISTR::STR_SHARED);
    m_strAuthentication[3] = S(&CUISTR::STR_WPA);
    m_strAuthentication[4] = S(&CUISTR::STR_WPAPSK);
    m_strAuthentication[5] = S(&CUISTR::STR_WPANONE);
    m_strAuthentication[6] = S(&CUISTR::STR_WPA2);
    m_strAuthentication[7] = S(&CUISTR::STR_WPA2PSK);
    m_strAuthentication[10] = S(&CUISTR::STR_WAPIPSK);
    m_strAuthentication[11] = S(&CUISTR::STR_WAPICA);
    m_strAuthentication[13] = S(&CUISTR::STR_CCKM);
    m_strAuthentication[14] = S(&CUISTR::STR_BtnHintCCX);
    m_strEncryption[0] = S(&CUISTR::STR_WEP);
    m_strEncryption[1] = S(&CUISTR::STR_NONE);
    m_strEncryption[4] = S(&CUISTR::STR_TKIP);
    m_strEncryption[6] = S(&CUISTR::STR_AES);
    m_strEncryption[9] = S(&CUISTR::STR_SMS4);
    m_strEncryption[10] = S(&CUISTR::STR_TKIP_MFP);
    m_strEncryption[11] = S(&CUISTR::STR_AES_MFP);

    // Pictures by index: 0 active and connected, 1 active, 2 secured, 5 ad hoc, 6 infrastructure.
    ImageProfileList = new TImageList(this, 16, 16);
    TImage* pictures[] = {res ? res->ImgSiteSurveyActive : nullptr,
                          res ? res->ImgSiteSurveyActiveDisabled : nullptr,
                          res ? res->ImgSiteSurveySecurity : nullptr,
                          nullptr,
                          nullptr,
                          res ? res->ImgSiteSurveyAdHoc : nullptr,
                          res ? res->ImgSiteSurveyInfrastructure : nullptr};
    for (TImage* picture : pictures)
        ImageProfileList->Add(picture ? picture->Picture() : TPicture());

    lvProfileList = new TListView({this, 12, 52, w - 24, 110});
    lvProfileList->SetShowColumnHeaders(false);
    lvProfileList->SetRowSelect(true);
    lvProfileList->SetBorder(false);
    lvProfileList->SetColor(kListColor);
    lvProfileList->SetSmallImages(ImageProfileList);
    lvProfileList->AddColumn("", 20);
    lvProfileList->AddColumn(S(&CUISTR::STR_PROFILE_NAME), 80);
    lvProfileList->AddColumn(S(&CUISTR::STR_SSID), 200);
    lvProfileList->AddColumn(S(&CUISTR::STR_AUTHENTICATION), 25);
    lvProfileList->AddColumn(S(&CUISTR::STR_NETWORK_TYPE), 30);
    lvProfileList->OnSelectItem = [this](TObject* s, TListItem* item, bool selected) {
        lvProfileListSelectItem(s, item, selected);
    };

    TGroupBox* box = grpProfileInfo = new TGroupBox({this, 12, 166, w - 24, 60, S(&CUISTR::STR_PROFILE_INFORMATION)});
    lblProfileNameText = new TLabel({.Parent = box, .Left = 8, .Top = 18, .Caption = S(&CUISTR::STR_PROFILE_NAME)});
    lblProfileName = new TLabel({box, 96, 18, 90});
    lblSSIDText = new TLabel({.Parent = box, .Left = 190, .Top = 18, .Caption = S(&CUISTR::STR_SSID)});
    lblSSID = new TLabel({box, 270, 18, 100});
    lblAuthenticationText = new TLabel({.Parent = box, .Left = 8, .Top = 38, .Caption = S(&CUISTR::STR_AUTHENTICATION)});
    lblAuthentication = new TLabel({box, 96, 38, 90});
    lblEncryptionText = new TLabel({.Parent = box, .Left = 190, .Top = 38, .Caption = S(&CUISTR::STR_ENCRYPTION)});
    lblEncryption = new TLabel({box, 270, 38, 100});
    for (TLabel* value : {lblProfileName, lblSSID, lblAuthentication, lblEncryption})
        value->SetShowHint(true);

    TimerProfile = new TTimer(this);
    TimerProfile->SetEnabled(false);
    TimerProfile->SetInterval(3000);
    TimerProfile->OnTimer = [this](TObject* s) { TimerProfileTimer(s); };
    OnShow = [this](TObject* s) { FormShow(s); };

    m_pActionProfile = std::make_unique<WLANPROFILE>();
    std::memset(m_pActionProfile.get(), 0, sizeof(WLANPROFILE));
    m_ProfileRows.reserve(kMaxProfiles);
}

TFormProfile::~TFormProfile() = default;

void TFormProfile::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TFormProfile::FormCreate\n");
    lblCaptionText->SetCaption(S(&CUISTR::STR_PROFILE_LIST));
    // The title keeps clear of the toolbar below it: centred between its end and the close box.
    const int titleLeft = BtnProfileWPS->Left() + BtnProfileWPS->Width() + 8;
    lblCaptionText->SetBounds(titleLeft, lblCaptionText->Top(), std::max(SysBtnClose->Left() - 8 - titleLeft, 40),
                              lblCaptionText->Height());
    SysBtnClose->SetHint(S(&CUISTR::STR_BtnHintClose));
    BtnProfileAdd->SetHint(S(&CUISTR::STR_BtnHintAdd));
    BtnProfileDelete->SetHint(S(&CUISTR::STR_BtnHintDelete));
    BtnProfileEdit->SetHint(S(&CUISTR::STR_BtnHintEdit));
    BtnProfileImport->SetHint(S(&CUISTR::STR_BtnHintImport));
    BtnProfileExport->SetHint(S(&CUISTR::STR_BtnHintExport));
    BtnProfileActivate->SetHint(S(&CUISTR::STR_BtnHintActivate));
    BtnProfileWPS->SetHint(S(&CUISTR::STR_BtnHintWPS));
    if (!MayChangeProfiles()) {
        for (TWvImage* b : {BtnProfileAdd, BtnProfileDelete, BtnProfileEdit, BtnProfileImport, BtnProfileExport,
                            BtnProfileWPS})
            b->SetEnabled(false);
    }
    TFormBase::FormCreate(Sender);
    TimerProfile->SetEnabled(true);
    PrintMessage(6, " <-- TFormProfile::FormCreate\n");
}

void TFormProfile::FormShow(TObject*)
{
    TimerProfile->SetEnabled(true);
    RefreshProfileList();
}

void TFormProfile::SysBtnCloseClick(TObject*)
{
    TimerProfile->SetEnabled(false);
    Close();
}

bool TFormProfile::MayChangeProfiles() const
{
    return Call(VOZEZIV.WVWL_DetectUserAdmin) != 0 || Call(VOZEZIV.WVWL_IsAllowStandardUserSetProfile) != 0;
}

void TFormProfile::SetProfileButtons(bool enabled)
{
    for (TWvImage* b : {BtnProfileDelete, BtnProfileEdit, BtnProfileActivate, BtnProfileExport})
        b->SetEnabled(enabled);
}

void TFormProfile::ClearInformation()
{
    for (TLabel* label : {lblProfileName, lblSSID, lblAuthentication, lblEncryption}) {
        label->SetCaption("");
        label->SetHint("");
    }
}

int TFormProfile::CommandRow() const
{
    const int rows = int(m_ProfileRows.size());
    if (m_nSelectedRow >= 0 && m_nSelectedRow < rows)
        return m_nSelectedRow;
    return rows == 1 ? 0 : -1;
}

// ---- the list

void TFormProfile::RefreshProfileList()
{
    TTrace trace("RefreshProfileList");
    m_ProfileRows.clear();
    m_strProfile = ReadActiveName();
    int active = -1;
    for (const WLANPROFILE& record : ReadAllProfiles()) {
        auto row = std::make_unique<PROFILE_LIST_EX>();
        row->strName = ProfileNameOf(record);
        row->strID = std::to_string(record.nProfileID);
        row->strSSID = ProfileSsidOf(record);
        row->bSecured = IsOpenProfile(record) ? 0 : 1;
        row->nNetworkType = record.enumNetworkType;
        if (row->strName == m_strProfile) {
            if (active >= 0)
                m_ProfileRows[size_t(active)]->nStatus = -1;
            row->nStatus = 1;
            active = int(m_ProfileRows.size());
        }
        m_ProfileRows.push_back(std::move(row));
    }
    const bool any = !m_ProfileRows.empty();
    if (any && active < 0)
        m_strProfile.clear();
    SetProfileButtons(any);
    if (!MayChangeProfiles()) {
        for (TWvImage* b : {BtnProfileAdd, BtnProfileDelete, BtnProfileEdit, BtnProfileImport, BtnProfileExport})
            b->SetEnabled(false);
    }
    FillProfileListView();
}

void TFormProfile::FillProfileListView()
{
    lvProfileList->ClearItems();
    m_nSelectedRow = -1;
    int active = -1;
    for (const auto& row : m_ProfileRows) {
        TListItem* item = lvProfileList->AddItem();
        item->SetCaption("");
        item->SetImageIndex(row->nStatus == 1 ? 1 : row->nStatus == 0 ? 0 : -1);
        item->AddSubItem(row->strName);
        item->AddSubItem(row->strSSID);
        item->AddSubItem("", row->bSecured == 1 ? 2 : -1);
        item->AddSubItem("", row->nNetworkType == 1 ? 6 : 5);
        item->Data = row.get();
        if (row->nStatus == 1)
            active = item->Index();
    }
    if (lvProfileList->ItemCount() > 0)
        lvProfileList->SetItemIndex(active >= 0 ? active : 0);
}

int TFormProfile::FindActiveRow() const
{
    if (m_strProfile.empty())
        return -1;
    for (size_t i = 0; i < m_ProfileRows.size(); ++i)
        if (m_ProfileRows[i]->strName == m_strProfile)
            return int(i);
    return -1;
}

void TFormProfile::SetProfileIcon(int row, int notConnected)
{
    if (WinOS() >= WINOS_VISTA && !VOZEZIV.bActiveProfileIcon)
        return;
    const int count = std::min(int(m_ProfileRows.size()), lvProfileList->ItemCount());
    for (int i = 0; i < count; ++i) {
        m_ProfileRows[size_t(i)]->nStatus = -1;
        lvProfileList->Item(i)->SetCaption("");
        lvProfileList->Item(i)->SetImageIndex(-1);
    }
    if (row < 0 || row >= count)
        return;
    m_ProfileRows[size_t(row)]->nStatus = notConnected;
    lvProfileList->Item(row)->SetCaption("");
    lvProfileList->Item(row)->SetImageIndex(notConnected == 0 ? 0 : 1);
}

void TFormProfile::TimerProfileTimer(TObject*)
{
    const int row = FindActiveRow();
    if (row < 0)
        return;
    const WLAN_STATUS link = QueryLink();
    const std::string active = ReadActiveName();
    const PROFILE_LIST_EX& entry = *m_ProfileRows[size_t(row)];
    if (entry.strName == active) {
        if (ReadFlag(VOZEZIV.WVWL_ReadWPSFlag) == 1)
            m_bActiveProfile = TRUE;
    } else if (!active.empty()) {
        return;
    }
    static const BYTE kNoBssid[6] = {};
    const bool connected = link.status == WvStatus_Connected && std::memcmp(link.bssid, kNoBssid, 6) != 0;
    if (!connected || !m_bActiveProfile) {
        SetProfileIcon(row, 1);
        return;
    }
    if (!entry.strSSID.empty() && entry.strSSID != LinkSsid(link)) {
        SetProfileIcon(row, 1);
        return;
    }
    const std::unique_ptr<WLANPROFILE> record = ReadRecord(entry.strName);
    if (record->enumNetworkType == 1) {
        SetProfileIcon(row, 0);
        return;
    }
    const bool sameChannel = FrequencyToChannel(record->lFreq) == FrequencyToChannel(link.dsFrequency);
    SetProfileIcon(row, sameChannel ? 0 : 1);
}

void TFormProfile::lvProfileListSelectItem(TObject*, TListItem* Item, bool Selected)
{
    if (!Selected || !Item)
        return;
    const int index = Item->Index();
    if (index < 0 || index >= int(m_ProfileRows.size()))
        return;
    m_nSelectedRow = index;
    const PROFILE_LIST_EX& row = *m_ProfileRows[size_t(index)];
    const std::unique_ptr<WLANPROFILE> record = ReadRecord(row.strName);
    const WLANPROFILE& p = *record;

    lblProfileName->SetCaption(row.strName);
    lblProfileName->SetHint(row.strName);
    lblSSID->SetCaption(row.strSSID);
    lblSSID->SetHint(row.strSSID);
    const std::string& auth = m_strAuthentication[p.enumAuthenMode <= 14 ? p.enumAuthenMode : 0];
    lblAuthentication->SetCaption(auth.size() > kAuthTextLimit ? auth.substr(0, kAuthTextLimit) + ".." : auth);
    lblAuthentication->SetHint(auth);
    lblEncryption->SetCaption(m_strEncryption[p.enumEncryStatus <= 11 ? p.enumEncryStatus : 0]);

    const bool infra = p.enumNetworkType == 1;
    const bool rights = MayChangeProfiles();
    const int mode = QueryOPMode();
    if (WinOS() < WINOS_WIN7 || mode == OP_MODE_STATION || mode == OP_MODE_STA_WIFI_DIRECT || infra) {
        BtnProfileActivate->SetEnabled(true);
        bool edit = rights;
        if (WinOS() < WINOS_VISTA && Call(VOZEZIV.WVWL_IsWpaCapable) == 0 && infra) {
            const DWORD a = p.enumAuthenMode;
            const bool dot1xWep = a == 0 && p.enumEncryStatus == 0 && p.b8021X == 1;
            if (dot1xWep || a == 3 || a == 4 || a == 6 || a == 7 || a == 10 || a == 11)
                edit = false;
        }
        BtnProfileEdit->SetEnabled(edit);
    } else {
        BtnProfileActivate->SetEnabled(false);
        BtnProfileEdit->SetEnabled(false);
    }
}

// ---- commands

void TFormProfile::BtnProfileWPSClick(TObject*)
{
    TTrace trace("BtnProfileWPSClick");
    if (!FormProfileEdit)
        return;
    const std::string id = GetNextProfileID();
    const std::string name = MakeDefaultProfileName();
    if (FormProfileEdit->StartWPSWizard(name, id) != 1) {
        PrintMessage(6, " TFormProfile::BtnProfileWPSClick, No Supported WPS AP\n");
        return;
    }
    FormProfileEdit->m_bAddProfile = TRUE;
    FormProfileEdit->m_bEditProfile = FALSE;
    m_bWPSFromProfile = TRUE;
    FormProfileEdit->m_bWPSFromProfile = TRUE;
    FormProfileEdit->m_nWPSMode = 2;
    FormProfileEdit->FrameProfileEditWPS->chBoxExternalRegistrar->SetChecked(false);
    ShowEditor();
}

void TFormProfile::ShowEditor()
{
    FormProfileEdit->SetLeft(Left());
    FormProfileEdit->SetTop(Top());
    FormProfileEdit->ShowModal();
}

void TFormProfile::BtnProfileAddClick(TObject*)
{
    TTrace trace("BtnProfileAddClick");
    if (!FormProfileEdit)
        return;
    const std::string id = GetNextProfileID();
    const std::string name = MakeDefaultProfileName();
    FormProfileEdit->InitialSettingFromProfileAdd(name, id);
    FormProfileEdit->m_bAddProfile = TRUE;
    FormProfileEdit->m_bEditProfile = FALSE;
    m_bWPSFromProfile = FALSE;
    FormProfileEdit->m_bWPSFromProfile = FALSE;
    ShowEditor();
}

void TFormProfile::BtnProfileEditClick(TObject*)
{
    TTrace trace("BtnProfileEditClick");
    m_bWPSFromProfile = FALSE;
    if (WinOS() < WINOS_VISTA && Call(VOZEZIV.WVWL_IsZeroConfig) == 2)
        return;
    if (WinOS() >= WINOS_VISTA && Call(VOZEZIV.WVWL_CheckMSConfigService) == 0)
        return;
    const int row = CommandRow();
    if (row < 0) {
        ShowMessageBox(S(&CUISTR::STR_NOSELECTEDITEM), 0);
        return;
    }
    if (!FormProfileEdit)
        return;
    const PROFILE_LIST_EX& entry = *m_ProfileRows[size_t(row)];
    FormProfileEdit->ResetEditor();
    FormProfileEdit->m_strProfName = entry.strName;
    FormProfileEdit->m_strOrgProfName = entry.strName;
    FormProfileEdit->m_strProfID = entry.strID;
    FormProfileEdit->m_bEditProfile = TRUE;
    FormProfileEdit->LoadProfile();
    FormProfileEdit->FillPagesFromProfile();
    FormProfileEdit->m_bAddProfile = FALSE;
    ShowEditor();
}

void TFormProfile::BtnProfileActivateClick(TObject*)
{
    TTrace trace("BtnProfileActivateClick");
    const bool service = Call(VOZEZIV.WVWL_CheckMSConfigService) != 0 || WinOS() <= 30;
    if (!service || Call(VOZEZIV.WVWL_ReadRadioStatus) == 0)
        return;
    if (m_nSelectedRow < 0 || m_nSelectedRow >= int(m_ProfileRows.size())) {
        ShowMessageBox(S(&CUISTR::STR_NOPROFSELECTED), 0);
        return;
    }
    const int row = m_ProfileRows.size() == 1 ? 0 : m_nSelectedRow;
    mainwin::SetReConnect();
    if (WinOS() < WINOS_VISTA) {
        m_nActivatedRow = row;
        Call(VOZEZIV.WVWL_WriteSSOReleaseSUP);
    }
    m_strProfile = m_ProfileRows[size_t(row)]->strName;
    m_strActiveSSID = m_ProfileRows[size_t(row)]->strSSID;
    ActiveProfile(row);
}

void TFormProfile::ActiveProfile(int row)
{
    TTrace trace("ActiveProfile");
    if (row < 0 || row >= int(m_ProfileRows.size()))
        return;
    const std::string name = m_ProfileRows[size_t(row)]->strName;
    const DWORD networkType = m_ProfileRows[size_t(row)]->nNetworkType;
    if (!MayChangeProfiles())
        m_strUserProfile = name;
    if (VOZEZIV.WVWL_WriteWPSFlag)
        VOZEZIV.WVWL_WriteWPSFlag(0);

    if (QueryOPMode() == OP_MODE_STA_WIFI_DIRECT) {
        PrintMessage(6, " TFormProfile::ActiveProfile <--- VOZEZIV.WVWL_QueryOPMode() == OP_MODE_STA_WIFI_DIRECT\n");
        const int wifiDirect = ReadFlag(VOZEZIV.WVWL_ReadWifiDirectFlag);
        if (wifiDirect && FormWiFiDirect && networkType == 0) {
            PrintMessage(6, " TFormSiteSurvey::LoadProfilee ---> EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE)!!\n");
            FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE);
        } else {
            PrintMessage(6, " TFormSiteSurvey::LoadProfile:FormWiFiDirect = 0%x; bWiFiDirect = %d ; m_nNetworkType  = %d!!\n",
                         unsigned(reinterpret_cast<uintptr_t>(FormWiFiDirect)), wifiDirect, int(networkType));
        }
    } else {
        PrintMessage(6, " TFormProfile::ActiveProfile ---> EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE)!!\n");
        if (FormWiFiDirect)
            FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE);
    }
    m_bActiveProfile = TRUE;

    if (WinOS() < WINOS_VISTA) {
        const TName128 active(ReadActiveName());
        if (VOZEZIV.WVWL_WriteSSOProfileAndFunc)
            VOZEZIV.WVWL_WriteSSOProfileAndFunc(active.chars, 1);
        ApplySsoSettings();
        if (Call(VOZEZIV.WVWL_IsWpaCapable) == 0) {
            seams::Sleep(1000);
            mainwin::CheckWpaCapability();
        }
    }
    const TName128 buffer(name);
    if (VOZEZIV.WVWL_CopyProfileToCurrentSetting)
        VOZEZIV.WVWL_CopyProfileToCurrentSetting(buffer.chars);
    SetOidFromReg(0);
    RefreshProfileList();
}

void TFormProfile::ApplySsoSettings()
{
    const std::unique_ptr<WLANPROFILE> record = ReadRecord(m_strProfile);
    const TName128 name(m_strProfile);
    if (record->ssoInfo & PROF_SSO_USE_SSO) {
        SSO_SETTING sso;
        std::memset(&sso, 0, sizeof sso);
        sso.bSSO = 1;
        std::strcpy(sso.LogonDll, "OstrelGina.DLL");
        if (VOZEZIV.WVWL_ReadDriverDesc) {
            char desc[128] = {};
            VOZEZIV.WVWL_ReadDriverDesc(desc);
            desc[sizeof desc - 1] = 0;
            std::strcpy(sso.DriverDesc, desc);
        }
        m_strProfile.copy(sso.ProfileName, sizeof sso.ProfileName - 1);
        if (VOZEZIV.WVWL_WriteSSOSetting)
            VOZEZIV.WVWL_WriteSSOSetting(sso);
        if (VOZEZIV.WVWL_WriteSSOEnablePersConn)
            VOZEZIV.WVWL_WriteSSOEnablePersConn((record->ssoInfo & PROF_SSO_PERSISTENT_CONNECTION) ? 1 : 0);
        if (VOZEZIV.WVWL_WriteSSOSavePassword)
            VOZEZIV.WVWL_WriteSSOSavePassword(
                int((record->ssoInfo & PROF_SSO_ID_PWD_SOURCE_MASK) >> PROF_SSO_ID_PWD_SOURCE_SHIFT));
        if (VOZEZIV.WVWL_WriteSSOProfileAndFunc)
            VOZEZIV.WVWL_WriteSSOProfileAndFunc(name.chars, 0);
        return;
    }
    if (VOZEZIV.WVWL_WriteSSOProfileAndFunc)
        VOZEZIV.WVWL_WriteSSOProfileAndFunc(name.chars, 1);
    Call(VOZEZIV.WVWL_WriteSSOReleaseSUP);
}

void TFormProfile::SetOidFromReg(int withAdvance)
{
    TTrace trace("SetOidFromReg");
    m_nActionType = actionTypeProfile;
    WLANPROFILE& p = *m_pActionProfile;
    std::memset(&p, 0, sizeof p);
    m_bActiveProfile = FALSE;
    // The advanced fields are laid over the stored profile, so they reach the queued one.
    const auto overlayAdvanced = [&p, withAdvance] {
        unsigned long ccx = 0;
        if (VOZEZIV.WVWL_ReadCCX2Cont)
            VOZEZIV.WVWL_ReadCCX2Cont(&ccx);
        p.ccx2Ctrl = ccx;
        p.bSetAdvance = withAdvance ? 1 : 0;
        if (!withAdvance)
            return;
        ADVANCE_CONFIG_DATA advance;
        std::memset(&advance, 0, sizeof advance);
        if (VOZEZIV.WVWL_ReadAdvanceCfgData)
            VOZEZIV.WVWL_ReadAdvanceCfgData(&advance);
        if (VOZEZIV.WVWL_QuerySTAConfig)
            VOZEZIV.WVWL_QuerySTAConfig(&p.configSta);
        p.nCountryRegion = (advance.CountryRegionABand << 8) + advance.CountryRegion;
    };
    if (ReadFlag(VOZEZIV.WVWL_ReadWifiDirectFlag) && QueryOPMode() != OP_MODE_STA_WIFI_DIRECT) {
        overlayAdvanced();
        return;
    }
    m_bActiveProfile = TRUE;
    const TName128 name(ReadActiveName());
    if (VOZEZIV.WVWL_ReadProfileData)
        VOZEZIV.WVWL_ReadProfileData(&p, name.chars);
    overlayAdvanced();
    if (WinOS() < WINOS_VISTA && !(p.ssoInfo & PROF_SSO_USE_SSO))
        Call(VOZEZIV.WVWL_ResetSSOFeature);
    PrintMessage(6, " Insert action at PageProfileDlg SetOidFromReg \n");
    mainwin::InsertAction({m_nActionType, &p});
}

void TFormProfile::BtnProfileDeleteClick(TObject*)
{
    TTrace trace("BtnProfileDeleteClick");
    if (WinOS() >= WINOS_VISTA && Call(VOZEZIV.WVWL_CheckMSConfigService) == 0)
        return;
    const int row = CommandRow();
    if (row < 0) {
        ShowMessageBox(S(&CUISTR::STR_NOSELECTEDITEM), 0);
        return;
    }
    const std::string name = m_ProfileRows[size_t(row)]->strName;
    const std::string ssid = m_ProfileRows[size_t(row)]->strSSID;
    const std::string active = ReadActiveName();

    if (name == m_strProfile && m_bActiveProfile) {
        // The question offers Cancel, and OK disconnects on every Windows version, as it says.
        if (ShowMessageBox(S(&CUISTR::STR_DELCURRENTPROF), 1) != mrOk)
            return;
        m_bActiveProfile = FALSE;
        Call(VOZEZIV.WVWL_Disconnect);
        Call(VOZEZIV.WVWL_ResetToDefaultConnecctionSetting);
        m_strProfile.clear();
        const int wps = ReadFlag(VOZEZIV.WVWL_ReadWPSFlag);
        const int wifiDirect = ReadFlag(VOZEZIV.WVWL_ReadWifiDirectFlag);
        if (!wps && !wifiDirect && WinOS() < WINOS_VISTA) {
            const TName128 buffer(active);
            if (VOZEZIV.WVWL_WriteSSOProfileAndFunc)
                VOZEZIV.WVWL_WriteSSOProfileAndFunc(buffer.chars, 1);
            Call(VOZEZIV.WVWL_WriteSSOReleaseSUP);
            mainwin::SetReConnect();
            SetOidFromReg(0);
        } else if (WLANPROFILE* current = mainwin::CurrentProfile()) {
            std::memset(current, 0, sizeof(WLANPROFILE));
        }
    }

    const WLAN_STATUS link = QueryLink();
    m_bDeleteConnected = link.status == WvStatus_Connected && !ssid.empty() && ssid == LinkSsid(link) &&
                         name != active;
    const TName128 buffer(name);
    if (VOZEZIV.WVWL_DeleteProfile)
        VOZEZIV.WVWL_DeleteProfile(buffer.chars, m_bDeleteConnected);
    RefreshProfileList();

    const int rows = int(m_ProfileRows.size());
    if (row < rows) {
        lvProfileList->SetItemIndex(row);
        return;
    }
    if (rows > 0) {
        lvProfileList->SetItemIndex(rows - 1);
        return;
    }
    int wpsFlag = 0;
    if (FormProfileEdit && VOZEZIV.WVWL_ReadWPSFlag && VOZEZIV.WVWL_ReadWPSFlag(&wpsFlag) && wpsFlag == 1)
        FormProfileEdit->OnWpsDisconnect();
    if (VOZEZIV.WVWL_WriteWPSFlag)
        VOZEZIV.WVWL_WriteWPSFlag(0);
    SetProfileButtons(false);
    ClearInformation();
}

void TFormProfile::BtnProfileImportClick(TObject*)
{
    TTrace trace("BtnProfileImportClick");
    TProfileFileDialog dialog(false);
    dialog.DefaultExt = "prof";
    dialog.Filter = S(&CUISTR::STR_IM_EXPORT_SAVE_DEFAULT_FILTER_PROF) + "|*.prof";
    dialog.FileName = "*.prof";
    if (!dialog.Execute(Handle()))
        return;
    const int result = VOZEZIV.WVWL_ImportProfile ? VOZEZIV.WVWL_ImportProfile(dialog.FileName.c_str()) : 0;
    switch (result) {
    case -15:
        ShowMessageBox(S(&CUISTR::STR_IM_EXPORT_NO_PROFILE), 0);
        return;
    case -14:
        ShowMessageBox(S(&CUISTR::STR_IM_EXPORT_PROFILE_MORE_THAN_ONE), 0);
        return;
    case -16:
        ShowMessageBox(S(&CUISTR::STR_IM_EXPORT_PROFILE_EXIST), 0);
        return;
    default:
        break;
    }
    if (result <= 0) {
        // The library took nothing from the file.
        PrintMessage(2, " TFormProfile::BtnProfileImportClick: import failed (%d)\n", result);
        ShowMessageBox(S(&CUISTR::STR_IM_EXPORT_NO_PROFILE), 0);
        return;
    }
    RefreshProfileList();
}

void TFormProfile::BtnProfileExportClick(TObject*)
{
    TTrace trace("BtnProfileExportClick");
    if (m_nSelectedRow < 0 || m_nSelectedRow >= int(m_ProfileRows.size())) {
        ShowMessageBox(S(&CUISTR::STR_NOSELECTEDITEM), 0);
        return;
    }
    TProfileFileDialog dialog(true);
    dialog.DefaultExt = "prof";
    dialog.Filter = S(&CUISTR::STR_IM_EXPORT_SAVE_DEFAULT_FILTER_PROF) + "|*.prof";
    if (!dialog.Execute(Handle()))
        return;
    const TName128 name(m_ProfileRows[size_t(m_nSelectedRow)]->strName);
    const int result =
        VOZEZIV.WVWL_ExportProfile ? VOZEZIV.WVWL_ExportProfile(name.chars, dialog.FileName.c_str()) : 0;
    if (result <= 0) {
        PrintMessage(2, " TFormProfile::BtnProfileExportClick: export failed (%d)\n", result);
        ShowMessageBox(S(&CUISTR::STR_IM_EXPORT_SAVE_ANOTHER_FILENAME_REQUIRE), 0);
    }
}

// ---- new profiles

std::string TFormProfile::GetNextProfileID()
{
    return ::NextProfileID(VOZEZIV);
}

std::string TFormProfile::MakeDefaultProfileName()
{
    return ::MakeDefaultProfileName(VOZEZIV, S(&CUISTR::STR_PROF_DEFAULT), S(&CUISTR::STR_PROF));
}
