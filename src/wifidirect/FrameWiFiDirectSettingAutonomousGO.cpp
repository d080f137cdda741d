#include "wifidirect/FrameWiFiDirectSettingAutonomousGO.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "dialogs/FormMessageBox.h"
#include "core/WvwlLib.h"
#include "wifidirect/WiFiDirectSetting.h"
#include "wifidirect/WiFiDirectSettingControls.h"

using namespace wizard;

namespace {

constexpr const char kSection[] = "WiFiDirectSettingAutonomousGO";
constexpr const char kWpsSection[] = "WiFiDirectSettingWPSFrame";
constexpr int kRowSecurity = 28, kRowKey = 58, kRowChannel = 130, kRowProfile = 164;

} // namespace

TFrameWiFiDirectSettingAutonomousGO::TFrameWiFiDirectSettingAutonomousGO(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameWiFiDirectSettingAutonomousGO";
    grpBoxAutoGO = new TGroupBox(this);
    grpBoxAutoGO->SetParent(this);
    grpBoxAutoGO->SetBounds(12, 8, 360, 100);
    lblSecurityText = MakeCaption(grpBoxAutoGO, kRowSecurity - 4, &CUISTR::STR_WIFIDIRECT_SECURITY_TYPE);
    lblSecurity = skin::MakeLabel(grpBoxAutoGO, kFieldLeft - 12, kRowSecurity, 150);
    lblPreshedKeyText = MakeCaption(grpBoxAutoGO, kRowKey, &CUISTR::STR_WPAPSKKEY);
    editlPreshedKey = MakeEdit(grpBoxAutoGO, kFieldLeft - 12, kRowKey, 180, 64);
    lblOperatingChannelText = MakeCaption(this, kRowChannel, &CUISTR::STR_OPERATING_CHANNEL);
    cboxOperatingChannel = MakeList(this, kRowChannel);
    lblProfileNameText = MakeCaption(this, kRowProfile, &CUISTR::STR_PROFILE_NAME);
    editProfileName = MakeEdit(this, kFieldLeft, kRowProfile, 190, 32);
    editProfileName->SetReadOnly(true);
    SetUp();
}

void TFrameWiFiDirectSettingAutonomousGO::SetUp()
{
    const std::pair<TControl*, const char*> placements[] = {{grpBoxAutoGO, "grpBoxAutoGOPos"},
                                                            {lblSecurityText, "lblSecurityTextPos"},
                                                            {lblSecurity, "lblSecurityPos"},
                                                            {lblPreshedKeyText, "lblPreshedKeyTextPos"},
                                                            {editlPreshedKey, "editlPreshedKeyPos"}};
    for (const auto& [control, key] : placements)
        Place(control, kSection, key);
    const std::pair<TControl*, const char*> shared[] = {{lblProfileNameText, "lblProfileNameTextPos"},
                                                        {editProfileName, "editProfileNamePos"},
                                                        {lblOperatingChannelText, "lblOperatingChannelTextPos"},
                                                        {cboxOperatingChannel, "cboxOperatingChannelPos"}};
    for (const auto& [control, key] : shared)
        Place(control, kWpsSection, key);
    grpBoxAutoGO->SetCaption(Text(&CUISTR::STR_WIFIDIRECT_CONFIG_AUTOGO));
    lblSecurityText->SetCaption(Text(&CUISTR::STR_WIFIDIRECT_SECURITY_TYPE));
    lblSecurity->SetCaption("WPA2PSK AES");
    lblPreshedKeyText->SetCaption(Text(&CUISTR::STR_WPAPSKKEY));
    lblProfileNameText->SetCaption(Text(&CUISTR::STR_PROFILE_NAME));
    lblOperatingChannelText->SetCaption(Text(&CUISTR::STR_OPERATING_CHANNEL));
    editlPreshedKey->SetText("");
    lblProfileNameText->SetVisible(false);
    editProfileName->SetVisible(false);
}

bool TFrameWiFiDirectSettingAutonomousGO::IsValidKey(const std::string& key)
{
    if (key.size() <= 7)
        return false;
    if (key.size() != 64)
        return key.size() < 64;
    return std::all_of(key.begin(), key.end(), [](char c) {
        const char upper = char(std::toupper(static_cast<unsigned char>(c)));
        return (upper >= '0' && upper <= '9') || (upper >= 'A' && upper <= 'F');
    });
}

void TFrameWiFiDirectSettingAutonomousGO::OnEnterPage()
{
    TFormWiFiDirectSetting* form = FormWiFiDirectSetting;
    const uint32_t action = form->m_enumActionTpye;
    SetUp();
    editlPreshedKey->SetText(m_strKey);
    const bool readOnly = action == ACTION_Profile_DETAIL ||
                          (action == ACTION_SET_GO_KEY && VOZEZIV.WVWL_ReadOpMode() == 3);
    editlPreshedKey->SetReadOnly(readOnly);
    int persist = 0;
    VOZEZIV.WVWL_QueryP2PPersistState(&persist);
    m_bPersistSupported = persist;
    editProfileName->SetText(form->m_strProfileName);
    form->CheckCountryRegion(m_strOperatingChannel, cboxOperatingChannel, false, false);
    cboxOperatingChannel->SetEnabled(action != ACTION_Profile_DETAIL);
}

bool TFrameWiFiDirectSettingAutonomousGO::OnLeavePage()
{
    TFormWiFiDirectSetting* form = FormWiFiDirectSetting;
    const uint32_t action = form->m_enumActionTpye;
    WIFIDIRECT_WPSE_PROFILE& r = form->m_data_WIFIDIRECT_WPSE_Profile;
    const std::string key = editlPreshedKey->Text();
    if ((action == ACTION_SET_GO_KEY || action == ACTION_AUTONOMOUSGO) && !IsValidKey(key)) {
        editlPreshedKey->SetFocus();
        ShowMessageBox(Text(&CUISTR::STR_MSGWPA2PSKKEYINVALID), 0);
        return false;
    }
    m_strKey = key;
    std::memset(r.Key, 0, sizeof r.Key);
    const size_t keyLength = std::min(key.size(), sizeof r.Key);
    std::memcpy(r.Key, key.data(), keyLength);
    r.KeyLength = uint32_t(keyLength);

    const std::string profileName = editProfileName->Text();
    if (profileName.empty() || profileName.size() > 32) {
        ShowMessageBox(Text(&CUISTR::STR_PROFILENAMELENGTH), 0);
        return false;
    }
    m_strProfileName = profileName;
    const int item = cboxOperatingChannel->ItemIndex();
    m_strOperatingChannel =
        item < 0 ? "" : std::to_string(reinterpret_cast<intptr_t>(cboxOperatingChannel->Items().Objects(item)));
    form->CheckCountryRegion(m_strOperatingChannel, cboxOperatingChannel, false, false);
    r.ulOperatingChannel = uint32_t(std::strtoul(m_strOperatingChannel.c_str(), nullptr, 10));

    std::memset(r.ProfileName, 0, sizeof r.ProfileName);
    std::memcpy(r.ProfileName, profileName.data(), std::min(profileName.size(), sizeof r.ProfileName - 1));
    std::memset(r.DeviceName, 0, sizeof r.DeviceName);
    const size_t nameLength = std::min(form->m_strDeviceName.size(), sizeof r.DeviceName);
    std::memcpy(r.DeviceName, form->m_strDeviceName.data(), nameLength);
    r.DeviceNameLength = uint32_t(nameLength);
    return true;
}
