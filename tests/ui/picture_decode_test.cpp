// Decoding: every lossless fixture against the pixels its writer meant (read back by Pillow at build time).
#include <cstdlib>

#include "picture_support.h"

using namespace picture_test;

namespace {

class LosslessPicture : public ::testing::TestWithParam<const char*> {};

TEST_P(LosslessPicture, DecodesEveryPixel) {
  const std::string name = GetParam();
  TPicture picture;
  ASSERT_NO_THROW(picture.LoadFromFile(FixturePath(name)));
  ExpectPixels(picture, ReadExpected(name));
}

std::string ParamName(const ::testing::TestParamInfo<const char*>& info) {
  std::string s = info.param;
  for (char& c : s)
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  return s;
}

// Each colour type and depth, plain and interlaced; each filter; transparency keys; odd sizes.
INSTANTIATE_TEST_SUITE_P(
    Png, LosslessPicture,
    ::testing::Values("png_g1.png", "png_g1_i.png", "png_g2.png", "png_g2_i.png", "png_g4.png", "png_g4_i.png",
                      "png_g8.png", "png_g8_i.png", "png_g16.png", "png_g16_i.png", "png_rgb8.png", "png_rgb8_i.png",
                      "png_rgb16.png", "png_rgb16_i.png", "png_p1.png", "png_p1_i.png", "png_p2.png", "png_p2_i.png",
                      "png_p4.png", "png_p4_i.png", "png_p8.png", "png_p8_i.png", "png_ga8.png", "png_ga8_i.png",
                      "png_ga16.png", "png_ga16_i.png", "png_rgba8.png", "png_rgba8_i.png", "png_rgba16.png",
                      "png_rgba16_i.png", "png_rgb8_f0.png", "png_rgb8_f1.png", "png_rgb8_f2.png", "png_rgb8_f3.png",
                      "png_rgb8_f4.png", "png_rgba16_f0.png", "png_rgba16_f1.png", "png_rgba16_f2.png",
                      "png_rgba16_f3.png", "png_rgba16_f4.png", "png_g1_f0.png", "png_g1_f1.png", "png_g1_f2.png",
                      "png_g1_f3.png", "png_g1_f4.png", "png_p4_i_f0.png", "png_p4_i_f1.png", "png_p4_i_f2.png",
                      "png_p4_i_f3.png", "png_p4_i_f4.png", "png_g2_t.png", "png_g8_t.png", "png_g16_t.png",
                      "png_rgb8_t.png", "png_rgb16_t.png", "png_p4_t.png", "png_p8_t.png", "png_p8_i_t.png",
                      "png_g2_tk.png", "png_rgb8_tk.png",
                      "png_rgba8_1x1_i.png", "png_rgba8_3x2_i.png", "png_g1_33x1.png", "png_rgb8_split.png"),
    ParamName);

INSTANTIATE_TEST_SUITE_P(Bmp, LosslessPicture,
                         ::testing::Values("bmp_1.bmp", "bmp_4.bmp", "bmp_8.bmp", "bmp_8_topdown.bmp",
                                           "bmp_8_20colours.bmp", "bmp_8_core.bmp", "bmp_16.bmp", "bmp_16_565.bmp",
                                           "bmp_24.bmp", "bmp_24_topdown.bmp", "bmp_32.bmp", "bmp_32_alpha.bmp",
                                           "bmp_32_v5.bmp", "bmp_rle8.bmp", "bmp_rle4.bmp"),
                         ParamName);

INSTANTIATE_TEST_SUITE_P(Ico, LosslessPicture,
                         ::testing::Values("ico_1.ico", "ico_4.ico", "ico_8.ico", "ico_24.ico", "ico_32.ico",
                                           "ico_32_noalpha.ico", "ico_png.ico", "ico_multi.ico"),
                         ParamName);

TEST(PictureAlpha, HasAlphaOnlyWhenSomePixelIsTransparent) {
  const struct {
    const char* name;
    bool alpha;
  } cases[] = {{"png_rgb8.png", false},  {"png_rgb8_t.png", true},  {"png_rgba8.png", true},
               {"png_p8.png", false},    {"png_p8_t.png", true},    {"bmp_24.bmp", false},
               {"bmp_32.bmp", false},    {"bmp_32_alpha.bmp", true}, {"ico_8.ico", true},
               {"jpeg_rgb.jpg", false}};
  for (const auto& c : cases) {
    TPicture picture;
    picture.LoadFromFile(FixturePath(c.name));
    EXPECT_EQ(picture.HasAlpha(), c.alpha) << c.name;
  }
}

TEST(PictureJpeg, DecodesToRoughlyTheColoursDrawn) {
  // Quadrants as the fixture script paints them; grey and CMYK versions keep their brightness.
  const int colours[4][3] = {{220, 30, 30}, {30, 200, 40}, {40, 50, 210}, {250, 250, 250}};
  for (const char* name : {"jpeg_rgb.jpg", "jpeg_progressive.jpg", "jpeg_grey.jpg", "jpeg_cmyk.jpg"}) {
    SCOPED_TRACE(name);
    TPicture picture;
    ASSERT_NO_THROW(picture.LoadFromFile(FixturePath(name)));
    ASSERT_EQ(picture.Width(), 32);
    ASSERT_EQ(picture.Height(), 32);
    EXPECT_FALSE(picture.HasAlpha());
    const bool grey = std::string(name) == "jpeg_grey.jpg";
    for (int q = 0; q < 4; ++q) {
      const int x = (q % 2) * 16 + 8, y = (q / 2) * 16 + 8;
      const COLORREF got = picture.Pixel(x, y);
      int want[3] = {colours[q][0], colours[q][1], colours[q][2]};
      if (grey) {
        const int luma = (299 * want[0] + 587 * want[1] + 114 * want[2]) / 1000;
        want[0] = want[1] = want[2] = luma;
      }
      EXPECT_NEAR(GetRValue(got), want[0], 12) << "quadrant " << q;
      EXPECT_NEAR(GetGValue(got), want[1], 12) << "quadrant " << q;
      EXPECT_NEAR(GetBValue(got), want[2], 12) << "quadrant " << q;
      EXPECT_EQ(picture.Alpha(x, y), 255);
    }
  }
}

TEST(PictureFormat, FollowsTheSignatureNotTheFileName) {
  Bytes png = ReadFixture("png_rgb8.png");
  TPicture picture;
  picture.LoadFromMemory(png.data(), png.size());
  EXPECT_EQ(picture.Width(), 13);
  EXPECT_FALSE(picture.IsIcon());
  EXPECT_EQ(picture.Icon(), nullptr);
}

TEST(PictureFile, MissingFileNamesThePath) {
  TPicture picture;
  try {
    picture.LoadFromFile("picture_fixtures/no_such_picture.png");
    FAIL() << "no error";
  } catch (const EPictureError& e) {
    EXPECT_NE(std::string(e.what()).find("no_such_picture.png"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(picture.Empty());
}

TEST(PictureFile, DecodeErrorNamesTheFile) {
  TPicture picture;
  try {
    picture.LoadFromFile("picture_fixtures/png_rgb8.png.rgba");
    FAIL() << "no error";
  } catch (const EPictureError& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find("png_rgb8.png.rgba"), std::string::npos) << what;
    EXPECT_NE(what.find("unknown picture format"), std::string::npos) << what;
  }
}

TEST(PictureResource, MissingResourceRaises) {
  TPicture picture;
  EXPECT_THROW(picture.LoadFromResource(GetModuleHandleA(nullptr), "NO_SUCH_PICTURE"), EPictureError);
  EXPECT_THROW(picture.LoadFromResource(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(4321)), EPictureError);
}

}  // namespace

namespace {

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
  auto* list = reinterpret_cast<std::vector<std::string>*>(names);
  if (!IS_INTRESOURCE(name)) list->push_back(name);
  return TRUE;
}

// Every picture built into the program loads through its resource.
TEST(PictureResource, EveryEmbeddedPictureLoads) {
  std::vector<std::string> names;
  EnumResourceNamesA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(10), CollectName,
                     reinterpret_cast<LONG_PTR>(&names));
  if (names.empty()) GTEST_SKIP() << "no embedded pictures in this program";
  for (const std::string& name : names) {
    TPicture picture;
    ASSERT_NO_THROW(picture.LoadFromResource(GetModuleHandleA(nullptr), name.c_str())) << name;
    EXPECT_GT(picture.Width(), 0) << name;
    EXPECT_NE(picture.Bitmap(), nullptr) << name;
    if (picture.IsIcon()) {
        EXPECT_NE(picture.Icon(), nullptr) << name;
    }
  }
}

}  // namespace

