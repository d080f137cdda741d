#include "wifidirect/FrameWiFiDirectSettingWPS.h"

#include <algorithm>
#include <cstring>

#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "wifidirect/WiFiDirectSetting.h"
#include "wifidirect/WiFiDirectSettingControls.h"
#include "wlapi/result.h"

using namespace wizard;

namespace {

constexpr const char kSection[] = "WiFiDirectSettingWPSFrame";
constexpr int kRowMethod = 10, kRowPin = 124, kRowProfile = 158, kRowChannel = 192;

// Copies text into a fixed field, cut to the field.
template <size_t N>
void PutText(char (&field)[N], const std::string& text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N));
}

} // namespace

TFrameWiFiDirectSettingWPS::TFrameWiFiDirectSettingWPS(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameWiFiDirectSettingWPS";
    TFormResource* res = FormResource;
    lblWPSMethodText = skin::MakeLabel(this, kLabelLeft, kRowMethod, 340, &CUISTR::STR_WPS_TYPE);
    rBtnPBC = MakeRadio(this, 32, kRowMethod + 20, 330, Text(&CUISTR::STR_PBC));
    rBtnPIN_Default = MakeRadio(this, 32, kRowMethod + 42, 330, Text(&CUISTR::STR_WPS_TYPE_PIN));
    rBtnPIN_UserSpec = MakeRadio(this, 32, kRowMethod + 64, 330, Text(&CUISTR::STR_WPS_TYPE_USERPIN));
    rBtnPIN_RegSpec = MakeRadio(this, 32, kRowMethod + 86, 330, Text(&CUISTR::STR_WPS_TYPE_REGPIN));
    lblPinCodeText = MakeCaption(this, kRowPin, &CUISTR::STR_PIN_CODE);
    editPinCode = MakeEdit(this, kFieldLeft, kRowPin, 110, 8);
    editPinCode->SetWindowStyle(editPinCode->WindowStyle() | ES_NUMBER);
    BtnRenew = MakePushButton(this, 288, kRowPin - 3, 24, 26, res ? res->ImgBtnRenew_Normal : nullptr,
                              res ? res->ImgBtnRenew_Down : nullptr, res ? res->ImgBtnRenew_Disabled : nullptr);
    BtnRenew->SetHint(Text(&CUISTR::STR_WPS_RENEW));
    BtnRenew4 = MakePushButton(this, 318, kRowPin - 3, 24, 26, res ? res->ImgBtnRenew4_Normal : nullptr,
                               res ? res->ImgBtnRenew4_Down : nullptr, res ? res->ImgBtnRenew4_Disabled : nullptr);
    BtnRenew4->SetHint(Text(&CUISTR::STR_WPS_RENEW4));
    lblProfileNameText = MakeCaption(this, kRowProfile, &CUISTR::STR_PROFILE_NAME);
    editProfileName = MakeEdit(this, kFieldLeft, kRowProfile, 190, 32);
    editProfileName->SetReadOnly(true);
    lblOperatingChannelText = MakeCaption(this, kRowChannel, &CUISTR::STR_OPERATING_CHANNEL);
    cboxOperatingChannel = MakeList(this, kRowChannel);

    const std::pair<TControl*, const char*> placements[] = {
        {lblWPSMethodText, "lblWPSMethodTextPos"},         {rBtnPBC, "rBtnPBCPos"},
        {rBtnPIN_Default, "rBtnPIN_DefaultPos"},           {rBtnPIN_UserSpec, "rBtnPIN_UserSpecPos"},
        {rBtnPIN_RegSpec, "rBtnPIN_RegSpecPos"},           {lblPinCodeText, "lblPinCodeTextPos"},
        {editPinCode, "editPinCodePos"},                   {BtnRenew, "BtnRenewPos"},
        {BtnRenew4, "BtnRenew4Pos"},                       {lblProfileNameText, "lblProfileNameTextPos"},
        {editProfileName, "editProfileNamePos"},           {lblOperatingChannelText, "lblOperatingChannelTextPos"},
        {cboxOperatingChannel, "cboxOperatingChannelPos"}};
    for (const auto& [control, key] : placements)
        Place(control, kSection, key);

    rBtnPIN_Default->SetChecked(true);
    m_ulWPSType = WIFI_DIRECT_WPSE_PIN_MODE_DEFAULT;
    rBtnPBC->OnClick = [this](TObject* s) { rBtnPBCClick(s); };
    rBtnPIN_Default->OnClick = [this](TObject* s) { rBtnPIN_DefaultClick(s); };
    rBtnPIN_UserSpec->OnClick = [this](TObject* s) { rBtnPIN_UserSpecClick(s); };
    rBtnPIN_RegSpec->OnClick = [this](TObject* s) { rBtnPIN_RegSpecClick(s); };
    BtnRenew->OnClick = [this](TObject* s) { BtnRenewClick(s); };
    BtnRenew4->OnClick = [this](TObject* s) { BtnRenew4Click(s); };
}

