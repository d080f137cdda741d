#include "mainwindow/FrameLinkInfoStatistic.h"

#include "core/WvwlLib.h"
#include "mainwindow/LinkInfoLayout.h"

using linkinfo::MakeLabel;

namespace {
constexpr int kPanelLeft = 8, kPanelTop = 40, kPanelWidth = 360, kPanelHeight = 100;

TPanel* MakePanel(TWinControl* parent)
{
    auto* panel = new TPanel(parent);
    panel->SetParent(parent);
    panel->SetBounds(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
    panel->SetColor(parent->Color());
    return panel;
}

// One counter row: caption, "=" and the right-aligned value.
void CounterRow(TPanel* panel, int row, std::string CUISTR::*caption, TLabel*& text, TLabel*& value)
{
    const int top = 8 + 22 * row;
    text = MakeLabel(panel, 8, top, 200, caption);
    MakeLabel(panel, 216, top, 10)->SetCaption("=");
    value = MakeLabel(panel, 232, top, 120, nullptr, taRightJustify);
}

TRadioButton* MakeRadio(TWinControl* parent, int left, std::string CUISTR::*caption)
{
    auto* radio = new TRadioButton(parent);
    radio->SetParent(parent);
    radio->SetBounds(left, 12, 150, 17);
    radio->SetCaption(linkinfo::Text(caption));
    return radio;
}
} // namespace

TFrameLinkInfoStatistic::TFrameLinkInfoStatistic(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameLinkInfoStatistic";
    rBtnTransmit = MakeRadio(this, 16, &CUISTR::STR_TX_TRANSMIT);
    rBtnReceive = MakeRadio(this, 176, &CUISTR::STR_RX_RECEIVE);

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
    btnResetCounter = linkinfo::MakePictureButton(
        this, 336, 148, res ? res->ImgBtnLinkInfoStatisticResetCounter_Normal : nullptr,
        res ? res->ImgBtnLinkInfoStatisticResetCounter_Down : nullptr, gsPushButton);
    btnResetCounter->SetHint(linkinfo::Text(&CUISTR::STR_RESETCOUNTER));

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
