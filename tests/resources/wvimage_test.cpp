// The picture button: which picture it shows as it is pressed, released, entered, left,
// enabled and disabled.
#include "resources/WvImage.h"
#include "resources_fixture.h"

#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Picture i of the fixture is 10 + i pixels wide, so a width tells which one shows.
int Shown(const TWvImage* b) { return b->Picture().Width() - 10; }

class WvImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 8; ++i) {
            auto* image = new TImage(form.get());
            image->SetVisible(false);
            std::string bmp = restest::SolidBmp(10 + i, 12, RGB(20 * i, 100, 200));
            TPicture p;
            p.LoadFromMemory(bmp.data(), bmp.size());
            image->SetPicture(p);
            sources.push_back(image);
        }
    }

    // A button on the form (or on parent) using pictures from the given slots.
    TWvImage* Button(TWvImageStyle style, std::vector<int> slots = {0, 1, 2, 3}, TWinControl* parent = nullptr)
    {
        auto* b = new TWvImage(form.get());
        if (parent)
            b->SetParent(parent);
        b->ImageStyle = style;
        b->ImageSource = gsrcImage;
        for (int s : slots)
            b->SetImage(s, sources[s]);
        b->SetImage0(sources[0]);
        b->SetBounds(10, 10, 20, 20);
        return b;
    }

    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    std::vector<TImage*> sources;
};

TEST_F(WvImageTest, PushButtonShowsPressedWhileDownAndDisabledWhenDisabled)
{
    TWvImage* b = Button(gsPushButton, {0, 1, 3});
    EXPECT_EQ(Shown(b), 0);
    b->MouseDown(mbLeft, ssLeft, 1, 1);
    EXPECT_EQ(Shown(b), 1);
    EXPECT_EQ(b->ImageIndex(), 1);
    b->MouseUp(mbLeft, 0, 1, 1);
    EXPECT_EQ(Shown(b), 0);
    b->SetEnabled(false);
    EXPECT_EQ(Shown(b), 3);
    EXPECT_EQ(b->ImageIndex(), 3);
    b->MouseDown(mbLeft, ssLeft, 1, 1);
    b->MouseUp(mbLeft, 0, 1, 1);
    EXPECT_EQ(Shown(b), 3);
    b->SetEnabled(true);
    EXPECT_EQ(Shown(b), 0);
}

