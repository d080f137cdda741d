// The main window as start-up builds it: pictures, labels, buttons, the link
// state, the skin background and a connection made from the stored profile.
#include <fstream>

#include "core/Settings.h"
#include "mainwindow/FormLinkInfo.h"
#include "mainwindow/FormSiteSurvey.h"
#include "profiles/FormProfile.h"
#include "program_fixture.h"
#include "resources/FormResource.h"
#include "../ui/UiTestSupport.h"

namespace {

using MainWindow = ProgramFixture;

TEST_F(MainWindow, ShowsItsPicturesLabelsAndButtons)
{
    StartProgram();
    FormMain->Show();
    Pump(50);
    const CUISTR& s = *FormResource->UI_Str;
    char caption[256] = {};
    GetWindowTextA(FormMain->Handle(), caption, sizeof caption);
    EXPECT_EQ(std::string(caption), s.STR_TARNWELL_CONFIG_TITLE);
    EXPECT_EQ(FormMain->lblCaptionText->Caption(), s.STR_TARNWELL_MAINPAGE_TITLE);
    EXPECT_EQ(FormMain->lblSSIDText->Caption(), s.STR_SSID);
    EXPECT_EQ(FormMain->lblIPMaskText->Caption(), s.STR_MASK);
    EXPECT_FALSE(FormMain->ImgBackground->Picture().Empty());
    EXPECT_EQ(FormMain->ImgBackground->Picture().Width(), FormResource->ImgMainFormBG->Picture().Width());
    for (TControl* c : {static_cast<TControl*>(FormMain->BtnSiteSurvey), static_cast<TControl*>(FormMain->BtnLinkInfo),
                        static_cast<TControl*>(FormMain->BtnProfile), static_cast<TControl*>(FormMain->BtnAdvanced),
                        static_cast<TControl*>(FormMain->BtnAbout), static_cast<TControl*>(FormMain->SysBtnClose)}) {
        EXPECT_TRUE(c->Visible()) << c->Name;
        EXPECT_TRUE(c->Enabled()) << c->Name;
    }
    EXPECT_FALSE(FormMain->BtnSiteSurvey->Picture().Empty());
    EXPECT_FALSE(FormMain->ImgRadioOn->Picture().Empty());
    EXPECT_TRUE(FormMain->BtnWiFiDirect->Visible());
    EXPECT_TRUE(FormMain->BtnWiFiDirect->Enabled());
    // nothing connected yet: the link labels are empty, the disconnected picture shows
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_EQ(FormMain->lblSSID->Caption(), "");
    EXPECT_TRUE(FormMain->ImgLinkQualityDisconnected->Visible());
    EXPECT_FALSE(FormMain->ImgKeyEnable->Visible());
}

TEST_F(MainWindow, CloseOnlyHides)
{
    StartProgram();
    FormMain->Show();
    ClickControl(FormMain->SysBtnClose);
    EXPECT_FALSE(FormMain->Visible());
    EXPECT_FALSE(FormMain->TimerCheckWiFiDirect->Enabled());
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(MainWindow, ConnectsTheStoredWpa2ProfileAndShowsTheNetwork)
{
    LoadLibrary();
    StoreHomeProfile();
    CreateWindows();
    FormMain->Show();
    ASSERT_TRUE(FormMain->TimerReconnect->Enabled());
    FormMain->TimerReconnect->Tick();   // the reconnect after arrival, without its 4 s wait
    auto connected = [] {
        WLAN_STATUS status{};
        VOZEZIV.WVWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{});
        return status.status == WvStatus_Connected;
    };
    ASSERT_TRUE(PumpUntil(connected, 15000));
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_EQ(FormMain->lblSSID->Caption(), "HomeNet");
    EXPECT_EQ(FormMain->lblIPAddress->Caption(), "192.168.1.23");
    EXPECT_EQ(FormMain->lblIPMask->Caption(), "255.255.255.0");
    EXPECT_EQ(FormMain->lblChannel->Caption(), "6 (2437 MHz)");
    EXPECT_FALSE(FormMain->lblTxRate->Caption().empty());
    EXPECT_TRUE(FormMain->ImgKeyEnable->Visible());
    EXPECT_TRUE(FormMain->ImgLinkQuality->Visible());
    EXPECT_FALSE(FormMain->ImgLinkQualityDisconnected->Visible());
}

class SkinBackground : public ProgramFixture {
protected:
    // Runs the program from a folder of its own whose skin file names `file`.
    void StartWithSkin(const std::string& file, const std::string& content)
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "wevoskin" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(m_folder.c_str(), nullptr);
        std::ofstream(m_folder + "RoVaza.ini") << "[MainForm]\r\nImgBackground=" << file << "\r\n";
        if (!content.empty())
            std::ofstream(m_folder + file, std::ios::binary) << content;
        LoadLibrary();
        const std::string folder = m_folder;
        programPathOverride = [folder] { return folder + "Wevo.exe"; };
        CreateWindows();
    }
    void TearDown() override
    {
        programPathOverride = nullptr;
        ProgramFixture::TearDown();
        DeleteFileA((m_folder + "RoVaza.ini").c_str());
        DeleteFileA((m_folder + "bg.bmp").c_str());
        RemoveDirectoryA(m_folder.c_str());
    }
    std::string m_folder;
};

TEST_F(SkinBackground, MissingFileKeepsTheBuiltInPicture)
{
    StartWithSkin("bg.bmp", "");
    EXPECT_FALSE(FormMain->ImgBackground->Picture().Empty());
    EXPECT_EQ(FormMain->ImgBackground->Picture().Width(), FormResource->ImgMainFormBG->Picture().Width());
}

TEST_F(SkinBackground, CorruptFileKeepsTheBuiltInPicture)
{
    StartWithSkin("bg.bmp", "BM this is not a picture");
    EXPECT_FALSE(FormMain->ImgBackground->Picture().Empty());
    EXPECT_EQ(FormMain->ImgBackground->Picture().Width(), FormResource->ImgMainFormBG->Picture().Width());
}

TEST_F(SkinBackground, ValidFileReplacesThePicture)
{
    // a 2 x 1 24-bit bitmap
    auto dword = [](std::string& out, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out += char((v >> (8 * i)) & 0xFF);
    };
    std::string bmp = "BM";
    dword(bmp, 62);
    dword(bmp, 0);
    dword(bmp, 54);
    dword(bmp, 40);
    dword(bmp, 2);
    dword(bmp, 1);
    bmp += std::string("\x01\x00\x18\x00", 4);
    dword(bmp, 0);
    dword(bmp, 8);
    for (int i = 0; i < 4; ++i)
        dword(bmp, 0);
    bmp += std::string(8, '\x7f');
    StartWithSkin("bg.bmp", bmp);
    EXPECT_EQ(FormMain->ImgBackground->Picture().Width(), 2);
}

}  // namespace
