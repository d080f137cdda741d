#include "UiTestSupport.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A shown form with a background image and a smaller image on it, recording events.
class MouseFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 100, 300, 200);
        background = new TImage(form);
        background->SetBounds(0, 0, 300, 200);
        button = new TImage(form);
        button->SetBounds(50, 40, 30, 20);
        Record(background, "bg");
        Record(button, "btn");
        form->Show();
    }
    void TearDown() override { delete form; }

    void Record(TControl* c, const std::string& name)
    {
        c->OnMouseDown = [this, name](TObject*, TMouseButton, TShiftState, int x, int y) {
            log.push_back(name + " down " + std::to_string(x) + "," + std::to_string(y));
        };
        c->OnMouseUp = [this, name](TObject*, TMouseButton, TShiftState, int x, int y) {
            log.push_back(name + " up " + std::to_string(x) + "," + std::to_string(y));
        };
        c->OnMouseMove = [this, name](TObject*, TShiftState, int x, int y) {
            log.push_back(name + " move " + std::to_string(x) + "," + std::to_string(y));
        };
        c->OnClick = [this, name](TObject*) { log.push_back(name + " click"); };
        c->OnMouseEnter = [this, name](TObject*) { log.push_back(name + " enter"); };
        c->OnMouseLeave = [this, name](TObject*) { log.push_back(name + " leave"); };
    }

    TForm* form = nullptr;
    TImage* background = nullptr;
    TImage* button = nullptr;
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST_F(MouseFixture, ClickRunsBeforeMouseUpWithControlCoordinates)
{
    SendMouse(form->Handle(), WM_LBUTTONDOWN, 55, 45, MK_LBUTTON);
    SendMouse(form->Handle(), WM_LBUTTONUP, 56, 46);
    EXPECT_EQ(log, (Log{"btn down 5,5", "btn click", "btn up 6,6"}));
}

TEST_F(MouseFixture, PressedControlKeepsTheMouseAndReleaseOutsideGivesNoClick)
{
    SendMouse(form->Handle(), WM_MOUSEMOVE, 55, 45);
    SendMouse(form->Handle(), WM_LBUTTONDOWN, 55, 45, MK_LBUTTON);
    log.clear();
    SendMouse(form->Handle(), WM_MOUSEMOVE, 150, 100, MK_LBUTTON);
    SendMouse(form->Handle(), WM_LBUTTONUP, 150, 100);
    EXPECT_EQ(log, (Log{"btn leave", "bg enter", "btn move 100,60", "btn up 100,60"}));
}

TEST_F(MouseFixture, DisabledControlGetsEnterAndLeaveButNoMouseInput)
{
    button->SetEnabled(false);
    SendMouse(form->Handle(), WM_MOUSEMOVE, 10, 10);
    SendMouse(form->Handle(), WM_MOUSEMOVE, 55, 45);
    ClickAt(form->Handle(), 55, 45);
    SendMouse(form->Handle(), WM_MOUSEMOVE, 10, 10);
    EXPECT_EQ(log, (Log{"bg enter", "bg move 10,10", "bg leave", "btn enter", "bg move 55,45",
                        "bg down 55,45", "bg click", "bg up 55,45", "btn leave", "bg enter",
                        "bg move 10,10"}));
}

TEST_F(MouseFixture, HiddenControlIsSkipped)
{
    button->SetVisible(false);
    ClickAt(form->Handle(), 55, 45);
    EXPECT_EQ(log, (Log{"bg down 55,45", "bg click", "bg up 55,45"}));
}

TEST_F(MouseFixture, BringToFrontChangesWhichOverlappingControlIsHit)
{
    auto* other = new TImage(form);
    other->SetBounds(40, 30, 30, 30);
    Record(other, "other");
    ClickAt(form->Handle(), 60, 45);
    button->BringToFront();
    ClickAt(form->Handle(), 60, 45);
    EXPECT_EQ(log, (Log{"other down 20,15", "other click", "other up 20,15", "btn down 10,5",
                        "btn click", "btn up 10,5"}));
}

TEST(Buttons, CheckBoxSetFromCodeRunsClickOnlyOnChange)
{
    auto* form = new TForm(nullptr);
    auto* box = new TCheckBox(form);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(box->Handle(), BM_CLICK, 0, 0);  // the user's click toggles
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);
    delete form;
}

