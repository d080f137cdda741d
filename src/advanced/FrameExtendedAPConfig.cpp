#include "advanced/FrameExtendedAPConfig.h"

#include "advanced/ExtAPRecord.h"
#include "advanced/FormExtendedAP.h"
#include "advanced/IcsSharing.h"
#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "resources/WvImage.h"

using skin::UiText;

namespace {

using skin::MakeLabel;

constexpr int kLabelLeft = 24, kFieldLeft = 150, kFieldWidth = 200;

} // namespace

TFrameExtendedAPConfig::TFrameExtendedAPConfig(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameExtendedAPConfig";

    lblSSIDText = MakeLabel(this, kLabelLeft, 27, 120, &CUISTR::STR_SSID);
    editSSID = new TEdit({this, kFieldLeft, 24, kFieldWidth, 21});
    editSSID->SetMaxLength(32);
    lblPSKKeyText = MakeLabel(this, kLabelLeft, 61, 120, &CUISTR::STR_KEY_MATERIAL);
    editPSKKey = new TEdit({this, kFieldLeft, 58, kFieldWidth, 21});
    editPSKKey->SetMaxLength(64);
    editPSKKey->SetPasswordChar('*');
    chboxShowPassword = new TCheckBox({this, kFieldLeft, 86, kFieldWidth, 17, UiText(&CUISTR::STR_SHOWPASSWORD)});
    lblClientNumberText = MakeLabel(this, kLabelLeft, 115, 120, &CUISTR::STR_CLIENT_NUM);
    editClientNumber = new TEdit({this, kFieldLeft, 112, kFieldWidth, 21});
    editClientNumber->SetMaxLength(2);
    editClientNumber->SetWindowStyle(editClientNumber->WindowStyle() | ES_NUMBER);
    editClientNumber->SetText("8");

    lblAuthenticationText = MakeLabel(this, kLabelLeft, 149, 120, &CUISTR::STR_AUTHENTICATION);
    cBoxAuthentication = new TComboBox({this, kFieldLeft, 146, kFieldWidth, 21});
    cBoxAuthentication->Items().Add(UiText(&CUISTR::STR_WPA2PSK));
    cBoxAuthentication->SetItemIndex(0);
    lblEncryptionText = MakeLabel(this, kLabelLeft, 183, 120, &CUISTR::STR_ENCRYPTION);
    cBoxEncryption = new TComboBox({this, kFieldLeft, 180, kFieldWidth, 21});
    cBoxEncryption->Items().Add(UiText(&CUISTR::STR_AES));
    cBoxEncryption->SetItemIndex(0);
    for (TControl* hidden : {static_cast<TControl*>(lblAuthenticationText), static_cast<TControl*>(cBoxAuthentication),
                             static_cast<TControl*>(lblEncryptionText), static_cast<TControl*>(cBoxEncryption)})
        hidden->SetVisible(false);

    lblIPAddressText = MakeLabel(this, kLabelLeft, 149, 120, &CUISTR::STR_IP);
    lblIPAddress = MakeLabel(this, kFieldLeft, 149, kFieldWidth);
    lblICS = MakeLabel(this, kLabelLeft, 183, 120, &CUISTR::STR_ICS);
    cBoxWAN = new TComboBox({this, kFieldLeft, 180, kFieldWidth, 21});

    BtnApply = new TButton({this, 275, 280, 75, 25, UiText(&CUISTR::STR_APPLY)});

    BtnApply->OnClick = [this](TObject* s) { BtnApplyClick(s); };
    chboxShowPassword->OnClick = [this](TObject* s) { chboxShowPasswordClick(s); };
}

void TFrameExtendedAPConfig::OnEnterPage()
{
    chboxShowPassword->SetVisible(VOZEZIV.bShowPassword != 0);
    chboxShowPasswordClick(chboxShowPassword);
    const bool showPeers = VOZEZIV.bMaxClientNumber != 0;
    lblClientNumberText->SetVisible(showPeers);
    editClientNumber->SetVisible(showPeers);
    RestoreSettings();
    if (m_pForm)
        m_pForm->TimerExtAPIPAddress->SetEnabled(true);
}

bool TFrameExtendedAPConfig::OnLeavePage()
{
    if (m_pForm)
        m_pForm->TimerExtAPIPAddress->SetEnabled(false);
    return true;
}

void TFrameExtendedAPConfig::chboxShowPasswordClick(TObject*)
{
    const bool clear = VOZEZIV.bShowPassword && chboxShowPassword->Checked();
    editPSKKey->SetPasswordChar(clear ? '\0' : '*');
}

