#include "wifidirect/FormWiFiDirectProfile.h"

#include <algorithm>
#include <commctrl.h>
#include <cstring>

#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidirect/WiFiDirectSettingControls.h"
#include "wifidirect/WiFiDirectText.h"
#include "wlapi/result.h"

TFormWiFiDirectProfile* FormWiFiDirectProfile = nullptr;

namespace {

constexpr COLORREF kListColor = 0x00F9F3E8;
constexpr unsigned long kMaxRows = 65536;

TImage* Picture(TImage* TFormResource::*member)
{
    return FormResource ? FormResource->*member : nullptr;
}

TWvImage* MakeButton(TWinControl* form, int left, TImage* TFormResource::*normal, TImage* TFormResource::*down,
                     TImage* TFormResource::*disabled)
{
    return MakePushButton(form, left, 20, 24, 26, Picture(normal), Picture(down), disabled ? Picture(disabled) : nullptr);
}

std::string FieldText(const char* field, size_t width)
{
    return std::string(field, strnlen(field, width));
}

bool OperatingModeAllowsActivation()
{
    const int mode = VOZEZIV.WVWL_QueryOPMode();
    return mode == 0 || mode == 3;
}

} // namespace

TFormWiFiDirectProfile::TFormWiFiDirectProfile(TComponent* owner) : TFormBase(owner)
{
    Name = "FormWiFiDirectProfile";
    SetClientSize(400, 245);
    BtnProfileAdd = MakeButton(this, 8, &TFormResource::ImgBtnWiFiDirectProfileAdd_Normal,
                               &TFormResource::ImgBtnWiFiDirectProfileAdd_Down, &TFormResource::ImgBtnWiFiDirectProfileAdd_Disabled);
    BtnProfileDelete = MakeButton(this, 33, &TFormResource::ImgBtnWiFiDirectProfileDelete_Normal,
                                  &TFormResource::ImgBtnWiFiDirectProfileDelete_Down,
                                  &TFormResource::ImgBtnWiFiDirectProfileDelete_Disabled);
    BtnProfileDetail = MakeButton(this, 58, &TFormResource::ImgBtnWiFiDirectProfileDetail_Normal,
                                  &TFormResource::ImgBtnWiFiDirectProfileDetail_Down,
                                  &TFormResource::ImgBtnWiFiDirectProfileDetail_Disabled);
    BtnProfileActivate = MakeButton(this, 83, &TFormResource::ImgBtnWiFiDirectProfileActivate_Normal,
                                    &TFormResource::ImgBtnWiFiDirectProfileActivate_Down,
                                    &TFormResource::ImgBtnWiFiDirectProfileActivate_Disabled);
    SysBtnClose = MakePushButton(this, 377, 16, 15, 15, Picture(&TFormResource::ImgBtnWiFiDirectProfileFormClose_Normal),
                                 Picture(&TFormResource::ImgBtnWiFiDirectProfileFormClose_Down), nullptr);
    BtnProfileDelete->OnClick = [this](TObject* s) { BtnProfileDeleteClick(s); };
    BtnProfileDetail->OnClick = [this](TObject* s) { BtnProfileDetailClick(s); };
    BtnProfileActivate->OnClick = [this](TObject* s) { BtnProfileActivateClick(s); };
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };

    ImageProfileList = new TImageList(this, 16, 16);
    TImage* status = Picture(&TFormResource::ImgSiteSurveyActive);
    ImageProfileList->Add(status ? status->Picture() : TPicture());
    lvProfileList = new TListView({this, 12, 52, 376, 110});
    lvProfileList->SetRowSelect(true);
    lvProfileList->SetColor(kListColor);
    lvProfileList->SetSmallImages(ImageProfileList);
    lvProfileList->AddColumn("", 20);
    lvProfileList->AddColumn(wizard::Text(&CUISTR::STR_PROFILE_NAME), 150);
    lvProfileList->AddColumn("Device", 150);
    lvProfileList->AddColumn(wizard::Text(&CUISTR::STR_SSID), kSsidColumnWidth);
    lvProfileList->OnSelectItem = [this](TObject* s, TListItem* item, bool selected) {
        lvProfileListSelectItem(s, item, selected);
    };

    grpProfileInfo = new TGroupBox({this, 12, 166, 376, 62, wizard::Text(&CUISTR::STR_PROFILE_INFORMATION)});
    // the name and the SSID (32 characters each) get whole rows
    lblProfileNameText = skin::MakeLabel(grpProfileInfo, 8, 15, 86, &CUISTR::STR_PROFILE_NAME);
    lblProfileName = skin::MakeLabel(grpProfileInfo, 96, 15, 272);
    lblSSIDText = skin::MakeLabel(grpProfileInfo, 8, 29, 86, &CUISTR::STR_SSID);
    lblSSID = skin::MakeLabel(grpProfileInfo, 96, 29, 272);
    lblAuthenticationText = skin::MakeLabel(grpProfileInfo, 8, 43, 86, &CUISTR::STR_AUTHENTICATION);
    lblAuthentication = skin::MakeLabel(grpProfileInfo, 96, 43, 90, &CUISTR::STR_WPA2PSK);
    lblEncryptionText = skin::MakeLabel(grpProfileInfo, 190, 43, 76, &CUISTR::STR_ENCRYPTION);
    lblEncryption = skin::MakeLabel(grpProfileInfo, 270, 43, 98, &CUISTR::STR_AES);
    for (TLabel* value : {lblProfileName, lblSSID, lblAuthentication, lblEncryption})
        value->SetShowHint(true);
    m_Rows.reserve(64);
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFormWiFiDirectProfile::~TFormWiFiDirectProfile() = default;

