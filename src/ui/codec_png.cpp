// PNG pictures: chunks checked one by one, image data inflated with zlib, rows unfiltered here.
#include "ui/codec_common.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace codec {

namespace {

constexpr uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

enum ColourType { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6 };

struct Header {
  int width = 0;
  int height = 0;
  int depth = 0;
  int colourType = 0;
  bool interlaced = false;
  int channels = 0;
};

// Start and step of the seven interlace passes: x0, y0, dx, dy.
constexpr int kAdam7[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                              {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

struct Pass {
  int x0, y0, dx, dy, width, height;
};

std::vector<Pass> PassesOf(const Header& h) {
  if (!h.interlaced) return {{0, 0, 1, 1, h.width, h.height}};
  std::vector<Pass> passes;
  for (const auto& a : kAdam7) {
    int w = h.width > a[0] ? (h.width - a[0] + a[2] - 1) / a[2] : 0;
    int ht = h.height > a[1] ? (h.height - a[1] + a[3] - 1) / a[3] : 0;
    passes.push_back({a[0], a[1], a[2], a[3], w, ht});
  }
  return passes;
}

size_t RowBytes(const Header& h, int width) {
  return (static_cast<size_t>(width) * h.channels * h.depth + 7) / 8;
}

class Decoder {
public:
  Decoder(const uint8_t* data, size_t size) : r_(data, size, "PNG") {}

  Image Run() {
    if (!IsPng(r_.At(0, 0), r_.Size())) r_.Fail("not a PNG picture");
    ReadChunks();
    std::vector<uint8_t> raw = Inflate();
    Image image = MakeImage(h_.width, h_.height, 0);
    size_t pos = 0;
    for (const Pass& pass : PassesOf(h_)) {
      if (pass.width == 0 || pass.height == 0) continue;
      DecodePass(pass, raw, pos, image);
    }
    return image;
  }

private:
  void ReadChunks() {
    size_t pos = sizeof kSignature;
    bool seenIdat = false, idatDone = false;
    for (;;) {
      if (pos >= r_.Size()) r_.Fail("file ends before IEND (truncated)");
      const uint32_t length = r_.U32be(pos);
      const uint8_t* type = r_.At(pos + 4, 4);
      std::string name(reinterpret_cast<const char*>(type), 4);
      for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) r_.Fail("bad chunk type at offset " + std::to_string(pos));
      if (length > 0x7FFFFFFFu || length > r_.Size() - pos - 8 || r_.Size() - pos - 8 - length < 4)
        r_.Fail("chunk " + name + " runs past the end of the file");
      const uint8_t* body = type + 4;
      uint32_t crc = crc32(0, type, 4 + length);
      if (crc != r_.U32be(pos + 8 + length)) r_.Fail("CRC mismatch in chunk " + name);
      if (pos == sizeof kSignature && name != "IHDR") r_.Fail("first chunk is " + name + ", not IHDR");

      if (seenIdat && name != "IDAT") idatDone = true;
      if (name == "IHDR") {
        if (pos != sizeof kSignature) r_.Fail("second IHDR chunk");
        ReadHeader(body, length);
      } else if (name == "PLTE") {
        if (seenIdat) r_.Fail("PLTE after image data");
        ReadPalette(body, length);
      } else if (name == "tRNS") {
        if (seenIdat) r_.Fail("tRNS after image data");
        ReadTransparency(body, length);
      } else if (name == "IDAT") {
        if (idatDone) r_.Fail("IDAT chunks are not consecutive");
        if (h_.colourType == kPalette && paletteSize_ == 0) r_.Fail("palette picture without PLTE");
        seenIdat = true;
        idat_.insert(idat_.end(), body, body + length);
      } else if (name == "IEND") {
        if (!seenIdat) r_.Fail("no image data");
        return;
      } else if (!(type[0] & 0x20)) {
        r_.Fail("unknown critical chunk " + name);
      }
      pos += 12 + static_cast<size_t>(length);
    }
  }

  void ReadHeader(const uint8_t* p, uint32_t length) {
    if (length != 13) r_.Fail("IHDR length " + std::to_string(length));
    Reader b(p, length, "PNG");
    const uint32_t w = b.U32be(0), ht = b.U32be(4);
    if (w > 0x7FFFFFFFu || ht > 0x7FFFFFFFu) r_.Fail("bad picture size");
    CheckSize(w, ht, "PNG");
    h_.width = static_cast<int>(w);
    h_.height = static_cast<int>(ht);
    h_.depth = p[8];
    h_.colourType = p[9];
    const int d = h_.depth;
    bool ok = false;
    switch (h_.colourType) {
      case kGrey: ok = d == 1 || d == 2 || d == 4 || d == 8 || d == 16; h_.channels = 1; break;
      case kRgb: ok = d == 8 || d == 16; h_.channels = 3; break;
      case kPalette: ok = d == 1 || d == 2 || d == 4 || d == 8; h_.channels = 1; break;
      case kGreyAlpha: ok = d == 8 || d == 16; h_.channels = 2; break;
      case kRgba: ok = d == 8 || d == 16; h_.channels = 4; break;
    }
    if (!ok)
      r_.Fail("bad colour type " + std::to_string(h_.colourType) + " with bit depth " + std::to_string(d));
    if (p[10] != 0) r_.Fail("unknown compression method");
    if (p[11] != 0) r_.Fail("unknown filter method");
    if (p[12] > 1) r_.Fail("unknown interlace method");
    h_.interlaced = p[12] == 1;
  }

  void ReadPalette(const uint8_t* p, uint32_t length) {
    if (paletteSize_) r_.Fail("second PLTE chunk");
    if (length == 0 || length % 3 || length > 256 * 3) r_.Fail("PLTE length " + std::to_string(length));
    if (h_.colourType == kGrey || h_.colourType == kGreyAlpha) r_.Fail("PLTE in a grey picture");
    paletteSize_ = length / 3;
    for (size_t i = 0; i < paletteSize_; ++i) palette_[i] = Argb(255, p[3 * i], p[3 * i + 1], p[3 * i + 2]);
  }

  void ReadTransparency(const uint8_t* p, uint32_t length) {
    // Only the bits of the image's depth count in a key.
    const unsigned depthMask = h_.depth >= 16 ? 0xFFFFu : (1u << h_.depth) - 1;
    switch (h_.colourType) {
      case kGrey:
        if (length != 2) r_.Fail("tRNS length " + std::to_string(length));
        key_[0] = key_[1] = key_[2] = static_cast<uint16_t>(((p[0] << 8) | p[1]) & depthMask);
        hasKey_ = true;
        break;
      case kRgb:
        if (length != 6) r_.Fail("tRNS length " + std::to_string(length));
        for (int i = 0; i < 3; ++i) key_[i] = static_cast<uint16_t>(((p[2 * i] << 8) | p[2 * i + 1]) & depthMask);
        hasKey_ = true;
        break;
      case kPalette:
        if (!paletteSize_) r_.Fail("tRNS before PLTE");
        if (length > paletteSize_) r_.Fail("tRNS longer than the palette");
        for (size_t i = 0; i < length; ++i) palette_[i] = (palette_[i] & 0x00FFFFFFu) | (uint32_t(p[i]) << 24);
        break;
      default:
        break;  // meaningless with an alpha channel; ignored
    }
  }

  std::vector<uint8_t> Inflate() {
    size_t expected = 0;
    for (const Pass& pass : PassesOf(h_))
      if (pass.width && pass.height) expected += (1 + RowBytes(h_, pass.width)) * pass.height;
    std::vector<uint8_t> raw(expected + 1);  // one spare byte detects excess data
    struct Stream {
      z_stream z{};
      bool open = false;
      ~Stream() { if (open) inflateEnd(&z); }
    } s;
    if (inflateInit(&s.z) != Z_OK) r_.Fail("cannot start inflating");
    s.open = true;
    s.z.next_in = idat_.data();
    s.z.avail_in = static_cast<uInt>(idat_.size());
    s.z.next_out = raw.data();
    s.z.avail_out = static_cast<uInt>(raw.size());
    for (;;) {
      int rc = inflate(&s.z, Z_NO_FLUSH);
      if (s.z.total_out > expected) r_.Fail("more image data than the header implies");
      if (rc == Z_STREAM_END) break;
      if (rc == Z_OK) continue;
      if (rc == Z_BUF_ERROR) r_.Fail("image data truncated");
      r_.Fail(std::string("corrupt image data (") + (s.z.msg ? s.z.msg : "inflate error") + ")");
    }
    if (s.z.total_out != expected)
      r_.Fail("image data holds " + std::to_string(s.z.total_out) + " bytes, header implies " +
              std::to_string(expected));
    raw.resize(expected);
    return raw;
  }

  static void Unfilter(uint8_t* row, const uint8_t* prev, size_t n, size_t bpp, int filter) {
    switch (filter) {
      case 0: break;
      case 1: for (size_t i = bpp; i < n; ++i) row[i] += row[i - bpp]; break;
      case 2: for (size_t i = 0; i < n; ++i) row[i] += prev[i]; break;
      case 3:
        for (size_t i = 0; i < n; ++i) row[i] += ((i >= bpp ? row[i - bpp] : 0) + prev[i]) / 2;
        break;
      case 4:
        for (size_t i = 0; i < n; ++i) {
          int a = i >= bpp ? row[i - bpp] : 0, b = prev[i], c = i >= bpp ? prev[i - bpp] : 0;
          int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
          row[i] += (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
        }
        break;
    }
  }

  unsigned Sample(const uint8_t* row, size_t index) const {
    switch (h_.depth) {
      case 8: return row[index];
      case 16: return (row[2 * index] << 8) | row[2 * index + 1];
      default: {
        size_t bit = index * h_.depth;
        int shift = 8 - h_.depth - static_cast<int>(bit % 8);
        return (row[bit / 8] >> shift) & ((1u << h_.depth) - 1);
      }
    }
  }

  unsigned To8(unsigned v) const {
    if (h_.depth == 16) return v >> 8;
    if (h_.depth == 8) return v;
    return v * 255 / ((1u << h_.depth) - 1);
  }

  uint32_t PixelOf(const uint8_t* row, int i) const {
    const size_t s = static_cast<size_t>(i) * h_.channels;
    switch (h_.colourType) {
      case kGrey: {
        unsigned g = Sample(row, s), v = To8(g);
        return Argb(hasKey_ && g == key_[0] ? 0 : 255, v, v, v);
      }
      case kRgb: {
        unsigned r = Sample(row, s), g = Sample(row, s + 1), b = Sample(row, s + 2);
        bool clear = hasKey_ && r == key_[0] && g == key_[1] && b == key_[2];
        return Argb(clear ? 0 : 255, To8(r), To8(g), To8(b));
      }
      case kPalette: {
        unsigned index = Sample(row, s);
        if (index >= paletteSize_) r_.Fail("palette index " + std::to_string(index) + " out of range");
        return palette_[index];
      }
      case kGreyAlpha: {
        unsigned v = To8(Sample(row, s));
        return Argb(To8(Sample(row, s + 1)), v, v, v);
      }
      default:
        return Argb(To8(Sample(row, s + 3)), To8(Sample(row, s)), To8(Sample(row, s + 1)), To8(Sample(row, s + 2)));
    }
  }

  void DecodePass(const Pass& pass, std::vector<uint8_t>& raw, size_t& pos, Image& image) {
    const size_t n = RowBytes(h_, pass.width);
    const size_t bpp = std::max<size_t>(1, static_cast<size_t>(h_.channels) * h_.depth / 8);
    std::vector<uint8_t> zero(n, 0);
    const uint8_t* prev = zero.data();
    for (int y = 0; y < pass.height; ++y) {
      const int filter = raw[pos];
      if (filter > 4) r_.Fail("bad filter type " + std::to_string(filter));
      uint8_t* row = &raw[pos + 1];
      Unfilter(row, prev, n, bpp, filter);
      uint32_t* dst = &image.pixels[static_cast<size_t>(pass.y0 + y * pass.dy) * h_.width];
      for (int x = 0; x < pass.width; ++x) dst[pass.x0 + x * pass.dx] = PixelOf(row, x);
      prev = row;
      pos += 1 + n;
    }
  }

  Reader r_;
  Header h_;
  uint32_t palette_[256] = {};
  size_t paletteSize_ = 0;
  uint16_t key_[3] = {};
  bool hasKey_ = false;
  std::vector<uint8_t> idat_;
};

}  // namespace

bool IsPng(const uint8_t* data, size_t size) {
  return size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

Image DecodePng(const uint8_t* data, size_t size) { return Decoder(data, size).Run(); }

}  // namespace codec
