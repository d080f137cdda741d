// Corrupt, truncated and hostile pictures: each raises EPictureError, never crashes or reads
// past its buffer, and leaves the picture it was loaded into unchanged.
#include <functional>
#include <random>

#include "picture_support.h"

using namespace picture_test;

namespace {

void PutLe32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

Bytes EditPng(const char* name, const std::function<void(std::vector<Chunk>&)>& edit) {
  std::vector<Chunk> chunks = SplitPng(ReadFixture(name));
  edit(chunks);
  return JoinPng(chunks);
}

void SetSize(std::vector<Chunk>& c, uint32_t w, uint32_t h) {
  PutBe32(&Find(c, "IHDR")->data[0], w);
  PutBe32(&Find(c, "IHDR")->data[4], h);
}

Bytes Edit(const char* name, const std::function<void(Bytes&)>& edit) {
  Bytes b = ReadFixture(name);
  edit(b);
  return b;
}

Bytes Cut(const char* name, size_t keep) {
  return Edit(name, [keep](Bytes& b) { b.resize(std::min(keep, b.size())); });
}

Bytes Random(size_t n, Bytes prefix = {}) {
  std::mt19937 rng(1234);
  Bytes b = prefix;
  while (b.size() < n) b.push_back(static_cast<uint8_t>(rng()));
  return b;
}

struct CorruptCase {
  const char* name;
  std::function<Bytes()> make;
  const char* message;  // part of the error text
};

const std::vector<CorruptCase>& Cases() {
  static const std::vector<CorruptCase> cases = {
      // PNG
      {"PngBadHeaderCrc", [] { return Edit("png_rgb8.png", [](Bytes& b) { b[32] ^= 1; }); }, "CRC mismatch in chunk IHDR"},
      {"PngBadDataCrc", [] { return Edit("png_rgb8.png", [](Bytes& b) { b[60] ^= 0x40; }); }, "CRC mismatch"},
      {"PngTruncatedInIdat", [] { return Cut("png_rgb8.png", 80); }, "runs past the end"},
      {"PngTruncatedCompressedData",
       [] {
         return EditPng("png_rgb8.png", [](auto& c) {
           Bytes& d = Find(c, "IDAT")->data;
           d.resize(d.size() / 2);
         });
       },
       "image data truncated"},
      {"PngMoreDataThanHeaderImplies", [] { return EditPng("png_rgb8.png", [](auto& c) { SetSize(c, 13, 10); }); },
       "more image data than the header implies"},
      {"PngLessDataThanHeaderImplies", [] { return EditPng("png_rgb8.png", [](auto& c) { SetSize(c, 13, 12); }); },
       "header implies"},
      {"PngChunkLengthPastEnd", [] { return Edit("png_rgb8.png", [](Bytes& b) { PutBe32(&b[33], 0x10000); }); },
       "runs past the end"},
      {"PngChunkLengthHuge", [] { return Edit("png_rgb8.png", [](Bytes& b) { PutBe32(&b[33], 0xFFFFFFF0u); }); },
       "runs past the end"},
      {"PngZeroWidth", [] { return EditPng("png_rgb8.png", [](auto& c) { SetSize(c, 0, 11); }); }, "no pixels"},
      {"PngHugeDimensions", [] { return EditPng("png_rgb8.png", [](auto& c) { SetSize(c, 100000, 100000); }); },
       "too large"},
      {"PngTooManyPixels", [] { return EditPng("png_rgb8.png", [](auto& c) { SetSize(c, 16384, 16384); }); },
       "too large"},
      {"PngWidthOverflow", [] { return EditPng("png_rgb8.png", [](auto& c) { SetSize(c, 0x80000000u, 1); }); },
       "bad picture size"},
      {"PngBadDepthForColourType",
       [] { return EditPng("png_rgb8.png", [](auto& c) { Find(c, "IHDR")->data[8] = 4; }); }, "bit depth"},
      {"PngBadInterlaceMethod",
       [] { return EditPng("png_rgb8.png", [](auto& c) { Find(c, "IHDR")->data[12] = 2; }); }, "interlace"},
      {"PngShortHeader", [] { return EditPng("png_rgb8.png", [](auto& c) { Find(c, "IHDR")->data.resize(12); }); },
       "IHDR length"},
      {"PngBadFilterType",
       [] {
         return EditPng("png_rgb8.png", [](auto& c) {
           Bytes raw = Inflate(Find(c, "IDAT")->data);
           raw[1 + 13 * 3] = 5;  // filter byte of the second row
           Find(c, "IDAT")->data = Deflate(raw);
         });
       },
       "bad filter type 5"},
      {"PngCorruptCompressedData",
       [] { return EditPng("png_rgb8.png", [](auto& c) { Find(c, "IDAT")->data[0] = 0x99; }); }, "corrupt"},
      {"PngMissingIend", [] { return EditPng("png_rgb8.png", [](auto& c) { c.pop_back(); }); }, "IEND"},
      {"PngNoImageData",
       [] { return EditPng("png_rgb8.png", [](auto& c) { c.erase(c.begin() + 1, c.end() - 1); }); }, "no image data"},
      {"PngFirstChunkNotHeader",
       [] { return EditPng("png_rgb8.png", [](auto& c) { std::swap(c[0], c[1]); }); }, "not IHDR"},
      {"PngPaletteMissing",
       [] { return EditPng("png_p8.png", [](auto& c) { c.erase(c.begin() + 1); }); }, "without PLTE"},
      {"PngPaletteIndexOutOfRange",
       [] { return EditPng("png_p8.png", [](auto& c) { Find(c, "PLTE")->data.resize(30); }); }, "out of range"},
      {"PngPaletteLengthNotTriples",
       [] { return EditPng("png_p8.png", [](auto& c) { Find(c, "PLTE")->data.resize(31); }); }, "PLTE length"},
      {"PngTransparencyLongerThanPalette",
       [] {
         return EditPng("png_p8_t.png", [](auto& c) { Find(c, "tRNS")->data.resize(Find(c, "PLTE")->data.size()); });
       },
       "tRNS longer"},
      {"PngUnknownCriticalChunk",
       [] { return EditPng("png_rgb8.png", [](auto& c) { c.insert(c.begin() + 1, Chunk{"ABCD", {1, 2, 3}}); }); },
       "unknown critical chunk ABCD"},
      {"PngIdatNotConsecutive",
       [] {
         return EditPng("png_rgb8_split.png", [](auto& c) {
           for (size_t i = 0; i < c.size(); ++i)
             if (c[i].type == "IDAT") {
               c.insert(c.begin() + i + 1, Chunk{"tEXt", {'a', 0, 'b'}});
               break;
             }
         });
       },
       "not consecutive"},
      {"PngSignatureOnly", [] { return Cut("png_rgb8.png", 8); }, "IEND"},
      {"PngRandomAfterSignature", [] { return Random(300, {137, 80, 78, 71, 13, 10, 26, 10}); }, "PNG"},
      // BMP
      {"BmpTruncatedHeader", [] { return Cut("bmp_24.bmp", 20); }, "data ends early"},
      {"BmpFileHeaderOnly", [] { return Cut("bmp_24.bmp", 14); }, "data ends early"},
      {"BmpPixelOffsetPastEnd", [] { return Edit("bmp_24.bmp", [](Bytes& b) { PutLe32(b, 10, 100000); }); },
       "past the end"},
      {"BmpPixelOffsetInsideHeader", [] { return Edit("bmp_24.bmp", [](Bytes& b) { PutLe32(b, 10, 20); }); },
       "inside the header"},
      {"BmpPixelsTruncated", [] { return Edit("bmp_24.bmp", [](Bytes& b) { b.resize(b.size() - 10); }); },
       "data ends early"},
      {"BmpZeroWidth", [] { return Edit("bmp_24.bmp", [](Bytes& b) { PutLe32(b, 18, 0); }); }, "no pixels"},
      {"BmpHugeHeight", [] { return Edit("bmp_24.bmp", [](Bytes& b) { PutLe32(b, 22, 0x7FFFFFFF); }); }, "too large"},
      {"BmpMinimumHeight", [] { return Edit("bmp_24.bmp", [](Bytes& b) { PutLe32(b, 22, 0x80000000u); }); },
       "too large"},
      {"BmpBadBitDepth", [] { return Edit("bmp_24.bmp", [](Bytes& b) { b[28] = 7; }); }, "bit depth 7"},
      {"BmpBadCompression", [] { return Edit("bmp_24.bmp", [](Bytes& b) { b[30] = 9; }); }, "compression 9"},
      {"BmpBadHeaderSize", [] { return Edit("bmp_24.bmp", [](Bytes& b) { PutLe32(b, 14, 5); }); }, "header size"},
      {"BmpPaletteTooLarge", [] { return Edit("bmp_8.bmp", [](Bytes& b) { PutLe32(b, 46, 1000); }); },
       "palette of 1000"},
      {"BmpRleWithoutEnd", [] { return Edit("bmp_rle8.bmp", [](Bytes& b) { b.resize(b.size() - 30); }); },
       "data ends early"},
      {"BmpRandom", [] { return Random(200, {'B', 'M'}); }, "BMP"},
      // ICO
      {"IcoEntryPastEnd", [] { return Edit("ico_8.ico", [](Bytes& b) { PutLe32(b, 18, 100000); }); },
       "entry 0 lies past the end"},
      {"IcoEntryTooLong", [] { return Edit("ico_8.ico", [](Bytes& b) { PutLe32(b, 14, 0xFFFFFFF0u); }); },
       "lies past the end"},
      {"IcoNoEntries", [] { return Edit("ico_8.ico", [](Bytes& b) { b[4] = 0; }); }, "no entries"},
      {"IcoDirectoryTruncated", [] { return Edit("ico_8.ico", [](Bytes& b) { b[4] = 200; }); }, "data ends early"},
      {"IcoMaskMissing",
       [] {
         return Edit("ico_8.ico", [](Bytes& b) {
           b.resize(b.size() - 40);
           PutLe32(b, 14, static_cast<uint32_t>(b.size() - 22));
         });
       },
       "data ends early"},
      {"IcoCorruptPngEntry", [] { return Edit("ico_png.ico", [](Bytes& b) { b[22 + 30] ^= 1; }); }, "CRC mismatch"},
      {"IcoRandom", [] { return Random(200, {0, 0, 1, 0, 1, 0}); }, "ICO"},
      // JPEG
      {"JpegTruncatedHalf", [] { Bytes b = ReadFixture("jpeg_rgb.jpg"); return Cut("jpeg_rgb.jpg", b.size() / 2); },
       "JPEG"},
      {"JpegTruncatedInHeader", [] { return Cut("jpeg_rgb.jpg", 100); }, "JPEG"},
      {"JpegRandom", [] { return Random(500, {0xFF, 0xD8, 0xFF}); }, "JPEG"},
      // Anything else
      {"RandomBytes", [] { return Random(256, {1, 2, 3}); }, "unknown picture format"},
  };
  return cases;
}

class CorruptPicture : public ::testing::TestWithParam<size_t> {};

TEST_P(CorruptPicture, RaisesAndKeepsThePreviousPicture) {
  const CorruptCase& c = Cases()[GetParam()];
  const Bytes data = c.make();
  TPicture picture;
  picture.LoadFromFile(FixturePath("bmp_8.bmp"));
  const HBITMAP before = picture.Bitmap();
  // An exact-size copy, so any read past the end lands outside the allocation.
  std::unique_ptr<uint8_t[]> exact(new uint8_t[data.size()]);
  std::copy(data.begin(), data.end(), exact.get());
  try {
    picture.LoadFromMemory(exact.get(), data.size());
    FAIL() << "no error for " << c.name;
  } catch (const EPictureError& e) {
    EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << "message: " << e.what();
  }
  EXPECT_EQ(picture.Bitmap(), before);
  EXPECT_EQ(picture.Width(), 13);
}

INSTANTIATE_TEST_SUITE_P(Inputs, CorruptPicture, ::testing::Range<size_t>(0, Cases().size()),
                         [](const auto& info) { return std::string(Cases()[info.param].name); });

TEST(CorruptPicture, EmptyDataRaises) {
  TPicture picture;
  const uint8_t byte = 'B';
  EXPECT_THROW(picture.LoadFromMemory(&byte, 0), EPictureError);
  EXPECT_THROW(picture.LoadFromMemory(nullptr, 10), EPictureError);
  EXPECT_THROW(picture.LoadFromMemory(&byte, 1), EPictureError);
  EXPECT_TRUE(picture.Empty());
}

// Loads and, when that succeeds, touches the result; only EPictureError may escape.
void Survive(const Bytes& data) {
  std::unique_ptr<uint8_t[]> exact(new uint8_t[data.size() + 1]);
  std::copy(data.begin(), data.end(), exact.get());
  TPicture picture;
  try {
    picture.LoadFromMemory(exact.get(), data.size());
  } catch (const EPictureError&) {
    return;
  }
  ASSERT_GT(picture.Width(), 0);
  ASSERT_GT(picture.Height(), 0);
  picture.Pixel(picture.Width() - 1, picture.Height() - 1);
}

std::string FileParamName(const ::testing::TestParamInfo<const char*>& info) {
  std::string s = info.param;
  for (char& ch : s)
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return s;
}

class Truncation : public ::testing::TestWithParam<const char*> {};

TEST_P(Truncation, EveryShorterFileRaises) {
  const Bytes valid = ReadFixture(GetParam());
  for (size_t n = 0; n < valid.size(); ++n) {
    Bytes cut(valid.begin(), valid.begin() + n);
    ASSERT_NO_FATAL_FAILURE(Survive(cut)) << "length " << n;
    TPicture picture;
    EXPECT_THROW(picture.LoadFromMemory(cut.data(), cut.size()), EPictureError) << "length " << n;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, Truncation,
                         ::testing::Values("png_rgb8_i.png", "png_p4_t.png", "bmp_rle4.bmp", "bmp_32_v5.bmp",
                                           "ico_multi.ico", "jpeg_progressive.jpg"),
                         FileParamName);

class Mutation : public ::testing::TestWithParam<const char*> {};

TEST_P(Mutation, EveryChangedByteSurvives) {
  const Bytes valid = ReadFixture(GetParam());
  for (size_t i = 0; i < valid.size(); ++i)
    for (uint8_t v : {uint8_t(valid[i] ^ 0x01), uint8_t(valid[i] ^ 0x80), uint8_t(0x00), uint8_t(0xFF)}) {
      Bytes mutated = valid;
      mutated[i] = v;
      ASSERT_NO_FATAL_FAILURE(Survive(mutated)) << "byte " << i << " = " << int(v);
    }
}

// A small icon: every icon that decodes also makes an icon handle, which is slow under Wine.
INSTANTIATE_TEST_SUITE_P(Files, Mutation,
                         ::testing::Values("png_rgb8_i.png", "png_p4_t.png", "bmp_rle4.bmp", "bmp_32_v5.bmp",
                                           "ico_4.ico", "jpeg_progressive.jpg"),
                         FileParamName);

// Mutations inside PNG chunks with the CRC mended, so they reach the header checks, the
// inflater and the unfiltering instead of stopping at the CRC.
TEST(PngRobustness, MutationsWithMendedCrcSurvive) {
  for (const char* name : {"png_rgb8_i.png", "png_p4_i_f4.png", "png_ga16.png", "png_g2_t.png"}) {
    const std::vector<Chunk> valid = SplitPng(ReadFixture(name));
    std::mt19937 rng(99);
    for (size_t c = 0; c < valid.size(); ++c)
      for (size_t i = 0; i < valid[c].data.size(); ++i)
        for (int round = 0; round < 3; ++round) {
          std::vector<Chunk> chunks = valid;
          chunks[c].data[i] = round == 0 ? chunks[c].data[i] ^ 0xFF : static_cast<uint8_t>(rng());
          ASSERT_NO_FATAL_FAILURE(Survive(JoinPng(chunks))) << name << " chunk " << c << " byte " << i;
        }
  }
}

// Image data recompressed after changing the raw rows: filter bytes and samples of any value.
TEST(PngRobustness, HostileRowsSurvive) {
  std::vector<Chunk> valid = SplitPng(ReadFixture("png_p4_t.png"));
  const Bytes raw = Inflate(Find(valid, "IDAT")->data);
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    Bytes rows = raw;
    for (int k = 0; k < 4; ++k) rows[rng() % rows.size()] = static_cast<uint8_t>(rng());
    std::vector<Chunk> chunks = valid;
    Find(chunks, "IDAT")->data = Deflate(rows);
    ASSERT_NO_FATAL_FAILURE(Survive(JoinPng(chunks))) << "round " << round;
  }
}

}  // namespace