void TFormWiFiDirectProfile::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TFormWiFiDirectProfile::FormCreate\n");
    if (TImage* background = Picture(&TFormResource::ImgWiFiDirectProfileForm))
        ImgBackground->SetPicture(background->Picture());
    TFormBase::FormCreate(Sender);
    const std::string caption = wizard::Text(&CUISTR::STR_WIFIDIRECT_PROFILE);
    SetCaption(caption);
    lblCaptionText->SetCaption(caption);
    SysBtnClose->SetHint(wizard::Text(&CUISTR::STR_BtnHintClose));
    BtnProfileAdd->SetHint(wizard::Text(&CUISTR::STR_BtnHintAdd));
    BtnProfileDelete->SetHint(wizard::Text(&CUISTR::STR_BtnHintDelete));
    BtnProfileDetail->SetHint(wizard::Text(&CUISTR::STR_BTN_DETAIL));
    BtnProfileActivate->SetHint(wizard::Text(&CUISTR::STR_BtnHintActivate));
    const std::pair<TControl*, const char*> placements[] = {{SysBtnClose, "SysBtnClosePos"},
                                                            {BtnProfileAdd, "BtnProfileAddPos"},
                                                            {BtnProfileDelete, "BtnProfileDeletePos"},
                                                            {BtnProfileDetail, "BtnProfileDetailPos"},
                                                            {BtnProfileActivate, "BtnProfileActivatePos"}};
    for (const auto& [control, key] : placements)
        wizard::Place(control, "WiFiDirectProfileForm", key);
    PrintMessage(6, " <-- TFormWiFiDirectProfile::FormCreate\n");
}

void TFormWiFiDirectProfile::FormShow(TObject*)
{
    UpdateProfileList();
}

void TFormWiFiDirectProfile::SysBtnCloseClick(TObject*)
{
    Close();
}

void TFormWiFiDirectProfile::EnableButtons(bool any)
{
    BtnProfileDelete->SetEnabled(any);
    BtnProfileDetail->SetEnabled(any);
    BtnProfileActivate->SetEnabled(any);
}

void TFormWiFiDirectProfile::UpdateProfileList()
{
    m_Rows.clear();
    m_pSelectedRow = nullptr;
    m_nSelectedIndex = -1;
    unsigned long count = 0;
    VOZEZIV.WVWL_ReadWifiDirectWpseProfileList(nullptr, &count);
    count = std::min(count, kMaxRows);
    if (count > 0) {
        std::vector<WIFIDIRECT_WPSE_PROFILE> records(count);
        unsigned long read = count;
        if (VOZEZIV.WVWL_ReadWifiDirectWpseProfileList(records.data(), &read) == WVWL_ERROR_SUCCESS) {
            for (unsigned long i = 0; i < std::min(read, count); ++i) {
                const WIFIDIRECT_WPSE_PROFILE& r = records[i];
                auto row = std::make_unique<WIFIDIRECT_PROFILE_LIST_EX>();
                row->strProfileName = FieldText(r.ProfileName, sizeof r.ProfileName);
                row->strDeviceName = FieldText(r.PeerDeviceName[0], sizeof r.PeerDeviceName[0]);
                row->strSSID = WiFiDirectText(r.SSID, r.SSIDLength, sizeof r.SSID);
                std::memcpy(row->MacAddr, r.DesiredMacAddr[0], 6);
                m_Rows.push_back(std::move(row));
            }
        }
    }
    EnableButtons(!m_Rows.empty());
    if (VOZEZIV.WVWL_DetectUserAdmin() == 0 && VOZEZIV.WVWL_IsAllowStandardUserSetProfile() == 0)
        BtnProfileDelete->SetEnabled(false);

    lvProfileList->ClearItems();
    for (const auto& row : m_Rows) {
        TListItem* item = lvProfileList->AddItem();
        item->SetCaption("");
        item->AddSubItem(row->strProfileName);
        item->AddSubItem(row->strDeviceName);
        item->AddSubItem(row->strSSID);
    }
    FitColumns();
    if (lvProfileList->ItemCount() > 0)
        lvProfileList->SetItemIndex(0);
    MarkConnectedRows();
}

