#include "advanced/FrameAdvancedTest.h"

#include "advanced/Form80211nSetting.h"
#include "advanced/FormMFPTest.h"

namespace {

TButton* MakeButton(TFrameBase* page, int top, const char* caption)
{
    return new TButton({page, 128, top, 137, 33, caption});
}

}  // namespace

TFrameAdvancedTest::TFrameAdvancedTest(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameAdvancedTest";
    btn80211WTest = MakeButton(this, 48, "802.11w Test");
    btn80211nSetting = MakeButton(this, 96, "802.11n Setting");
    btn80211WTest->OnClick = [this](TObject* s) { btn80211WTestClick(s); };
    btn80211nSetting->OnClick = [this](TObject* s) { btn80211nSettingClick(s); };
}

void TFrameAdvancedTest::btn80211WTestClick(TObject*)
{
    if (!FormMFPTest || FormMFPTest->Visible())
        return;
    FormMFPTest->ShowModal();
}

void TFrameAdvancedTest::btn80211nSettingClick(TObject*)
{
    if (Form80211nSetting)
        Form80211nSetting->Show();
}
