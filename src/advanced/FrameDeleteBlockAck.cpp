#include "advanced/FrameDeleteBlockAck.h"

#include "advanced/BlockAckPage.h"
#include "advanced/Form80211nSetting.h"
#include "core/WvwlLib.h"
#include "wlapi/constants.h"

TFrameDeleteBlockAck::TFrameDeleteBlockAck(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameDeleteBlockAck";
    const BLOCK_ACK_PAGE_CONTROLS c = MakeBlockAckPageControls(this);
    lblTID = c.lblTID;
    cBoxTID = c.cBoxTID;
    lblAvailBssidList = c.lblAvailBssidList;
    lvAvailBssidList = c.lvAvailBssidList;
    BtnOK = c.btnOK;
    BtnCancel = c.btnCancel;
    BtnOK->OnClick = [this](TObject* s) { btnOKClick(s); };
    BtnCancel->OnClick = [this](TObject* s) { btnCancelClick(s); };
}

void TFrameDeleteBlockAck::OnEnterPage()
{
    RefreshBlockAckCandidates(lvAvailBssidList, m_Candidates);
    lblTID->SetEnabled(m_bTidSelectable);
    cBoxTID->SetEnabled(m_bTidSelectable);
}

bool TFrameDeleteBlockAck::OnLeavePage()
{
    return true;
}

void TFrameDeleteBlockAck::btnOKClick(TObject*)
{
    BA_SESSION_REQUEST request{};
    if (!TakeBlockAckChoice(lvAvailBssidList, m_Candidates, cBoxTID, request))
        return;
    request.bRecipient = m_bRecipient ? 1 : 0;
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
