#include "advanced/FormExtendedAPIdPwd.h"

#include <cstdio>

#include "advanced/ExtAPRecord.h"
#include "dialogs/FormMessageBox.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "resources/WvImage.h"

using skin::UiText;

TFormExtendedAPIdPwd* FormExtendedAPIdPwd = nullptr;

namespace {

using skin::MakeLabel;


} // namespace

TFormExtendedAPIdPwd::TFormExtendedAPIdPwd(TComponent* owner) : TForm(owner)
{
    Name = "FormExtendedAPIdPwd";
    SetBorderStyle(bsDialog);
    SetClientSize(300, 150);
    SetCaption(UiText(&CUISTR::STR_WEVO_MESSAGE));
    SetPosition(poScreenCenter);

    lblDescriptionText = new TLabel({this, 12, 10, 276, 32, UiText(&CUISTR::STR_EXTAP_DEFAULTVALUE)});
    lblDescriptionText->SetEllipsisPosition(epEndEllipsis);
    lblDescriptionText->SetWordWrap(true);
    lblSSIDText = MakeLabel(this, 12, 55, 95, &CUISTR::STR_SSID);
    editSSID = new TEdit({this, 110, 52, 170, 21});
    editSSID->SetMaxLength(32);
    lblPSKKeyText = MakeLabel(this, 12, 85, 95, &CUISTR::STR_KEY_MATERIAL);
    editPSKKey = new TEdit({this, 110, 82, 170, 21});
    editPSKKey->SetMaxLength(64);
    editPSKKey->SetPasswordChar('*');

    BtnOK = new TButton({this, 112, 115, 75, 25, UiText(&CUISTR::STR_OK)});
    BtnOK->Default = true;

    BtnOK->OnClick = [this](TObject* s) { BtnOKClick(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFormExtendedAPIdPwd::SetConfig(EXTAP_CONFIG config)
{
    m_Config = EXTAP_CONFIG{};
    m_Config = config;
}

void TFormExtendedAPIdPwd::FormShow(TObject*)
{
    unsigned char mac[6] = {};
    VOZEZIV.WVWL_QueryMacAddrs(mac);
    char ssid[16];
    std::snprintf(ssid, sizeof ssid, "SoftAP-%02X", unsigned((mac[5] + 1) % 256));
    editSSID->SetText(ssid);
}

bool TFormExtendedAPIdPwd::CheckValues()
{
    m_strSSID = editSSID->Text();
    m_strPSKKey = editPSKKey->Text();
    if (m_strSSID.empty()) {
        ShowMessageBox(UiText(&CUISTR::STR_ADHOCINPUTSSID), 0);
        return false;
    }
    if (!IsValidExtAPKey(m_strPSKKey)) {
        ShowMessageBox(UiText(&CUISTR::STR_MSGWPA2PSKKEYINVALID), 0);
        return false;
    }
    return true;
}

void TFormExtendedAPIdPwd::BtnOKClick(TObject*)
{
    if (!CheckValues())
        return;
    SetExtAPSsidAndKey(m_Config, m_strSSID, m_strPSKKey);
    m_Config.MaxPeers = EXTAP_DEFAULT_PEERS;
    VOZEZIV.WVWL_WriteExtAPConfig(m_Config);
    SetModalResult(mrOk);
}
