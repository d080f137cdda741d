#pragma once
// WPS external registrar: the stored profile whose network a station is given.
#include <vector>

#include "core/FormBase.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

class TFrameProfileEditExtregWPSProfile : public TFrameBase {
public:
    explicit TFrameProfileEditExtregWPSProfile(TComponent* owner);

    TLabel* lblProfileNameText = nullptr;
    TComboBox* cboxProfileName = nullptr;  // items carry the index of their profile in m_Profiles
    TGroupBox* grpBoxProfDetail = nullptr;
    TLabel* lblSsidText = nullptr;
    TLabel* lblSsid = nullptr;
    TLabel* lblAuthenModeText = nullptr;
    TLabel* lblAuthenMode = nullptr;
    TLabel* lblEncryptionText = nullptr;
    TLabel* lblEncryption = nullptr;

    // The stored profiles, held from entering the page until leaving it.
    std::vector<WLANPROFILE> m_Profiles;

    void OnEnterPage() override;
    bool OnLeavePage() override;
    void cboxProfileNameChange(TObject* Sender);
    void FillProfileList();
    void ShowProfileDetail();
    // The chosen profile as the first and only credential of the editor's WPS profile.
    void BuildWPSProfile();

private:
    WLANPROFILE* SelectedProfile();
};

// A stored profile a station can be given: WPA-PSK, WPA2-PSK, or open without 802.1X.
bool IsSharableProfile(const WLANPROFILE& profile);
// The credential of a stored profile: SSID, BSSID, the mapped authentication and encryption
// (values outside the mapping taken as open and none), and its WEP or pre-shared key.
WPS_CREDENTIAL CredentialOfStoredProfile(WLANPROFILE& profile);
