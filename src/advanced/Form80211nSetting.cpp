#include "advanced/Form80211nSetting.h"

#include <algorithm>

#include "core/Helpers.h"
#include "core/Log.h"
#include "resources/FormResource.h"

TForm80211nSetting* Form80211nSetting = nullptr;

namespace {

constexpr int kPageLeft = 0, kPageTop = 46, kPageWidth = 400, kPageHeight = 334;

}  // namespace

TForm80211nSetting::TForm80211nSetting(TComponent* owner) : TFormBase(owner)
{
    Name = "Form80211nSetting";
    SetClientSize(400, 380);
    TFormResource* res = FormResource;
    SysBtnClose = MakePushButton(this, 373, 16, 15, 15, res ? res->ImgBtnAdvancedFormClose_Normal : nullptr,
                                 res ? res->ImgBtnAdvancedFormClose_Down : nullptr, nullptr);

    Frame80211nSetting = new TFrame80211nSetting(this);
    FrameAddBlockAck = new TFrameAddBlockAck(this);
    FrameDeleteBlockAck = new TFrameDeleteBlockAck(this);
    for (TFrameBase* page : {static_cast<TFrameBase*>(FrameAddBlockAck), static_cast<TFrameBase*>(FrameDeleteBlockAck),
                             static_cast<TFrameBase*>(Frame80211nSetting)}) {
        page->SetParent(this);
        page->SetBounds(kPageLeft, kPageTop, kPageWidth, kPageHeight);
    }
    Frame80211nSetting->m_pForm = this;
    FrameAddBlockAck->m_pForm = this;
    FrameDeleteBlockAck->m_pForm = this;

    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TForm80211nSetting::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TForm80211nSetting::FormCreate()\n");
    if (FormResource && FormResource->ImgAdvancedFormBG)
        ImgBackground->SetPicture(FormResource->ImgAdvancedFormBG->Picture());
    TFormBase::FormCreate(Sender);
    SetCaption("802.11n Setting");
    lblCaptionText->SetCaption("802.11n Setting");
    PrintMessage(6, " <-- TForm80211nSetting::FormCreate()\n");
}

void TForm80211nSetting::FormShow(TObject*)
{
    SwitchPage(nullptr, Frame80211nSetting);
}

void TForm80211nSetting::SysBtnCloseClick(TObject*)
{
    Close();
}

bool TForm80211nSetting::ParseMacAddress(const std::string& text, uint8_t (&mac)[6])
{
    std::string digits = text;
    digits.erase(std::remove(digits.begin(), digits.end(), '-'), digits.end());
    if (digits.size() != 12 || !IsHexString(digits))
        return false;
    HexTextToBytes(digits, mac, 6);
    return true;
}
