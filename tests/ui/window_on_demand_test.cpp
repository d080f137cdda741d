// Windows made on demand: a form never shown has none, answers every call from the state its
// controls keep, and shows exactly that state once its window is made.
#include "UiTestSupport.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "ui/TrackBar.h"
#include <gtest/gtest.h>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string WindowText(HWND hwnd)
{
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string ListText(HWND list, int row, int column)
{
    char text[256] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

// A form whose controls are all set while it has no window.
struct Filled {
    TForm* form = new TForm(nullptr);
    TEdit* edit = new TEdit({form, 10, 10, 120, 21});
    TEdit* password = new TEdit({form, 10, 40, 120, 21});
    TComboBox* combo = new TComboBox({form, 140, 10, 120, 21});
    TComboBox* typed = new TComboBox({form, 140, 40, 120, 21}, csDropDown);
    TCheckBox* check = new TCheckBox({form, 10, 70, 120, 17, "Check"});
    TRadioButton* radioA = new TRadioButton({form, 140, 70, 60, 17, "A"});
    TRadioButton* radioB = new TRadioButton({form, 210, 70, 60, 17, "B"});
    TListView* list = new TListView({form, 10, 100, 250, 100});
    TTrackBar* bar = new TTrackBar({form, 10, 210, 150, 24});
    TButton* off = new TButton({form, 170, 210, 75, 25, "Off"});
    TPanel* hidden = new TPanel({form, 270, 10, 40, 40});
    std::vector<std::string> selections;
    int checkClicks = 0;

    Filled()
    {
        form->SetCaption("Before");
        form->SetClientSize(320, 250);
        edit->SetText("typed text");
        edit->SetReadOnly(true);
        edit->SetMaxLength(12);
        edit->Font().SetStyle(fsBold);
        password->SetPasswordChar('*');
        for (const char* name : {"one", "two", "three"})
            combo->Items().Add(name);
        combo->SetItemIndex(1);
        typed->Items().Add("listed");
        typed->SetText("free");
        check->OnClick = [this](TObject*) { ++checkClicks; };
        check->SetChecked(true);
        radioA->SetChecked(true);
        radioB->SetChecked(true);
        list->AddColumn("Name", 80);
        list->AddColumn("Value", 60);
        list->SetGridLines(true);
        list->SetRowSelect(true);
        list->OnSelectItem = [this](TObject*, TListItem* item, bool on) {
            selections.push_back(item->Caption() + (on ? "+" : "-"));
        };
        for (std::string name : {"r0", "r1", "r2"}) {
            TListItem* item = list->AddItem();
            item->SetCaption(name);
            item->AddSubItem(name + "v");
        }
        list->SetItemIndex(1);
        list->SetItemIndex(2);
        list->InsertItem(0)->SetCaption("first");  // the selection follows its row
        bar->SetRange(0, 20);
        bar->SetPosition(15);
        off->SetEnabled(false);
        hidden->SetVisible(false);
    }
    ~Filled() { delete form; }

    std::vector<TWinControl*> Windows() const
    {
        return {form, edit, password, combo, typed, check, radioA, radioB, list, bar, off, hidden};
    }
    int Made() const
    {
        int made = 0;
        for (TWinControl* w : Windows())
            made += w->HandleAllocated() ? 1 : 0;
        return made;
    }
};

// A 16 by 16 picture of one colour.
TPicture Solid(COLORREF colour)
{
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = 16;
    info.biHeight = 16;
    info.biPlanes = 1;
    info.biBitCount = 32;
    std::vector<BYTE> bytes(sizeof file + sizeof info + 16 * 16 * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = DWORD(bytes.size());
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    for (size_t i = file.bfOffBits; i + 3 < bytes.size(); i += 4) {
        bytes[i] = GetBValue(colour);
        bytes[i + 1] = GetGValue(colour);
        bytes[i + 2] = GetRValue(colour);
        bytes[i + 3] = 0xFF;
    }
    TPicture picture;
    picture.LoadFromMemory(bytes.data(), bytes.size());
    return picture;
}

// The colour at the centre of a list's picture.
COLORREF ListPixel(HIMAGELIST list, int index)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, bitmap);
    ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL);
    const COLORREF colour = GetPixel(dc, 8, 8);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST(WindowOnDemand, AListViewsPicturesAreMadeWithItsWindowInTheirOrder)
{
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* images = new TImageList(form.get(), 16, 16);
    EXPECT_EQ(images->Add(Solid(RGB(255, 0, 0))), 0);
    EXPECT_EQ(images->Add(TPicture()), 1);
    EXPECT_EQ(images->Add(Solid(RGB(0, 0, 255))), 2);
    EXPECT_EQ(images->Count(), 3);
    auto* list = new TListView({form.get(), 10, 10, 200, 100});
    list->SetSmallImages(images);
    list->AddColumn("Name", 100);
    list->AddItem()->SetCaption("row");

    form->Show();
    const auto made = reinterpret_cast<HIMAGELIST>(SendMessageA(list->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made, images->Handle());
    EXPECT_EQ(ImageList_GetImageCount(made), 3);
    EXPECT_EQ(ListPixel(made, 0), RGB(255, 0, 0));
    EXPECT_EQ(ListPixel(made, 2), RGB(0, 0, 255));
    // Added once the list is made: straight in, at the end.
    EXPECT_EQ(images->Add(Solid(RGB(0, 255, 0))), 3);
    EXPECT_EQ(images->Count(), 4);
    EXPECT_EQ(ListPixel(made, 3), RGB(0, 255, 0));
}

TEST(WindowOnDemand, ANeverShownFormHasNoWindowAndAnswersFromItsState)
{
    Filled f;
    EXPECT_EQ(f.Made(), 0);
    EXPECT_EQ(f.form->Caption(), "Before");
    EXPECT_EQ(f.form->ClientWidth(), 320);
    EXPECT_EQ(f.form->ClientHeight(), 250);
    EXPECT_EQ(f.edit->Text(), "typed text");
    EXPECT_TRUE(f.edit->ReadOnly());
    EXPECT_EQ(f.combo->ItemIndex(), 1);
    EXPECT_EQ(f.combo->Text(), "two");
    EXPECT_EQ(f.typed->Text(), "free");
    EXPECT_TRUE(f.check->Checked());
    EXPECT_EQ(f.checkClicks, 1);
    EXPECT_FALSE(f.radioA->Checked());
    EXPECT_TRUE(f.radioB->Checked());
    EXPECT_EQ(f.list->ItemCount(), 4);
    EXPECT_EQ(f.list->ItemIndex(), 3);
    ASSERT_NE(f.list->Selected(), nullptr);
    EXPECT_EQ(f.list->Selected()->Caption(), "r2");
    EXPECT_FALSE(f.list->Item(2)->Selected());
    EXPECT_EQ(f.selections, (std::vector<std::string>{"r1+", "r1-", "r2+"}));
    EXPECT_EQ(f.bar->Position(), 15);
    EXPECT_EQ(f.Made(), 0) << "reading the state made windows";

    // Rows going away take the selection with them, as the window's would.
    f.list->DeleteItem(0);
    EXPECT_EQ(f.list->ItemIndex(), 2);
    f.list->DeleteItem(2);
    EXPECT_EQ(f.list->ItemIndex(), -1);
    f.combo->Items().Clear();
    EXPECT_EQ(f.combo->ItemIndex(), -1);
    EXPECT_EQ(f.Made(), 0);
}

TEST(WindowOnDemand, ShowingMakesEveryWindowWithTheStateSetBefore)
{
    Filled f;
    f.form->Show();
    ASSERT_EQ(f.Made(), int(f.Windows().size()));
    RECT client;
    GetClientRect(f.form->Handle(), &client);
    EXPECT_EQ(WindowText(f.form->Handle()), "Before");
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 250);

    HWND edit = f.edit->Handle();
    EXPECT_EQ(WindowText(edit), "typed text");
    EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 12);
    EXPECT_EQ(SendMessageA(edit, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(f.edit->Font().Handle()));
    EXPECT_EQ(SendMessageA(f.password->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');

    EXPECT_EQ(SendMessageA(f.combo->Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(f.combo->Handle(), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(f.typed->Text(), "free");

    EXPECT_EQ(SendMessageA(f.check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(f.radioA->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(f.radioB->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

    HWND list = f.list->Handle();
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(ListText(list, 0, 0), "first");
    EXPECT_EQ(ListText(list, 3, 0), "r2");
    EXPECT_EQ(ListText(list, 3, 1), "r2v");
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 3);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 80);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 60);
    const DWORD wanted = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES;
    EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & wanted, wanted);
    EXPECT_EQ(f.selections.size(), 3u) << "making the window ran OnSelectItem";

    EXPECT_EQ(SendMessageA(f.bar->Handle(), TBM_GETRANGEMAX, 0, 0), 20);
    EXPECT_EQ(SendMessageA(f.bar->Handle(), TBM_GETPOS, 0, 0), 15);

    EXPECT_FALSE(IsWindowEnabled(f.off->Handle()));
    EXPECT_FALSE(IsWindowVisible(f.hidden->Handle()));
    EXPECT_TRUE(IsWindowVisible(edit));
    RECT r;
    GetWindowRect(list, &r);
    MapWindowPoints(nullptr, f.form->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.right - r.left, 250);
    EXPECT_EQ(r.bottom - r.top, 100);

    // Afterwards the window answers: a click on the check box unchecks it.
    ClickAt(f.check->Handle(), 5, 8);
    EXPECT_FALSE(f.check->Checked());
    EXPECT_EQ(SendMessageA(f.check->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST(WindowOnDemand, AskingForAControlsHandleMakesItsFormsWindowHidden)
{
    Filled f;
    HWND edit = f.edit->Handle();
    ASSERT_TRUE(f.form->HandleAllocated());
    EXPECT_EQ(GetParent(edit), f.form->Handle());
    EXPECT_EQ(f.Made(), int(f.Windows().size()));
    EXPECT_FALSE(IsWindowVisible(f.form->Handle()));
    EXPECT_FALSE(f.form->Visible());
}

// A form whose window is made alone, for messages posted to it, has no child windows until it
// is shown or one of them is asked for; then all come at once, with the state set before and
// in the order the form would have made them.
TEST(WindowOnDemand, AWindowMadeAloneGetsItsChildrenWhenShownOrAskedFor)
{
    for (bool show : {true, false}) {
        SCOPED_TRACE(show ? "shown" : "a child asked for");
        Filled f;
        HWND form = f.form->HandleWithoutChildren();
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(f.form->Handle(), form);
        EXPECT_EQ(f.Made(), 1);
        EXPECT_EQ(GetWindow(form, GW_CHILD), nullptr);
        // Controls made or moved onto it meanwhile wait as well.
        auto* late = new TEdit({f.form, 10, 240, 60, 21});
        late->SetText("late");
        EXPECT_FALSE(late->HandleAllocated());
        f.edit->SetText("changed");
        if (show) {
            f.form->Show();
        } else {
            EXPECT_EQ(GetParent(f.check->Handle()), form);
        }
        EXPECT_EQ(f.Made(), int(f.Windows().size()));
        ASSERT_TRUE(late->HandleAllocated());
        EXPECT_EQ(WindowText(late->Handle()), "late");
        EXPECT_EQ(WindowText(f.edit->Handle()), "changed");
        EXPECT_EQ(SendMessageA(f.list->Handle(), LVM_GETITEMCOUNT, 0, 0), 4);
        EXPECT_EQ(SendMessageA(f.check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
        // Made top first: the first control made is the first child in z-order, the late one last.
        EXPECT_EQ(GetWindow(form, GW_CHILD), f.edit->Handle());
        EXPECT_EQ(GetWindow(late->Handle(), GW_HWNDNEXT), nullptr);
        EXPECT_EQ(IsWindowVisible(form), show ? TRUE : FALSE);
    }
}

TEST(WindowOnDemand, TimersOfANeverShownFormTick)
{
    Filled f;
    auto* timer = new TTimer(f.form);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) { ++ticks; };
    timer->SetInterval(10);
    timer->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    EXPECT_EQ(f.Made(), 0);
}

// Edit a, panels p1 and p2 with an edit each, button b; p1 brought to the front and b sent
// to the back. Returns the names of the windows the focus visits on Tab, from a.
std::vector<std::string> TabOrder(bool windowFirst)
{
    auto* form = new TForm(nullptr);
    if (windowFirst)
        form->Handle();
    std::map<HWND, std::string> names;
    auto* a = new TEdit({form, 10, 10, 100, 21});
    auto* p1 = new TPanel({form, 10, 40, 120, 40});
    auto* e1 = new TEdit({p1, 5, 5, 100, 21});
    auto* p2 = new TPanel({form, 10, 90, 120, 40});
    auto* e2 = new TEdit({p2, 5, 5, 100, 21});
    auto* b = new TButton({form, 10, 140, 75, 25, "B"});
    p1->BringToFront();
    b->SendToBack();
    form->SetClientSize(200, 180);
    form->Show();
    for (auto [control, name] : std::vector<std::pair<TWinControl*, const char*>>{
             {a, "a"}, {e1, "e1"}, {e2, "e2"}, {b, "b"}})
        names[control->Handle()] = name;
    SetForegroundWindow(form->Handle());
    SetFocus(a->Handle());
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        Application->ProcessMessages();
        seen.push_back(names.count(GetFocus()) ? names[GetFocus()] : "?");
    }
    delete form;
    return seen;
}

TEST(WindowOnDemand, TabOrderIsTheSameWhetherTheFormsWindowIsMadeFirstOrWhenShown)
{
    const std::vector<std::string> first = TabOrder(true);
    EXPECT_EQ(first, (std::vector<std::string>{"e2", "b", "e1", "a"}));
    EXPECT_EQ(TabOrder(false), first);
}

}  // namespace