void TFrameWiFiDirectSettingWPS::SetPinControls(bool enabled, bool readOnly, bool renew)
{
    lblPinCodeText->SetEnabled(enabled);
    editPinCode->SetEnabled(enabled);
    editPinCode->SetReadOnly(readOnly);
    BtnRenew->SetEnabled(renew);
    BtnRenew4->SetEnabled(renew);
}

void TFrameWiFiDirectSettingWPS::SendDisplayPin(uint32_t pin, bool eightDigits)
{
    WIFIDIRECT_WPSE_PROFILE r{};
    r.ConfigMode = CONFIG_MODE_SET_GO_WPS;
    r.WpsMethod = WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC;
    char digits[16];
    if (eightDigits) {
        std::snprintf(digits, sizeof digits, "%08u", unsigned(pin % 100000000));
        std::memcpy(r.PIN, digits, 8);
    } else {
        std::snprintf(digits, sizeof digits, "%04u", unsigned(pin % 10000));
        std::memset(r.PIN, 0xFF, 4);
        std::memcpy(r.PIN + 4, digits, 4);
    }
    const int result = VOZEZIV.WVWL_SetWifiDirectWpseConfig(&r);
    PrintMessage(6, " TFrameWiFiDirectSettingWPS:: WVWL_SetWifiDirectWpseConfig(display PIN) return %d\n", result);
}

