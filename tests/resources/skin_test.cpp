// The skin file "RoVaza.ini": pictures and positions it overrides, and bad skins.
#include "resources/FormResource.h"
#include "resources_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/WvwlLib.h"
#include "ui/Seams.h"

namespace {

using restest::TempFolder;

struct PictureRow {
    const char* name;
    const char* format;
    int width;
    int height;
};

const PictureRow kPictures[] = {
#include "pictures_table.h"
};

// Files a skin can name, each of a size no built-in picture of its slot has.
void WriteSkinFiles(const TempFolder& folder)
{
    folder.Write("skin\\prof.jpg", restest::ResourceBytes("ImgAboutFormBG"));     // 408 x 245 JPEG
    folder.Write("skin\\icon16.ico", restest::ResourceBytes("ImgSiteSurveyWPS"));  // 16 x 16 icon
    folder.Write("skin\\glass.jpg", restest::ResourceBytes("ImgSG01"));           // 47 x 47 JPEG
    folder.Write("skin\\play.png", restest::ResourceBytes("ImgBtnPlay_Normal"));   // 32 x 32 PNG
    folder.Write("skin\\a.bmp", restest::SolidBmp(30, 31, RGB(10, 20, 30)));
    folder.Write("skin\\b.bmp", restest::SolidBmp(40, 41, RGB(40, 50, 60)));
    folder.Write("skin\\bad.jpg", std::string("\xFF\xD8\xFF this is no picture at all", 30));
}

class SkinTest : public ::testing::Test {
protected:
    void SetUp() override { WriteSkinFiles(folder); }

    // Builds the repository, writes the skin file (unless null) and applies it.
    void Apply(const char* ini)
    {
        if (ini)
            folder.Write("RoVaza.ini", ini);
        form->SkinFolder = folder.Path();
        form->LoadSkin();
    }

    TImage* Picture(const std::string& name) const
    {
        for (const auto& [n, image] : form->Pictures())
            if (name == n)
                return image;
        ADD_FAILURE() << "no picture " << name;
        return form->ImgTarnwell;
    }

    void ExpectSize(const std::string& name, int w, int h) const
    {
        const TPicture& p = Picture(name)->Picture();
        EXPECT_EQ(p.Width(), w) << name;
        EXPECT_EQ(p.Height(), h) << name;
    }

    // Every picture as built in, every position picture at 0, 0.
    void ExpectDefaults() const
    {
        for (size_t i = 0; i < form->Pictures().size(); ++i)
            ExpectSize(kPictures[i].name, kPictures[i].width, kPictures[i].height);
        for (const auto& k : TFormResource::SkinKeys()) {
            if (!k.position)
                continue;
            EXPECT_EQ(Picture(k.picture)->Left(), 0) << k.key;
            EXPECT_EQ(Picture(k.picture)->Top(), 0) << k.key;
        }
    }

