#include "advanced/FormExtendedAP.h"

#include "advanced/IcsSharing.h"
#include "core/Log.h"
#include "resources/FormResource.h"
#include "resources/WvImage.h"
#include "resources/FormResource.h"

using skin::UiText;

TFormExtendedAP* FormExtendedAP = nullptr;

namespace {

constexpr int kPageLeft = 0, kPageTop = 46, kPageWidth = 400, kPageHeight = 334;
constexpr int kTabTop = 19;
constexpr unsigned kTimerMs = 2000;


TTimer* MakeTimer(TComponent* owner)
{
    auto* timer = new TTimer(owner);
    timer->SetEnabled(false);
    timer->SetInterval(kTimerMs);
    return timer;
}

} // namespace

TFormExtendedAP::TFormExtendedAP(TComponent* owner) : TFormBase(owner)
{
    Name = "FormExtendedAP";
    SetClientSize(400, 380);
    TFormResource* res = FormResource;

    SysBtnClose = MakePushButton(this, 373, 16, 15, 15, res ? res->ImgBtnExtendedAPFormClose_Normal : nullptr,
                                 res ? res->ImgBtnExtendedAPFormClose_Down : nullptr, nullptr);
    TabBtnConfig = MakeTabButton(this, 8, kTabTop, res ? res->ImgBtnExtendedAPConfig_Normal : nullptr,
                                 res ? res->ImgBtnExtendedAPConfig_Down : nullptr,
                                 res ? res->ImgBtnExtendedAPConfig_Disabled : nullptr);
    TabBtnMacTable = MakeTabButton(this, 34, kTabTop, res ? res->ImgBtnExtendedAPMacTable_Normal : nullptr,
                                   res ? res->ImgBtnExtendedAPMacTable_Down : nullptr,
                                   res ? res->ImgBtnExtendedAPMacTable_Disabled : nullptr);

    FrameExtendedAPConfig = new TFrameExtendedAPConfig(this);
    FrameExtendedAPMacTable = new TFrameExtendedAPMacTable(this);
    for (TFrameBase* page : {static_cast<TFrameBase*>(FrameExtendedAPConfig),
                             static_cast<TFrameBase*>(FrameExtendedAPMacTable)}) {
        page->SetParent(this);
        page->SetBounds(kPageLeft, kPageTop, kPageWidth, kPageHeight);
    }
    FrameExtendedAPConfig->m_pForm = this;
    FrameExtendedAPMacTable->m_pForm = this;

    TimerExtAPIPAddress = MakeTimer(this);
    TimerExtAPMacTable = MakeTimer(this);

    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    TabBtnConfig->OnClick = [this](TObject* s) { TabBtnConfigClick(s); };
    TabBtnMacTable->OnClick = [this](TObject* s) { TabBtnMacTableClick(s); };
    TimerExtAPIPAddress->OnTimer = [this](TObject* s) { TimerExtAPIPAddressTimer(s); };
    TimerExtAPMacTable->OnTimer = [this](TObject* s) { TimerExtAPMacTableTimer(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFormExtendedAP::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TFormExtendedAP::FormCreate()\n");
    SetCaption("Extended AP");
    if (FormResource && FormResource->ImgExtendedAPFormBG)
        ImgBackground->SetPicture(FormResource->ImgExtendedAPFormBG->Picture());
    TFormBase::FormCreate(Sender);
    lblCaptionText->SetCaption(UiText(&CUISTR::STR_BtnHintExtendedAP));
    SysBtnClose->SetHint(UiText(&CUISTR::STR_BtnHintClose));
    TabBtnConfig->SetHint(UiText(&CUISTR::STR_BtnHintExtAPConfig));
    TabBtnMacTable->SetHint(UiText(&CUISTR::STR_BtnHintExtAPMacTable));
    PrintMessage(6, " <-- TFormExtendedAP::FormCreate()\n");
}

void TFormExtendedAP::FormShow(TObject*)
{
    TabBtnConfig->SetImageIndex(1);
    TabBtnMacTable->SetImageIndex(0);
    SwitchPage(nullptr, FrameExtendedAPConfig);
}

void TFormExtendedAP::SysBtnCloseClick(TObject*)
{
    Hide();
}

void TFormExtendedAP::TabBtnConfigClick(TObject*)
{
    TabBtnMacTable->SetImageIndex(0);
    SwitchPage(m_pCurrentPage, FrameExtendedAPConfig);
}

void TFormExtendedAP::TabBtnMacTableClick(TObject*)
{
    TabBtnConfig->SetImageIndex(0);
    SwitchPage(m_pCurrentPage, FrameExtendedAPMacTable);
}

void TFormExtendedAP::TimerExtAPIPAddressTimer(TObject*)
{
    FrameExtendedAPConfig->RefreshIPAddress();
}

void TFormExtendedAP::TimerExtAPMacTableTimer(TObject*)
{
    FrameExtendedAPMacTable->RefreshMacTable();
}

void TFormExtendedAP::Dispatch(TMessage& Message)
{
    if (Message.Msg == MSG_EXTAP_ICS_DONE) {
        FrameExtendedAPConfig->BtnApply->SetEnabled(true);
        return;
    }
    TFormBase::Dispatch(Message);
}
