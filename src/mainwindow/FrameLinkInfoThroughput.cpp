#include "mainwindow/FrameLinkInfoThroughput.h"

#include "resources/FormResource.h"
#include "resources/WvImage.h"

using skin::UiText;

using skin::MakeLabel;
using skin::MakePicture;

namespace {
constexpr int kCaptionLeft = 8, kCaptionWidth = 100;
constexpr int kBarLeft = 112;
constexpr int kValueLeft = 304, kValueWidth = 64;
constexpr int kBarWidth = 186, kBarHeight = 10;

TImage* Bar(TWinControl* parent, int top, TImage* source)
{
    TImage* bar = MakePicture(parent, kBarLeft, top + 2, source);
    bar->SetBounds(kBarLeft, top + 2, kBarWidth, kBarHeight);
    bar->SetShowHint(true);
    return bar;
}

TImage* BarPicture()
{
    return FormResource ? FormResource->ImgLinkInfoSignalBar : nullptr;
}

TImage* BarBackground()
{
    return FormResource ? FormResource->ImgLinkInfoSignalBar_BG : nullptr;
}
} // namespace

TFrameLinkInfoThroughput::TFrameLinkInfoThroughput(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameLinkInfoThroughput";
    lblLinkQualityTxt = MakeLabel(this, kCaptionLeft, 8, kCaptionWidth, &CUISTR::STR_LINK_STRENGTH);
    ImgLinkQualityBG = Bar(this, 8, BarBackground());
    ImgLinkQuality = Bar(this, 8, BarPicture());
    lblLinkQuality = MakeLabel(this, kValueLeft, 8, kValueWidth, nullptr, taRightJustify);

    std::string CUISTR::*captions[3] = {&CUISTR::STR_STRENGTH1, &CUISTR::STR_STRENGTH2, &CUISTR::STR_STRENGTH3};
    TLabel** texts[3] = {&lblSignalStrength1Txt, &lblSignalStrength2Txt, &lblSignalStrength3Txt};
    TImage** backs[3] = {&ImgSignalStrength1BG, &ImgSignalStrength2BG, &ImgSignalStrength3BG};
    TImage** bars[3] = {&ImgSignalStrength1, &ImgSignalStrength2, &ImgSignalStrength3};
    TLabel** values[3] = {&lblSignalStrength1, &lblSignalStrength2, &lblSignalStrength3};
    for (int i = 0; i < 3; ++i) {
        const int top = 26 + 18 * i;
        *texts[i] = MakeLabel(this, kCaptionLeft, top, kCaptionWidth, captions[i]);
        *backs[i] = Bar(this, top, BarBackground());
        *bars[i] = Bar(this, top, BarPicture());
        *values[i] = MakeLabel(this, kValueLeft, top, kValueWidth, nullptr, taRightJustify);
    }

    // One group per direction: its link speed and its throughput, one above the other.
    auto group = [this](int top, std::string CUISTR::*caption) {
        return new TGroupBox({this, 8, top, 360, 50, UiText(caption)});
    };
    auto rows = [](TGroupBox* box, std::string CUISTR::*throughput, TLabel*& speedText, TLabel*& speed,
                   TLabel*& rateText, TLabel*& rate) {
        speedText = MakeLabel(box, 10, 16, 200, &CUISTR::STR_LINK_SPEED);
        speed = MakeLabel(box, 230, 16, 120, nullptr, taRightJustify);
        rateText = MakeLabel(box, 10, 32, 200, throughput);
        rate = MakeLabel(box, 230, 32, 120, nullptr, taRightJustify);
    };
    gbxTransmit = group(82, &CUISTR::STR_TRANSMIT);
    rows(gbxTransmit, &CUISTR::STR_TX_THROUGHPUT, lblTxLinkSpeedTxt, lblTxLinkSpeed, lblTxThroughputTxt,
         lblTxThroughput);
    gbxReceive = group(136, &CUISTR::STR_RECEIVE);
    rows(gbxReceive, &CUISTR::STR_RX_THROUGHPUT, lblRxLinkSpeedTxt, lblRxLinkSpeed, lblRxThroughputTxt,
         lblRxThroughput);

    for (TImage* bar : {ImgLinkQuality, ImgSignalStrength1, ImgSignalStrength2, ImgSignalStrength3})
        bar->SetVisible(false);
}

void TFrameLinkInfoThroughput::SignalRow(int n, TLabel*& caption, TImage*& background, TImage*& bar,
                                         TLabel*& value) const
{
    switch (n) {
    case 2:
        caption = lblSignalStrength2Txt, background = ImgSignalStrength2BG, bar = ImgSignalStrength2;
        value = lblSignalStrength2;
        return;
    case 3:
        caption = lblSignalStrength3Txt, background = ImgSignalStrength3BG, bar = ImgSignalStrength3;
        value = lblSignalStrength3;
        return;
    default:
        caption = lblSignalStrength1Txt, background = ImgSignalStrength1BG, bar = ImgSignalStrength1;
        value = lblSignalStrength1;
        return;
    }
}

void TFrameLinkInfoThroughput::ShowSignalRow(int n, bool visible)
{
    TLabel *caption, *value;
    TImage *background, *bar;
    SignalRow(n, caption, background, bar, value);
    for (TControl* c : {static_cast<TControl*>(caption), static_cast<TControl*>(background),
                        static_cast<TControl*>(bar), static_cast<TControl*>(value)})
        c->SetVisible(visible);
}