    TempFolder folder;
    std::unique_ptr<TFormResource> form = std::make_unique<TFormResource>(nullptr);
};

TEST_F(SkinTest, PictureKeysReplaceTheirPicturesFromFilesBesideTheProgram)
{
    Apply("[MainForm]\n"
          "ImgProfile_Normal=skin\\prof.jpg\n"
          "ImgLinkInfo_Disabled=skin\\a.bmp\n"
          "ImgBtnWiFiDisplay_Down=skin\\play.png\n"
          "[SiteSurveyForm]\n"
          "Img_WPS=skin\\glass.jpg\n"
          "[TrayIcon]\n"
          "ImgTrayIcon_Good=skin\\icon16.ico\n");
    ExpectSize("ImgBtnProfile_Normal", 408, 245);
    ExpectSize("ImgBtnLinkInfo_Disabled", 30, 31);
    ExpectSize("ImgBtnWiFiDisplay_Down", 32, 32);
    EXPECT_TRUE(form->ImgBtnWiFiDisplay_Down->Picture().HasAlpha());
    ExpectSize("ImgSiteSurveyWPS", 47, 47);
    ExpectSize("ImgTrayIconGood", 16, 16);
    EXPECT_TRUE(form->ImgTrayIconGood->Picture().IsIcon());
    // pictures without a key in the file keep their built-in pictures
    ExpectSize("ImgBtnProfile_Down", 25, 25);
    ExpectSize("ImgTrayIconWeak", 32, 32);
}

TEST_F(SkinTest, WhereTwoKeysNameOnePictureTheLaterSectionWins)
{
    Apply("[AdvancedForm]\nImgBtnBrowser_Normal=skin\\a.bmp\n"
          "[ExtendedAPForm]\nImgBackground=skin\\a.bmp\n"
          "[WiFiDirectMediaSharingForm]\nImgBtnBrowser_Normal=skin\\b.bmp\n"
          "[AuthenStatusForm]\nImgBackground=skin\\b.bmp\n");
    ExpectSize("ImgExtendedAPFormBG", 40, 41);
    ExpectSize("ImgBtnBrowser_Normal", 40, 41);
    ExpectSize("ImgAuthenStatusForm", 280, 80);  // no key of its own
}

// Skins that change nothing: every picture built in, every position 0, 0.
struct NoChangeCase {
    const char* title;
    const char* ini;  // null: no skin file at all
};

class SkinWithoutEffect : public SkinTest, public ::testing::WithParamInterface<NoChangeCase> {};

TEST_P(SkinWithoutEffect, LeavesTheDefaults)
{
    Apply(GetParam().ini);
    ExpectDefaults();
}

const NoChangeCase kNoChangeCases[] = {
    {"NoFile", nullptr},
    {"EmptyFile", ""},
    {"OtherKeysOnly", "[MainForm]\nSomethingElse=skin\\prof.jpg\n[Other]\nImgProfile_Normal=skin\\prof.jpg\n"},
    {"EmptyValues", "[MainForm]\nImgProfile_Normal=\nBtnProfilePos=\n[TrayIcon]\nImgTrayIcon_Good=\n"},
    {"FilesThatDoNotExist", "[MainForm]\nImgProfile_Normal=skin\\none.jpg\nImgAbout_Normal=..\\nowhere\\x.bmp\n"},
    {"Malformed", "[MainForm\nImgProfile_Normal\n=====\n[]\n=skin\\prof.jpg\n[TrayIcon]]\n\x01\x02\xff\xfe\n"},
    {"Binary", "\xff\xfe\x00\x01\x02\x03\x80\x81\x90garbage\r\r\n\x1a"},
};

INSTANTIATE_TEST_SUITE_P(Skins, SkinWithoutEffect, ::testing::ValuesIn(kNoChangeCases),
                         [](const auto& info) { return std::string(info.param.title); });

TEST_F(SkinTest, TrayKeyNamingAPictureThatIsNoIconKeepsTheBuiltInIcon)
{
    Apply("[TrayIcon]\nImgTrayIcon_Good=skin\\glass.jpg\nImgTrayIcon_Lost=skin\\a.bmp\n"
          "ImgTrayIcon_Weak=skin\\icon16.ico\n");
    ExpectSize("ImgTrayIconGood", 32, 32);
    EXPECT_TRUE(form->ImgTrayIconGood->Picture().IsIcon());
    ExpectSize("ImgTrayIconLost", 32, 32);
    EXPECT_TRUE(form->ImgTrayIconLost->Picture().IsIcon());
    ExpectSize("ImgTrayIconWeak", 16, 16);  // an icon is taken
}

TEST_F(SkinTest, APictureThatFailsToDecodeKeepsItsBuiltInPictureAndTheRestLoads)
{
    folder.Write("RoVaza.ini", "[MainForm]\n"
                               "ImgProfile_Normal=skin\\prof.jpg\n"
                               "ImgAbout_Normal=skin\\bad.jpg\n"
                               "BtnAboutPos=5,6\n"
                               "[TrayIcon]\n"
                               "ImgTrayIcon_Good=skin\\icon16.ico\n");
    form->SkinFolder = folder.Path();
    std::vector<std::string> lines;
    seams::logSink = [&lines](const char* line) { lines.push_back(line); };
    const int level = VOZEZIV.nDebugMode;
    VOZEZIV.nDebugMode = 2;
    EXPECT_NO_THROW(form->LoadSkin());
    VOZEZIV.nDebugMode = level;
    seams::logSink = nullptr;
    ExpectSize("ImgBtnProfile_Normal", 408, 245);  // before the bad key
    ExpectSize("ImgBtnAbout_Normal", 25, 25);      // the bad key keeps its built-in picture
    EXPECT_EQ(form->ImgBtnAbout_Normal->Left(), 5);  // the keys after it are read
    EXPECT_EQ(form->ImgBtnAbout_Normal->Top(), 6);
    ExpectSize("ImgTrayIconGood", 16, 16);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.find("bad.jpg") != std::string::npos; }),
              1);
}