void TFrameWiFiDirectSettingWPS::OnEnterPage()
{
    TFormWiFiDirectSetting* form = FormWiFiDirectSetting;
    const uint32_t action = form->m_enumActionTpye;
    for (TRadioButton* radio : {rBtnPBC, rBtnPIN_Default, rBtnPIN_UserSpec, rBtnPIN_RegSpec}) {
        radio->SetChecked(false);
        radio->SetEnabled(false);
    }
    rBtnPIN_Default->SetVisible(false);
    editPinCode->SetEnabled(false);
    BtnRenew->SetEnabled(false);
    BtnRenew4->SetEnabled(false);
    BtnRenew4->SetVisible(VOZEZIV.bSupport4DigitPin != 0);
    BtnRenew->SetVisible(VOZEZIV.bSupport8DigitPin != 0);
    editPinCode->SetPasswordChar(m_WpsCapability == WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC ? '*' : 0);

    // Every method the peer offers is checked in turn: the last one stays chosen.
    const std::pair<uint32_t, TRadioButton*> offers[] = {{WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC, rBtnPIN_RegSpec},
                                                         {WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC, rBtnPIN_UserSpec},
                                                         {WIFI_DIRECT_WPSE_PBC_MODE, rBtnPBC}};
    bool offered = false;
    for (const auto& [bit, radio] : offers) {
        if (!(m_WpsCapability & bit))
            continue;
        radio->SetChecked(true);
        radio->SetEnabled(true);
        radio->SetFocus();
        offered = true;
    }
    if (!offered) {
        rBtnPBC->SetChecked(true);
        rBtnPBC->SetEnabled(true);
        rBtnPBC->SetFocus();
    }

    if (action == ACTION_DISPLAY_PIN) {
        const bool eight = m_ulPin >= 10000 && m_ulPin <= 99999999;
        SendDisplayPin(m_ulPin, eight);
        form->m_ulWiFiDirectDefPin = m_ulPin;
    }
    if (action == ACTION_Profile_DETAIL) {
        editPinCode->SetReadOnly(true);
        for (TControl* control : {static_cast<TControl*>(rBtnPIN_Default), static_cast<TControl*>(rBtnPIN_UserSpec),
                                  static_cast<TControl*>(rBtnPIN_RegSpec), static_cast<TControl*>(BtnRenew),
                                  static_cast<TControl*>(BtnRenew4)})
            control->SetEnabled(false);
    }

    int persist = 0;
    VOZEZIV.WVWL_QueryP2PPersistState(&persist);
    m_bPersistSupported = persist;
    lblProfileNameText->SetVisible(m_bPersistSupported != 0);
    editProfileName->SetVisible(m_bPersistSupported != 0);
    editProfileName->SetText(form->m_strProfileName);

    form->CheckCountryRegion(m_strOperatingChannel, cboxOperatingChannel, false, false);
    cboxOperatingChannel->SetEnabled(action != ACTION_Profile_DETAIL);
}

void TFrameWiFiDirectSettingWPS::rBtnPBCClick(TObject*)
{
    m_ulWPSType = WIFI_DIRECT_WPSE_PBC_MODE;
    SetPinControls(false, editPinCode->ReadOnly(), false);
    editPinCode->SetText("");
}

void TFrameWiFiDirectSettingWPS::rBtnPIN_DefaultClick(TObject*)
{
    m_ulWPSType = WIFI_DIRECT_WPSE_PIN_MODE_DEFAULT;
    SetPinControls(true, false, true);
    editPinCode->SetText("");
}

void TFrameWiFiDirectSettingWPS::rBtnPIN_UserSpecClick(TObject*)
{
    m_ulWPSType = WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC;
    SetPinControls(true, false, false);
    const uint32_t action = FormWiFiDirectSetting ? FormWiFiDirectSetting->m_enumActionTpye : 0;
    if (action == ACTION_Profile_DETAIL) {
        m_strTempPinCode = PinText(m_ulPin);
        editPinCode->SetText(m_strTempPinCode);
    } else if (action == ACTION_CONNECT) {
        editPinCode->SetText("");
    } else {
        editPinCode->SetText(m_strTempPinCode);
    }
}

void TFrameWiFiDirectSettingWPS::rBtnPIN_RegSpecClick(TObject*)
{
    m_ulWPSType = WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC;
    SetPinControls(true, true, true);
    editPinCode->SetText(PinText(m_ulPin));
}

