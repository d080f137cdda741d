#include "dialogs/Dialogs.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "../ui/UiTestSupport.h"
#include "wlapi/records.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Runs an action from inside the next modal loop (a thread timer fires while it pumps).
std::function<void()> pendingAction;

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto action = std::move(pendingAction);
    pendingAction = nullptr;
    if (action)
        action();
}

void DuringModal(std::function<void()> action)
{
    pendingAction = std::move(action);
    SetTimer(nullptr, 0, 20, RunPendingAction);
}

// The three dialogs as start-up makes them, behind a main window of their own.
class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->CreateForm(mainForm_);
        Application->CreateForm(FormResource);
        BeforeDialogs();
        Application->CreateForm(FormSelectCard);
        Application->CreateForm(FormProgressMsg);
        Application->CreateForm(FormMessageBox);
    }

    void TearDown() override { seams::modalAnswer = nullptr; }
    virtual void BeforeDialogs() {}

    TForm* mainForm_ = nullptr;
};

// ------------------------------------------------------------------------------------------
// Message box

struct AnswerCase {
    int okCancel;
    int answer;
};

std::ostream& operator<<(std::ostream& os, const AnswerCase& c)
{
    return os << (c.okCancel ? "OkCancel" : "OkOnly") << " answered " << c.answer;
}

class MessageBoxAnswer : public DialogsTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(MessageBoxAnswer, ReturnsTheModalResult)
{
    std::string shown;
    seams::modalAnswer = [&](const std::string& what) {
        shown = what;
        return GetParam().answer;
    };
    EXPECT_EQ(GetParam().answer, ShowMessageBox("Radio is off", GetParam().okCancel));
    EXPECT_NE(std::string::npos, shown.find("Radio is off"));
    EXPECT_EQ(GetParam().okCancel, FormMessageBox->m_bOkCancel);
}

INSTANTIATE_TEST_SUITE_P(Seam, MessageBoxAnswer,
                         ::testing::Values(AnswerCase{0, mrOk}, AnswerCase{1, mrOk},
                                           AnswerCase{1, mrCancel}));

TEST(ShowMessageBoxAlone, WithoutTheDialogReturnsZero)
{
    ASSERT_EQ(nullptr, FormMessageBox);
    EXPECT_EQ(0, ShowMessageBox("text", 1));
}

TEST_F(DialogsTest, MessageBoxShowsOnePanelByFlag)
{
    FormMessageBox->m_strMessage = "first";
    FormMessageBox->m_bOkCancel = 0;
    FormMessageBox->Show();
    EXPECT_EQ("first", FormMessageBox->lblMessageText->Caption());
    EXPECT_TRUE(FormMessageBox->PanelOK->Visible());
    EXPECT_FALSE(FormMessageBox->PanelOkCancel->Visible());
    EXPECT_EQ(FormResource->UI_Str->STR_OK, FormMessageBox->BtnOK->Caption());
    FormMessageBox->Hide();

    FormMessageBox->m_bOkCancel = 1;
    FormMessageBox->Show();
    EXPECT_FALSE(FormMessageBox->PanelOK->Visible());
    EXPECT_TRUE(FormMessageBox->PanelOkCancel->Visible());
    EXPECT_EQ("Cancel", FormMessageBox->BtnCancel->Caption());
}

TEST_F(DialogsTest, SecondMessageWhileOneShowsReturnsZeroAndKeepsTheShownText)
{
    FormMessageBox->m_strMessage = "shown";
    FormMessageBox->Show();
    bool asked = false;
    seams::modalAnswer = [&](const std::string&) {
        asked = true;
        return mrOk;
    };
    EXPECT_EQ(0, ShowMessageBox("queued", 1));
    EXPECT_FALSE(asked);
    EXPECT_EQ("shown", FormMessageBox->lblMessageText->Caption());
    EXPECT_EQ("queued", FormMessageBox->m_strMessage);
    EXPECT_EQ(1, FormMessageBox->m_bOkCancel);
}

