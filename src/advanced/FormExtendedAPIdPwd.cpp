#include "advanced/FormExtendedAPIdPwd.h"

#include <algorithm>
#include <cstring>

#include "core/Helpers.h"
#include "core/WvwlLib.h"

TFormExtendedAPIdPwd* FormExtendedAPIdPwd = nullptr;

TFormExtendedAPIdPwd::TFormExtendedAPIdPwd(TComponent* owner) : TForm(owner)
{
    Name = "FormExtendedAPIdPwd";
    SetBorderStyle(bsNone);
    SetClientSize(300, 160);
}

void TFormExtendedAPIdPwd::SetConfig(EXTAP_CONFIG config)
{
    m_Config = EXTAP_CONFIG{};
    m_Config = config;
}

bool TFormExtendedAPIdPwd::Accept(const std::string& ssid, const std::string& key)
{
    if (ssid.empty())
        return false;
    if (key.size() < 8 || key.size() > 64 || (key.size() == 64 && !IsHexString(key)))
        return false;
    const size_t ssidLength = std::min(ssid.size(), sizeof m_Config.Ssid);
    std::memset(m_Config.Ssid, 0, sizeof m_Config.Ssid);
    std::memcpy(m_Config.Ssid, ssid.data(), ssidLength);
    m_Config.SsidLength = uint32_t(ssidLength);
    std::memset(m_Config.Key, 0, sizeof m_Config.Key);
    std::memcpy(m_Config.Key, key.data(), key.size());
    m_Config.KeyLength = uint32_t(key.size());
    m_Config.MaxPeers = 8;
    VOZEZIV.WVWL_WriteExtAPConfig(m_Config);
    SetModalResult(1);
    return true;
}
