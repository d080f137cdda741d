#include "mainwindow/FrameLinkInfoWireless.h"

#include "resources/FormResource.h"
#include "resources/WvImage.h"

using skin::MakeLabel;

namespace {
constexpr int kCaptionLeft = 8, kCaptionWidth = 108;
constexpr int kValueLeft = 122, kValueWidth = 246;
} // namespace

TFrameLinkInfoWireless::TFrameLinkInfoWireless(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameLinkInfoWireless";
    lblStatusText = MakeLabel(this, kCaptionLeft, 10, kCaptionWidth, &CUISTR::STR_LINK_STATUS);
    lblStatus = MakeLabel(this, kValueLeft, 10, kValueWidth);
    lblStatus->SetBounds(kValueLeft, 10, kValueWidth, 28);
    lblStatus->SetEllipsisPosition(epNone);
    lblStatus->SetWordWrap(true);
    lblStatus->SetShowHint(true);

    int top = 44;
    auto row = [&](TLabel*& caption, TLabel*& value, std::string CUISTR::*member) {
        caption = MakeLabel(this, kCaptionLeft, top, kCaptionWidth, member);
        value = MakeLabel(this, kValueLeft, top, kValueWidth);
        top += 22;
    };
    row(lblExtraInfoText, lblExtraInfo, &CUISTR::STR_EXTRA_INFO);
    row(lblAuthenText, lblAuthen, &CUISTR::STR_AUTHENTICATION);
    row(lblEncryptText, lblEncrypt, &CUISTR::STR_ENCRYPTION);
    row(lblNetworkTypeText, lblNetworkType, &CUISTR::STR_NETWORK_TYPE);
    row(lblCentralChannelText, lblCentralChannel, &CUISTR::STR_CENTRAL_CHANNEL);
    row(lblAPStatusText, lblStatus2, &CUISTR::STR_AP_STATUS);
    lblStatus2->SetShowHint(true);

    for (TLabel* label : {lblCentralChannelText, lblCentralChannel, lblAPStatusText, lblStatus2})
        label->SetVisible(false);
}