// Position keys: "x,y" read as two integers from at most 31 characters.
struct PositionCase {
    const char* value;
    int left;
    int top;
};

class SkinPosition : public SkinTest, public ::testing::WithParamInterface<PositionCase> {};

TEST_P(SkinPosition, SetsLeftAndTopOfItsPicture)
{
    const PositionCase& c = GetParam();
    Apply((std::string("[MainForm]\nBtnProfilePos=") + c.value + "\nImgMainRadioOffPos=" + c.value + "\n").c_str());
    EXPECT_EQ(form->ImgBtnProfile_Normal->Left(), c.left);
    EXPECT_EQ(form->ImgBtnProfile_Normal->Top(), c.top);
    EXPECT_EQ(form->ImgMainFormRadioOff->Left(), c.left);
    EXPECT_EQ(form->ImgMainFormRadioOff->Top(), c.top);
    // the picture itself stays
    ExpectSize("ImgBtnProfile_Normal", 25, 25);
}

const PositionCase kPositionCases[] = {
    {"120,8", 120, 8},
    {"120", 0, 0},
    {"abc", 0, 0},
    {"12,abc", 0, 0},
    {" 7, 9", 7, 9},
    {"-3,+4", -3, 4},
    {"1,2,3", 1, 2},
    {"5 ,6", 0, 0},
    {"0,0", 0, 0},
    {"1,                              5", 0, 0},  // the second number lies past 31 characters
    {"99999999999,1", 2147483647, 1},
};

INSTANTIATE_TEST_SUITE_P(Values, SkinPosition, ::testing::ValuesIn(kPositionCases));

TEST_F(SkinTest, PositionKeysSetTheirOwnPicturesOnly)
{
    Apply("[MainForm]\nSysBtnClosePos=373,30\nSysPartitionPos=338,31\nBtnWiFiDirectPos=180,25\n"
          "[LinkInfoForm]\nSysBtnClosePos=11,12\n");
    EXPECT_EQ(form->ImgBtnMainFormClose_Normal->Left(), 373);
    EXPECT_EQ(form->ImgMainFormPartition->Top(), 31);
    EXPECT_EQ(form->ImgBtnWiFiDirect_Normal->Left(), 180);
    EXPECT_EQ(form->ImgBtnLinkInfoFormClose_Normal->Left(), 11);
    EXPECT_EQ(form->ImgBtnLinkInfoFormClose_Normal->Top(), 12);
    EXPECT_EQ(form->ImgBtnMainFormClose_Down->Left(), 0);
}

TEST_F(SkinTest, LoadSkinImageLeavesThePictureWhenTheFileIsMissing)
{
    form->LoadSkinImage(form->ImgBtnAbout_Down, folder.Path() + "\\skin\\missing.jpg");
    ExpectSize("ImgBtnAbout_Down", 25, 25);
    form->LoadSkinImage(form->ImgBtnAbout_Down, folder.Path() + "\\skin\\b.bmp");
    ExpectSize("ImgBtnAbout_Down", 40, 41);
}

}  // namespace
