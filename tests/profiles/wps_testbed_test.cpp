// The WPS 2.0 test-bed window on the simulated adapter: what it shows of the version and the
// test-bed bits, and the version switch driven by clicks through the window procedure.
#include "mainwindow/program_fixture.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "../ui/Snapshot.h"
#include "../ui/UiTestSupport.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/FormWPS20WiFiTestBed.h"
#include "ui/Seams.h"

namespace {

class WpsTestBed : public ProgramFixture {
protected:
    void Start(const std::string& version, const std::string& bits)
    {
        StartProgram(TScenario().Set("WPS", "Version", version).Set("WPS", "TestBed", bits));
        seams::modalAnswer = [this](const std::string& what) {
            m_shown.push_back(what);
            return 1;
        };
        FormWPS20WiFiTestBed->Show();
    }

    void TearDown() override
    {
        if (FormWPS20WiFiTestBed && FormWPS20WiFiTestBed->Visible())
            FormWPS20WiFiTestBed->Hide();
        seams::modalAnswer = nullptr;
        ProgramFixture::TearDown();
    }

    // A click on the switch as the system delivers it.
    void ClickSwitch()
    {
        TButton* button = FormWPS20WiFiTestBed->m_btnSwitchWPSVersion;
        SendMessageA(FormWPS20WiFiTestBed->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), LPARAM(button->Handle()));
    }

    std::vector<bool> Checked() const
    {
        TFormWPS20WiFiTestBed* f = FormWPS20WiFiTestBed;
        return {f->m_chkProtoExt->Checked(), f->m_chkProbeReqTwoIE->Checked(), f->m_chkDisableRSNIE->Checked(),
                f->m_chkEnableWSCIE->Checked(), f->m_chkEAPWSCFrag->Checked()};
    }

    std::vector<bool> Enabled() const
    {
        TFormWPS20WiFiTestBed* f = FormWPS20WiFiTestBed;
        return {f->m_chkProtoExt->Enabled(), f->m_chkProbeReqTwoIE->Enabled(), f->m_chkDisableRSNIE->Enabled(),
                f->m_chkEnableWSCIE->Enabled(), f->m_chkEAPWSCFrag->Enabled()};
    }

    std::string Caption() const { return FormWPS20WiFiTestBed->m_btnSwitchWPSVersion->Caption(); }

    std::vector<std::string> m_shown;
};

TEST_F(WpsTestBed, ShowsTheTestBedBitsAndOffersTheOtherVersion)
{
    struct Case {
        const char* version;
        const char* bits;
        const char* caption;
        std::vector<bool> checked;
        std::vector<bool> enabled;
    };
    const Case cases[] = {
        {"0x10", "0x0C", "Switch to WPS version 2.0", {false, false, true, true, false}, {false, false, true, true, false}},
        {"0x20", "0x1F", "Switch to WPS version 1.0", {true, true, true, true, true}, {true, true, true, true, true}},
        {"0x57", "0", "Switch to WPS version 2.0", {false, false, false, false, false}, {true, true, true, true, true}},
    };
    Start("0x10", "0");
    for (const Case& c : cases) {
        FormWPS20WiFiTestBed->Hide();
        VOZEZIV.WVWL_SetWPSVersion(std::stoul(c.version, nullptr, 16));
        VOZEZIV.WVWL_SetWPS20TestBed(std::stoul(c.bits, nullptr, 16));
        FormWPS20WiFiTestBed->Show();
        EXPECT_EQ(Caption(), c.caption) << c.version;
        EXPECT_EQ(Checked(), c.checked) << c.version;
        EXPECT_EQ(Enabled(), c.enabled) << c.version;
    }
}

TEST_F(WpsTestBed, SwitchesBetweenTheVersionsAndTellsTheEditor)
{
    Start("0x57", "0x13");
    ClickSwitch();
    EXPECT_TRUE(m_shown.empty());
    EXPECT_EQ(Caption(), "Switch to WPS version 1.0");
    EXPECT_EQ(FormProfileEdit->m_nWPSVersion, 0x20u);
    EXPECT_NE(SimJournal().find("WVWL_SetWPSVersion(0x00000020) -> 1"), std::string::npos);

    ClickSwitch();
    EXPECT_EQ(Caption(), "Switch to WPS version 2.0");
    EXPECT_EQ(FormProfileEdit->m_nWPSVersion, 0x10u);
    // The options of 2.0 go off; the other two keep their state.
    EXPECT_EQ(Checked(), (std::vector<bool>{false, false, false, false, false}));
    EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, true, true, false}));
}

TEST_F(WpsTestBed, ASwitchTheAdapterDoesNotTakeChangesNothing)
{
    Start("0x10", "0");
    // Accepted, but the version read back is still the old one.
    SimCommand("inject WVWL_SetWPSVersion 1 1");
    ClickSwitch();
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_NE(m_shown[0].find("Switch WPS version failed!"), std::string::npos);
    EXPECT_EQ(Caption(), "Switch to WPS version 2.0");
    EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, true, true, false}));
    // Refused outright.
    SimCommand("inject WVWL_SetWPSVersion 2 0");
    ClickSwitch();
    EXPECT_EQ(m_shown.size(), 2u);
    EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, true, true, false}));
}

