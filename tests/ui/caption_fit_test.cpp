// Check boxes and radio buttons show their whole caption: a control laid out too narrow for
// its text grows, a wide one keeps its width.
#include "UiTestSupport.h"
#include "support/TextFit.h"
#include "ui/StdCtrls.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

int TextWidth(TControl* control, const std::string& text)
{
    return textfit::Measure(control->Font().Handle(), text).cx;
}

struct FitCase {
    const char* name;
    bool radio;
    int width;
    const char* caption;
    bool grows;
};

class CaptionFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(CaptionFit, TheWholeCaptionShowsBesideTheBox)
{
    const FitCase& c = GetParam();
    std::unique_ptr<TForm> form(new TForm(nullptr));
    TControlArgs args{form.get(), 10, 10, c.width, 17, c.caption};
    TWinControl* control = c.radio ? static_cast<TWinControl*>(new TRadioButton(args)) : new TCheckBox(args);
    const int box = GetSystemMetrics(SM_CXMENUCHECK);
    EXPECT_GE(control->Width(), box + TextWidth(control, c.caption));
    EXPECT_EQ(control->Width() > c.width, c.grows);
    // A later, longer caption and a bolder font widen it again.
    control->SetCaption(std::string(c.caption) + " and more words");
    EXPECT_GE(control->Width(), box + TextWidth(control, control->Caption()));
    control->Font().SetStyle(fsBold);
    EXPECT_GE(control->Width(), box + TextWidth(control, control->Caption()));
}

INSTANTIATE_TEST_SUITE_P(
    Controls, CaptionFit,
    ::testing::Values(FitCase{"NarrowRadio", true, 80, "Infrastructure (access point)", true},
                      FitCase{"NarrowCheck", false, 60, "Ad hoc (computer to computer)", true},
                      FitCase{"WideRadioKeepsItsWidth", true, 300, "Short", false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