TEST_F(DialogsTest, MessageAskedWhileTheBoxIsOpenIsNotShown)
{
    int nestedResult = -1;
    std::string captionWhileOpen;
    DuringModal([&] {
        nestedResult = ShowMessageBox("second", 0);
        captionWhileOpen = FormMessageBox->lblMessageText->Caption();
        SendMessageA(FormMessageBox->BtnOK1->Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(mrOk, ShowMessageBox("first", 1));
    EXPECT_EQ(0, nestedResult);
    EXPECT_EQ("first", captionWhileOpen);
    EXPECT_EQ("second", FormMessageBox->m_strMessage);  // kept for the next showing
}

struct ModalLoopCase {
    const char* name;
    int okCancel;
    std::function<void()> user;
    int expected;
};

class MessageBoxModalLoop : public DialogsTest,
                            public ::testing::WithParamInterface<ModalLoopCase> {};

TEST_P(MessageBoxModalLoop, EndsWithTheButtonsResult)
{
    DuringModal(GetParam().user);
    EXPECT_EQ(GetParam().expected, ShowMessageBox("Delete the profile?", GetParam().okCancel));
    EXPECT_FALSE(FormMessageBox->Visible());
}

INSTANTIATE_TEST_SUITE_P(
    UserAction, MessageBoxModalLoop,
    ::testing::Values(
        ModalLoopCase{"Ok", 0, [] { SendMessageA(FormMessageBox->BtnOK->Handle(), BM_CLICK, 0, 0); }, mrOk},
        ModalLoopCase{"OkOfTwo", 1, [] { SendMessageA(FormMessageBox->BtnOK1->Handle(), BM_CLICK, 0, 0); }, mrOk},
        ModalLoopCase{"Cancel", 1, [] { SendMessageA(FormMessageBox->BtnCancel->Handle(), BM_CLICK, 0, 0); }, mrCancel},
        ModalLoopCase{"TitleBarClose", 1, [] { PostMessageA(FormMessageBox->Handle(), WM_CLOSE, 0, 0); }, mrCancel}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------------------------------------
// Progress dialog

class ProgressTest : public DialogsTest {
protected:
    void StartTimed(unsigned duration)
    {
        FormProgressMsg->m_strMessage = "Connecting";
        FormProgressMsg->m_nDuration = duration;
        FormProgressMsg->bUseTimer = 1;
        FormProgressMsg->Show();
    }

    TFormProgressMsg* form() { return FormProgressMsg; }
};

TEST_F(ProgressTest, TimedProgressFillsInTenTicksAndCloses)
{
    StartTimed(120000);
    ASSERT_TRUE(form()->TimerProgress->Enabled());
    EXPECT_EQ(12000u, form()->TimerProgress->Interval());
    EXPECT_EQ("Connecting\n10%", form()->lblMessageText->Caption());
    const int full = form()->ImgProgressBarBack->Width();
    ASSERT_EQ(140, full);
    EXPECT_EQ(full / 10, form()->ImgProgressBar->Width()) << "the bar shows the 10% the label shows";
    for (int tick = 1; tick <= 10; ++tick) {
        ASSERT_TRUE(form()->Visible()) << tick;
        form()->TimerProgress->Tick();
        EXPECT_EQ("Connecting\n" + std::to_string(tick * 10) + "%",
                  form()->lblMessageText->Caption());
        EXPECT_EQ(full * tick / 10, form()->ImgProgressBar->Width()) << tick;
    }
    EXPECT_FALSE(form()->Visible());
    EXPECT_FALSE(form()->TimerProgress->Enabled());
    EXPECT_EQ(0, form()->nProgressBar);
    EXPECT_EQ(12000u, form()->TimerProgress->Interval());
}

TEST_F(ProgressTest, SuccessShortensTheRemainingTicks)
{
    StartTimed(120000);
    for (int tick = 1; tick <= 3; ++tick)
        form()->TimerProgress->Tick();
    form()->Succeed();
    EXPECT_EQ(1, form()->m_bSuccess);
    EXPECT_EQ(100u, form()->TimerProgress->Interval()) << "the next tick does not wait the long interval";
    form()->TimerProgress->Tick();
    EXPECT_EQ(100u, form()->TimerProgress->Interval());
    for (int tick = 5; tick <= 9; ++tick) {
        form()->TimerProgress->Tick();
        EXPECT_EQ(100u, form()->TimerProgress->Interval());
        EXPECT_TRUE(form()->Visible()) << "success never closes at once";
    }
    form()->TimerProgress->Tick();
    EXPECT_FALSE(form()->Visible());
    EXPECT_EQ(0, form()->m_bSuccess);
}

struct ShortCase {
    unsigned duration;
    bool success;
    unsigned expectedInterval;
};

std::ostream& operator<<(std::ostream& os, const ShortCase& c)
{
    return os << c.duration << " ms" << (c.success ? " with success" : "");
}

class ShortProgress : public ProgressTest, public ::testing::WithParamInterface<ShortCase> {};

TEST_P(ShortProgress, IntervalNeverFallsToZero)
{
    StartTimed(GetParam().duration);
    form()->m_bSuccess = GetParam().success ? 1 : 0;
    form()->TimerProgress->Tick();
    EXPECT_EQ(GetParam().expectedInterval, form()->TimerProgress->Interval());
    EXPECT_TRUE(form()->TimerProgress->Enabled());
}

INSTANTIATE_TEST_SUITE_P(Durations, ShortProgress,
                         ::testing::Values(ShortCase{9, false, 1}, ShortCase{0, false, 1},
                                           ShortCase{500, true, 5}, ShortCase{90, true, 1},
                                           ShortCase{1000, true, 100}));

TEST_F(ProgressTest, SuccessBeforeTheDialogShowsRunsTheBarOutAtOnce)
{
    form()->Succeed();
    StartTimed(120000);
    EXPECT_EQ(100u, form()->TimerProgress->Interval());
    EXPECT_EQ(form()->m_nBarBackWidth / 10, form()->ImgProgressBar->Width());
}

TEST_F(ProgressTest, PinTextFollowsThePercentage)
{
    form()->m_strPinText = "PIN 12345670";
    StartTimed(120000);
    EXPECT_EQ("Connecting\n10%   PIN 12345670", form()->lblMessageText->Caption());
    EXPECT_EQ(form()->m_nTextFontSize, form()->lblMessageText->Font().Size());
}

TEST_F(ProgressTest, CloseStopsTheTimerAndForgetsPinAndSuccess)
{
    form()->m_strPinText = "PIN";
    StartTimed(120000);
    form()->m_bSuccess = 1;
    form()->Close();
    EXPECT_FALSE(form()->Visible());
    EXPECT_FALSE(form()->TimerProgress->Enabled());
    EXPECT_EQ(0, form()->m_bSuccess);
    EXPECT_TRUE(form()->m_strPinText.empty());
    EXPECT_EQ("Connecting", form()->m_strMessage);
    EXPECT_EQ(120000u, form()->m_nDuration);
    EXPECT_EQ(1, form()->bUseTimer);
}

TEST_F(ProgressTest, PercentageModeStartsAtZeroAndClosesAtHundred)
{
    form()->m_strMessage = "Working";
    form()->bUseTimer = 0;
    form()->m_strPinText = "PIN";
    form()->Show();
    EXPECT_FALSE(form()->TimerProgress->Enabled());
    EXPECT_EQ("Working\n0%", form()->lblMessageText->Caption());
    form()->SetProgress(50);
    EXPECT_EQ("Working\n50%", form()->lblMessageText->Caption());
    EXPECT_EQ(form()->m_nBarBackWidth / 2, form()->ImgProgressBar->Width());
    EXPECT_TRUE(form()->Visible());
    form()->SetProgress(100);
    EXPECT_FALSE(form()->Visible());
}

unsigned char disconnectedPeer[6];
int disconnectCalls = 0;

int __stdcall RecordDisconnect(const unsigned char* mac6)
{
    std::memcpy(disconnectedPeer, mac6, sizeof disconnectedPeer);
    ++disconnectCalls;
    return -1;  // the dialog does not look at the result
}

TEST_F(ProgressTest, CancelDisconnectsThePeerOfTheWizardAndCloses)
{
    const unsigned char peer[6] = {0x02, 0x11, 0x22, 0x33, 0x44, 0xAB};
    form()->PeerOfConnection = [&](unsigned char (&mac)[6]) { std::memcpy(mac, peer, sizeof peer); };
    VOZEZIV.WVWL_DisConnectWifiDirectPerDevice = RecordDisconnect;
    VOZEZIV.nDebugMode = 6;
    std::vector<std::string> lines;
    seams::logSink = [&](const char* line) { lines.push_back(line); };
    StartTimed(120000);
    ClickControl(form()->BtnProgCancel);
    seams::logSink = nullptr;
    form()->PeerOfConnection = nullptr;

    EXPECT_EQ(1, disconnectCalls);
    EXPECT_EQ(0, std::memcmp(peer, disconnectedPeer, sizeof peer));
    EXPECT_FALSE(form()->Visible());
    EXPECT_FALSE(form()->TimerProgress->Enabled());
    const std::string expected = "MacAddr = 02-11-22-33-44-AB\n";
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(expected) != std::string::npos;
    }));
}

TEST_F(ProgressTest, CancelWithoutTheLibraryOnlyCloses)
{
    VOZEZIV.WVWL_DisConnectWifiDirectPerDevice = nullptr;
    StartTimed(120000);
    ClickControl(form()->BtnProgCancel);
    EXPECT_FALSE(form()->Visible());
}

TEST_F(ProgressTest, PinOnlyShowsThePinAloneInItsFontSize)
{
    VOZEZIV.bProgPinOnly = 1;
    form()->m_nPinFontSize = 14;
    form()->m_strPinText = "12345670";
    StartTimed(120000);
    EXPECT_EQ("12345670", form()->lblMessageText->Caption());
    EXPECT_EQ(14, form()->lblMessageText->Font().Size());
    form()->TimerProgress->Tick();
    EXPECT_EQ("12345670", form()->lblMessageText->Caption());
    form()->SetProgress(20);  // the percentage form never shows the PIN
    EXPECT_EQ("Connecting\n20%", form()->lblMessageText->Caption());
}

TEST_F(ProgressTest, SandGlassRunsThroughTheRepositoryFrames)
{
    StartTimed(120000);
    for (int tick = 0; tick < 12; ++tick) {
        const int frame = form()->nSGIndex;
        form()->TimerProgress->Tick();
        ASSERT_NE(nullptr, form()->m_pSandGlass[frame]);
        EXPECT_EQ(form()->m_pSandGlass[frame]->Bitmap(), form()->ImgSandGlass->Picture().Bitmap());
        EXPECT_EQ((frame + 1) % 10, form()->nSGIndex);
        if (!form()->Visible())
            StartTimed(120000);
    }
    EXPECT_EQ(&FormResource->ImgSG10->Picture(), form()->m_pSandGlass[9]);
}

// A skin file of its own, read when the dialog is created.
class ProgressSkinTest : public ProgressTest {
protected:
    void BeforeDialogs() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "dialogs_skin_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        file_ = folder_ + "\\RoVaza.ini";
        WritePrivateProfileStringA("ProgressMsgBox", "PinFontSize", "5", file_.c_str());
        WritePrivateProfileStringA("ProgressMsgBox", "TextFontSize", "11", file_.c_str());
        WritePrivateProfileStringA("ProgressMsgBox", "ImgSGPos", "0,30,40", file_.c_str());
        WritePrivateProfileStringA("ProgressMsgBox", "ImgProgressBarPos", "1,90,55", file_.c_str());
        WritePrivateProfileStringA("ProgressMsgBox", "BtnProgCancelPos", "1,7", file_.c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, file_.c_str());
        FormResource->SkinFolder = folder_;
    }

    void TearDown() override
    {
        DeleteFileA(file_.c_str());
        RemoveDirectoryA(folder_.c_str());
        ProgressTest::TearDown();
    }

    std::string folder_, file_;
};

TEST_F(ProgressSkinTest, SkinSetsFontSizesAndPlacements)
{
    EXPECT_EQ(8, form()->m_nPinFontSize);
    EXPECT_EQ(11, form()->m_nTextFontSize);
    EXPECT_FALSE(form()->ImgSandGlass->Visible());
    EXPECT_EQ(30, form()->ImgSandGlass->Left());  // hidden, but placed all the same
    EXPECT_EQ(90, form()->ImgProgressBar->Left());
    EXPECT_EQ(55, form()->ImgProgressBarBack->Top());
    EXPECT_TRUE(form()->BtnProgCancel->Visible());
    EXPECT_EQ(240, form()->BtnProgCancel->Left());
}

TEST_F(ProgressTest, MissingSkinGivesTheDefaults)
{
    EXPECT_EQ(8, form()->m_nPinFontSize);
    EXPECT_EQ(8, form()->m_nTextFontSize);
    EXPECT_EQ(80, form()->ImgProgressBar->Left());
    EXPECT_EQ(140, form()->m_nBarBackWidth);
    EXPECT_EQ(FormResource->UI_Str->STR_BtnHintCancel, form()->BtnProgCancel->Hint());
}

// ------------------------------------------------------------------------------------------
// Adapter choice

std::vector<BYTE> AdapterList(const std::vector<std::string>& names)
{
    std::vector<BYTE> buffer(sizeof(uint32_t) + names.size() * sizeof(WLAN_ADAPTER));
    const uint32_t count = static_cast<uint32_t>(names.size());
    std::memcpy(buffer.data(), &count, sizeof count);
    for (std::size_t i = 0; i < names.size(); ++i) {
        WLAN_ADAPTER record{};
        std::snprintf(record.DevDesc, sizeof record.DevDesc, "%s", names[i].c_str());
        std::snprintf(record.HardwareID, sizeof record.HardwareID, "USB\\VID_%zu", i);
        std::snprintf(record.LocationInfo, sizeof record.LocationInfo, "Port %zu", i);
        std::snprintf(record.Manufactory, sizeof record.Manufactory, "Maker %zu", i);
        std::memcpy(buffer.data() + sizeof count + i * sizeof record, &record, sizeof record);
    }
    return buffer;
}

TEST_F(DialogsTest, AdapterChoiceListsEveryAdapterAndShowsTheFirst)
{
    auto list = AdapterList({"Adapter A", "Adapter B", "Adapter C"});
    FormSelectCard->m_pAdapterList = list.data();
    FormSelectCard->Show();
    ASSERT_EQ(3, FormSelectCard->cbBoxFriendlyName->Items().Count());
    EXPECT_EQ("Adapter C", FormSelectCard->cbBoxFriendlyName->Items().Strings(2));
    EXPECT_EQ(0, FormSelectCard->cbBoxFriendlyName->ItemIndex());
    EXPECT_EQ("Adapter A", FormSelectCard->editDeviceDescription->Text());
    EXPECT_EQ("USB\\VID_0", FormSelectCard->editHardwareID->Text());
    EXPECT_EQ("Port 0", FormSelectCard->m_strLocationInfo);
    EXPECT_EQ("Maker 0", FormSelectCard->editManufactory->Text());

    ChooseItem(FormSelectCard->cbBoxFriendlyName, 2);
    EXPECT_EQ(2, FormSelectCard->m_nSelectIndex);
    EXPECT_EQ("Adapter C", FormSelectCard->editDeviceDescription->Text());
    EXPECT_EQ("Maker 2", FormSelectCard->m_strManufactory);
}

TEST_F(DialogsTest, AdapterChoiceForgetsAnIndexFromALongerList)
{
    auto longList = AdapterList({"A", "B", "C"});
    FormSelectCard->m_pAdapterList = longList.data();
    FormSelectCard->Show();
    ChooseItem(FormSelectCard->cbBoxFriendlyName, 2);
    FormSelectCard->Hide();

    auto shortList = AdapterList({"A", "B"});
    FormSelectCard->m_pAdapterList = shortList.data();
    FormSelectCard->Show();
    EXPECT_EQ(0, FormSelectCard->m_nSelectIndex);
    FormSelectCard->Hide();
}

TEST_F(DialogsTest, AdapterChoiceOkTakesTheSelectionInTheModalLoop)
{
    auto list = AdapterList({"A", "B", "C"});
    FormSelectCard->m_pAdapterList = list.data();
    DuringModal([] {
        FormSelectCard->cbBoxFriendlyName->SetItemIndex(1);
        SendMessageA(FormSelectCard->BtnOK->Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(mrOk, FormSelectCard->ShowModal());
    EXPECT_EQ(1, FormSelectCard->m_nSelectIndex);
}

TEST_F(DialogsTest, AdapterChoiceWithoutAListStaysEmptyAndOkGivesZero)
{
    FormSelectCard->m_nSelectIndex = 5;
    FormSelectCard->m_pAdapterList = nullptr;
    FormSelectCard->Show();
    EXPECT_EQ(0, FormSelectCard->cbBoxFriendlyName->Items().Count());
    ClickControl(FormSelectCard->BtnOK);
    EXPECT_EQ(0, FormSelectCard->m_nSelectIndex);
}

TEST_F(DialogsTest, AdapterChoiceThroughTheSeamKeepsTheIndex)
{
    auto list = AdapterList({"A", "B"});
    FormSelectCard->m_pAdapterList = list.data();
    FormSelectCard->m_nSelectIndex = 1;
    seams::modalAnswer = [](const std::string&) { return mrCancel; };
    EXPECT_EQ(mrCancel, FormSelectCard->ShowModal());
    EXPECT_EQ(1, FormSelectCard->m_nSelectIndex);
}

}  // namespace