void TFrameWiFiDirectSettingWPS::BtnRenewClick(TObject*)
{
    unsigned pin = 0;
    if (!GenerateWpsPin8(&pin)) {
        ShowMessageBox(Text(&CUISTR::STR_RANDOM_SOURCE_FAIL), 0);
        return;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%08u", pin);
    editPinCode->SetText(text);
    TFormWiFiDirectSetting* form = FormWiFiDirectSetting;
    if (!form || form->m_enumActionTpye != ACTION_DISPLAY_PIN)
        return;
    SendDisplayPin(pin, true);
    m_ulPin = pin;
    form->m_ulWiFiDirectDefPin = pin;
}

void TFrameWiFiDirectSettingWPS::BtnRenew4Click(TObject*)
{
    unsigned pin = 0;
    if (!GenerateWpsPin4(&pin)) {
        ShowMessageBox(Text(&CUISTR::STR_RANDOM_SOURCE_FAIL), 0);
        return;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%04u", pin);
    editPinCode->SetText(text);
    TFormWiFiDirectSetting* form = FormWiFiDirectSetting;
    if (!form || form->m_enumActionTpye != ACTION_DISPLAY_PIN)
        return;
    SendDisplayPin(pin, false);
    m_ulPin = pin;
    form->m_ulWiFiDirectDefPin = pin;
}

std::string TFrameWiFiDirectSettingWPS::CheckEditPinCode(const std::string& pin, bool defaultPin)
{
    unsigned long version = 16;
    if (VOZEZIV.WVWL_QueryWPSVersion) {
        unsigned long reported = 0;
        if (VOZEZIV.WVWL_QueryWPSVersion(&reported) == WVWL_ERROR_SUCCESS)
            version = reported;
    }
    const bool lengthOk = version < 32 ? pin.size() == 8 : pin.size() == 4 || pin.size() == 8;
    if (!lengthOk)
        return "Invaild Pin Code";
    if (defaultPin && pin.size() != 4) {
        unsigned seven = 0;
        for (size_t i = 0; i < 7; ++i)
            seven = seven * 10 + unsigned(pin[i] - '0');
        if (unsigned(pin[7] - '0') != WpsPinChecksum(seven))
            return "Pin Code error";
    }
    return "";
}

bool TFrameWiFiDirectSettingWPS::OnLeavePage()
{
    TFormWiFiDirectSetting* form = FormWiFiDirectSetting;
    WIFIDIRECT_WPSE_PROFILE& r = form->m_data_WIFIDIRECT_WPSE_Profile;
    const std::string pin = editPinCode->Text();
    if (!pin.empty() || !rBtnPIN_UserSpec->Checked()) {
        if (rBtnPIN_Default->Checked() || rBtnPIN_UserSpec->Checked() || rBtnPIN_RegSpec->Checked()) {
            const std::string error = CheckEditPinCode(pin, rBtnPIN_Default->Checked());
            if (!error.empty()) {
                ShowMessageBox(error, 0);
                return false;
            }
        } else if (!rBtnPBC->Checked()) {
            return false;
        }
        r.WpsMethod = m_ulWPSType;
        std::memset(r.PIN, 0, sizeof r.PIN);
        if (m_ulWPSType == WIFI_DIRECT_WPSE_PIN_MODE_DEFAULT || m_ulWPSType == WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC ||
            m_ulWPSType == WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC) {
            m_strTempPinCode = pin;
            std::memcpy(r.PIN, pin.data(), std::min(pin.size(), sizeof r.PIN));
        }
        if (m_ulWPSType == WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC)
            m_ulPin = PinNumber(r.PIN);
    } else {
        r.WpsMethod = m_ulWPSType;
    }

    const std::string profileName = editProfileName->Text();
    if (profileName.empty() || profileName.size() > 32) {
        ShowMessageBox(Text(&CUISTR::STR_PROFILENAMELENGTH), 0);
        return false;
    }
    m_strProfileName = profileName;
    const int item = cboxOperatingChannel->ItemIndex();
    m_strOperatingChannel = item < 0 ? "" : std::to_string(reinterpret_cast<intptr_t>(cboxOperatingChannel->Items().Objects(item)));
    form->CheckCountryRegion(m_strOperatingChannel, cboxOperatingChannel, false, false);
    r.ulOperatingChannel = uint32_t(std::strtoul(m_strOperatingChannel.c_str(), nullptr, 10));

    PutText(r.ProfileName, profileName);
    std::memset(r.DeviceName, 0, sizeof r.DeviceName);
    const size_t nameLength = std::min(form->m_strDeviceName.size(), sizeof r.DeviceName);
    std::memcpy(r.DeviceName, form->m_strDeviceName.data(), nameLength);
    r.DeviceNameLength = uint32_t(nameLength);
    return true;
}
