#include "profiles/FrameProfileEditExtregWPSProfile.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"
#include "profiles/WpsRecords.h"

using namespace ProfileEditUi;

namespace {

// More stored profiles than this are not believed.
constexpr unsigned long kMaxProfiles = 4096;

template <std::size_t N>
std::string FieldText(const char (&field)[N])
{
    return std::string(field, strnlen(field, N));
}

std::string SsidText(const NDIS_802_11_SSID& ssid)
{
    return std::string(reinterpret_cast<const char*>(ssid.Ssid), std::min<size_t>(ssid.SsidLength, sizeof ssid.Ssid));
}

std::string AuthenticationText(uint32_t mode)
{
    switch (mode) {
    case 0: return S(&CUISTR::STR_OPENSYSTEM);
    case 4: return S(&CUISTR::STR_WPAPSK);
    case 7: return S(&CUISTR::STR_WPA2PSK);
    default: return "";
    }
}

std::string EncryptionText(uint32_t status)
{
    switch (status) {
    case 0: return S(&CUISTR::STR_WEP);
    case 1: return S(&CUISTR::STR_NONE);
    case 4: return S(&CUISTR::STR_TKIP);
    case 6: return S(&CUISTR::STR_AES);
    default: return "";
    }
}

void SetKey(WPS_CREDENTIAL& credential, const std::string& key)
{
    std::memset(credential.Key, 0, sizeof credential.Key);
    credential.KeyLength = uint32_t(std::min(key.size(), sizeof credential.Key));
    std::memcpy(credential.Key, key.data(), credential.KeyLength);
}

}  // namespace

bool IsSharableProfile(const WLANPROFILE& profile)
{
    return profile.enumAuthenMode == 4 || profile.enumAuthenMode == 7 ||
           (profile.enumAuthenMode == 0 && profile.b8021X == 0);
}

WPS_CREDENTIAL CredentialOfStoredProfile(WLANPROFILE& profile)
{
    if (profile.enumAuthenMode != 0 && profile.enumAuthenMode != 4 && profile.enumAuthenMode != 7)
        profile.enumAuthenMode = 0;
    if (profile.enumEncryStatus != 0 && profile.enumEncryStatus != 1 && profile.enumEncryStatus != 4 &&
        profile.enumEncryStatus != 6)
        profile.enumEncryStatus = 1;
    WPS_CREDENTIAL c{};
    c.SSID.SsidLength = std::min<ULONG>(profile.SSID.SsidLength, sizeof c.SSID.Ssid);
    std::memcpy(c.SSID.Ssid, profile.SSID.Ssid, c.SSID.SsidLength);
    c.AuthType = CredentialAuthFromNdis(profile.enumAuthenMode);
    c.EncrType = CredentialEncrFromNdis(profile.enumEncryStatus);
    std::memcpy(c.MacAddr, profile.BSSID, 6);
    if (profile.enumEncryStatus == 0) {
        c.KeyIndex = profile.wepDefaultKey;
        switch (profile.wepDefaultKey) {
        case 2: SetKey(c, FieldText(profile.WEPKey2)); break;
        case 3: SetKey(c, FieldText(profile.WEPKey3)); break;
        case 4: SetKey(c, FieldText(profile.WEPKey4)); break;
        default: SetKey(c, FieldText(profile.WEPKey1)); break;
        }
    } else if (profile.enumAuthenMode == 4 || profile.enumAuthenMode == 7) {
        SetKey(c, FieldText(profile.chPskKey));
    }
    return c;
}

