#include "advanced/FrameDeleteBlockAck.h"

#include "advanced/Form80211nSetting.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "advanced/FrameAddBlockAck.h"
#include "core/FormMessageBox.h"
#include "core/WvwlLib.h"
#include "resources/WvImage.h"
#include "wlapi/constants.h"

namespace {

TLabel* Label(TWinControl* parent, int left, int top, int width, const char* caption)
{
    TLabel* label = skin::MakeLabel(parent, left, top, width);
    label->SetCaption(caption);
    return label;
}

}  // namespace

TFrameDeleteBlockAck::TFrameDeleteBlockAck(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameDeleteBlockAck";
    lblTID = Label(this, 24, 20, 140, "TID");
    cBoxTID = new TComboBox({this, 170, 16, 70, 21});
    for (int tid = 0; tid < 8; ++tid)
        cBoxTID->Items().Add(std::to_string(tid));
    cBoxTID->SetItemIndex(0);
    lblAvailBssidList = Label(this, 24, 84, 200, "Avail Bssid List");
    lvAvailBssidList = MakeCandidateList(this, 24, 104, 352, 180);
    BtnOK = new TButton({this, 206, 296, 80, 25, "OK"});
    BtnCancel = new TButton({this, 296, 296, 80, 25, "Cancel"});
    BtnOK->OnClick = [this](TObject* s) { btnOKClick(s); };
    BtnCancel->OnClick = [this](TObject* s) { btnCancelClick(s); };
}

void TFrameDeleteBlockAck::OnEnterPage()
{
    m_Candidates = QueryBlockAckCandidates();
    FillCandidateList(lvAvailBssidList, m_Candidates);
    lblTID->SetEnabled(m_bTidSelectable);
    cBoxTID->SetEnabled(m_bTidSelectable);
}

bool TFrameDeleteBlockAck::OnLeavePage()
{
    return true;
}

void TFrameDeleteBlockAck::btnOKClick(TObject*)
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
    request.AllTid = m_bAllTids ? 1 : 0;
    const unsigned long oid = VOZEZIV.nWinOS >= WINOS_VISTA ? OID_BA_DELETE : OID_BA_DELETE_LEGACY;
    if (VOZEZIV.WVWL_OIDSetInfo)
        VOZEZIV.WVWL_OIDSetInfo(oid, &request, sizeof request);
    if (m_pForm)
        m_pForm->SwitchPage(this, m_pForm->Frame80211nSetting);
}

void TFrameDeleteBlockAck::btnCancelClick(TObject*)
{
    if (m_pForm)
        m_pForm->SwitchPage(this, m_pForm->Frame80211nSetting);
}
