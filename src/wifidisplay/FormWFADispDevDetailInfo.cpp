#include "wifidisplay/FormWFADispDevDetailInfo.h"

#include <cstdio>

#include "resources/FormResource.h"
#include "resources/UiStr.h"

TFormWFADispDevDetailInfo* FormWFADispDevDetailInfo = nullptr;

namespace {

std::string S(std::string CUISTR::*member)
{
    const CUISTR* s = FormResource ? FormResource->UI_Str.get() : nullptr;
    return s ? s->*member : std::string();
}

// A caption at (left, top) and its value label at valueLeft.
TLabel* Row(TWinControl* parent, int left, int top, int valueLeft, const char* caption)
{
    auto* text = new TLabel(parent);
    text->SetParent(parent);
    text->SetBounds(left, top, 0, 0);
    text->SetCaption(caption);
    auto* value = new TLabel(parent);
    value->SetParent(parent);
    value->SetAutoSize(false);
    value->SetBounds(valueLeft, top, 150, 13);
    return value;
}

std::string YesNo(bool yes)
{
    return yes ? S(&CUISTR::STR_YES) : S(&CUISTR::STR_NO);
}

const char* Support(bool yes)
{
    return yes ? "Support" : "Not Support";
}

} // namespace

TFormWFADispDevDetailInfo::TFormWFADispDevDetailInfo(TComponent* owner) : TFormBase(owner)
{
    Name = "FormWFADispDevDetailInfo";
    TFormResource* res = FormResource;
    if (res && res->ImgSiteSurveyFormBG)
        ImgBackground->SetPicture(res->ImgSiteSurveyFormBG->Picture());
    if (ImgBackground->Picture().Empty())
        SetClientSize(400, 380);
    lblCaptionText->SetCaption(S(&CUISTR::STR_DEV_INFO));
    const int w = res && res->ImgBtnSiteSurveyFormClose_Normal ? res->ImgBtnSiteSurveyFormClose_Normal->Width() : 20;
    const int h = res && res->ImgBtnSiteSurveyFormClose_Normal ? res->ImgBtnSiteSurveyFormClose_Normal->Height() : 20;
    SysBtnClose = MakePushButton(this, 372, 16, w, h, res ? res->ImgBtnSiteSurveyFormClose_Normal : nullptr,
                                 res ? res->ImgBtnSiteSurveyFormClose_Down : nullptr, nullptr);
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };

    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetParent(this);
    GroupBox1->SetBounds(20, 50, 360, 150);
    GroupBox1->SetCaption("Device info subelement");
    constexpr int kValue = 190;
    lblSrcCoupSink = Row(GroupBox1, 12, 20, kValue, "Source support coupled sink:");
    lblSinkCoupSink = Row(GroupBox1, 12, 38, kValue, "Sink support coupled sink::");
    lblSessionAvail = Row(GroupBox1, 12, 56, kValue, "Session available:");
    lblServiceDiscovery = Row(GroupBox1, 12, 74, kValue, "Support service discovery:");
    lblPreferP2P = Row(GroupBox1, 12, 92, kValue, "Prefer P2P connectivity:");
    lblHDCP = Row(GroupBox1, 12, 110, kValue, "Support HDCP2.0:");
    lbl8021AS = Row(GroupBox1, 12, 128, kValue, "Support 8021AS");
    constexpr int kLeft = 32, kValue2 = 202, kTop = 206, kStep = 17;
    lblMaxThroughput = Row(this, kLeft, kTop, kValue2, "Max throughput:");
    lblCoupStatus = Row(this, kLeft, kTop + kStep, kValue2, "Coupled status:");
    lblCoupSinkMacAddr = Row(this, kLeft, kTop + 2 * kStep, kValue2, "Coupled sink address:");
    lblSessionCtrlPort = Row(this, kLeft, kTop + 3 * kStep, kValue2, "Session control port:");
    lbTDLSIP = Row(this, kLeft, kTop + 4 * kStep, kValue2, "TDLS IP:");
    lbTDLSMAC = Row(this, kLeft, kTop + 5 * kStep, kValue2, "TDLS MAC:");
    lbUIBC = Row(this, kLeft, kTop + 6 * kStep, kValue2, "UIBC:");
    lbI2C = Row(this, kLeft, kTop + 7 * kStep, kValue2, "I2C:");
    lbPreferDisplayMode = Row(this, kLeft, kTop + 8 * kStep, kValue2, "Preferred display mode:");
    lbStandby = Row(this, kLeft, kTop + 9 * kStep, kValue2, "Standby:");
    ClearLabels();
}

