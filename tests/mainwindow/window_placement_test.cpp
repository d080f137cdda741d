// Where the program's windows open: every window a user reaches from the main window and
// from the Advanced window's test page, opened by clicks, lies on the screen, opens beside or
// over the window that opened it and never at the screen's corner.
#include "mainwindow/program_fixture.h"

#include <string>
#include <vector>

#include "advanced/Form80211nSetting.h"
#include "advanced/FormAdvanced.h"
#include "advanced/FormMFPTest.h"
#include "hotspot/FormHotSpot.h"
#include "mainwindow/FormAbout.h"
#include "mainwindow/FormLinkInfo.h"
#include "mainwindow/FormSiteSurvey.h"
#include "profiles/FormProfile.h"
#include "ui/Seams.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/FormWiFiDisplay.h"
#include "wifidisplay/WiFiDisplayWaning.h"
#include "../ui/Snapshot.h"
#include "../ui/UiTestSupport.h"

namespace {

// Where the window is on the screen, frame included, as the user sees it.
RECT BoundsOf(TForm* form)
{
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    return r;
}

RECT WorkArea()
{
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

long Overlap(const RECT& a, const RECT& b)
{
    RECT both;
    if (!IntersectRect(&both, &a, &b))
        return 0;
    return (both.right - both.left) * (both.bottom - both.top);
}

// One window as it opened: the window a user clicked in to open it, and where it went.
struct Opened {
    std::string name;
    RECT opener;
    RECT bounds;
};

class WindowPlacement : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        // A modal window is shown for a moment and closed again, as a user would.
        seams::modalAnswer = [this](const std::string& what) {
            if (m_modal && what.rfind(m_modal->Name, 0) == 0) {
                m_modal->Show();
                Record(m_modal->Name, m_modalOpener);
                m_modal->Hide();
            }
            return int(mrCancel);
        };
    }

    void TearDown() override
    {
        seams::modalAnswer = nullptr;
        ProgramFixture::TearDown();
    }

    void Record(const std::string& name, TForm* opener)
    {
        TForm* form = dynamic_cast<TForm*>(TWinControl::FromHandle(FindWindowOf(name)));
        ASSERT_NE(form, nullptr) << name;
        m_opened.push_back({name, BoundsOf(opener), BoundsOf(form)});
    }

    static HWND FindWindowOf(const std::string& name)
    {
        for (int i = 0; i < Application->ComponentCount(); ++i) {
            auto* form = dynamic_cast<TForm*>(Application->Components(i));
            if (form && form->Name == name && form->Visible())
                return form->Handle();
        }
        return nullptr;
    }

    // A click on a button of opener that opens form (modal forms through the seam).
    void Open(TForm* opener, TControl* button, TForm* form, bool modal = false)
    {
        ASSERT_NE(form, nullptr);
        if (!button->Visible() || !button->Enabled())
            return;  // not offered in this mode
        m_modal = modal ? form : nullptr;
        m_modalOpener = opener;
        // A click in a window makes it the active one first.
        SetForegroundWindow(opener->Handle());
        SetActiveWindow(opener->Handle());
        ClickControl(button);
        Application->ProcessMessages();
        m_modal = nullptr;
        if (!modal) {
            ASSERT_TRUE(form->Visible()) << form->Name;
            Record(form->Name, opener);
        }
    }

    const Opened* Find(const std::string& name) const
    {
        for (const Opened& o : m_opened)
            if (o.name == name)
                return &o;
        return nullptr;
    }

    std::vector<Opened> m_opened;
    TForm* m_modal = nullptr;
    TForm* m_modalOpener = nullptr;
};

TEST_F(WindowPlacement, EveryWindowOpensOnTheScreenBesideItsOpener)
{
    StartProgram();
    VOZEZIV.bShowTestDialog = 1;
    FormMain->Show();
    Application->ProcessMessages();
    const RECT main = BoundsOf(FormMain);
    ASSERT_FALSE(main.left == 0 && main.top == 0);

    Open(FormMain, FormMain->BtnSiteSurvey, FormSiteSurvey);
    Open(FormMain, FormMain->BtnProfile, FormProfile);
    Open(FormMain, FormMain->BtnLinkInfo, FormLinkInfo);
    Open(FormMain, FormMain->BtnAbout, FormAbout);
    Open(FormMain, FormMain->BtnHotSpot, FormHotSpot);
    Open(FormMain, FormMain->BtnWiFiDisplay, FormWiFiDisplay);
    Open(FormMain, FormMain->BtnWiFiDirect, FormWiFiDirect);
    if (WiFiDisplayWaning->Visible())
        Record(WiFiDisplayWaning->Name, FormMain);
    Open(FormMain, FormMain->BtnAdvanced, FormAdvanced);
    ClickControl(FormAdvanced->TabBtnTest);
    ASSERT_EQ(FormAdvanced->m_pCurrentPage, FormAdvanced->FrameAdvancedTest);
    Open(FormAdvanced, FormAdvanced->FrameAdvancedTest->btn80211nSetting, Form80211nSetting);
    SnapshotIfAsked(GetDesktopWindow(), "placement_80211n_beside_advanced");
    Open(FormAdvanced, FormAdvanced->FrameAdvancedTest->btn80211WTest, FormMFPTest, true);

    for (const char* name : {"FormSiteSurvey", "FormProfile", "FormLinkInfo", "FormAbout", "FormAdvanced",
                             "Form80211nSetting", "FormMFPTest"})
        EXPECT_NE(Find(name), nullptr) << name << " was not opened";

    const RECT work = WorkArea();
    for (const Opened& o : m_opened) {
        RECT inside;
        IntersectRect(&inside, &o.bounds, &work);
        EXPECT_TRUE(EqualRect(&inside, &o.bounds)) << o.name << " at " << Text(o.bounds) << " is not all on "
                                                   << Text(work);
        EXPECT_FALSE(o.bounds.left == 0 && o.bounds.top == 0) << o.name << " opened at the screen's corner";
        const bool touches = o.bounds.left == o.opener.right || o.bounds.right == o.opener.left ||
                             o.bounds.top == o.opener.bottom || o.bounds.bottom == o.opener.top;
        const bool over = Overlap(o.bounds, o.opener) > 0;
        EXPECT_TRUE(touches || over) << o.name << " at " << Text(o.bounds) << " is away from its opener at "
                                     << Text(o.opener);
    }

    // Windows that open side by side do not cover each other.
    const std::pair<const char*, const char*> neighbours[] = {
        {"FormAbout", "FormSiteSurvey"},
        {"Form80211nSetting", "FormAdvanced"},
        {"FormMFPTest", "FormAdvanced"},
    };
    for (const auto& [a, b] : neighbours) {
        const Opened* first = Find(a);
        const Opened* second = Find(b);
        if (first && second) {
            EXPECT_EQ(Overlap(first->bounds, second->bounds), 0)
                << a << " at " << Text(first->bounds) << " covers " << b << " at " << Text(second->bounds);
        }
    }
    if (const Opened* reminder = Find("WiFiDisplayWaning")) {
        EXPECT_EQ(Overlap(reminder->bounds, main), 0) << "the Wi-Fi Display reminder covers the main window";
    }
}

} // namespace
