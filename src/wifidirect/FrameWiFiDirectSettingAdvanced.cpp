#include "wifidirect/FrameWiFiDirectSettingAdvanced.h"

#include <algorithm>
#include <cstring>

#include "dialogs/FormMessageBox.h"
#include "core/WvwlLib.h"
#include "wifidirect/WiFiDirectSetting.h"
#include "wifidirect/WiFiDirectSettingControls.h"

using namespace wizard;

namespace {

constexpr const char kSection[] = "WiFiDirectSettingWPSFrame";
constexpr const char kAutonomousText[] = "Autonomous GO index";
constexpr int kRowSsid = 24, kRowIntent = 64, kRowChannel = 104;

// The text as a whole number in 0..15, or -1.
int IntentFromText(const std::string& text)
{
    if (text.empty())
        return -1;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = std::min(value * 10 + (c - '0'), 100);
    }
    return value <= 15 ? value : -1;
}

} // namespace

TFrameWiFiDirectSettingAdvanced::TFrameWiFiDirectSettingAdvanced(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameWiFiDirectSettingAdvanced";
    lblSSIDText = MakeCaption(this, kRowSsid, &CUISTR::STR_SSID);
    editSSID = MakeEdit(this, kFieldLeft, kRowSsid, 190, 32);
    lblIntentIndexText = MakeCaption(this, kRowIntent, &CUISTR::STR_INTENT_INDEX);
    editIntentIndex = MakeEdit(this, kFieldLeft, kRowIntent, 190, 32);
    lblListeningChannelText = MakeCaption(this, kRowChannel, &CUISTR::STR_LINTENING_CHANNEL);
    cboxListeningChannel = MakeList(this, kRowChannel);
    const std::pair<TControl*, const char*> placements[] = {
        {lblSSIDText, "lblSSIDTextPos"},
        {editSSID, "editSSIDPos"},
        {lblIntentIndexText, "lblIntentIndexTextPos"},
        {editIntentIndex, "editIntentIndexPos"},
        {lblListeningChannelText, "lblListeningChannelTextPos"},
        {cboxListeningChannel, "cboxListeningChannelPos"}};
    for (const auto& [control, key] : placements)
        Place(control, kSection, key);
}

void TFrameWiFiDirectSettingAdvanced::OnEnterPage()
{
    TFormWiFiDirectSetting* form = FormWiFiDirectSetting;
    const uint32_t action = form->m_enumActionTpye;
    editIntentIndex->SetReadOnly(false);
    editIntentIndex->SetEnabled(true);
    cboxListeningChannel->SetEnabled(true);
    editSSID->SetText(form->m_strSSID);
    if (action == ACTION_AUTONOMOUSGO) {
        editIntentIndex->SetText(kAutonomousText);
        editIntentIndex->SetEnabled(false);
    } else if (action == ACTION_Profile_DETAIL) {
        editIntentIndex->SetText(m_nIntentIndex == int(GO_INTENT_AUTONOMOUS) ? kAutonomousText : std::to_string(m_nIntentIndex));
        editIntentIndex->SetReadOnly(true);
        cboxListeningChannel->SetEnabled(false);
    } else {
        editIntentIndex->SetText(std::to_string(m_nIntentIndex));
    }
    form->CheckCountryRegion(m_strListeningChannel, cboxListeningChannel, VOZEZIV.bSupportAdvanceSettings == 0, true);
}

bool TFrameWiFiDirectSettingAdvanced::OnLeavePage()
{
    TFormWiFiDirectSetting* form = FormWiFiDirectSetting;
    const uint32_t action = form->m_enumActionTpye;
    WIFIDIRECT_WPSE_PROFILE& r = form->m_data_WIFIDIRECT_WPSE_Profile;
    m_strSSID = editSSID->Text();
    if (m_strSSID.empty()) {
        ShowMessageBox(Text(&CUISTR::STR_ADHOCINPUTSSID), 0);
        return false;
    }
    const int item = cboxListeningChannel->ItemIndex();
    m_strListeningChannel =
        item < 0 ? "" : std::to_string(reinterpret_cast<intptr_t>(cboxListeningChannel->Items().Objects(item)));
    form->CheckCountryRegion(m_strListeningChannel, cboxListeningChannel, VOZEZIV.bSupportAdvanceSettings == 0, true);

    int intent = m_nIntentIndex;
    if (action == ACTION_AUTONOMOUSGO) {
        intent = int(GO_INTENT_AUTONOMOUS);
    } else if (action != ACTION_Profile_DETAIL) {
        intent = IntentFromText(editIntentIndex->Text());
        if (intent < 0) {
            ShowMessageBox(Text(&CUISTR::STR_MSG_INTENTINDEXINVALID), 0);
            return false;
        }
    }
    m_nIntentIndex = intent;

    r.SSIDLength = 0;
    std::memset(r.SSID, 0, sizeof r.SSID);
    const size_t length = std::min(m_strSSID.size(), sizeof r.SSID);
    std::memcpy(r.SSID, m_strSSID.data(), length);
    r.SSIDLength = uint32_t(length);
    r.ulListenChannel = 0;
    if (VOZEZIV.bSupportAdvanceSettings)
        r.ulListenChannel = uint32_t(std::strtoul(m_strListeningChannel.c_str(), nullptr, 10));
    r.GoIntentIdx = uint32_t(intent);
    return true;
}
