#include "advanced/BlockAckPage.h"

#include <algorithm>

#include "advanced/BlockAckRecords.h"
#include "advanced/Form80211nSetting.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "resources/WvImage.h"
#include "wlapi/constants.h"

namespace {

constexpr unsigned long kPeerListLength = sizeof(PEER_MAC_TABLE);

TLabel* Label(TWinControl* parent, int left, int top, int width, const char* caption)
{
    TLabel* label = skin::MakeLabel(parent, left, top, width);
    label->SetCaption(caption);
    return label;
}

// The connected access point's address; all zero when there is none.
void CurrentAccessPoint(uint8_t (&bssid)[6])
{
    std::fill(bssid, bssid + 6, uint8_t(0));
    if (!VOZEZIV.WVWL_QueryWLANStatus)
        return;
    WLAN_STATUS status{};
    VOZEZIV.WVWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{{0, 1, 0, 0, 0}});
    if (status.status == WvStatus_Connected && VOZEZIV.WVWL_ReadRadioStatus && VOZEZIV.WVWL_ReadRadioStatus())
        std::copy(status.bssid, status.bssid + 6, bssid);
}

TListView* CandidateList(TWinControl* page, int left, int top, int width, int height)
{
    auto* list = new TListView({page, left, top, width, height});
    list->SetRowSelect(true);
    list->SetShowColumnHeaders(false);
    list->SetColor(WEVO_FORM_COLOR);
    list->AddColumn("BSSID", width - 24);
    return list;
}

}  // namespace

std::vector<std::string> QueryBlockAckCandidates()
{
    uint8_t current[6];
    CurrentAccessPoint(current);
    PEER_MAC_TABLE table{};
    unsigned long returned = 0;
    const unsigned long request = VOZEZIV.nWinOS >= WINOS_VISTA ? OID_BA_PEER_LIST : OID_BA_PEER_LIST_LEGACY;
    if (!VOZEZIV.WVWL_OIDQueryInfo || !(VOZEZIV.WVWL_OIDQueryInfo(request, &table, kPeerListLength, &returned) & 0xFF))
        return {};
    if (table.Count > uint32_t(PEER_MAC_TABLE_MAX_ROWS) || table.Count * sizeof(PEER_MAC_ROW) + 4 > returned)
        PrintMessage(2, " QueryBlockAckCandidates: %u peers claimed, %lu bytes returned\n", table.Count, returned);
    return BlockAckCandidates(current, table, returned);
}

BLOCK_ACK_PAGE_CONTROLS MakeBlockAckPageControls(TWinControl* page, const std::function<void()>& ownRows)
{
    BLOCK_ACK_PAGE_CONTROLS c;
    c.lblTID = Label(page, 24, 20, 140, "TID");
    c.cBoxTID = new TComboBox({page, 170, 16, 70, 21});
    for (int tid = 0; tid < 8; ++tid)
        c.cBoxTID->Items().Add(std::to_string(tid));
    c.cBoxTID->SetItemIndex(0);
    if (ownRows)
        ownRows();
    c.lblAvailBssidList = Label(page, 24, 84, 200, "Avail Bssid List");
    c.lvAvailBssidList = CandidateList(page, 24, 104, 352, 180);
    c.btnOK = new TButton({page, 206, 296, 80, 25, "OK"});
    c.btnCancel = new TButton({page, 296, 296, 80, 25, "Cancel"});
    return c;
}

void RefreshBlockAckCandidates(TListView* list, std::vector<std::string>& candidates)
{
    candidates = QueryBlockAckCandidates();
    list->ClearItems();
    for (const std::string& text : candidates)
        list->AddItem()->SetCaption(text);
}

bool TakeBlockAckChoice(const TListView* list, const std::vector<std::string>& candidates, const TComboBox* tids,
                        BA_SESSION_REQUEST& request)
{
    const TListItem* selected = list->Selected();
    if (candidates.empty() || !selected) {
        ShowMessageBox("Please choose BSSID", 0);
        return false;
    }
    if (!TForm80211nSetting::ParseMacAddress(selected->Caption(), request.MacAddr))
        return false;
    request.TID = static_cast<uint8_t>(tids->ItemIndex() < 0 ? 0 : tids->ItemIndex());
    return true;
}
