// The keys every form handles through the message loop: Tab moves the focus, Enter presses
// the default button, Esc the cancel button.
#include "UiTestSupport.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include <gtest/gtest.h>

namespace {

struct Dialog {
    TForm* form = new TForm(nullptr);
    TEdit* edit = new TEdit({form, 10, 10, 100, 21});
    TCheckBox* check = new TCheckBox({form, 10, 40, 100, 17, "Check"});
    TButton* ok = new TButton({form, 120, 80, 75, 25, "OK"});
    TButton* cancel = new TButton({form, 200, 80, 75, 25, "Cancel"});
    std::vector<std::string> clicks;

    Dialog()
    {
        form->SetBorderStyle(bsDialog);
        form->SetClientSize(300, 120);
        ok->ModalResult = mrOk;
        cancel->ModalResult = mrCancel;
        ok->OnClick = [this](TObject*) { clicks.push_back("ok"); };
        cancel->OnClick = [this](TObject*) { clicks.push_back("cancel"); };
    }
    ~Dialog() { delete form; }
};

struct KeyCase {
    const char* name;
    WPARAM key;
    bool marked;  // OK is Default and Cancel is Cancel
    int result;
    const char* clicked;
};

class DialogKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(DialogKeys, AKeyInAModalFormPressesItsButton)
{
    const KeyCase& c = GetParam();
    Dialog d;
    d.ok->Default = c.marked;
    d.cancel->Cancel = c.marked;
    // The key reaches the edit while the modal loop runs.
    PostMessageA(d.edit->Handle(), WM_KEYDOWN, c.key, 1);
    // Ends the loop when the key is not handled.
    TTimer guard(nullptr);
    guard.SetInterval(2000);
    guard.OnTimer = [&](TObject*) { d.form->SetModalResult(mrAbort); };
    guard.SetEnabled(true);
    const int result = d.form->ShowModal();
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(d.clicks, c.clicked[0] ? std::vector<std::string>{c.clicked} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Keys, DialogKeys,
                         ::testing::Values(KeyCase{"EnterPressesDefault", VK_RETURN, true, mrOk, "ok"},
                                           KeyCase{"EscPressesCancel", VK_ESCAPE, true, mrCancel, "cancel"},
                                           KeyCase{"EscWithoutCancelButtonCloses", VK_ESCAPE, false, mrCancel, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DialogKeys, TabMovesTheFocusThroughTheControlsInOrder)
{
    Dialog d;
    d.form->Show();
    SetForegroundWindow(d.form->Handle());
    SetFocus(d.edit->Handle());
    ASSERT_EQ(GetFocus(), d.edit->Handle());
    std::vector<HWND> seen;
    for (int i = 0; i < 4; ++i) {
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        Application->ProcessMessages();
        seen.push_back(GetFocus());
    }
    const std::vector<HWND> expected = {d.check->Handle(), d.ok->Handle(), d.cancel->Handle(), d.edit->Handle()};
    EXPECT_EQ(seen, expected);
}

TEST(DialogKeys, EnterOnAFocusedButtonPressesThatButton)
{
    Dialog d;
    d.ok->Default = true;
    d.form->Show();
    SetForegroundWindow(d.form->Handle());
    SetFocus(d.cancel->Handle());
    PostMessageA(d.cancel->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    Application->ProcessMessages();
    EXPECT_EQ(d.clicks, std::vector<std::string>{"cancel"});
}

// Picture buttons have no window of their own: the form names them for Enter and Esc.
TEST(DialogKeys, EnterAndEscPressTheFormsWindowlessControlsWhileTheyAreEnabled)
{
    auto* form = new TForm(nullptr);
    auto* edit = new TEdit({form, 10, 10, 100, 21});
    auto* next = new TImage(form);
    auto* cancel = new TImage(form);
    next->SetBounds(10, 40, 20, 20);
    cancel->SetBounds(40, 40, 20, 20);
    std::vector<std::string> clicks;
    next->OnClick = [&](TObject*) { clicks.push_back("next"); };
    cancel->OnClick = [&](TObject*) { clicks.push_back("cancel"); };
    form->DefaultControl = next;
    form->CancelControl = cancel;
    form->Show();
    SetForegroundWindow(form->Handle());
    SetFocus(edit->Handle());
    auto press = [&](WPARAM key) {
        PostMessageA(edit->Handle(), WM_KEYDOWN, key, 1);
        Application->ProcessMessages();
    };
    press(VK_RETURN);
    press(VK_ESCAPE);
    EXPECT_EQ(clicks, (std::vector<std::string>{"next", "cancel"}));
    next->SetEnabled(false);
    cancel->SetVisible(false);
    press(VK_RETURN);
    press(VK_ESCAPE);
    EXPECT_EQ(clicks, (std::vector<std::string>{"next", "cancel"}));
    delete form;
}

} // namespace