TEST(Buttons, RadioButtonCheckedFromCodeUnchecksSiblingsAndRunsItsClick)
{
    auto* form = new TForm(nullptr);
    auto* a = new TRadioButton(form);
    auto* b = new TRadioButton(form);
    std::vector<std::string> log;
    a->OnClick = [&](TObject*) { log.push_back("a " + std::to_string(a->Checked())); };
    b->OnClick = [&](TObject*) { log.push_back("b " + std::to_string(b->Checked())); };
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(SendMessageA(a->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(log, (std::vector<std::string>{"a 1", "b 1"}));
    delete form;
}

TEST(Lists, ComboBoxItemIndexFromCodeRunsNoHandlerAndItemsKeepTheirValue)
{
    auto* form = new TForm(nullptr);
    auto* combo = new TComboBox(form);
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    int code = 42;
    combo->Items().Add("one");
    combo->Items().AddObject("two", &code);
    combo->SetItemIndex(1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "two");
    EXPECT_EQ(combo->Items().Objects(1), &code);
    EXPECT_EQ(combo->Items().IndexOfObject(&code), 1);
    combo->SetItemIndex(5);
    EXPECT_EQ(combo->ItemIndex(), -1);
    delete form;
}

TEST(Lists, ListViewSelectionRunsOnSelectItemButFillingRunsNothing)
{
    auto* form = new TForm(nullptr);
    auto* list = new TListView(form);
    list->AddColumn("", 20);
    list->AddColumn("SSID", 100);
    std::vector<std::string> log;
    list->OnSelectItem = [&](TObject*, TListItem* item, bool selected) {
        log.push_back(item->SubItem(0) + (selected ? " on" : " off"));
    };
    int rows[2] = {7, 8};
    for (int i = 0; i < 2; ++i) {
        TListItem* item = list->AddItem();
        item->SetImageIndex(12);
        item->AddSubItem(i == 0 ? "alpha" : "beta", 3);
        item->Data = &rows[i];
    }
    EXPECT_TRUE(log.empty());
    list->Item(1)->SetSelected(true);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(list->Selected()->Data, &rows[1]);
    list->Item(0)->SetSelected(true);
    EXPECT_EQ(log, (std::vector<std::string>{"beta on", "beta off", "alpha on"}));
    log.clear();
    list->ClearItems();
    EXPECT_EQ(list->ItemCount(), 0);
    EXPECT_TRUE(log.empty());
    delete form;
}

TEST(Timer, IntervalZeroGivesNoTicksAndChangingTheIntervalRearms)
{
    auto* timer = new TTimer(nullptr);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) { ++ticks; };
    timer->SetInterval(0);
    timer->SetEnabled(true);
    PumpUntil([] { return false; }, 150);
    EXPECT_EQ(ticks, 0);
    timer->SetInterval(10);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    timer->SetEnabled(false);
    int seen = ticks;
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(ticks, seen);
    delete timer;
}

TEST(Timer, StartsDisabled)
{
    TTimer timer(nullptr);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
}

TEST(Label, AutoSizeFitsTextAndRightAlignedKeepsRightEdge)
{
    auto* form = new TForm(nullptr);
    auto* label = new TLabel(form);
    label->SetAlignment(taRightJustify);
    label->SetBounds(100, 10, 50, 13);
    label->SetCaption("A much longer caption");
    EXPECT_GT(label->Width(), 50);
    EXPECT_EQ(label->Left() + label->Width(), 150);
    auto* fixed = new TLabel(form);
    fixed->SetAutoSize(false);
    fixed->SetBounds(0, 0, 40, 13);
    fixed->SetCaption("A much longer caption");
    EXPECT_EQ(fixed->Width(), 40);
    delete form;
}

TEST(Frames, PagesSwitchByZOrder)
{
    auto* form = new TForm(nullptr);
    auto* page1 = new TFrame(form);
    auto* page2 = new TFrame(form);
    page1->SetBounds(0, 0, 100, 100);
    page2->SetBounds(0, 0, 100, 100);
    page1->BringToFront();
    EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), page1->Handle());
    page2->BringToFront();
    EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), page2->Handle());
    delete form;
}

TEST(Ownership, DeletingAnOwnerDeletesWhatItOwns)
{
    auto* form = new TForm(nullptr);
    auto* panel = new TPanel(form);
    auto* label = new TLabel(form);
    label->SetParent(panel);
    EXPECT_EQ(panel->ControlCount(), 1);
    EXPECT_EQ(form->ComponentCount(), 2);
    delete label;
    EXPECT_EQ(panel->ControlCount(), 0);
    EXPECT_EQ(form->ComponentCount(), 1);
    delete form;
}

}  // namespace

namespace {

TEST(Buttons, NotificationsReachControlsInsideContainers)
{
    auto* form = new TForm(nullptr);
    auto* group = new TGroupBox(form);
    auto* panel = new TPanel(group);
    auto* radio = new TRadioButton(panel);
    int clicks = 0;
    radio->OnClick = [&](TObject*) { ++clicks; };
    SendMessageA(radio->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(clicks, 1);
    SendMessageA(radio->Handle(), BM_CLICK, 0, 0);  // already checked: no second click
    EXPECT_EQ(clicks, 1);
    delete form;
}

TEST(Edit, TextChangesRunOnChange)
{
    auto* form = new TForm(nullptr);
    auto* edit = new TEdit(form);
    std::vector<std::string> seen;
    edit->OnChange = [&](TObject*) { seen.push_back(edit->Text()); };
    edit->SetText("abc");
    edit->SetReadOnly(true);
    EXPECT_TRUE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(seen, std::vector<std::string>{"abc"});
    delete form;
}

}  // namespace
