#include "UiTestSupport.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Seams.h"
#include "ui/StdCtrls.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

COLORREF PixelOf(HWND hwnd, int x, int y)
{
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

TEST(Paint, WindowlessControlsAreTransparentOverTheBackgroundPicture)
{
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(200, 200, 100, 60);
    auto* background = new TImage(form);
    background->SetAutoSize(true);
    background->SetPicture(MakePicture(100, 60, [](int, int) { return RGB(0, 0, 255); }));
    auto* label = new TLabel(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 40, 20);
    label->SetCaption(".");
    auto* image = new TImage(form);
    image->SetBounds(60, 20, 20, 20);
    // Left half red, right half the background's blue is not drawn by a narrower control.
    image->SetPicture(MakePicture(40, 20, [](int x, int) { return x < 20 ? RGB(255, 0, 0) : RGB(0, 255, 0); }));
    form->Show();
    UpdateWindow(form->Handle());
    EXPECT_EQ(PixelOf(form->Handle(), 45, 25), RGB(0, 0, 255));  // inside the label, no text
    EXPECT_EQ(PixelOf(form->Handle(), 70, 30), RGB(255, 0, 0));  // the image
    EXPECT_EQ(PixelOf(form->Handle(), 85, 30), RGB(0, 0, 255));  // beyond the image's width
    image->SetVisible(false);
    UpdateWindow(form->Handle());
    EXPECT_EQ(PixelOf(form->Handle(), 70, 30), RGB(0, 0, 255));
    delete form;
}

// An owner-drawn list draws each row's pictures from its image list: after the rows' data and
// after the pictures themselves change, a repaint shows the new ones, not copies kept from before.
TEST(Paint, OwnerDrawnListRowsShowTheirCurrentPictures)
{
    const auto solid = [](COLORREF colour) { return MakePicture(16, 16, [colour](int, int) { return colour; }); };
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(200, 200, 200, 100);
    auto* images = new TImageList(form, 16, 16);
    images->Add(solid(RGB(255, 0, 0)));
    images->Add(solid(RGB(0, 255, 0)));
    auto* list = new TListView(form, true);
    list->SetBounds(0, 0, 200, 100);
    list->SetShowColumnHeaders(false);
    list->SetOwnerDraw(true);
    list->SetColor(RGB(255, 255, 255));
    list->SetSmallImages(images);
    list->AddColumn("", 20);
    list->AddColumn("", 60);
    list->AddColumn("", 20);
    int picture = 0;
    list->OnData = [&picture](TObject*, TListItem* item) {
        item->AddSubItem("a text far too long for its column", -1);
        item->AddSubItem("", item->Index() == 1 ? picture : -1);
    };
    list->SetItemCount(3);
    form->Show();
    UpdateWindow(list->Handle());
    RECT row{};
    row.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageA(list->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)));
    const int x = 20 + 60 + 2 + 8, y = (row.top + row.bottom) / 2;
    EXPECT_EQ(PixelOf(list->Handle(), x, y), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(list->Handle(), x, y - (row.bottom - row.top)), RGB(255, 255, 255));  // row 0: none

    picture = 1;
    list->UpdateItems(1, 1);
    UpdateWindow(list->Handle());
    EXPECT_EQ(PixelOf(list->Handle(), x, y), RGB(0, 255, 0));

    images->Clear();
    images->Add(solid(RGB(0, 0, 255)));
    images->Add(solid(RGB(255, 255, 0)));
    list->UpdateItems(0, 2);
    UpdateWindow(list->Handle());
    EXPECT_EQ(PixelOf(list->Handle(), x, y), RGB(255, 255, 0));

    // The list still answers each cell's whole text.
    char text[64] = {};
    LVITEMA cell{};
    cell.iSubItem = 1;
    cell.pszText = text;
    cell.cchTextMax = sizeof text;
    SendMessageA(list->Handle(), LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&cell));
    EXPECT_STREQ(text, "a text far too long for its column");
    delete form;
}

BOOL CALLBACK FindTooltipProc(HWND hwnd, LPARAM lp)
{
    char name[64];
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lp) = hwnd;
    return FALSE;
}

