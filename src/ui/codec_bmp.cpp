// BMP files and the device-independent bitmaps inside icons.
#include "ui/codec_common.h"

#include <algorithm>
#include <bit>

namespace codec {

void CheckSize(int64_t width, int64_t height, const char* format) {
  if (width <= 0 || height <= 0)
    throw DecodeError(std::string(format) + ": picture has no pixels (" + std::to_string(width) + "x" +
                      std::to_string(height) + ")");
  if (width > kMaxDimension || height > kMaxDimension || width * height > kMaxPixels)
    throw DecodeError(std::string(format) + ": picture too large (" + std::to_string(width) + "x" +
                      std::to_string(height) + ")");
}

Image MakeImage(int width, int height, uint32_t fill) {
  Image image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
  return image;
}

bool AnyTransparent(const Image& image) {
  return std::any_of(image.pixels.begin(), image.pixels.end(), [](uint32_t p) { return (p >> 24) != 0xFF; });
}

const uint8_t* Reader::At(size_t offset, size_t count) const {
  if (offset > size_ || count > size_ - offset)
    Fail("data ends early (need " + std::to_string(count) + " bytes at offset " + std::to_string(offset) +
         ", have " + std::to_string(size_) + ")");
  return data_ + offset;
}

uint16_t Reader::U16le(size_t offset) const {
  const uint8_t* p = At(offset, 2);
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Reader::U32le(size_t offset) const {
  const uint8_t* p = At(offset, 4);
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint32_t Reader::U32be(size_t offset) const {
  const uint8_t* p = At(offset, 4);
  return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

void Reader::Fail(const std::string& what) const { throw DecodeError(std::string(format_) + ": " + what); }

namespace {

enum : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kAlphaBitfields = 6 };

// One colour channel described by a bit mask.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit Channel(uint32_t m = 0) : mask(m) {
    if (!m) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  unsigned Get(uint32_t value) const {
    if (!mask) return 0;
    uint64_t v = (value & mask) >> shift;
    return static_cast<unsigned>(v * 255 / max);
  }
};

struct DibInfo {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bits = 0;
  uint32_t compression = kRgb;
  Channel red, green, blue, alpha;
  std::vector<uint32_t> palette = std::vector<uint32_t>(256, Argb(255, 0, 0, 0));
  size_t end = 0;  // offset just past header, masks and palette
};

DibInfo ParseInfo(const Reader& r, size_t at, bool icon) {
  DibInfo info;
  uint32_t headerSize = r.U32le(at);
  int64_t width = 0, height = 0;
  uint32_t colours = 0;
  size_t entrySize = 4;
  bool headerMasks = false;
  if (headerSize == 12) {
    width = r.U16le(at + 4);
    height = r.U16le(at + 6);
    info.bits = r.U16le(at + 10);
    entrySize = 3;
  } else if (headerSize >= 40 && headerSize <= 4096) {
    width = r.I32le(at + 4);
    height = r.I32le(at + 8);
    info.bits = r.U16le(at + 14);
    info.compression = r.U32le(at + 16);
    colours = r.U32le(at + 32);
    r.At(at, headerSize);
    headerMasks = headerSize >= 52;
  } else {
    r.Fail("unsupported header size " + std::to_string(headerSize));
  }
  if (height < 0) {
    info.topDown = true;
    height = -height;
  }
  if (icon) height /= 2;
  CheckSize(width, height, icon ? "ICO" : "BMP");
  info.width = static_cast<int>(width);
  info.height = static_cast<int>(height);

  const int b = info.bits;
  if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32)
    r.Fail("unsupported bit depth " + std::to_string(b));
  switch (info.compression) {
    case kRgb: break;
    case kRle8: if (b != 8) r.Fail("RLE8 needs 8 bits per pixel"); break;
    case kRle4: if (b != 4) r.Fail("RLE4 needs 4 bits per pixel"); break;
    case kBitfields:
    case kAlphaBitfields: if (b != 16 && b != 32) r.Fail("bit fields need 16 or 32 bits per pixel"); break;
    default: r.Fail("unsupported compression " + std::to_string(info.compression));
  }
  if (info.topDown && (info.compression == kRle8 || info.compression == kRle4))
    r.Fail("RLE bitmap stored top-down");
  if (icon && (info.compression == kRle8 || info.compression == kRle4)) r.Fail("RLE bitmap in an icon");

  size_t pos = at + headerSize;
  if (info.compression == kBitfields || info.compression == kAlphaBitfields) {
    size_t maskAt = at + 40;
    if (!headerMasks) {
      pos += info.compression == kAlphaBitfields ? 16 : 12;  // masks follow a 40-byte header
    }
    info.red = Channel(r.U32le(maskAt));
    info.green = Channel(r.U32le(maskAt + 4));
    info.blue = Channel(r.U32le(maskAt + 8));
    bool alphaPresent = info.compression == kAlphaBitfields || headerSize >= 56;
    if (alphaPresent) info.alpha = Channel(r.U32le(maskAt + 12));
  } else if (b == 16) {
    info.red = Channel(0x7C00);
    info.green = Channel(0x03E0);
    info.blue = Channel(0x001F);
  } else if (b == 32) {
    info.red = Channel(0x00FF0000);
    info.green = Channel(0x0000FF00);
    info.blue = Channel(0x000000FF);
    info.alpha = Channel(0xFF000000);  // honoured only when some alpha is set
  }

  if (b <= 8) {
    uint32_t count = colours ? colours : (1u << b);
    if (count > 256) r.Fail("palette of " + std::to_string(count) + " colours");
    const uint8_t* p = r.At(pos, count * entrySize);
    for (uint32_t i = 0; i < count; ++i, p += entrySize) info.palette[i] = Argb(255, p[2], p[1], p[0]);
    pos += count * entrySize;
  } else if (colours && colours <= 256) {
    pos += colours * entrySize;  // optional palette of a true-colour bitmap: skipped
  }
  info.end = pos;
  return info;
}

size_t Stride(int width, int bits) { return ((static_cast<size_t>(width) * bits + 31) / 32) * 4; }

int RowOf(const DibInfo& info, int fileRow) { return info.topDown ? fileRow : info.height - 1 - fileRow; }

// Uncompressed colour bits; returns true when an alpha channel carried some value.
bool DecodeRows(const Reader& r, const DibInfo& info, size_t at, Image& image) {
  const size_t stride = Stride(info.width, info.bits);
  const uint8_t* data = r.At(at, stride * info.height);
  uint32_t alphaSeen = 0;
  for (int row = 0; row < info.height; ++row) {
    const uint8_t* src = data + stride * row;
    uint32_t* dst = &image.pixels[static_cast<size_t>(RowOf(info, row)) * info.width];
    for (int x = 0; x < info.width; ++x) {
      switch (info.bits) {
        case 1: dst[x] = info.palette[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
        case 4: dst[x] = info.palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15]; break;
        case 8: dst[x] = info.palette[src[x]]; break;
        case 24: dst[x] = Argb(255, src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
        default: {
          uint32_t v = info.bits == 16 ? (src[2 * x] | (src[2 * x + 1] << 8))
                                       : (src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16) |
                                          (static_cast<uint32_t>(src[4 * x + 3]) << 24));
          unsigned a = info.alpha.Get(v);
          alphaSeen |= a;
          dst[x] = Argb(a, info.red.Get(v), info.green.Get(v), info.blue.Get(v));
        }
      }
    }
  }
  bool alphaUsed = info.alpha.mask && alphaSeen;
  if (!alphaUsed && info.bits >= 16)
    for (uint32_t& p : image.pixels) p |= 0xFF000000u;
  return alphaUsed;
}

void DecodeRle(const Reader& r, const DibInfo& info, size_t at, Image& image) {
  const bool four = info.compression == kRle4;
  int x = 0, y = 0;  // y counts rows from the bottom
  auto put = [&](unsigned index) {
    if (x < info.width && y < info.height)
      image.pixels[static_cast<size_t>(info.height - 1 - y) * info.width + x] = info.palette[index];
    ++x;
  };
  size_t pos = at;
  for (;;) {  // until the end-of-bitmap command; pixels past the picture are dropped
    uint8_t count = r.U8(pos), value = r.U8(pos + 1);
    pos += 2;
    if (count) {
      for (int i = 0; i < count; ++i) put(four ? ((i & 1) ? value & 15 : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      return;
    } else if (value == 2) {  // move right and up
      x += r.U8(pos);
      y += r.U8(pos + 1);
      pos += 2;
    } else {  // literal pixels, padded to a word
      size_t bytes = four ? (value + 1) / 2 : value;
      const uint8_t* p = r.At(pos, bytes);
      for (int i = 0; i < value; ++i) put(four ? ((i & 1) ? p[i / 2] & 15 : p[i / 2] >> 4) : p[i]);
      pos += (bytes + 1) & ~size_t(1);
    }
  }
}

}  // namespace

Image DecodeBmp(const uint8_t* data, size_t size) {
  Reader r(data, size, "BMP");
  if (size < 2 || data[0] != 'B' || data[1] != 'M') r.Fail("not a bitmap file");
  uint32_t offset = r.U32le(10);
  DibInfo info = ParseInfo(r, 14, false);
  if (offset < 14 + r.U32le(14)) r.Fail("pixel data offset " + std::to_string(offset) + " inside the header");
  if (offset >= size) r.Fail("pixel data offset " + std::to_string(offset) + " past the end");
  Image image = MakeImage(info.width, info.height, info.palette[0]);
  if (info.compression == kRle8 || info.compression == kRle4)
    DecodeRle(r, info, offset, image);
  else
    DecodeRows(r, info, offset, image);
  return image;
}

Image DecodeIconDib(const uint8_t* data, size_t size) {
  Reader r(data, size, "ICO");
  DibInfo info = ParseInfo(r, 0, true);
  Image image = MakeImage(info.width, info.height, 0);
  if (DecodeRows(r, info, info.end, image)) return image;
  // Transparency from the AND mask: a set bit is a transparent pixel.
  const size_t colourBytes = Stride(info.width, info.bits) * info.height;
  const size_t stride = Stride(info.width, 1);
  const uint8_t* mask = r.At(info.end + colourBytes, stride * info.height);
  for (int row = 0; row < info.height; ++row) {
    const uint8_t* src = mask + stride * row;
    uint32_t* dst = &image.pixels[static_cast<size_t>(RowOf(info, row)) * info.width];
    for (int x = 0; x < info.width; ++x)
      if ((src[x >> 3] >> (7 - (x & 7))) & 1) dst[x] = 0;
  }
  return image;
}

}  // namespace codec