namespace {

// A copy of this program with pictures added as resources, loaded as data.
class ResourceHost {
public:
  explicit ResourceHost(const std::vector<std::pair<std::string, Bytes>>& pictures) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "wevo_picture_host_" + std::to_string(GetCurrentProcessId()) + ".exe";
    if (!CopyFileA(self, path_.c_str(), FALSE)) return;
    HANDLE update = BeginUpdateResourceA(path_.c_str(), FALSE);
    if (!update) return;
    for (const auto& [name, bytes] : pictures)
      UpdateResourceA(update, MAKEINTRESOURCEA(10), name.c_str(), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                      const_cast<uint8_t*>(bytes.data()), DWORD(bytes.size()));
    if (!EndUpdateResourceA(update, FALSE)) return;
    module_ = LoadLibraryExA(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  ~ResourceHost() {
    if (module_) FreeLibrary(module_);
    DeleteFileA(path_.c_str());
  }
  ResourceHost(const ResourceHost&) = delete;
  ResourceHost& operator=(const ResourceHost&) = delete;
  HMODULE Module() const { return module_; }

private:
  std::string path_;
  HMODULE module_ = nullptr;
};

std::string DrawError(const TPicture& picture) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP target = CreateCompatibleBitmap(dc, 64, 64);
  HGDIOBJ old = SelectObject(dc, target);
  std::string what;
  try {
    picture.Draw(dc, 0, 0);
  } catch (const EPictureError& e) {
    what = e.what();
  }
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  return what;
}

// A built-in picture tells its size from its header at once and is decoded when first used:
// a sound one then shows every pixel, one with a broken body fails then, clearly and every time.
TEST(PictureResource, DecodedWhenFirstUsed) {
  Bytes png = ReadFixture("png_rgb8.png");
  Bytes jpeg = ReadFixture("jpeg_rgb.jpg");
  Bytes brokenPng = png;
  brokenPng.resize(brokenPng.size() - 30);  // IDAT cut short, IEND gone
  Bytes brokenJpeg = jpeg;
  brokenJpeg.resize(brokenJpeg.size() / 3);
  for (size_t i = brokenJpeg.size() / 2; i < brokenJpeg.size(); ++i) brokenJpeg[i] = 0xFF;
  ResourceHost host({{"SOUND_PNG", png}, {"BROKEN_PNG", brokenPng}, {"BROKEN_JPEG", brokenJpeg}});
  ASSERT_NE(host.Module(), nullptr);

  TPicture sound;
  ASSERT_NO_THROW(sound.LoadFromResource(host.Module(), "SOUND_PNG"));
  ExpectPixels(sound, ReadExpected("png_rgb8.png"));
  EXPECT_NE(sound.Bitmap(), nullptr);

  TPicture reference;
  reference.LoadFromMemory(png.data(), png.size());
  TPicture broken;
  ASSERT_NO_THROW(broken.LoadFromResource(host.Module(), "BROKEN_PNG"));
  EXPECT_EQ(broken.Width(), reference.Width());
  EXPECT_EQ(broken.Height(), reference.Height());
  for (int attempt = 0; attempt < 2; ++attempt) {
    const std::string what = DrawError(broken);
    EXPECT_NE(what.find("BROKEN_PNG"), std::string::npos) << what;
  }
  EXPECT_THROW(broken.Pixel(0, 0), EPictureError);
  EXPECT_THROW(broken.Bitmap(), EPictureError);
  TPicture copy = broken;
  EXPECT_NE(DrawError(copy).find("BROKEN_PNG"), std::string::npos);

  TPicture brokenJpegPicture;
  try {
    brokenJpegPicture.LoadFromResource(host.Module(), "BROKEN_JPEG");
    EXPECT_NE(DrawError(brokenJpegPicture).find("BROKEN_JPEG"), std::string::npos);
  } catch (const EPictureError& e) {
    // A header cut before the frame fails at once, naming the resource as well.
    EXPECT_NE(std::string(e.what()).find("BROKEN_JPEG"), std::string::npos) << e.what();
  }
}

}  // namespace
