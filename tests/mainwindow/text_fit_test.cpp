// Values and captions show whole: each label's text measured in its own font against its
// size, with the texts the program puts there on the simulated adapter.
#include "mainwindow/program_fixture.h"

#include <fstream>
#include <string>
#include <vector>

#include "mainwindow/FormLinkInfo.h"
#include "mainwindow/FormSiteSurvey.h"
#include "mainwindow/LinkStatus.h"
#include "core/Settings.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "resources/FormResource.h"
#include "support/TextFit.h"
#include "../ui/Snapshot.h"
#include "../ui/UiTestSupport.h"

namespace {

using textfit::LabelCuts;

class TextFit : public ProgramFixture {};

TEST_F(TextFit, SurveyDetailsOfEveryNetworkShowWhole)
{
    StartProgram(TScenario().Set("System", "ScanTimeMs", "30"));
    FormSiteSurvey->TimerReScanOn->SetEnabled(false);
    FormSiteSurvey->TimerSiteSurvey->SetEnabled(false);
    FormSiteSurvey->Show();
    FormSiteSurvey->BtnSiteSurveyRescanClick(nullptr);
    ASSERT_TRUE(PumpUntil([] { return m_bSurveyComplete != 0; }));
    FormSiteSurvey->TimerSiteSurveyTimer(nullptr);
    TListView* list = FormSiteSurvey->lvApList;
    ASSERT_GT(list->ItemCount(), 0);
    bool sawMixedMode = false;
    for (int row = 0; row < list->ItemCount(); ++row) {
        list->Item(row)->SetSelected(true);
        Pump(10);
        const std::string network = list->Item(row)->SubItem(0);
        ASSERT_FALSE(FormSiteSurvey->lblMACAddress->Caption().empty()) << network;
        if (!sawMixedMode && FormSiteSurvey->lblAuthentication->Caption() == "WPA-PSK+WPA2-PSK") {
            sawMixedMode = true;
            SnapshotIfAsked(FormSiteSurvey->Handle(), "survey_details_mixed_mode");
        }
        for (TLabel* label : {FormSiteSurvey->lblMACAddress, FormSiteSurvey->lblAuthentication,
                              FormSiteSurvey->lblEncryption, FormSiteSurvey->lblSSIDText,
                              FormSiteSurvey->lblMACAddressText, FormSiteSurvey->lblAuthenticationText,
                              FormSiteSurvey->lblEncryptionText})
            EXPECT_EQ(LabelCuts(label), "") << network;
        // Every label stays inside its group box.
        for (TLabel* label : {FormSiteSurvey->lblMACAddress, FormSiteSurvey->lblEncryption})
            EXPECT_LE(label->Left() + label->Width(), FormSiteSurvey->grpBoxApDetailInfo->Width() - 4) << network;
    }
    EXPECT_TRUE(sawMixedMode) << "the scene has no WPA-PSK+WPA2-PSK network, the widest value";
    // The widest values the details can show besides the scene's.
    EXPECT_EQ(LabelCuts(FormSiteSurvey->lblAuthentication, "WPA-PSK+WPA2-PSK"), "");
    EXPECT_EQ(LabelCuts(FormSiteSurvey->lblEncryption, "TKIP+AES"), "");
    EXPECT_EQ(LabelCuts(FormSiteSurvey->lblMACAddress, "DD-DD-DD-DD-DD-DD"), "");
}

TEST_F(TextFit, MainWindowAddressAndMaskShowWholeBesideTheirCaptions)
{
    LoadLibrary();
    StoreHomeProfile();
    CreateWindows();
    FormMain->Show();
    FormMain->TimerReconnect->Tick();
    ASSERT_TRUE(PumpUntil([] { return IsLinkConnected(QueryLinkStatus(VOZEZIV, LINK_QUERY_CONNECTION)); }, 15000));
    FormLinkInfo->TimerLinkInfo->Tick();
    ASSERT_FALSE(FormMain->lblIPAddress->Caption().empty());
    if (GetEnvironmentVariableA("WEVO_SHOTS", nullptr, 0)) {
        Pump(1000);  // the window paints its new values as it handles its messages
        SnapshotIfAsked(FormMain->Handle(), "main_connected");
    }
    for (TLabel* label : {FormMain->lblSSID, FormMain->lblTxRate, FormMain->lblChannel, FormMain->lblIPAddress,
                          FormMain->lblIPMask, FormMain->lblIPAddressText, FormMain->lblIPMaskText})
        EXPECT_EQ(LabelCuts(label), "");
    for (TLabel* label : {FormMain->lblIPAddress, FormMain->lblIPMask})
        EXPECT_EQ(LabelCuts(label, "255.255.255.255"), "") << "the longest dotted address";
    // A caption and its value keep a gap; the value ends inside the window.
    const std::pair<TLabel*, TLabel*> pairs[] = {{FormMain->lblIPAddressText, FormMain->lblIPAddress},
                                                 {FormMain->lblIPMaskText, FormMain->lblIPMask}};
    for (const auto& [caption, value] : pairs) {
        const SIZE text = textfit::Measure(caption->Font().Handle(), caption->Caption());
        EXPECT_GE(value->Left() - (caption->Left() + text.cx), 4) << caption->Caption();
        EXPECT_LE(value->Left() + value->Width(), FormMain->ClientWidth() - 4);
    }
}

TEST_F(TextFit, WpsStatusLinesShowWholeInTheirBox)
{
    StartProgram();
    TFormProfileEdit* e = FormProfileEdit;
    e->Show();
    ASSERT_TRUE(e->SwitchPage(e->m_pCurrentPage, e->FrameProfileEditWPSConnect));
    const HWND box = e->FrameProfileEditWPSConnect->editWPSStatus->Handle();
    // Every status text of the language file after either mode's prefix, as the poll shows it.
    std::ifstream in(ProgramFolder() + "Languages\\Wevo_en.ini");
    std::vector<std::string> texts;
    std::string pbc, pin;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t equals = line.find('=');
        if (line.rfind("STR_WPS_STATUS_", 0) != 0 || equals == std::string::npos)
            continue;
        std::string value = line.substr(equals + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        const std::string key = line.substr(0, equals);
        if (key == "STR_WPS_STATUS_PBC")
            pbc = value;
        else if (key == "STR_WPS_STATUS_PIN")
            pin = value;
        else
            texts.push_back(value);
    }
    ASSERT_FALSE(pbc.empty());
    ASSERT_FALSE(texts.empty());
    for (const std::string& text : texts) {
        for (const std::string& prefix : {pbc, pin}) {
            SetWindowTextA(box, (prefix + text).c_str());
            EXPECT_EQ(textfit::WrappedBoxCuts(box, prefix + text), "");
        }
    }
}

TEST_F(TextFit, ProfileListTitleShowsWholeClearOfItsToolbar)
{
    StartProgram();
    FormProfile->Show();
    TLabel* title = FormProfile->lblCaptionText;
    EXPECT_EQ(LabelCuts(title), "");
    SnapshotIfAsked(FormProfile->Handle(), "profile_list_title");
    // Where the centred text is drawn must not meet a toolbar button.
    const SIZE text = textfit::Measure(title->Font().Handle(), title->Caption());
    const int left = title->Left() + (title->Width() - text.cx) / 2;
    const RECT drawn = {left, title->Top(), left + text.cx, title->Top() + text.cy};
    for (TControl* button : {static_cast<TControl*>(FormProfile->BtnProfileAdd),
                             static_cast<TControl*>(FormProfile->BtnProfileWPS), static_cast<TControl*>(FormProfile->SysBtnClose)}) {
        RECT r = button->BoundsRect(), both;
        EXPECT_FALSE(IntersectRect(&both, &drawn, &r)) << "the title meets a toolbar button";
    }
}

} // namespace
