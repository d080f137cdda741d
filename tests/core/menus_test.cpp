#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Helpers.h"
#include "core/WvwlLib.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Seams.h"
#include "ui/StdCtrls.h"

namespace {

std::vector<std::string> Captions(TPopupMenu& menu)
{
    std::vector<std::string> captions;
    for (int i = 0; i < menu.Items()->Count(); ++i)
        captions.push_back(menu.Items()->Items(i)->Caption());
    return captions;
}

}  // namespace

TEST(PopupMenuHelpers, AddRefusesRepeatedCaptionsButNotSeparators)
{
    TPopupMenu menu(nullptr);
    int clicks = 0;
    EXPECT_EQ(AddPopupMenuItem(&menu, 0, "Exit", [&](TObject*) { ++clicks; }), 1);
    EXPECT_EQ(AddPopupMenuItem(&menu, 0, "Launch", nullptr), 1);
    EXPECT_EQ(AddPopupMenuItem(&menu, 1, "-", nullptr), 1);
    EXPECT_EQ(AddPopupMenuItem(&menu, 1, "-", nullptr), 1);
    EXPECT_EQ(AddPopupMenuItem(&menu, 0, "Exit", nullptr), 0);
    EXPECT_EQ(AddPopupMenuItem(&menu, 0, "exit", nullptr), 1);   // case-sensitive
    EXPECT_EQ(AddPopupMenuItem(&menu, 99, "Last", nullptr), 1);  // beyond the end: appended
    EXPECT_EQ(Captions(menu), (std::vector<std::string>{"exit", "Launch", "-", "-", "Exit", "Last"}));

    menu.Items()->Items(FindPopupMenuItem(&menu, "Exit"))->Click();
    EXPECT_EQ(clicks, 1);
}

TEST(PopupMenuHelpers, FindDeleteAndClearGoByCaption)
{
    TPopupMenu menu(nullptr);
    AddPopupMenuItem(&menu, 0, "A", nullptr);
    AddPopupMenuItem(&menu, 1, "B", nullptr);
    AddPopupMenuItem(&menu, 2, "C", nullptr);
    EXPECT_EQ(FindPopupMenuItem(&menu, "B"), 1);
    EXPECT_EQ(FindPopupMenuItem(&menu, "Z"), -1);
    DeletePopupMenuItem(&menu, "B");
    DeletePopupMenuItem(&menu, "Z");
    EXPECT_EQ(Captions(menu), (std::vector<std::string>{"A", "C"}));
    ClearPopupMenu(&menu);
    EXPECT_EQ(menu.Items()->Count(), 0);
}

TEST(PopupMenuHelpers, AddingLogsIndexAndCaption)
{
    std::vector<std::string> lines;
    VOZEZIV.nDebugMode = 6;
    seams::logSink = [&](const char* line) { lines.push_back(line); };
    TPopupMenu menu(nullptr);
    AddPopupMenuItem(&menu, 0, "Exit", [](TObject*) {});
    seams::logSink = nullptr;
    EXPECT_EQ(lines, std::vector<std::string>{"[Wevo][Info]  MenuItem index 0 ; name = Exit ; OnClick = 0x1 \n"});
}

TEST(ComboHelpers, ItemsCarryTheirData)
{
    auto* form = new TForm(nullptr);
    auto* combo = new TComboBox(form);
    int first = 1, second = 2;
    AddComboItem(combo, "one", &first);
    AddComboItem(combo, "two", &second);
    void* data = nullptr;
    GetComboItemData(combo, 1, &data);
    EXPECT_EQ(data, &second);
    EXPECT_EQ(FindComboItemByData(combo, &first), 0);
    EXPECT_EQ(FindComboItemByData(combo, nullptr), -1);
    delete form;
}

TEST(ApplyControlPlacement, VisibilityAndPositionFromText)
{
    auto* form = new TForm(nullptr);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    const struct {
        const char* text;
        bool visible;
        int left;
        int top;
    } cases[] = {
        {"0,0,0", false, 5, 6},      // hidden, not moved
        {"1,10,0", true, 5, 6},      // shown, not moved: one coordinate is 0
        {"1,10,20", true, 10, 20},
        {"1,10", true, 5, 6},        // fewer than three numbers: unchanged
        {"x,1,2", true, 5, 6},
        {"0,-3,7", false, -3, 7},
    };
    for (const auto& c : cases) {
        panel->SetBounds(5, 6, 30, 40);
        panel->SetVisible(true);
        ApplyControlPlacement(panel, c.text);
        EXPECT_EQ(panel->Visible(), c.visible) << c.text;
        EXPECT_EQ(panel->Left(), c.left) << c.text;
        EXPECT_EQ(panel->Top(), c.top) << c.text;
        EXPECT_EQ(panel->Width(), 30) << c.text;
    }
    delete form;
}
