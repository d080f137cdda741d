#include "dialogs/FormProgressMsg.h"

#include "resources/FormResource.h"
#include "core/Log.h"
#include "core/WvwlLib.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

TFormProgressMsg* FormProgressMsg = nullptr;

namespace {

constexpr const char* kSkinSection = "ProgressMsgBox";
constexpr int kMinFontSize = 8;
constexpr unsigned kSuccessInterval = 100;

// The tick interval once the operation has succeeded.
unsigned SuccessInterval(unsigned interval)
{
    interval = interval >= kSuccessInterval ? kSuccessInterval : interval / 10;
    return std::max(interval, 1u);
}

std::string Percent(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", value);
    return text;
}

// "visible,left,top" from the skin file; a text that does not match changes nothing.
void ApplyPlacement(TControl* control, const std::string& text)
{
    int visible = 1, left = 0, top = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d", &visible, &left, &top) != 3)
        return;
    control->SetVisible(visible != 0);
    if (left != 0 && top != 0) {
        control->SetLeft(left);
        control->SetTop(top);
    }
}

std::string ReadSkinText(const std::string& file, const char* key)
{
    char text[32] = {};
    GetPrivateProfileStringA(kSkinSection, key, "1,0,0", text, sizeof text, file.c_str());
    return text;
}

int ReadFontSize(const std::string& file, const char* key)
{
    int size = static_cast<int>(GetPrivateProfileIntA(kSkinSection, key, kMinFontSize, file.c_str()));
    return std::max(size, kMinFontSize);
}

}  // namespace

TFormProgressMsg::TFormProgressMsg(TComponent* AOwner) : TFormBase(AOwner)
{
    Name = "FormProgressMsg";
    SetAutoSize(false);
    SetClientSize(280, 80);
    ImgBackground->SetBounds(0, 0, 280, 80);
    lblCaptionText->Hide();  // this dialog has no title

    ImgSandGlass = new TImage({this, 8, 14, 32, 32});
    ImgSandGlass->SetAutoSize(true);

    lblMessageText = new TLabel({.Parent = this, .Left = 96, .Top = 14});
    lblMessageText->SetAlignment(taCenter);
    lblMessageText->SetTransparent(true);
    lblMessageText->Font().SetName("Tahoma");

    ImgProgressBarBack = new TImage({this, 80, 50, 140, 22});
    ImgProgressBarBack->SetAutoSize(true);

    ImgProgressBar = new TImage({this, 80, 50, 140, 22});

    BtnProgCancel = new TWvImage({this, 240, 46, 24, 26});
    BtnProgCancel->Cursor = crHandPoint;
    BtnProgCancel->SetShowHint(true);
    BtnProgCancel->ImageStyle = gsPushButton;
    BtnProgCancel->ImageSource = gsrcImage;
    BtnProgCancel->SetImage0(FormResource->ImgBtnProfileCancel_Normal);
    BtnProgCancel->SetImage(1, FormResource->ImgBtnProfileCancel_Down);

    TimerProgress = new TTimer(this);
    TimerProgress->SetEnabled(false);

    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    TimerProgress->OnTimer = [this](TObject* sender) { TimerProgressTimer(sender); };
    BtnProgCancel->OnClick = [this](TObject* sender) { BtnProgCancelClick(sender); };
}

void TFormProgressMsg::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TFormProgressMsg::FormCreate()\n");
    SetPosition(poScreenCenter);
    ImgBackground->SetPicture(FormResource->ImgProgressMsgBox->Picture());
    TFormBase::FormCreate(Sender);
    ImgSandGlass->SetPicture(FormResource->ImgSG01->Picture());
    ImgProgressBar->SetPicture(FormResource->ImgProgressBar->Picture());
    ImgProgressBarBack->SetPicture(FormResource->ImgProgressBarBack->Picture());
    const TImage* frames[] = {FormResource->ImgSG01, FormResource->ImgSG02, FormResource->ImgSG03,
                              FormResource->ImgSG04, FormResource->ImgSG05, FormResource->ImgSG06,
                              FormResource->ImgSG07, FormResource->ImgSG08, FormResource->ImgSG09,
                              FormResource->ImgSG10};
    for (std::size_t i = 0; i < m_pSandGlass.size(); ++i)
        m_pSandGlass[i] = &frames[i]->Picture();
    BtnProgCancel->SetHint(FormResource->UI_Str->STR_BtnHintCancel);

    const std::string skin = FormResource->SkinFolder + "\\RoVaza.ini";
    const std::string barPlacement = ReadSkinText(skin, "ImgProgressBarPos");
    ApplyPlacement(ImgProgressBar, barPlacement);
    ApplyPlacement(ImgProgressBarBack, barPlacement);
    ApplyPlacement(ImgSandGlass, ReadSkinText(skin, "ImgSGPos"));
    ApplyPlacement(BtnProgCancel, ReadSkinText(skin, "BtnProgCancelPos"));
    m_nPinFontSize = ReadFontSize(skin, "PinFontSize");
    m_nTextFontSize = ReadFontSize(skin, "TextFontSize");

    m_nBarBackWidth = ImgProgressBarBack->Width();
    m_strPercent.clear();
    m_strMessage.clear();
    m_strPinText.clear();
    nSGIndex = 0;
    nProgressBar = 0;
    m_nDuration = 0;
    m_bSuccess = 0;
    PrintMessage(6, " <-- TFormProgressMsg::FormCreate()\n");
}

