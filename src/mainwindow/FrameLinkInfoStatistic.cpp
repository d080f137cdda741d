#include "mainwindow/FrameLinkInfoStatistic.h"

#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "resources/WvImage.h"

using skin::UiText;

using skin::MakeLabel;

namespace {
constexpr int kPanelLeft = 8, kPanelTop = 40, kPanelWidth = 360, kPanelHeight = 100;

TPanel* MakePanel(TWinControl* parent)
{
    auto* panel = new TPanel({parent, kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight});
    panel->SetColor(parent->Color());
    return panel;
}

// One counter row: caption, "=" and the right-aligned value.
void CounterRow(TPanel* panel, int row, std::string CUISTR::*caption, TLabel*& text, TLabel*& value)
{
    const int top = 8 + 22 * row;
    text = MakeLabel(panel, 8, top, 200, caption);
    new TLabel({panel, 216, top, 10, 13, "="});
    value = MakeLabel(panel, 232, top, 120, nullptr, taRightJustify);
}

} // namespace

TFrameLinkInfoStatistic::TFrameLinkInfoStatistic(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameLinkInfoStatistic";
    rBtnTransmit = new TRadioButton({this, 16, 12, 150, 17, UiText(&CUISTR::STR_TX_TRANSMIT)});
    rBtnReceive = new TRadioButton({this, 176, 12, 150, 17, UiText(&CUISTR::STR_RX_RECEIVE)});

    panelTransmit = MakePanel(this);
    CounterRow(panelTransmit, 0, &CUISTR::STR_TXOK, lblTxOKTxt, lblTxOK);
    CounterRow(panelTransmit, 1, &CUISTR::STR_TXOKRETRY, lblTxRetryOKTxt, lblTxRetryOK);
    CounterRow(panelTransmit, 2, &CUISTR::STR_TXOKALLRETRY, lblTxAllRetryOKTxt, lblTxAllRetryOK);
    panelReceive = MakePanel(this);
    CounterRow(panelReceive, 0, &CUISTR::STR_RXOK, lblRxOKTxt, lblRxOK);
    CounterRow(panelReceive, 1, &CUISTR::STR_RXCRC, lblRxCRCTxt, lblRxCRC);
    CounterRow(panelReceive, 2, &CUISTR::STR_RXDROP, lblRxDropTxt, lblRxDrop);
    CounterRow(panelReceive, 3, &CUISTR::STR_RXDUPLI, lblRxDuplicateTxt, lblRxDuplicate);

    TFormResource* res = FormResource;
    btnResetCounter = skin::MakePictureButton(
        this, 336, 148, res ? res->ImgBtnLinkInfoStatisticResetCounter_Normal : nullptr,
        res ? res->ImgBtnLinkInfoStatisticResetCounter_Down : nullptr, gsPushButton);
    btnResetCounter->SetHint(UiText(&CUISTR::STR_RESETCOUNTER));

    rBtnTransmit->OnClick = [this](TObject* s) { rBtnTransmitClick(s); };
    rBtnReceive->OnClick = [this](TObject* s) { rBtnReceiveClick(s); };
    btnResetCounter->OnClick = [this](TObject* s) { btnResetCounterClick(s); };
}

void TFrameLinkInfoStatistic::OnEnterPage()
{
    rBtnTransmit->SetChecked(true);
    ShowPanel(true);
}

bool TFrameLinkInfoStatistic::OnLeavePage()
{
    return true;
}

void TFrameLinkInfoStatistic::btnResetCounterClick(TObject*)
{
    for (TLabel* value : {lblTxOK, lblTxRetryOK, lblTxAllRetryOK, lblRxOK, lblRxCRC, lblRxDrop, lblRxDuplicate})
        value->SetCaption("0");
    if (VOZEZIV.WVWL_ResetCounter)
        VOZEZIV.WVWL_ResetCounter();
}

void TFrameLinkInfoStatistic::rBtnTransmitClick(TObject*)
{
    ShowPanel(rBtnTransmit->Checked());
}

void TFrameLinkInfoStatistic::rBtnReceiveClick(TObject*)
{
    ShowPanel(!rBtnReceive->Checked());
}

void TFrameLinkInfoStatistic::ShowPanel(bool transmit)
{
    panelTransmit->SetVisible(transmit);
    panelReceive->SetVisible(!transmit);
}
