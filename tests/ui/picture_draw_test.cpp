// Drawing, handles and sharing.
#include <cstdlib>

#include "picture_support.h"

using namespace picture_test;

namespace {

TPicture Load(const char* name) {
  TPicture picture;
  picture.LoadFromFile(FixturePath(name));
  return picture;
}

TEST(PictureEmpty, HasNothingAndDrawsNothing) {
  TPicture picture;
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_EQ(picture.Height(), 0);
  EXPECT_EQ(picture.Bitmap(), nullptr);
  EXPECT_EQ(picture.Icon(), nullptr);
  EXPECT_EQ(picture.Pixel(0, 0), 0u);
  EXPECT_EQ(picture.Alpha(0, 0), 0);
  TSurface surface(4, 4, RGB(1, 2, 3));
  picture.Draw(surface.Dc(), 0, 0);
  EXPECT_EQ(surface.At(0, 0), RGB(1, 2, 3));
}

TEST(PicturePixels, OutsideThePictureAreZero) {
  TPicture picture = Load("bmp_24.bmp");
  EXPECT_EQ(picture.Pixel(-1, 0), 0u);
  EXPECT_EQ(picture.Pixel(0, picture.Height()), 0u);
  EXPECT_EQ(picture.Alpha(picture.Width(), 0), 0);
}

TEST(PictureDraw, OpaquePictureCopiesItsPixels) {
  TPicture picture = Load("bmp_24.bmp");
  TSurface surface(20, 20, RGB(0, 0, 255));
  picture.Draw(surface.Dc(), 3, 4);
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) ASSERT_EQ(surface.At(x + 3, y + 4), picture.Pixel(x, y)) << x << "," << y;
  EXPECT_EQ(surface.At(2, 4), RGB(0, 0, 255));
  EXPECT_EQ(surface.At(3 + picture.Width(), 4), RGB(0, 0, 255));
}

TEST(PictureDraw, AlphaPictureBlendsOverTheBackground) {
  TPicture picture = Load("png_rgba8.png");
  ASSERT_TRUE(picture.HasAlpha());
  TSurface surface(13, 11, RGB(255, 255, 255));
  picture.Draw(surface.Dc(), 0, 0);
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      const int a = picture.Alpha(x, y);
      const COLORREF src = picture.Pixel(x, y), got = surface.At(x, y);
      auto blend = [a](int c) { return (c * a + 255 * (255 - a)) / 255; };
      ASSERT_NEAR(GetRValue(got), blend(GetRValue(src)), 3) << x << "," << y << " alpha " << a;
      ASSERT_NEAR(GetGValue(got), blend(GetGValue(src)), 3) << x << "," << y << " alpha " << a;
      ASSERT_NEAR(GetBValue(got), blend(GetBValue(src)), 3) << x << "," << y << " alpha " << a;
    }
}

TEST(PictureDraw, StretchDrawScalesOpaquePictures) {
  TPicture picture = Load("bmp_24.bmp");
  TSurface surface(26, 22, RGB(0, 0, 0));
  picture.StretchDraw(surface.Dc(), RECT{0, 0, 26, 22});
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) ASSERT_EQ(surface.At(2 * x, 2 * y), picture.Pixel(x, y)) << x << "," << y;
}

TEST(PictureDraw, StretchDrawKeepsTransparencyWhenScaling) {
  TPicture picture = Load("ico_8.ico");  // transparent corners, opaque centre
  ASSERT_EQ(picture.Alpha(0, 0), 0);
  ASSERT_EQ(picture.Alpha(8, 8), 255);
  TSurface surface(32, 32, RGB(10, 20, 30));
  picture.StretchDraw(surface.Dc(), RECT{0, 0, 32, 32});
  EXPECT_EQ(surface.At(0, 0), RGB(10, 20, 30));
  EXPECT_EQ(surface.At(17, 17), picture.Pixel(8, 8));
}

TEST(PictureBitmap, IsATopDown32BitSectionPremultipliedForAlpha) {
  TPicture picture = Load("png_rgba8.png");
  DIBSECTION section{};
  ASSERT_EQ(GetObjectA(picture.Bitmap(), sizeof section, &section), static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBmih.biBitCount, 32);
  EXPECT_EQ(section.dsBm.bmWidth, 13);
  EXPECT_EQ(section.dsBm.bmHeight, 11);
  const auto* bits = static_cast<const uint32_t*>(section.dsBm.bmBits);  // row 0 first: top-down
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 13; ++x) {
      const uint32_t p = bits[y * 13 + x];
      const unsigned a = picture.Alpha(x, y);
      ASSERT_EQ(p >> 24, a);
      ASSERT_NEAR((p >> 16) & 0xFF, (GetRValue(picture.Pixel(x, y)) * a + 127) / 255, 1);
      ASSERT_NEAR(p & 0xFF, (GetBValue(picture.Pixel(x, y)) * a + 127) / 255, 1);
    }
}

TEST(PictureIcon, IcoGivesARealIconHandle) {
  for (const char* name : {"ico_8.ico", "ico_32.ico", "ico_png.ico", "ico_multi.ico"}) {
    SCOPED_TRACE(name);
    TPicture picture = Load(name);
    ASSERT_TRUE(picture.IsIcon());
    ASSERT_NE(picture.Icon(), nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(picture.Icon(), &info));
    EXPECT_TRUE(info.fIcon);
    BITMAP colour{};
    ASSERT_TRUE(GetObjectA(info.hbmColor, sizeof colour, &colour));
    EXPECT_EQ(colour.bmWidth, picture.Width());
    EXPECT_EQ(colour.bmHeight, picture.Height());
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
}

TEST(PictureIcon, IconDrawsWithItsTransparency) {
  TPicture picture = Load("ico_8.ico");
  TSurface surface(16, 16, RGB(255, 255, 255));
  ASSERT_TRUE(DrawIconEx(surface.Dc(), 0, 0, picture.Icon(), 16, 16, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(surface.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(surface.At(8, 8), picture.Pixel(8, 8));
}

TEST(PictureCopy, CopiesShareTheImageAndOutliveTheOriginal) {
  TPicture a = Load("ico_8.ico");
  TPicture b = a;
  EXPECT_EQ(a.Bitmap(), b.Bitmap());
  EXPECT_EQ(a.Icon(), b.Icon());
  a.Clear();
  EXPECT_TRUE(a.Empty());
  ASSERT_FALSE(b.Empty());
  EXPECT_EQ(GetObjectType(b.Bitmap()), static_cast<DWORD>(OBJ_BITMAP));
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(b.Icon(), &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST(PictureCopy, ReloadingReplacesThePicture) {
  TPicture picture = Load("png_rgb8.png");
  picture.LoadFromFile(FixturePath("ico_multi.ico"));
  EXPECT_EQ(picture.Width(), 32);
  EXPECT_TRUE(picture.IsIcon());
}

}  // namespace