TEST_F(WvImageTest, ClickRunsWhileThePressedPictureShows)
{
    TWvImage* b = Button(gsPushButton, {0, 1, 3});
    int clicks = 0, shownInClick = -1;
    b->OnClick = [&](TObject* sender) {
        ++clicks;
        EXPECT_EQ(sender, b);
        shownInClick = Shown(b);
    };
    LPARAM at = MAKELPARAM(b->Left() + 5, b->Top() + 5);
    SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_EQ(Shown(b), 1);
    SendMessageA(form->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(shownInClick, 1);
    EXPECT_EQ(Shown(b), 0);
}

TEST_F(WvImageTest, ClickHandlerThatDisablesTheButtonLeavesTheDisabledPicture)
{
    TWvImage* b = Button(gsPushButton, {0, 1, 3});
    b->OnClick = [&](TObject*) { b->SetEnabled(false); };
    LPARAM at = MAKELPARAM(b->Left() + 5, b->Top() + 5);
    SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(form->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(Shown(b), 3);
}

TEST_F(WvImageTest, WithoutADisabledPictureDisablingKeepsThePictureAndIndex)
{
    TWvImage* b = Button(gsPushButton, {0, 1});
    b->SetImageIndex(1);
    b->SetEnabled(false);
    EXPECT_EQ(Shown(b), 1);
    EXPECT_EQ(b->ImageIndex(), 1);
    EXPECT_FALSE(b->Enabled());
}

TEST_F(WvImageTest, PlainButtonChangesNothingWhenPressed)
{
    TWvImage* b = Button(gsButton);
    b->MouseDown(mbLeft, ssLeft, 1, 1);
    EXPECT_EQ(Shown(b), 0);
    b->MouseUp(mbLeft, 0, 1, 1);
    EXPECT_EQ(Shown(b), 0);
}

TEST_F(WvImageTest, TabOnAPanelSelectsItselfAndResetsTheOtherTabsOfItsGroup)
{
    auto* panel = new TPanel(form.get());
    panel->SetBounds(0, 0, 200, 100);
    TWvImage* a = Button(gsTabButton, {0, 1, 3}, panel);
    TWvImage* b = Button(gsTabButton, {0, 1, 3}, panel);
    TWvImage* other = Button(gsTabButton, {0, 1, 3}, panel);
    TWvImage* push = Button(gsPushButton, {0, 1, 3}, panel);
    a->Tag = b->Tag = push->Tag = 1;
    other->Tag = 2;
    b->SetImageIndex(1);
    other->SetImageIndex(1);
    push->SetImageIndex(1);

    a->MouseDown(mbLeft, ssLeft, 1, 1);
    EXPECT_EQ(Shown(a), 1);
    EXPECT_EQ(Shown(b), 0);
    EXPECT_EQ(Shown(other), 1);  // another group
    EXPECT_EQ(Shown(push), 1);   // not a tab
    a->MouseUp(mbLeft, 0, 1, 1);
    EXPECT_EQ(Shown(a), 1);      // a tab stays selected
}

TEST_F(WvImageTest, TabDirectlyOnAWindowChangesOnlyItself)
{
    TWvImage* a = Button(gsTabButton, {0, 1});
    TWvImage* b = Button(gsTabButton, {0, 1});
    b->SetImageIndex(1);
    a->MouseDown(mbLeft, ssLeft, 1, 1);
    EXPECT_EQ(Shown(a), 1);
    EXPECT_EQ(Shown(b), 1);
}

TEST_F(WvImageTest, MouseOverEffectShowsPictureTwoWhileInside)
{
    TWvImage* b = Button(gsPushButton);
    b->MouseOverEffect = true;
    int entered = 0, left = 0;
    b->OnMouseEnter = [&](TObject*) { ++entered; };
    b->OnMouseLeave = [&](TObject*) { ++left; };
    TMessage enter{CM_MOUSEENTER, 0, 0, 0}, leave{CM_MOUSELEAVE, 0, 0, 0};
    b->Dispatch(enter);
    EXPECT_TRUE(b->m_bMouseInside);
    EXPECT_EQ(Shown(b), 2);
    b->Dispatch(leave);
    EXPECT_FALSE(b->m_bMouseInside);
    EXPECT_EQ(Shown(b), 0);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);

    // disabled: only the inside mark changes, no events
    b->SetEnabled(false);
    b->Dispatch(enter);
    EXPECT_TRUE(b->m_bMouseInside);
    EXPECT_EQ(Shown(b), 3);
    EXPECT_EQ(entered, 1);
    // enabling while the mouse is inside shows the pressed picture
    b->SetEnabled(true);
    EXPECT_EQ(Shown(b), 1);
}

TEST_F(WvImageTest, WithoutMouseOverEffectEnterAndLeaveOnlyCallTheEvents)
{
    TWvImage* b = Button(gsPushButton);
    int entered = 0;
    b->OnMouseEnter = [&](TObject*) { ++entered; };
    b->CMMouseEnter();
    EXPECT_EQ(Shown(b), 0);
    EXPECT_EQ(entered, 1);
    b->CMMouseLeave();
    EXPECT_EQ(Shown(b), 0);
}

TEST_F(WvImageTest, IndexOutsideZeroToSevenIsIgnored)
{
    TWvImage* b = Button(gsPushButton, {0, 1, 2, 3, 4, 5, 6, 7});
    b->SetImageIndex(7);
    EXPECT_EQ(Shown(b), 7);
    for (int index : {8, -1, 100, -2147483647 - 1}) {
        b->SetImageIndex(index);
        EXPECT_EQ(Shown(b), 7) << index;
        EXPECT_EQ(b->ImageIndex(), 7) << index;
    }
    b->SetImage(8, sources[1]);
    b->SetImage(-1, sources[1]);
    EXPECT_EQ(b->GetImage(8), nullptr);
    EXPECT_EQ(b->GetImage(-1), nullptr);
    EXPECT_EQ(b->GetImage(7), sources[7]);
}

TEST_F(WvImageTest, SlotThatNamesNoControlLeavesPictureAndIndex)
{
    TWvImage* b = Button(gsPushButton, {0, 1});
    b->SetImageIndex(1);
    b->SetImageIndex(5);
    EXPECT_EQ(Shown(b), 1);
    EXPECT_EQ(b->ImageIndex(), 1);
}

TEST_F(WvImageTest, SettingImage0ShowsItAtOnce)
{
    TWvImage* b = Button(gsPushButton, {0, 1});
    b->SetImageIndex(1);
    b->SetImage0(sources[6]);
    EXPECT_EQ(Shown(b), 6);
    EXPECT_EQ(b->ImageIndex(), 0);
    EXPECT_EQ(b->Image0(), sources[6]);
}

TEST_F(WvImageTest, LoadedShowsThePictureOfTheCurrentIndex)
{
    auto* b = new TWvImage(form.get());
    b->ImageSource = gsrcImage;
    b->SetImage(0, sources[4]);
    EXPECT_TRUE(b->Picture().Empty());
    b->Loaded();
    EXPECT_EQ(Shown(b), 4);
}

TEST_F(WvImageTest, ImageListSourceShowsTheListsPicture)
{
    auto* list = new TImageList(form.get(), 16, 16);
    const COLORREF colors[] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 200, 0)};
    for (COLORREF c : colors) {
        std::string bmp = restest::SolidBmp(16, 16, c);
        TPicture p;
        p.LoadFromMemory(bmp.data(), bmp.size());
        list->Add(p);
    }
    auto* b = new TWvImage(form.get());
    b->ImageSource = gsrcImageList;
    b->SetImageIndex(1);  // no list yet: nothing
    EXPECT_TRUE(b->Picture().Empty());
    EXPECT_EQ(b->ImageIndex(), 0);

    b->SetImageList(list);
    EXPECT_EQ(b->Picture().Pixel(8, 8), colors[0]);
    b->SetImageIndex(2);
    EXPECT_EQ(b->ImageIndex(), 2);
    EXPECT_EQ(b->Picture().Pixel(8, 8), colors[2]);
    b->SetImageIndex(6);  // beyond the list
    EXPECT_EQ(b->ImageIndex(), 2);
}

}  // namespace
