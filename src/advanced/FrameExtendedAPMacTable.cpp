#include "advanced/FrameExtendedAPMacTable.h"

#include <algorithm>
#include <cstdio>

#include "advanced/FormExtendedAP.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "resources/WvImage.h"
#include "wlapi/records.h"

using skin::UiText;

namespace {

using skin::MakeLabel;

std::string MacText(const uint8_t* mac)
{
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

} // namespace

TFrameExtendedAPMacTable::TFrameExtendedAPMacTable(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameExtendedAPMacTable";
    lblBSSIDText = MakeLabel(this, 24, 20, 100, &CUISTR::STR_BSSID);
    lblBSSID = MakeLabel(this, 130, 20, 200);
    lblBSSID->SetCaption(m_strBSSID);
    lblMacTableText = MakeLabel(this, 24, 48, 320, &CUISTR::STR_BtnHintExtAPMacTable);

    lvMacList = new TListView({this, 24, 68, 352, 240});
    lvMacList->SetRowSelect(true);
    lvMacList->SetShowColumnHeaders(false);
    lvMacList->SetColor(WEVO_FORM_COLOR);
    lvMacList->AddColumn(UiText(&CUISTR::STR_MAC_ADDRESS), 180);
    lvMacList->AddColumn(UiText(&CUISTR::STR_AUTHENTICATION), 140);
}

void TFrameExtendedAPMacTable::OnEnterPage()
{
    lvMacList->ClearItems();
    m_Rows.clear();
    RefreshMacTable();
    if (m_pForm)
        m_pForm->TimerExtAPMacTable->SetEnabled(true);
}

bool TFrameExtendedAPMacTable::OnLeavePage()
{
    if (m_pForm)
        m_pForm->TimerExtAPMacTable->SetEnabled(false);
    return true;
}

void TFrameExtendedAPMacTable::RefreshMacTable()
{
    m_Rows.clear();
    HOSTED_NETWORK_STATUS status{};
    VOZEZIV.WVWL_HostedNetworkQueryStatus(&status);
    m_strBSSID = status.HostedNetworkState == 1 ? MacText(status.Bssid) : "00-00-00-00-00-00";
    lblBSSID->SetCaption(m_strBSSID);

    uint32_t peers = status.NumberOfPeers;
    if (peers > uint32_t(HOSTED_NETWORK_MAX_PEERS)) {
        PrintMessage(2, " TFrameExtendedAPMacTable::RefreshMacTable %u peers claimed, the record holds %d\n", peers,
                     HOSTED_NETWORK_MAX_PEERS);
        peers = HOSTED_NETWORK_MAX_PEERS;
    }
    for (uint32_t i = 0; i < peers; ++i) {
        MAC_ROW row{};
        std::copy(status.Peers[i].PeerMacAddress, status.Peers[i].PeerMacAddress + 6, row.mac);
        row.authState = status.Peers[i].PeerAuthState;
        m_Rows.push_back(row);
    }
    FillMacList();
}

void TFrameExtendedAPMacTable::FillMacList()
{
    lvMacList->ClearItems();
    for (const MAC_ROW& row : m_Rows) {
        TListItem* item = lvMacList->AddItem();
        item->SetCaption(MacText(row.mac));
        item->AddSubItem(row.authState == 1 ? "Authenticated" : "Invalid");
    }
}