HWND FindTooltip()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTooltipProc, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string ToolText(HWND tip, HWND owner)
{
    char text[256] = {};
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = owner;
    info.uId = 1;
    info.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    return text;
}

TEST(Hint, HoveringAWindowlessControlShowsItsHintOnlyWhenShowHintIsSet)
{
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(200, 200, 200, 100);
    auto* with = new TImage(form);
    with->SetBounds(10, 10, 30, 30);
    with->SetHint("Close");
    with->SetShowHint(true);
    auto* without = new TImage(form);
    without->SetBounds(100, 10, 30, 30);
    without->SetHint("Hidden");
    form->Show();
    SendMouse(form->Handle(), WM_MOUSEMOVE, 20, 20);
    HWND tip = FindTooltip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(ToolText(tip, form->Handle()), "Close");
    SendMouse(form->Handle(), WM_MOUSEMOVE, 110, 20);
    EXPECT_EQ(ToolText(tip, form->Handle()), "");
    delete form;
}

TEST(Hint, ControlsFollowTheirParentsShowHintUntilTheyChooseThemselves)
{
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(200, 200, 200, 100);
    form->SetShowHint(true);
    auto* inherits = new TImage(form);
    inherits->SetBounds(10, 10, 30, 30);
    inherits->SetHint("Help");
    auto* refuses = new TImage(form);
    refuses->SetBounds(100, 10, 30, 30);
    refuses->SetHint("Quiet");
    refuses->SetShowHint(false);
    form->Show();
    SendMouse(form->Handle(), WM_MOUSEMOVE, 20, 20);
    HWND tip = FindTooltip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(ToolText(tip, form->Handle()), "Help");
    SendMouse(form->Handle(), WM_MOUSEMOVE, 110, 20);
    EXPECT_EQ(ToolText(tip, form->Handle()), "");
    inherits->SetHint("Changed");
    SendMouse(form->Handle(), WM_MOUSEMOVE, 20, 20);
    EXPECT_EQ(ToolText(tip, form->Handle()), "Changed");
    delete form;
}

// The tip appears from hovering alone: the pointer rests over the control and no button is
// pressed, in a window that was never clicked or activated.
TEST(Hint, RestingThePointerOverAControlShowsItsTip)
{
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(200, 200, 200, 100);
    auto* image = new TImage(form);
    image->SetBounds(10, 10, 30, 30);
    image->SetHint("Close");
    image->SetShowHint(true);
    form->Show();
    POINT p = {20, 20};
    ClientToScreen(form->Handle(), &p);
    SetCursorPos(p.x, p.y);
    // One move onto the control, then the pointer stays still.
    SendMouse(form->Handle(), WM_MOUSEMOVE, 20, 20);
    HWND tip = FindTooltip();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(tip) != FALSE; }, 10000));
    delete form;
}

TEST(Menu, PopupRunsTheChosenItemsClickBeforeReturning)
{
    TPopupMenu menu(nullptr);
    auto* first = new TMenuItem(&menu);
    first->SetCaption("First");
    auto* separator = new TMenuItem(&menu);
    separator->SetCaption("-");
    auto* second = new TMenuItem(&menu);
    second->SetCaption("Second");
    menu.Items()->Add(first);
    menu.Items()->Add(second);
    menu.Items()->Insert(1, separator);
    EXPECT_EQ(menu.Items()->IndexOf(second), 2);
    std::vector<std::string> log;
    second->OnClick = [&](TObject*) { log.push_back("second"); };
    TPopupMenu::chooseOverride = [&](TPopupMenu* m) { return m->Items()->Items(2); };
    menu.Popup(0, 0);
    log.push_back("returned");
    TPopupMenu::chooseOverride = nullptr;
    EXPECT_EQ(log, (std::vector<std::string>{"second", "returned"}));
    delete separator;
    EXPECT_EQ(menu.Items()->Count(), 2);
}

