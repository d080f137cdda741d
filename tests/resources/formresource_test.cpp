// The picture repository: every built-in picture, in design order, with its format and size.
#include "resources/FormResource.h"
#include "resources_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct PictureRow {
    const char* name;
    const char* format;
    int width;
    int height;
};

const PictureRow kPictures[] = {
#include "pictures_table.h"
};

class FormResourceTest : public ::testing::Test {
protected:
    std::unique_ptr<TFormResource> form = std::make_unique<TFormResource>(nullptr);
};

TEST_F(FormResourceTest, HoldsEveryPictureInDesignOrderWithItsFormatAndSize)
{
    const auto& pictures = form->Pictures();
    ASSERT_EQ(pictures.size(), 289u);
    for (size_t i = 0; i < pictures.size(); ++i) {
        const PictureRow& row = kPictures[i];
        const auto& [name, image] = pictures[i];
        ASSERT_STREQ(name, row.name);
        const TPicture& p = image->Picture();
        ASSERT_FALSE(p.Empty()) << name;
        EXPECT_EQ(p.Width(), row.width) << name;
        EXPECT_EQ(p.Height(), row.height) << name;
        EXPECT_EQ(p.IsIcon(), std::string(row.format) == "ico") << name;
        if (std::string(row.format) == "png") {
            EXPECT_TRUE(p.HasAlpha()) << name;
        }
        EXPECT_EQ(image->Name, row.name);
    }
}

TEST_F(FormResourceTest, MembersShowTheirOwnPictures)
{
    EXPECT_EQ(form->ImgBtnProfile_Normal->Picture().Width(), 25);
    EXPECT_EQ(form->ImgBtnMainFormClose_Down->Picture().Width(), 15);
    EXPECT_EQ(form->ImgMainFormPartition->Picture().Width(), 10);
    EXPECT_TRUE(form->ImgTrayIconWepError->Picture().IsIcon());
    EXPECT_NE(form->ImgTrayIconWepError->Picture().Icon(), nullptr);
    EXPECT_EQ(form->ImgSiteSurveyWPS->Picture().Width(), 16);
    EXPECT_EQ(form->ImgProgressMsgBox->Picture().Width(), 280);
    EXPECT_EQ(form->ImgBtnProfileCancel_Diabled->Picture().Height(), 26);
    EXPECT_EQ(form->ImgSG10->Picture().Width(), 47);
}

TEST_F(FormResourceTest, TheTwoBrowserPicturesArePictureButtons)
{
    int buttons = 0;
    for (const auto& [name, image] : form->Pictures())
        buttons += dynamic_cast<TWvImage*>(image) != nullptr;
    EXPECT_EQ(buttons, 2);
    EXPECT_NE(dynamic_cast<TWvImage*>(form->ImgBtnBrowser_Normal), nullptr);
    EXPECT_NE(dynamic_cast<TWvImage*>(form->ImgBtnBrowser_Down), nullptr);
    EXPECT_EQ(form->ImgBtnBrowser_Down->Picture().Width(), 24);
}

TEST_F(FormResourceTest, IsAHiddenFormWithTheInterfaceTexts)
{
    EXPECT_EQ(form->Caption(), "FormResource");
    EXPECT_EQ(form->ClientWidth(), 870);
    EXPECT_EQ(form->ClientHeight(), 742);
    EXPECT_FALSE(form->Visible());
    ASSERT_NE(form->UI_Str, nullptr);
    EXPECT_FALSE(form->UI_Str->STR_SSID.empty());
}

TEST_F(FormResourceTest, SkinFileIsLookedForInTheProgramFolder)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.resize(folder.find_last_of('\\'));
    EXPECT_EQ(form->SkinFolder, folder);
}

TEST(FormResourceSkinKeys, ListEveryKeyOnceInEighteenSections)
{
    auto keys = TFormResource::SkinKeys();
    EXPECT_EQ(keys.size(), 295u);
    std::vector<std::string> sections;
    int positions = 0;
    for (const auto& k : keys) {
        if (sections.empty() || sections.back() != k.section)
            sections.push_back(k.section);
        positions += k.position;
        EXPECT_EQ(k.position, std::string(k.key).ends_with("Pos")) << k.key;
    }
    EXPECT_EQ(sections.size(), 18u);
    EXPECT_EQ(positions, 16);
}

TEST(FormResourceSkinKeys, NameOnlyRepositoryPicturesAndLeaveThirteenWithoutKey)
{
    TFormResource form(nullptr);
    std::vector<std::string> withoutKey;
    for (const auto& [name, image] : form.Pictures()) {
        bool found = false;
        for (const auto& k : TFormResource::SkinKeys())
            found = found || name == std::string(k.picture);
        if (!found)
            withoutKey.push_back(name);
    }
    for (const auto& k : TFormResource::SkinKeys()) {
        bool known = false;
        for (const auto& [name, image] : form.Pictures())
            known = known || name == std::string(k.picture);
        EXPECT_TRUE(known) << k.section << "/" << k.key;
    }
    EXPECT_EQ(withoutKey, (std::vector<std::string>{
        "ImgTarnwell", "ImgMainFormLinkQualityDisabled", "ImgProfileStatusBar", "ImgProfileStatusBar_BG",
        "ImgMainFormBG", "ImgAuthenStatusForm", "ImgMainFormLinkQualityDisconnected", "ImgBtnRenew_Normal",
        "ImgBtnRenew_Down", "ImgBtnRenew_Disabled", "ImgBtnRenew4_Normal", "ImgBtnRenew4_Down",
        "ImgBtnRenew4_Disabled"}));
}

TEST_F(FormResourceTest, BackgroundsOfWindowsShapedByTheKeyColourHaveNoStrayKeyPixels)
{
    // JPEG cannot keep the key colour exact, so these backgrounds are whole rectangles:
    // not a single pixel may decode to the default key colour and cut a hole.
    for (TImage* image : {form->ImgProfileFormBG, form->ImgSiteSurveyFormBG, form->ImgLinkInfoFormBG,
                          form->ImgAboutFormBG, form->ImgAdvancedFormBG, form->ImgExtendedAPFormBG,
                          form->ImgWiFiDirectFormBG, form->ImgWiFiDirectSettingForm,
                          form->ImgWiFiDirectProfileForm, form->ImgWiFiDirectMediaSharingForm,
                          form->ImgMainFormBG, form->ImgAuthenStatusForm}) {
        const TPicture& p = image->Picture();
        int keyPixels = 0;
        for (int y = 0; y < p.Height(); ++y)
            for (int x = 0; x < p.Width(); ++x)
                keyPixels += p.Pixel(x, y) == RGB(255, 0, 0);
        EXPECT_EQ(keyPixels, 0) << image->Name;
    }
}

TEST(FormResourceMainBackground, IsAKeyShapedBitmapOfTheMainWindowsSize)
{
    TPicture p;
    p.LoadFromResource(GetModuleHandleA(nullptr), kMainFormBackgroundResource);
    EXPECT_EQ(p.Width(), 400);
    EXPECT_EQ(p.Height(), 162);
    EXPECT_EQ(p.Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(p.Pixel(399, 161), RGB(255, 0, 0));
    EXPECT_NE(p.Pixel(200, 80), RGB(255, 0, 0));
}

}  // namespace
