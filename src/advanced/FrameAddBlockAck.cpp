#include "advanced/FrameAddBlockAck.h"

#include "advanced/BlockAckPage.h"
#include "advanced/Form80211nSetting.h"
#include "core/WvwlLib.h"
#include "resources/WvImage.h"
#include "ui/IniFiles.h"

TFrameAddBlockAck::TFrameAddBlockAck(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameAddBlockAck";
    const BLOCK_ACK_PAGE_CONTROLS c = MakeBlockAckPageControls(this, [this] {
        lblLimitBAWindowSize = skin::MakeLabel(this, 24, 52, 140);
        lblLimitBAWindowSize->SetCaption("Limit BA Window Size");
        editLimitBAWindowSize = new TEdit({this, 170, 48, 70, 21});
        editLimitBAWindowSize->SetMaxLength(10);
        editLimitBAWindowSize->SetText("32");
    });
    lblTID = c.lblTID;
    cBoxTID = c.cBoxTID;
    lblAvailBssidList = c.lblAvailBssidList;
    lvAvailBssidList = c.lvAvailBssidList;
    btnOK = c.btnOK;
    btnCancel = c.btnCancel;
    btnOK->OnClick = [this](TObject* s) { btnOKClick(s); };
    btnCancel->OnClick = [this](TObject* s) { btnCancelClick(s); };
}

void TFrameAddBlockAck::OnEnterPage()
{
    RefreshBlockAckCandidates(lvAvailBssidList, m_Candidates);
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
    BA_SESSION_REQUEST request{};
    if (!TakeBlockAckChoice(lvAvailBssidList, m_Candidates, cBoxTID, request))
        return;
    request.bRecipient = m_bRecipient ? 1 : 0;
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