void TFormWFADispDevDetailInfo::SysBtnCloseClick(TObject*)
{
    Close();
}

void TFormWFADispDevDetailInfo::ClearLabels()
{
    for (TLabel* label : {lblMaxThroughput, lblSrcCoupSink, lblSinkCoupSink, lblSessionAvail, lblServiceDiscovery,
                          lblPreferP2P, lblHDCP, lbl8021AS, lblCoupStatus, lblCoupSinkMacAddr, lblSessionCtrlPort,
                          lbTDLSIP})
        label->SetCaption("");
}

void TFormWFADispDevDetailInfo::UpdateDetailInfoForm(WDP_ENTRY entry)
{
    ClearLabels();
    const uint16_t info = entry.DevInfo;
    lblSrcCoupSink->SetCaption(YesNo(info & WDP_DEVINFO_SRC_COUPLED));
    lblSinkCoupSink->SetCaption(YesNo(info & WDP_DEVINFO_SINK_COUPLED));
    lblSessionAvail->SetCaption(YesNo((info & WDP_DEVINFO_SESSION_MASK) == WDP_DEVINFO_SESSION_AVAILABLE));
    lblServiceDiscovery->SetCaption(YesNo(info & WDP_DEVINFO_SERVICE_DISCOVERY));
    lblPreferP2P->SetCaption(YesNo(!(info & WDP_DEVINFO_PREFER_TDLS)));
    lblHDCP->SetCaption(YesNo(info & WDP_DEVINFO_HDCP));
    lbl8021AS->SetCaption(YesNo(info & WDP_DEVINFO_TIME_SYNC));
    char text[32];
    std::snprintf(text, sizeof text, "%d Mbps", entry.MaxThroughput);
    lblMaxThroughput->SetCaption(text);
    static const char* const kCoupled[] = {"Not Coupled", "Coupled", "Teardown Coupling"};
    lblCoupStatus->SetCaption(entry.CoupledStatus < 3 ? kCoupled[entry.CoupledStatus] : "Unknown");
    const uint8_t* m = entry.CoupledSinkMac;
    std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", m[0], m[1], m[2], m[3], m[4], m[5]);
    lblCoupSinkMacAddr->SetCaption(text);
    std::snprintf(text, sizeof text, "%d", entry.ControlPort);
    lblSessionCtrlPort->SetCaption(text);
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", entry.TdlsIp[0], entry.TdlsIp[1], entry.TdlsIp[2], entry.TdlsIp[3]);
    lbTDLSIP->SetCaption(text);
    m = entry.TdlsMac;
    std::snprintf(text, sizeof text, "%02x:%02x:%02x:%02x:%02x:%02x", m[0], m[1], m[2], m[3], m[4], m[5]);
    lbTDLSMAC->SetCaption(text);
    lbUIBC->SetCaption(Support(entry.ExtCap & WFD_SUBELEM_EXTCAP_UIBC));
    lbI2C->SetCaption(Support(entry.ExtCap & WFD_SUBELEM_EXTCAP_I2C));
    lbPreferDisplayMode->SetCaption(Support(entry.ExtCap & WFD_SUBELEM_EXTCAP_PREF_DISPLAY));
    lbStandby->SetCaption(Support(entry.ExtCap & WFD_SUBELEM_EXTCAP_STANDBY));
}
