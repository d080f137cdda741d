#include "UiTestSupport.h"
#include "ui/ExtCtrls.h"
#include "ui/Seams.h"
#include "ui/StdCtrls.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class TFormProbe;
TFormProbe* FormProbe = nullptr;

class TFormProbe : public TForm {
public:
    explicit TFormProbe(TComponent* AOwner) : TForm(AOwner)
    {
        globalSetInConstructor = (FormProbe == this);
        handleInConstructor = Handle() != nullptr;
        SetClientSize(200, 100);
        OnCreate = [this](TObject*) {
            createdWithHandle = IsWindow(Handle()) != 0;
            ++creates;
        };
    }
    bool globalSetInConstructor = false;
    bool handleInConstructor = false;
    bool createdWithHandle = false;
    int creates = 0;
};

TEST(Application, CreateFormSetsGlobalBeforeConstructorAndRunsOnCreateAfter)
{
    Application->CreateForm(FormProbe);
    ASSERT_NE(FormProbe, nullptr);
    EXPECT_TRUE(FormProbe->globalSetInConstructor);
    EXPECT_TRUE(FormProbe->handleInConstructor);
    EXPECT_TRUE(FormProbe->createdWithHandle);
    EXPECT_EQ(FormProbe->creates, 1);
    EXPECT_EQ(Application->MainForm(), FormProbe);
    EXPECT_EQ(FormProbe->ClientWidth(), 200);
    EXPECT_EQ(FormProbe->ClientHeight(), 100);
}

class TFormThrowingCreate : public TForm {
public:
    explicit TFormThrowingCreate(TComponent* AOwner) : TForm(AOwner)
    {
        OnCreate = [](TObject*) { throw Exception("create failed"); };
    }
};
TFormThrowingCreate* FormThrowingCreate = nullptr;

TEST(Application, ExceptionInOnCreateIsShownAndTheFormStillExists)
{
    std::vector<std::string> shown;
    Application->OnException = [&](TObject*, const std::exception& e) { shown.push_back(e.what()); };
    Application->CreateForm(FormThrowingCreate);
    ASSERT_NE(FormThrowingCreate, nullptr);
    EXPECT_EQ(shown, std::vector<std::string>{"create failed"});
}

TEST(Application, ExceptionInClickHandlerStopsAtTheWindowProcedure)
{
    std::vector<std::string> shown;
    Application->OnException = [&](TObject*, const std::exception& e) { shown.push_back(e.what()); };
    auto* form = new TForm(nullptr);
    auto* button = new TButton(form);
    button->OnClick = [](TObject*) { throw std::runtime_error("boom"); };
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(shown, std::vector<std::string>{"boom"});
    delete form;
}

TEST(Application, ShowExceptionUsesModalAnswerSeamWhenNoHandler)
{
    std::string seen;
    seams::modalAnswer = [&](const std::string& what) {
        seen = what;
        return 1;
    };
    Application->ShowException(Exception("bad thing"));
    EXPECT_NE(seen.find("bad thing"), std::string::npos);
    seams::modalAnswer = nullptr;
}

struct ModalCase {
    const char* name;
    bool closeByTitleBar;
    int expected;
};

class ShowModalTest : public ::testing::TestWithParam<ModalCase> {};

TEST_P(ShowModalTest, TimersAndPostedMessagesRunInsideTheModalLoop)
{
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsDialog);
    form->SetClientSize(150, 80);
    int ticks = 0;
    bool closed = false;
    auto* timer = new TTimer(form);
    timer->SetInterval(20);
    timer->OnTimer = [&](TObject*) {
        if (++ticks != 3)
            return;
        if (GetParam().closeByTitleBar)
            PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
        else
            form->SetModalResult(mrOk);
    };
    form->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
    timer->SetEnabled(true);
    int result = form->ShowModal();
    EXPECT_EQ(result, GetParam().expected);
    EXPECT_GE(ticks, 3);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    delete form;
}

