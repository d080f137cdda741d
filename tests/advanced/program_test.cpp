// The advanced window in the whole program, on the simulated adapter.
#include <algorithm>
#include <string>

#include "advanced/Form80211nSetting.h"
#include "advanced/FormAdvanced.h"
#include "advanced/FormMFPTest.h"
#include "mainwindow/program_fixture.h"
#include "../ui/UiTestSupport.h"

namespace {

class AdvancedInProgram : public ProgramFixture {
protected:
    bool Logged(const std::string& line) const
    {
        return std::find(m_log.begin(), m_log.end(), "[Wevo][Info] " + line) != m_log.end();
    }
};

TEST_F(AdvancedInProgram, TheMainWindowsButtonShowsItAtItsLeftOnTheCertificatePage)
{
    LoadLibrary();
    VOZEZIV.nDebugMode = 8;
    VOZEZIV.bSupportWAPI = VOZEZIV.bSupportCCX = VOZEZIV.bShowTestDialog = 0;
    VOZEZIV.bSupportWMM = 1;
    CreateWindows();
    EXPECT_TRUE(Logged(" --> TFormAdvanced::FormCreate()\n"));
    EXPECT_TRUE(Logged(" <-- TFormAdvanced::FormCreate()\n"));
    // The test windows exist before the advanced window.
    ASSERT_NE(FormMFPTest, nullptr);
    ASSERT_NE(Form80211nSetting, nullptr);

    FormMain->Show();
    ClickControl(FormMain->BtnAdvanced);
    ASSERT_TRUE(FormAdvanced->Visible());
    EXPECT_EQ(FormAdvanced->Top(), FormMain->Top());
    EXPECT_EQ(FormAdvanced->Left() + FormAdvanced->Width(), FormMain->Left());
    EXPECT_EQ(FormAdvanced->m_pCurrentPage, FormAdvanced->FrameAdvancedCertManagement);
    EXPECT_TRUE(FormAdvanced->TabBtnWMM->Visible());
    EXPECT_EQ(FormAdvanced->TabBtnWMM->Left(), 8 + 24);
    EXPECT_FALSE(FormAdvanced->TabBtnCCX->Visible());
    EXPECT_FALSE(FormAdvanced->TabBtnCertCenter->Visible());
    EXPECT_FALSE(FormAdvanced->TabBtnTest->Visible());

    ClickControl(FormAdvanced->TabBtnWMM);
    EXPECT_EQ(FormAdvanced->m_pCurrentPage, FormAdvanced->FrameAdvancedWMM);
    ClickControl(FormMain->SysBtnClose);
    EXPECT_FALSE(FormAdvanced->Visible());
}

}  // namespace
