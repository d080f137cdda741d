#include "profiles/FrameProfileEditWPSProfile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"
#include "wlapi/records.h"

using namespace ProfileEditUi;

namespace {

constexpr int kLabelLeft = 20, kFieldLeft = 140, kFieldWidth = 200;

bool VersionTwoRestricted()
{
    const TFormProfileEdit* editor = FormProfileEdit;
    return editor && editor->m_nWPSVersion >= 0x20 && VOZEZIV.bWPS2_SecurityAll != 1;
}

// Selects the item carrying value; false, selection unchanged, when none does.
bool SelectValue(TComboBox* combo, int value)
{
    const int index = combo->Items().IndexOfObject(reinterpret_cast<void*>(intptr_t(value)));
    if (index < 0)
        return false;
    combo->SetItemIndex(index);
    return true;
}

}  // namespace

int RegistrarAuthSel(int authentication)
{
    switch (authentication) {
    case WPS_AUTH_WPAPSK: return 4;
    case WPS_AUTH_WPA2PSK: return 6;
    // Mixed WPA/WPA2-PSK needs a pass phrase too: it takes the WPA-PSK choice.
    case WPS_AUTH_WPAPSK_WPA2PSK: return 4;
    default: return 0;
    }
}

int RegistrarEncrySel(int encryption)
{
    switch (encryption) {
    case WPS_ENCR_WEP: return 1;
    case WPS_ENCR_TKIP: return 2;
    case WPS_ENCR_AES: return 3;
    case WPS_ENCR_TKIP_AES: return 7;
    default: return 0;
    }
}

TFrameProfileEditWPSProfile::TFrameProfileEditWPSProfile(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditWPSProfile";
    lblSSIDText = MakeLabel(this, kLabelLeft, 16, S(&CUISTR::STR_SSID));
    editSSID = MakeEdit(this, kFieldLeft, 12, kFieldWidth);
    editSSID->SetMaxLength(32);
    lblBSSIDText = MakeLabel(this, kLabelLeft, 46, S(&CUISTR::STR_BSSID));
    lblBSSID = MakeLabel(this, kFieldLeft, 46, "");
    lblAuthenticationText = MakeLabel(this, kLabelLeft, 76, S(&CUISTR::STR_AUTHENTICATION));
    cboxAuthentication = MakeCombo(this, kFieldLeft, 72, kFieldWidth);
    lblEncryptionText = MakeLabel(this, kLabelLeft, 106, S(&CUISTR::STR_ENCRYPTION));
    cboxEncryption = MakeCombo(this, kFieldLeft, 102, kFieldWidth);
    cboxAuthentication->OnChange = [this](TObject* s) { cboxAuthenticationChange(s); };
}

void TFrameProfileEditWPSProfile::FillEncryptionList(int authentication)
{
    const TFormProfileEdit* editor = FormProfileEdit;
    const bool restricted = VersionTwoRestricted();
    cboxEncryption->Items().Clear();
    switch (authentication) {
    case WPS_AUTH_OPEN:
        AddEntry(cboxEncryption, S(&CUISTR::STR_NONE), WPS_ENCR_NONE);
        if (!restricted)
            AddEntry(cboxEncryption, S(&CUISTR::STR_WEP), WPS_ENCR_WEP);
        break;
    case WPS_AUTH_SHARED:
        AddEntry(cboxEncryption, S(&CUISTR::STR_WEP), WPS_ENCR_WEP);
        break;
    case WPS_AUTH_WPAPSK:
    case WPS_AUTH_WPA2PSK:
    case WPS_AUTH_WPAPSK_WPA2PSK:
        if (!restricted)
            AddEntry(cboxEncryption, S(&CUISTR::STR_TKIP), WPS_ENCR_TKIP);
        AddEntry(cboxEncryption, S(&CUISTR::STR_AES), WPS_ENCR_AES);
        if (editor && editor->m_nWPSVersion > 0x10)
            AddEntry(cboxEncryption, S(&CUISTR::STR_TKIP_AES), WPS_ENCR_TKIP_AES);
        break;
    default:
        break;
    }
}

void TFrameProfileEditWPSProfile::OnEnterPage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    const WPS_CREDENTIAL& first = editor->m_profileWps.Profile[0];
    cboxAuthentication->Items().Clear();
    AddEntry(cboxAuthentication, S(&CUISTR::STR_OPENSYSTEM), WPS_AUTH_OPEN);
    if (!VersionTwoRestricted())
        AddEntry(cboxAuthentication, S(&CUISTR::STR_WPAPSK), WPS_AUTH_WPAPSK);
    AddEntry(cboxAuthentication, S(&CUISTR::STR_WPA2PSK), WPS_AUTH_WPA2PSK);
    if (editor->m_nWPSVersion > 0x10)
        AddEntry(cboxAuthentication, S(&CUISTR::STR_WPAWPA2PSK), WPS_AUTH_WPAPSK_WPA2PSK);
    SelectValue(cboxAuthentication, WPS_AUTH_WPA2PSK);
    SelectValue(cboxAuthentication, int(first.AuthType));
    FillEncryptionList(SelectedObject(cboxAuthentication, 0));
    if (!SelectValue(cboxEncryption, WPS_ENCR_AES) && cboxEncryption->Items().Count() > 0)
        cboxEncryption->SetItemIndex(0);
    SelectValue(cboxEncryption, int(first.EncrType));
    editSSID->SetText(editor->m_strProfSSID);
    const BYTE* mac = editor->m_WpsApMac;
    char text[24];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    lblBSSID->SetCaption(text);
    editor->m_strPskKey.assign(reinterpret_cast<const char*>(first.Key), std::min<size_t>(first.KeyLength, sizeof first.Key));
}

void TFrameProfileEditWPSProfile::cboxAuthenticationChange(TObject*)
{
    FillEncryptionList(SelectedObject(cboxAuthentication, 0));
    if (cboxEncryption->Items().Count() > 0)
        cboxEncryption->SetItemIndex(0);
}

bool TFrameProfileEditWPSProfile::OnLeavePage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    WPS_CREDENTIAL& first = editor->m_profileWps.Profile[0];
    first.AuthType = uint32_t(SelectedObject(cboxAuthentication, 0));
    first.EncrType = uint32_t(SelectedObject(cboxEncryption, 0));
    const std::string ssid = editSSID->Text().substr(0, sizeof first.SSID.Ssid);
    std::memset(first.SSID.Ssid, 0, sizeof first.SSID.Ssid);
    std::memcpy(first.SSID.Ssid, ssid.data(), ssid.size());
    first.SSID.SsidLength = ULONG(ssid.size());
    editor->m_strProfSSID = ssid;
    return true;
}

void TFrameProfileEditWPSProfile::ApplyToEditor()
{
    TFormProfileEdit* editor = FormProfileEdit;
    const int authentication = SelectedObject(cboxAuthentication, 0);
    editor->m_profileWps.Profile[0].AuthType = uint32_t(authentication);
    editor->m_nAuthSel = RegistrarAuthSel(authentication);
    editor->m_nEncrySel = RegistrarEncrySel(SelectedObject(cboxEncryption, 0));
}