INSTANTIATE_TEST_SUITE_P(Results, ShowModalTest,
                         ::testing::Values(ModalCase{"ok", false, mrOk},
                                           ModalCase{"titlebar", true, mrCancel}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Form, ModalAnswerSeamReturnsWithoutShowing)
{
    auto* form = new TForm(nullptr);
    form->Name = "FormAsk";
    bool shown = false;
    form->OnShow = [&](TObject*) { shown = true; };
    std::string what;
    seams::modalAnswer = [&](const std::string& w) {
        what = w;
        return mrCancel;
    };
    EXPECT_EQ(form->ShowModal(), mrCancel);
    seams::modalAnswer = nullptr;
    EXPECT_FALSE(shown);
    EXPECT_NE(what.find("FormAsk"), std::string::npos);
    delete form;
}

TEST(Form, ButtonModalResultEndsModalLoop)
{
    auto* form = new TForm(nullptr);
    auto* ok = new TButton(form);
    ok->ModalResult = mrOk;
    auto* timer = new TTimer(form);
    timer->SetInterval(10);
    timer->OnTimer = [&](TObject*) { SendMessageA(ok->Handle(), BM_CLICK, 0, 0); };
    timer->SetEnabled(true);
    EXPECT_EQ(form->ShowModal(), mrOk);
    delete form;
}

TEST(Form, CloseOfNonModalFormHidesIt)
{
    Application->CreateForm(FormProbe);  // main form: closing it would end the program
    auto* form = new TForm(nullptr);
    int shows = 0;
    form->OnShow = [&](TObject*) { ++shows; };
    form->Show();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(shows, 1);
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(IsWindow(form->Handle()));
    delete form;
}

TEST(Form, AutoSizeFollowsVisibleChildren)
{
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetAutoSize(true);
    auto* image = new TImage(form);
    image->SetBounds(0, 0, 120, 70);
    EXPECT_EQ(form->ClientWidth(), 120);
    EXPECT_EQ(form->ClientHeight(), 70);
    delete form;
}

TEST(Application, TerminateEndsRun)
{
    auto* form = new TForm(nullptr);
    auto* timer = new TTimer(form);
    timer->SetInterval(10);
    timer->OnTimer = [](TObject*) { Application->Terminate(); };
    timer->SetEnabled(true);
    Application->ShowMainForm = false;
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    delete form;
}

}  // namespace

namespace {

class TFormWithTimer : public TForm {
public:
    explicit TFormWithTimer(TComponent* AOwner) : TForm(AOwner)
    {
        timer = new TTimer(this);
        timer->SetInterval(50);
        timer->SetEnabled(true);
    }
    TTimer* timer;
};
TFormWithTimer* FormFirst = nullptr;
TFormWithTimer* FormSecond = nullptr;

TEST(Application, DestroyFormsRunsOnDestroyNewestFirst)
{
    std::vector<std::string> log;
    Application->CreateForm(FormFirst);
    Application->CreateForm(FormSecond);
    FormFirst->OnDestroy = [&](TObject*) { log.push_back("first"); };
    FormSecond->OnDestroy = [&](TObject*) { log.push_back("second"); };
    Application->DestroyForms();
    EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(Application, FormsWithRunningTimersAreDestroyedCleanlyAtExit)
{
    // The forms stay for the exit handler; the process must end without a fault.
    Application->CreateForm(FormFirst);
    Application->CreateForm(FormSecond);
    EXPECT_TRUE(FormSecond->timer->Enabled());
}

}  // namespace

namespace {

std::vector<std::string>* loadLog = nullptr;

class TLoadedImage : public TImage {
public:
    TLoadedImage(TComponent* owner, std::string name) : TImage(owner), name_(std::move(name)) {}
    void Loaded() override { loadLog->push_back(name_ + " loaded"); }

private:
    std::string name_;
};

class TFormLoading : public TForm {
public:
    explicit TFormLoading(TComponent* AOwner) : TForm(AOwner)
    {
        new TLoadedImage(this, "on form");
        auto* page = new TFrame(this);
        new TLoadedImage(page, "on page");
        OnCreate = [](TObject*) { loadLog->push_back("create"); };
    }
};
TFormLoading* FormLoading = nullptr;

TEST(Application, LoadedReachesEveryComponentBeforeOnCreate)
{
    std::vector<std::string> log;
    loadLog = &log;
    Application->CreateForm(FormLoading);
    EXPECT_EQ(log, (std::vector<std::string>{"on form loaded", "on page loaded", "create"}));
}

}  // namespace