TEST(Menu, RealMenuReturnsWhenClosedAndTimersRunMeanwhile)
{
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem(&menu);
    item->SetCaption("Item");
    bool clicked = false;
    item->OnClick = [&](TObject*) { clicked = true; };
    menu.Items()->Add(item);
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(20);
    timer.OnTimer = [&](TObject*) {
        if (++ticks == 3)
            EndMenu();
    };
    timer.SetEnabled(true);
    menu.Popup(300, 300);
    EXPECT_GE(ticks, 3);
    EXPECT_FALSE(clicked);
}

// A menu opened with no window of the program in front (as from the notification area):
// its owner comes to the front while the menu is open, so keys reach the menu, and gets a
// null message afterwards, so the next right-click opens the menu at once.
TEST(Menu, OwnerIsInFrontWhileOpenAndGetsANullMessageAfter)
{
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem(&menu);
    item->SetCaption("Item");
    menu.Items()->Add(item);
    const HWND owner = Application->Handle();
    MSG stale;
    while (PeekMessageA(&stale, owner, WM_NULL, WM_NULL, PM_REMOVE)) {
    }
    HWND inFront = nullptr;
    TTimer timer(nullptr);
    timer.SetInterval(20);
    timer.OnTimer = [&](TObject*) {
        if (inFront)
            return;
        inFront = GetForegroundWindow();
        EndMenu();
    };
    timer.SetEnabled(true);
    menu.Popup(300, 300);
    timer.SetEnabled(false);
    EXPECT_EQ(inFront, owner);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, owner, WM_NULL, WM_NULL, PM_REMOVE));
}

TEST(Menu, RightClickOnAWindowlessControlPopsItsMenu)
{
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(200, 200, 100, 100);
    auto* image = new TImage(form);
    image->SetBounds(0, 0, 50, 50);
    auto* menu = new TPopupMenu(form);
    image->PopupMenu = menu;
    TComponent* poppedFor = nullptr;
    TPopupMenu::chooseOverride = [&](TPopupMenu* m) {
        poppedFor = m->PopupComponent;
        return static_cast<TMenuItem*>(nullptr);
    };
    form->Show();
    SendMouse(form->Handle(), WM_RBUTTONDOWN, 10, 10, MK_RBUTTON);
    SendMouse(form->Handle(), WM_RBUTTONUP, 10, 10);
    TPopupMenu::chooseOverride = nullptr;
    EXPECT_EQ(poppedFor, image);
    delete form;
}

TEST(Form, CloseHandlersCanRefuse)
{
    auto* form = new TForm(nullptr);
    bool allow = false;
    TCloseAction chosen = caNone;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    form->OnClose = [&](TObject*, TCloseAction& action) { action = chosen; };
    form->Show();
    form->Close();
    EXPECT_TRUE(form->Visible());  // the query refused
    allow = true;
    form->Close();
    EXPECT_TRUE(form->Visible());  // OnClose chose caNone
    chosen = caHide;
    form->Close();
    EXPECT_FALSE(form->Visible());
    delete form;
}

TEST(Seams, ClockSleepAndMessageBoxFollowTheirOverrides)
{
    seams::clockOverride = [] { return DWORD(1234); };
    DWORD slept = 0;
    seams::sleepOverride = [&](DWORD ms) { slept += ms; };
    seams::modalAnswer = [](const std::string& text) { return text == "Sure?" ? IDYES : IDNO; };
    EXPECT_EQ(seams::Now(), 1234u);
    seams::Sleep(250);
    EXPECT_EQ(slept, 250u);
    EXPECT_EQ(Application->MessageBox("Sure?", "Title", MB_YESNO), IDYES);
    seams::localeOverride = [] { return std::make_pair(std::string("de"), std::string("DE")); };
    EXPECT_EQ(seams::LocaleNames().first, "de");
    seams::clockOverride = nullptr;
    seams::sleepOverride = nullptr;
    seams::modalAnswer = nullptr;
    seams::localeOverride = nullptr;
    EXPECT_FALSE(seams::LocaleNames().first.empty());
    std::vector<std::string> lines;
    seams::logSink = [&](const char* line) { lines.push_back(line); };
    seams::Log("hello\n");
    seams::logSink = nullptr;
    EXPECT_EQ(lines, std::vector<std::string>{"hello\n"});
}

}  // namespace