void TFormProgressMsg::ShowLabelText()
{
    if (m_strPinText.empty()) {
        lblMessageText->Font().SetSize(m_nTextFontSize);
        lblMessageText->SetCaption(m_strMessage + "\n" + m_strPercent);
    } else if (VOZEZIV.bProgPinOnly) {
        lblMessageText->Font().SetSize(m_nPinFontSize);
        lblMessageText->SetCaption(m_strPinText);
    } else {
        lblMessageText->Font().SetSize(m_nTextFontSize);
        lblMessageText->SetCaption(m_strMessage + "\n" + m_strPercent + "   " + m_strPinText);
    }
}

void TFormProgressMsg::ShowSandGlassFrame()
{
    if (m_pSandGlass[nSGIndex])
        ImgSandGlass->SetPicture(*m_pSandGlass[nSGIndex]);
}

void TFormProgressMsg::AdvanceSandGlass()
{
    nSGIndex = (nSGIndex + 1) % static_cast<int>(m_pSandGlass.size());
}

void TFormProgressMsg::FormShow(TObject*)
{
    PrintMessage(6, " TFormProgressMsg: FormShow : bUseTimer = %d \n", bUseTimer);
    lblMessageText->Font().SetSize(m_nTextFontSize);
    lblMessageText->SetCaption(m_strMessage);
    nSGIndex = 0;
    nProgressBar = 0;
    m_strPercent = "0%";
    ImgProgressBar->SetWidth(0);
    ImgProgressBar->Show();
    if (!bUseTimer) {
        SetProgress(0);
        return;
    }
    // A duration under 10 ms would give interval 0, which never ticks.
    const unsigned interval = std::max(m_nDuration / 10, 1u);
    // success that came before the dialog showed runs the bar out at once
    TimerProgress->SetInterval(m_bSuccess ? SuccessInterval(interval) : interval);
    TimerProgress->SetEnabled(true);
    nProgressBar = 1;
    m_strPercent = "10%";
    ShowLabelText();
    ShowBarStep();
}

// The bar shows the step the label shows.
void TFormProgressMsg::ShowBarStep()
{
    ImgProgressBar->SetWidth(ImgProgressBarBack->Width() * nProgressBar / 10);
}

void TFormProgressMsg::Succeed()
{
    m_bSuccess = 1;
    if (TimerProgress->Enabled())
        TimerProgress->SetInterval(SuccessInterval(TimerProgress->Interval()));
}

void TFormProgressMsg::TimerProgressTimer(TObject*)
{
    m_strPercent = Percent(nProgressBar * 10);
    ShowLabelText();
    ShowSandGlassFrame();
    if (m_bSuccess) {
        TimerProgress->SetInterval(SuccessInterval(TimerProgress->Interval()));
        PrintMessage(6, " TimerProgressTimer: m_bSuccess!! TimerProgress->Interval = %d msec\n",
                     TimerProgress->Interval());
    }
    AdvanceSandGlass();
    PrintMessage(6, " TimerProgressTimer: nSGIndex = %d ,nProgressBar = %d , m_bSuccess = %d\n",
                 nSGIndex, nProgressBar, m_bSuccess);
    ShowBarStep();
    ++nProgressBar;
    if (nProgressBar == 11) {
        nProgressBar = 0;
        m_bSuccess = 0;
        Close();
    }
}

void TFormProgressMsg::SetProgress(int percent)
{
    m_strPercent = Percent(percent);
    lblMessageText->Font().SetSize(m_nTextFontSize);
    lblMessageText->SetCaption(m_strMessage + "\n" + m_strPercent);
    ShowSandGlassFrame();
    AdvanceSandGlass();
    const int width = percent * m_nBarBackWidth / 100;
    ImgProgressBar->SetWidth(std::clamp(width, 0, std::max(m_nBarBackWidth, 0)));
    if (percent == 100) {
        nProgressBar = 0;
        Close();
    }
}

void TFormProgressMsg::FormClose(TObject*, TCloseAction&)
{
    PrintMessage(6, " TFormProgressMsg: FormClose\n");
    TimerProgress->SetEnabled(false);
    m_bSuccess = 0;
    m_strPinText.clear();
}

void TFormProgressMsg::BtnProgCancelClick(TObject*)
{
    unsigned char mac[6] = {};
    if (PeerOfConnection)
        PeerOfConnection(mac);
    PrintMessage(6,
                 " TimerProgressTimer: BtnProgCancelClick WVWL_DisConnectWifiDirectPerDevice-> "
                 "MacAddr = %02X-%02X-%02X-%02X-%02X-%02X\n",
                 mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    if (VOZEZIV.WVWL_DisConnectWifiDirectPerDevice)
        VOZEZIV.WVWL_DisConnectWifiDirectPerDevice(mac);
    Close();
}

std::string TFormProgressMsg::ModalDescription() const
{
    return TForm::ModalDescription() + ": " + m_strMessage;
}
