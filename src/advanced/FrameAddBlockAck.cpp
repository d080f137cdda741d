#include "advanced/FrameAddBlockAck.h"

#include <algorithm>

#include "advanced/BlockAckRecords.h"
#include "advanced/Form80211nSetting.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "core/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "resources/WvImage.h"
#include "ui/IniFiles.h"
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

void FillCandidateList(TListView* list, const std::vector<std::string>& candidates)
{
    list->ClearItems();
    for (const std::string& text : candidates)
        list->AddItem()->SetCaption(text);
}

TListView* MakeCandidateList(TWinControl* page, int left, int top, int width, int height)
{
    auto* list = new TListView({page, left, top, width, height});
    list->SetRowSelect(true);
    list->SetShowColumnHeaders(false);
    list->SetColor(WEVO_FORM_COLOR);
    list->AddColumn("BSSID", width - 24);
    return list;
}

TFrameAddBlockAck::TFrameAddBlockAck(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameAddBlockAck";
    lblTID = Label(this, 24, 20, 140, "TID");
    cBoxTID = new TComboBox({this, 170, 16, 70, 21});
    for (int tid = 0; tid < 8; ++tid)
        cBoxTID->Items().Add(std::to_string(tid));
    cBoxTID->SetItemIndex(0);
    lblLimitBAWindowSize = Label(this, 24, 52, 140, "Limit BA Window Size");
    editLimitBAWindowSize = new TEdit({this, 170, 48, 70, 21});
    editLimitBAWindowSize->SetMaxLength(10);
    editLimitBAWindowSize->SetText("32");
    lblAvailBssidList = Label(this, 24, 84, 200, "Avail Bssid List");
    lvAvailBssidList = MakeCandidateList(this, 24, 104, 352, 180);
    btnOK = new TButton({this, 206, 296, 80, 25, "OK"});
    btnCancel = new TButton({this, 296, 296, 80, 25, "Cancel"});
    btnOK->OnClick = [this](TObject* s) { btnOKClick(s); };
    btnCancel->OnClick = [this](TObject* s) { btnCancelClick(s); };
}

void TFrameAddBlockAck::OnEnterPage()
{
    m_Candidates = QueryBlockAckCandidates();
    FillCandidateList(lvAvailBssidList, m_Candidates);
}

bool TFrameAddBlockAck::OnLeavePage()
{
    return true;
}

uint8_t TFrameAddBlockAck::WindowSizeOf(const std::string& text)
{
    int value = 0;
    if (!TIniFile::ParseInteger(text, value))
        return 32;
    return static_cast<uint8_t>(value & 0xFF);
}

void TFrameAddBlockAck::btnOKClick(TObject*)
{
    const TListItem* selected = lvAvailBssidList->Selected();
    if (m_Candidates.empty() || !selected) {
        ShowMessageBox("Please choose BSSID", 0);
        return;
    }
    BA_SESSION_REQUEST request{};
    if (!TForm80211nSetting::ParseMacAddress(selected->Caption(), request.MacAddr))
        return;
    request.bRecipient = m_bRecipient ? 1 : 0;
    request.TID = static_cast<uint8_t>(cBoxTID->ItemIndex() < 0 ? 0 : cBoxTID->ItemIndex());
    request.WindowSize = WindowSizeOf(editLimitBAWindowSize->Text());
    if (VOZEZIV.WVWL_AddIMMEBA)
        VOZEZIV.WVWL_AddIMMEBA(request);
    if (m_pForm)
        m_pForm->SwitchPage(this, m_pForm->Frame80211nSetting);
}

void TFrameAddBlockAck::btnCancelClick(TObject*)
{
    if (m_pForm)
        m_pForm->SwitchPage(this, m_pForm->Frame80211nSetting);
}
