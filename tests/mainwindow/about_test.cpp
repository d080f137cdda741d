// The About box on the simulated adapter: versions, dates, MAC address and the web link.
#include <cstring>
#include <regex>

#include "core/Settings.h"
#include "mainwindow/FormAbout.h"
#include "mainwindow/LinkStatus.h"
#include "program_fixture.h"
#include "resources/FormResource.h"
#include "../ui/UiTestSupport.h"

namespace {

using About = ProgramFixture;

const std::regex kDate("[0-9]{4}-[0-9]{2}-[0-9]{2}");

TEST(AboutTexts, MacAddressIsUpperCaseHexJoinedByHyphens)
{
    const unsigned char mac[6] = {0, 12, 171, 205, 239, 1};
    EXPECT_EQ(LinkBssidText(mac), "00-0C-AB-CD-EF-01");
}

TEST(AboutTexts, VersionOfTheProgramAndTheLibrary)
{
    // Parts above 9 are written in full decimal.
    EXPECT_EQ(TFormAbout::GetFileVersionText(ProgramFolder() + "Wevo.exe"), "1.0.4.12");
    EXPECT_EQ(TFormAbout::GetFileVersionText(ProgramFolder() + "VoZEZIV.dll"), "5.2.8.0");
    EXPECT_EQ(TFormAbout::GetFileVersionText(ProgramFolder() + "Wevo.ini"), "");
    EXPECT_EQ(TFormAbout::GetFileVersionText(ProgramFolder() + "missing.dll"), "");
}

TEST(AboutTexts, DateOfALastWrite)
{
    const std::string path = ProgramFolder() + "about_date.tmp";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SYSTEMTIME noon{2012, 3, 1, 5, 12, 0, 0, 0};  // 5 March 2012, local time
    FILETIME local{}, written{};
    SystemTimeToFileTime(&noon, &local);
    LocalFileTimeToFileTime(&local, &written);
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    EXPECT_EQ(TFormAbout::GetFileDateText(path), "2012-03-05");
    DeleteFileA(path.c_str());
    EXPECT_EQ(TFormAbout::GetFileDateText(path), "");
}

TEST_F(About, ShowsDriverLibraryAndAdapterAddress)
{
    StartProgram();
    FormAbout->Show();
    // The driver is the simulator's library itself.
    EXPECT_EQ(FormAbout->lblDriverVersion->Caption(), "5.2.8.0");
    EXPECT_TRUE(std::regex_match(FormAbout->lblDriverDate->Caption(), kDate));
    EXPECT_EQ(FormAbout->lblMAC->Caption(), "00-0C-43-12-34-56");
    // The test program carries no version information: its rows stay empty.
    EXPECT_EQ(FormAbout->lblUtilityVersion->Caption(), "");
    EXPECT_EQ(FormAbout->lblSDKVersion->Caption(), "");
    const CUISTR& s = *FormResource->UI_Str;
    EXPECT_EQ(FormAbout->lblCaptionText->Caption(), s.STR_BtnHintAbout);
    EXPECT_EQ(FormAbout->lblDriverVersionText->Caption(), s.STR_DRIVER);
    EXPECT_EQ(FormAbout->lblCopyRightText->Caption(), s.STR_COPYRIGHT);
    EXPECT_FALSE(FormAbout->ImgTarnwell->Picture().Empty());
    ClickControl(FormAbout->SysBtnClose);
    EXPECT_FALSE(FormAbout->Visible());
}

TEST_F(About, MissingDriverFileKeepsTheDriverRowAndAFailedAddressReadsZeros)
{
    StartProgram(TScenario().Set("System", "DriverPath", "C:\\windows\\system32\\drivers\\absent.sys"));
    VOZEZIV.WVWL_QueryMacAddrs = [](unsigned char*) __stdcall -> int { return 0; };
    FormAbout->Show();
    EXPECT_EQ(FormAbout->lblDriverVersion->Caption(), "");
    EXPECT_EQ(FormAbout->lblDriverDate->Caption(), "");
    EXPECT_EQ(FormAbout->lblMAC->Caption(), "00-00-00-00-00-00");
}

TEST_F(About, RedirectionIsSwitchedOffOnlyAroundTheDriverOn64BitWindows)
{
    StartProgram(TScenario().Set("System", "IsWow64", "1"));
    FormAbout->Show();
    EXPECT_EQ(FormAbout->lblDriverVersion->Caption(), "5.2.8.0");
    EXPECT_GE(SimCallCount("WVWL_IsWow64"), 1);
    // Redirection is on again: a second showing reads the same files.
    FormAbout->Hide();
    FormAbout->Show();
    EXPECT_EQ(FormAbout->lblDriverVersion->Caption(), "5.2.8.0");
}

TEST_F(About, WebLinkFollowsTheSetting)
{
    StartProgram();
    VOZEZIV.bCompanyWebSiteLink = 0;
    FormAbout->FormCreate(nullptr);
    EXPECT_FALSE(FormAbout->ImgTarnwell->Enabled());
    EXPECT_EQ(FormAbout->ImgTarnwell->Hint(), "");

    VOZEZIV.bCompanyWebSiteLink = 1;
    std::strcpy(VOZEZIV.strCompanyWebSite, "http://www.example.com/");
    FormAbout->FormCreate(nullptr);
    EXPECT_TRUE(FormAbout->ImgTarnwell->Enabled());
    EXPECT_EQ(FormAbout->ImgTarnwell->Hint(), "http://www.example.com/");
}

}  // namespace