// The columns share the list's width, so it never scrolls sideways: the SSID column gets what
// its longest name needs in the list's font, as far as the two name columns keep a useful
// width; those split the rest. A text longer than its column ends in an ellipsis.
void TFormWiFiDirectProfile::FitColumns()
{
    if (!lvProfileList->HandleAllocated())
        return;  // fitted when the window is shown
    constexpr int kStatusColumn = 20, kMinNameColumn = 70, kPadding = 14;
    const HWND list = lvProfileList->Handle();
    RECT client{};
    GetClientRect(list, &client);
    int available = client.right - client.left;
    // a vertical scroll bar the rows are about to bring takes its width as well
    const bool scrollBar = (GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) != 0;
    if (!scrollBar && lvProfileList->ItemCount() > int(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0)))
        available -= GetSystemMetrics(SM_CXVSCROLL);
    int ssid = kSsidColumnWidth;
    for (const auto& row : m_Rows) {
        const LRESULT text = SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(row->strSSID.c_str()));
        ssid = std::max(ssid, int(text) + kPadding);
    }
    ssid = std::max(kSsidColumnWidth, std::min(ssid, available - kStatusColumn - 2 * kMinNameColumn));
    const int names = std::max(0, available - kStatusColumn - ssid);
    lvProfileList->Column(0)->SetWidth(kStatusColumn);
    lvProfileList->Column(1)->SetWidth(names - names / 2);
    lvProfileList->Column(2)->SetWidth(names / 2);
    lvProfileList->Column(3)->SetWidth(ssid);
}

void TFormWiFiDirectProfile::MarkConnectedRows()
{
    if (VOZEZIV.nWinOS >= 31 && VOZEZIV.bActiveProfileIcon != 1)
        return;
    const TFormWiFiDirect* direct = FormWiFiDirect;
    for (size_t i = 0; i < m_Rows.size() && int(i) < lvProfileList->ItemCount(); ++i) {
        WIFIDIRECT_PROFILE_LIST_EX& row = *m_Rows[i];
        row.nStatus = -1;
        lvProfileList->Item(int(i))->SetImageIndex(-1);
        if (!direct)
            continue;
        for (const WIFI_DIRECT_TOPOPOGY& node : direct->m_vecTopology) {
            if (!node.Device.bConnectToMe || std::memcmp(node.Device.chMacAddr, row.MacAddr, 6) != 0)
                continue;
            if (WiFiDirectDeviceName(node.Device).substr(0, 6) == row.strDeviceName.substr(0, 6)) {
                row.nStatus = 0;
                lvProfileList->Item(int(i))->SetImageIndex(0);
            }
            break;
        }
    }
}

void TFormWiFiDirectProfile::lvProfileListSelectItem(TObject*, TListItem* Item, bool Selected)
{
    if (!Item || !Selected)
        return;
    const int index = lvProfileList->IndexOf(Item);
    if (index < 0 || index >= int(m_Rows.size()))
        return;
    m_pSelectedRow = m_Rows[index].get();
    m_nSelectedIndex = index;
    lblProfileName->SetCaption(m_pSelectedRow->strProfileName);
    lblProfileName->SetHint(m_pSelectedRow->strProfileName);
    WIFIDIRECT_WPSE_PROFILE r{};
    VOZEZIV.WVWL_ReadWifiDirectWpseProfile(&r, m_pSelectedRow->strProfileName.c_str());
    const std::string ssid = WiFiDirectText(r.SSID, r.SSIDLength, sizeof r.SSID);
    lblSSID->SetCaption(ssid);
    lblSSID->SetHint(ssid);
    BtnProfileActivate->SetEnabled(FormWiFiDirect && FormWiFiDirect->m_bEnableWiFiDirect && OperatingModeAllowsActivation());
}

int TFormWiFiDirectProfile::ActionRow() const
{
    if (lvProfileList->ItemCount() == 1)
        return 0;
    const int index = lvProfileList->ItemIndex();
    return index >= 0 && index < int(m_Rows.size()) ? index : -1;
}

