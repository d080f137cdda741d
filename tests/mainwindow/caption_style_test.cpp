// Every skinned window titles alike: its caption white and bold on the dark strip, whatever
// each window sets up after the base form.
#include "mainwindow/program_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/FormBase.h"

namespace {

class CaptionStyle : public ProgramFixture {};

TEST_F(CaptionStyle, EverySkinnedWindowTitlesWhiteAndBold)
{
    StartProgram();
    std::vector<std::string> titled;
    for (int i = 0; i < Application->ComponentCount(); ++i) {
        auto* form = dynamic_cast<TFormBase*>(Application->Components(i));
        if (!form || !form->lblCaptionText->Visible()) {
            continue;  // the progress box shows no title
        }
        titled.push_back(form->Name);
        const TFont& font = form->lblCaptionText->Font();
        EXPECT_EQ(font.Color(), RGB(255, 255, 255)) << form->Name;
        EXPECT_TRUE(font.Style() & fsBold) << form->Name;
    }
    // Among them the windows that style their own title no more.
    for (const char* name : {"FormMain", "FormAbout", "FormLinkInfo", "FormAdvanced", "FormExtendedAP",
                             "Form80211nSetting", "FormMFPTest", "FormHotSpot", "FormWiFiDisplay",
                             "FormWFADispDevDetailInfo", "FormWiFiDirectProfile", "FormWiFiDirectSetting",
                             "FormWiFiDirectMediaSharing"}) {
        EXPECT_NE(std::find(titled.begin(), titled.end(), name), titled.end()) << name;
    }
}

} // namespace