void TFrameExtendedAPConfig::RestoreSettings()
{
    EXTAP_CONFIG config{};
    if (VOZEZIV.WVWL_ReadExtAPConfig(&config) == 1) {
        m_strSSID = ExtAPSsidText(config);
        m_strPSKKey = ExtAPKeyText(config);
        m_strCarried = std::to_string(int32_t(config.Carried36));
        m_strMaxClient = std::to_string(int32_t(config.MaxPeers));
        m_strIPAddress = ExtAPAddressText(config);
        editSSID->SetText(m_strSSID);
        editPSKKey->SetText(m_strPSKKey);
        editClientNumber->SetText(m_strMaxClient);
        lblIPAddress->SetCaption(m_strIPAddress);
    }
    CWiFiDlg::GetAdapters(this, 2);
    PrintMessage(6, " --> TFrameExtendedAPConfig::RestoreSettings() m_nCurAdapter = %d\n", m_nCurAdapter);
    cBoxWAN->SetItemIndex(m_nCurAdapter);
}

void TFrameExtendedAPConfig::RefreshIPAddress()
{
    EXTAP_CONFIG config{};
    if (VOZEZIV.WVWL_ReadExtAPConfig(&config) == 1)
        m_strIPAddress = ExtAPAddressText(config);
    lblIPAddress->SetCaption(m_strIPAddress);
}

bool TFrameExtendedAPConfig::CheckValues()
{
    m_strMaxClient = editClientNumber->Text();
    if (m_strMaxClient.empty()) {
        m_strMaxClient = "8";
        editClientNumber->SetText(m_strMaxClient);
    }
    int peers = 0;
    if (!TextToInt(m_strMaxClient, peers))
        return false;
    if (peers < 1 || peers > EXTAP_MAX_PEERS) {
        ShowMessageBox(UiText(&CUISTR::STR_EXTAP_INVALID_MAXCLIENT), 0);
        return false;
    }
    m_strSSID = editSSID->Text();
    if (m_strSSID.empty()) {
        ShowMessageBox(UiText(&CUISTR::STR_ADHOCINPUTSSID), 0);
        return false;
    }
    m_strPSKKey = editPSKKey->Text();
    if (!IsValidExtAPKey(m_strPSKKey)) {
        ShowMessageBox(UiText(&CUISTR::STR_MSGWPA2PSKKEYINVALID), 0);
        return false;
    }
    return true;
}

EXTAP_CONFIG TFrameExtendedAPConfig::BuildConfig() const
{
    return BuildExtAPConfig(m_strSSID, m_strPSKKey, m_strCarried, m_strMaxClient);
}

void TFrameExtendedAPConfig::SaveConfig()
{
    VOZEZIV.WVWL_WriteExtAPConfig(BuildConfig());
}

void TFrameExtendedAPConfig::TakeWanChoice()
{
    pWanAdapter.reset();
    const int item = cBoxWAN->ItemIndex();
    if (item < 0 || item >= cBoxWAN->Items().Count())
        return;
    const size_t index = reinterpret_cast<size_t>(cBoxWAN->Items().Objects(item));
    m_nCurAdapter = int(index);
    // The list may have been read again since the WAN list was built.
    if (index < g_pAdaptersInfo.size())
        pWanAdapter = g_pAdaptersInfo[index];
}

void TFrameExtendedAPConfig::BtnApplyClick(TObject*)
{
    PrintMessage(6, " --> TFrameExtendedAPConfig::BtnApplyClick\n");
    TakeWanChoice();
    if (!CheckValues()) {
        PrintMessage(6, " <-- TFrameExtendedAPConfig::BtnApplyClick return CheckValues == FALSE\n");
        return;
    }
    SaveConfig();
    const EXTAP_CONFIG config = BuildConfig();
    PrintMessage(6, " --> TFrameExtendedAPConfig::BtnApplyClick call WVWL_HostedNetworkSetup\n");
    if (m_pForm)
        m_pForm->SysBtnCloseClick(this);
    const int result = VOZEZIV.WVWL_HostedNetworkSetup(config);
    if (result != 1) {
        PrintMessage(2, " TFrameExtendedAPConfig::BtnApplyClick WVWL_HostedNetworkSetup return %d\n", result);
        ShowMessageBox(UiText(&CUISTR::STR_HOST_NETSTART_FAIL), 0);
        return;
    }
    StartConnectionSharing(this, m_pForm ? m_pForm->Handle() : nullptr);
}