void TFormWiFiDirectProfile::BtnProfileDeleteClick(TObject*)
{
    if (VOZEZIV.nWinOS >= 31 && VOZEZIV.WVWL_CheckMSConfigService() == 0)
        return;
    const int row = ActionRow();
    if (row < 0) {
        ShowMessageBox(wizard::Text(&CUISTR::STR_NOSELECTEDITEM), 0);
        return;
    }
    char name[128] = {};
    const std::string& profile = m_Rows[row]->strProfileName;
    std::memcpy(name, profile.data(), std::min(profile.size(), sizeof name - 1));
    const int result = VOZEZIV.WVWL_DeleteWifiDirectWpseProfile(name);
    PrintMessage(6, " TFormWiFiDirectProfile:: WVWL_DeleteWifiDirectWpseProfile(%s) return %d\n", name, result);
    UpdateProfileList();
    const int count = lvProfileList->ItemCount();
    if (count > 0) {
        lvProfileList->SetItemIndex(row < count ? row : count - 1);
        return;
    }
    EnableButtons(false);
    for (TLabel* label : {lblProfileName, lblSSID, lblAuthentication, lblEncryption})
        label->SetCaption("");
}

void TFormWiFiDirectProfile::BtnProfileDetailClick(TObject*)
{
    const int row = ActionRow();
    if (row < 0) {
        ShowMessageBox(wizard::Text(&CUISTR::STR_NOSELECTEDITEM), 0);
        return;
    }
    TFormWiFiDirectSetting* wizard = FormWiFiDirectSetting;
    if (!wizard)
        return;
    wizard->m_strProfileName = m_Rows[row]->strProfileName;
    wizard->m_enumActionTpye = ACTION_Profile_DETAIL;
    if (const TFormWiFiDirect* direct = FormWiFiDirect) {
        wizard->SetTop(direct->Top() + direct->Height() / 4);
        wizard->SetLeft(direct->Left() + direct->Width() / 2);
    }
    wizard->ShowModal();
}

void TFormWiFiDirectProfile::BtnProfileActivateClick(TObject*)
{
    const bool serviceOk = VOZEZIV.WVWL_CheckMSConfigService() != 0 || VOZEZIV.nWinOS < 31;
    if (!serviceOk || VOZEZIV.WVWL_ReadRadioStatus() == 0 || !OperatingModeAllowsActivation())
        return;
    const int row = ActionRow();
    if (row < 0) {
        ShowMessageBox(wizard::Text(&CUISTR::STR_NOPROFSELECTED), 0);
        return;
    }
    m_strActiveProfileName = m_Rows[row]->strProfileName;
    m_strActiveSSID = m_Rows[row]->strSSID;
    ActiveProfile(row);
}

// Only a profile that was really read is applied.
void TFormWiFiDirectProfile::ActiveProfile(int row)
{
    if (VOZEZIV.WVWL_DetectUserAdmin() == 0 && VOZEZIV.WVWL_IsAllowStandardUserSetProfile() == 0 && row >= 0 &&
        row < int(m_Rows.size()))
        m_strStandardUserProfileName = m_Rows[row]->strProfileName;
    char name[128] = {};
    std::memcpy(name, m_strActiveProfileName.data(), std::min(m_strActiveProfileName.size(), sizeof name - 1));
    VOZEZIV.WVWL_WriteActiveWifiDirectWpseProfileName(name);
    m_bActiveProfile = 1;
    TFormWiFiDirectSetting* wizard = FormWiFiDirectSetting;
    TFormWiFiDirect* direct = FormWiFiDirect;
    if (!wizard || !direct)
        return;
    WIFIDIRECT_WPSE_PROFILE& r = wizard->m_data_WIFIDIRECT_WPSE_Profile;
    r = WIFIDIRECT_WPSE_PROFILE{};
    const int result = VOZEZIV.WVWL_ReadWifiDirectWpseProfile(&r, name);
    if (result != WVWL_ERROR_SUCCESS) {
        PrintMessage(2, " TFormWiFiDirectProfile::ActiveProfile:: profile %s not read (%d), not applied\n", name, result);
        r = WIFIDIRECT_WPSE_PROFILE{};
        UpdateProfileList();
        return;
    }
    m_bActiveProfile = name[0] ? 1 : 0;
    // applied as read, not as the wizard's last run would apply it
    wizard->m_enumActionTpye = 0;
    wizard->SetWifiDirectWpseConfig();
    UpdateProfileList();
    if (direct->m_bOK && r.ConfigMode == CONFIG_MODE_CONNECT && r.GoIntentIdx != GO_INTENT_AUTONOMOUS) {
        direct->m_strProgressMsg = wizard::Text(&CUISTR::STR_WIFIDIRECT_CONNECT_WAIT);
        direct->StartWiFiDirectProgress(TRUE, 120000);
    }
}