// While the window is shown modally, `g_inside` runs once from a timer of the modal loop.
std::function<void()> g_inside;

void CALLBACK RunInside(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (auto inside = std::exchange(g_inside, nullptr))
        inside();
}

class WpsPageVersion : public WpsTestBed {
protected:
    void TearDown() override
    {
        if (FormProfileEdit) {
            FormProfileEdit->StopWPSTimers();
            if (FormProfileEdit->Visible())
                FormProfileEdit->Hide();
        }
        WpsTestBed::TearDown();
    }

    // The profile list's WPS button opens the editor on the WPS page with the test-bed button.
    void OpenWpsPage(const std::string& version)
    {
        StartProgram(TScenario().Set("WPS", "Version", version).Set("Network.Home", "WPSDevicePasswordId", "4"));
        seams::modalAnswer = [this](const std::string& what) {
            m_shown.push_back(what);
            return 1;
        };
        VOZEZIV.bWPS2WiFiTestDialog = 1;
        FormMain->TimerReconnect->SetEnabled(false);
        ASSERT_TRUE(PumpUntil([] {
            const auto* list = reinterpret_cast<const NDIS_802_11_BSSID_LIST_EX*>(VOZEZIV.pRepositBssidList);
            return list && list->NumberOfItems > 0;
        }));
        // The list's WPS button as the profile window receives the click; the editor it
        // prepares is then shown (modal forms answer at once in these tests).
        TWvImage* button = FormProfile->BtnProfileWPS;
        ASSERT_TRUE(button->Enabled());
        const LPARAM at = MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
        SendMessageA(FormProfile->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(FormProfile->Handle(), WM_LBUTTONUP, 0, at);
        ASSERT_TRUE(FormProfile->m_bWPSFromProfile);
        FormProfileEdit->Show();
        ASSERT_TRUE(FormProfileEdit->Visible());
        ASSERT_EQ(FormProfileEdit->m_pCurrentPage, FormProfileEdit->FrameProfileEditWPS);
    }

    // The user opens the test bed from the WPS page, clicks the switch once and closes it;
    // the label as it read while the window was still open.
    std::string SwitchOnceFromThePage()
    {
        TFrameProfileEditWPS* page = FormProfileEdit->FrameProfileEditWPS;
        std::string labelWhileOpen;
        auto answer = seams::modalAnswer;
        g_inside = [&] {
            seams::modalAnswer = answer;  // message boxes of the window are answered again
            ClickControl(FormWPS20WiFiTestBed->m_btnSwitchWPSVersion);
            labelWhileOpen = page->lblWPSVersion->Caption();
            ClickControl(FormWPS20WiFiTestBed->m_btnClose);
        };
        seams::modalAnswer = nullptr;  // the window runs its own modal loop
        SetTimer(nullptr, 0, 10, RunInside);
        ClickControl(page->m_btnWPS2WiFiTest);
        seams::modalAnswer = answer;
        EXPECT_FALSE(FormWPS20WiFiTestBed->Visible());
        return labelWhileOpen;
    }
};

struct VersionCase {
    const char* shot;
    const char* entered;     // the version when the WPS page was entered
    unsigned long adapter;   // the adapter's version when the switch is clicked
    const char* before;
    const char* after;
    unsigned long editor;
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.shot; }

class WpsPageVersionSwitch : public WpsPageVersion, public ::testing::WithParamInterface<VersionCase> {};

// The WPS page's version label follows a switch at once, and shows "Unknown" for a version
// the window does not know.
TEST_P(WpsPageVersionSwitch, ASwitchInTheTestBedUpdatesTheWpsPagesVersionLabel)
{
    const VersionCase& c = GetParam();
    OpenWpsPage(c.entered);
    TFrameProfileEditWPS* page = FormProfileEdit->FrameProfileEditWPS;
    ASSERT_TRUE(page->m_btnWPS2WiFiTest->Visible());
    EXPECT_EQ(page->lblWPSVersion->Caption(), c.before);
    VOZEZIV.WVWL_SetWPSVersion(c.adapter);
    m_shown.clear();
    EXPECT_EQ(SwitchOnceFromThePage(), c.after);
    EXPECT_EQ(page->lblWPSVersion->Caption(), c.after);
    EXPECT_EQ(FormProfileEdit->m_nWPSVersion, c.editor);
    EXPECT_EQ(m_shown.size(), c.adapter == 0x30 ? 1u : 0u);
    SnapshotIfAsked(FormProfileEdit->Handle(), c.shot);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, WpsPageVersionSwitch,
    ::testing::Values(VersionCase{"wps_page_after_switch_to_2", "0x10", 0x10, "1.0", "2.0", 0x20},
                      VersionCase{"wps_page_after_switch_to_1", "0x20", 0x20, "2.0", "1.0", 0x10},
                      VersionCase{"wps_page_after_unknown_version", "0x10", 0x30, "1.0", "Unknown", 0x10}),
    [](const ::testing::TestParamInfo<VersionCase>& info) { return std::string(info.param.shot); });

}  // namespace
