#include "advanced/Form80211nSetting.h"

#include "core/Log.h"
#include "resources/FormResource.h"

TForm80211nSetting* Form80211nSetting = nullptr;

TForm80211nSetting::TForm80211nSetting(TComponent* owner) : TFormBase(owner)
{
    Name = "Form80211nSetting";
    SetClientSize(400, 380);
    TFormResource* res = FormResource;
    SysBtnClose = MakePushButton(this, 373, 16, 15, 15, res ? res->ImgBtnAdvancedFormClose_Normal : nullptr,
                                 res ? res->ImgBtnAdvancedFormClose_Down : nullptr, nullptr);
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
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

void TForm80211nSetting::SysBtnCloseClick(TObject*)
{
    Close();
}
