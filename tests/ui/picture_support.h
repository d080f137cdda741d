#pragma once
// Shared by the picture tests: fixture files, expected pixels, PNG chunk surgery.
#include <windows.h>

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/Picture.h"

namespace picture_test {

using Bytes = std::vector<uint8_t>;

inline std::string FixturePath(const std::string& name) { return "picture_fixtures/" + name; }

inline Bytes ReadFixture(const std::string& name) {
  std::ifstream in(FixturePath(name), std::ios::binary);
  EXPECT_TRUE(in.good()) << "missing fixture " << name;
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

struct Expected {
  int width = 0;
  int height = 0;
  Bytes rgba;
  const uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

inline Expected ReadExpected(const std::string& name) {
  Bytes b = ReadFixture(name + ".rgba");
  Expected e;
  if (b.size() < 8) return e;
  e.width = static_cast<int>(b[0] | (b[1] << 8) | (b[2] << 16) | (b[3] << 24));
  e.height = static_cast<int>(b[4] | (b[5] << 8) | (b[6] << 16) | (b[7] << 24));
  e.rgba.assign(b.begin() + 8, b.end());
  return e;
}

// Compares every pixel; colour is ignored where the expected pixel is fully transparent.
inline void ExpectPixels(const TPicture& picture, const Expected& e) {
  ASSERT_EQ(picture.Width(), e.width);
  ASSERT_EQ(picture.Height(), e.height);
  ASSERT_EQ(e.rgba.size(), static_cast<size_t>(e.width) * e.height * 4);
  int mismatches = 0;
  for (int y = 0; y < e.height; ++y)
    for (int x = 0; x < e.width; ++x) {
      const uint8_t* p = e.At(x, y);
      const bool alphaOk = picture.Alpha(x, y) == p[3];
      const bool colourOk = p[3] == 0 || picture.Pixel(x, y) == RGB(p[0], p[1], p[2]);
      if (alphaOk && colourOk) continue;
      if (++mismatches <= 5)
        ADD_FAILURE() << "pixel " << x << "," << y << ": got colour " << std::hex << picture.Pixel(x, y)
                      << " alpha " << std::dec << int(picture.Alpha(x, y)) << ", want " << int(p[0]) << ","
                      << int(p[1]) << "," << int(p[2]) << " alpha " << int(p[3]);
    }
  EXPECT_EQ(mismatches, 0);
}

inline uint32_t Be32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

inline void PutBe32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v >> 24), p[1] = uint8_t(v >> 16), p[2] = uint8_t(v >> 8), p[3] = uint8_t(v);
}

struct Chunk {
  std::string type;
  Bytes data;
};

// Splits a well-formed PNG into its chunks.
inline std::vector<Chunk> SplitPng(const Bytes& png) {
  std::vector<Chunk> chunks;
  size_t pos = 8;
  while (pos + 12 <= png.size()) {
    uint32_t length = Be32(&png[pos]);
    Chunk c{std::string(png.begin() + pos + 4, png.begin() + pos + 8),
            Bytes(png.begin() + pos + 8, png.begin() + pos + 8 + length)};
    chunks.push_back(c);
    pos += 12 + length;
  }
  return chunks;
}

// Joins chunks into a PNG with correct lengths and CRCs.
inline Bytes JoinPng(const std::vector<Chunk>& chunks) {
  Bytes out = {137, 80, 78, 71, 13, 10, 26, 10};
  for (const Chunk& c : chunks) {
    uint8_t head[8];
    PutBe32(head, static_cast<uint32_t>(c.data.size()));
    std::copy(c.type.begin(), c.type.end(), head + 4);
    out.insert(out.end(), head, head + 8);
    out.insert(out.end(), c.data.begin(), c.data.end());
    uLong crc = crc32(0, head + 4, 4);
    if (!c.data.empty()) crc = crc32(crc, c.data.data(), static_cast<uInt>(c.data.size()));
    uint8_t tail[4];
    PutBe32(tail, static_cast<uint32_t>(crc));
    out.insert(out.end(), tail, tail + 4);
  }
  return out;
}

inline Chunk* Find(std::vector<Chunk>& chunks, const std::string& type) {
  for (Chunk& c : chunks)
    if (c.type == type) return &c;
  return nullptr;
}

inline Bytes Inflate(const Bytes& z, size_t max = 1 << 20) {
  Bytes out(max);
  uLongf size = static_cast<uLongf>(out.size());
  EXPECT_EQ(uncompress(out.data(), &size, z.data(), static_cast<uLong>(z.size())), Z_OK);
  out.resize(size);
  return out;
}

inline Bytes Deflate(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  EXPECT_EQ(compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size())), Z_OK);
  out.resize(size);
  return out;
}

// A 32-bit top-down surface filled with one colour, for drawing tests.
class TSurface {
public:
  TSurface(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    const uint32_t value = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
    for (int i = 0; i < width * height; ++i) bits_[i] = value;
  }
  ~TSurface() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  TSurface(const TSurface&) = delete;
  TSurface& operator=(const TSurface&) = delete;
  HDC Dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

private:
  int width_, height_;
  HBITMAP bitmap_ = nullptr;
  uint32_t* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace picture_test