TFrameProfileEditExtregWPSProfile::TFrameProfileEditExtregWPSProfile(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditExtregWPSProfile";
    lblProfileNameText = MakeLabel(this, 20, 14, S(&CUISTR::STR_PROFILE_NAME));
    cboxProfileName = MakeCombo(this, 140, 10, 200);
    grpBoxProfDetail = MakeOn<TGroupBox>(this, 12, 40, 356, 106);
    grpBoxProfDetail->SetCaption(S(&CUISTR::STR_PROFILE_DETAIL));
    lblSsidText = MakeLabel(grpBoxProfDetail, 12, 24, S(&CUISTR::STR_SSID));
    lblSsid = MakeLabel(grpBoxProfDetail, 128, 24, "");
    lblAuthenModeText = MakeLabel(grpBoxProfDetail, 12, 50, S(&CUISTR::STR_AUTHENTICATION));
    lblAuthenMode = MakeLabel(grpBoxProfDetail, 128, 50, "");
    lblEncryptionText = MakeLabel(grpBoxProfDetail, 12, 76, S(&CUISTR::STR_ENCRYPTION));
    lblEncryption = MakeLabel(grpBoxProfDetail, 128, 76, "");
    cboxProfileName->OnChange = [this](TObject* s) { cboxProfileNameChange(s); };
}

WLANPROFILE* TFrameProfileEditExtregWPSProfile::SelectedProfile()
{
    const int index = SelectedObject(cboxProfileName, -1);
    if (index < 0 || size_t(index) >= m_Profiles.size())
        return nullptr;
    return &m_Profiles[size_t(index)];
}

void TFrameProfileEditExtregWPSProfile::FillProfileList()
{
    m_Profiles.clear();
    cboxProfileName->Items().Clear();
    if (!VOZEZIV.WVWL_ReadProfileList)
        return;
    unsigned long count = 0;
    VOZEZIV.WVWL_ReadProfileList(nullptr, &count);
    if (count == 0)
        return;
    if (count > kMaxProfiles) {
        PrintMessage(2, " Profile count %lu is too large\n", count);
        return;
    }
    m_Profiles.resize(count);
    unsigned long read = count;
    if (VOZEZIV.WVWL_ReadProfileList(m_Profiles.data(), &read) != 1) {
        m_Profiles.clear();
        return;
    }
    m_Profiles.resize(std::min<unsigned long>(read, count));
    TFormProfileEdit* editor = FormProfileEdit;
    int select = -1;
    for (size_t i = 0; i < m_Profiles.size(); ++i) {
        const WLANPROFILE& p = m_Profiles[i];
        if (!IsSharableProfile(p))
            continue;
        const std::string name = FieldText(p.strProfileName);
        const int item = cboxProfileName->Items().AddObject(name, reinterpret_cast<void*>(intptr_t(i)));
        if (select < 0 && editor && name == editor->m_strExtregProfileName)
            select = item;
    }
    if (cboxProfileName->Items().Count() > 0)
        cboxProfileName->SetItemIndex(select >= 0 ? select : 0);
}

void TFrameProfileEditExtregWPSProfile::ShowProfileDetail()
{
    const WLANPROFILE* profile = SelectedProfile();
    if (!profile) {
        FormProfileEdit->ShowMessageText(S(&CUISTR::STR_WPS_MSGBOX_NO_PROF_LIST));
        FormProfileEdit->SysBtnCloseClick(this);
        return;
    }
    lblSsid->SetCaption(SsidText(profile->SSID));
    lblAuthenMode->SetCaption(AuthenticationText(profile->enumAuthenMode));
    lblEncryption->SetCaption(EncryptionText(profile->enumEncryStatus));
}

void TFrameProfileEditExtregWPSProfile::OnEnterPage()
{
    FillProfileList();
    ShowProfileDetail();
}

void TFrameProfileEditExtregWPSProfile::cboxProfileNameChange(TObject*)
{
    if (const WLANPROFILE* profile = SelectedProfile())
        FormProfileEdit->m_strExtregProfileName = FieldText(profile->strProfileName);
    ShowProfileDetail();
}

void TFrameProfileEditExtregWPSProfile::BuildWPSProfile()
{
    WLANPROFILE* profile = SelectedProfile();
    if (!profile)
        return;
    WPS_PROFILE& wps = FormProfileEdit->m_profileWps;
    wps.ProfileCnt = 1;
    wps.Profile[0] = CredentialOfStoredProfile(*profile);
}

bool TFrameProfileEditExtregWPSProfile::OnLeavePage()
{
    BuildWPSProfile();
    m_Profiles.clear();
    m_Profiles.shrink_to_fit();
    return true;
}
