#pragma once
// Decoders behind TPicture. Plain C++ (no windows.h) so libjpeg's headers can live beside it.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace codec {

// Sane bounds for any picture this program loads.
constexpr int64_t kMaxDimension = 16384;
constexpr int64_t kMaxPixels = 16 * 1024 * 1024;

// Raised by every decoder; TPicture turns it into EPictureError.
class DecodeError : public std::runtime_error {
public:
  using runtime_error::runtime_error;
};

// Top-down pixels as 0xAARRGGBB (bytes B, G, R, A in memory), alpha not premultiplied.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

inline uint32_t Argb(unsigned a, unsigned r, unsigned g, unsigned b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}

// Throws unless width x height is a picture size we accept.
void CheckSize(int64_t width, int64_t height, const char* format);
// Allocates pixels for a size that passed CheckSize.
Image MakeImage(int width, int height, uint32_t fill);
// True when some pixel is not fully opaque.
bool AnyTransparent(const Image& image);

// Bounded reads from a byte buffer; every read past the end throws.
class Reader {
public:
  Reader(const uint8_t* data, size_t size, const char* format) : data_(data), size_(size), format_(format) {}
  size_t Size() const { return size_; }
  const uint8_t* At(size_t offset, size_t count) const;  // throws unless [offset, offset+count) fits
  uint8_t U8(size_t offset) const { return *At(offset, 1); }
  uint16_t U16le(size_t offset) const;
  uint32_t U32le(size_t offset) const;
  int32_t I32le(size_t offset) const { return static_cast<int32_t>(U32le(offset)); }
  uint32_t U32be(size_t offset) const;
  [[noreturn]] void Fail(const std::string& what) const;

private:
  const uint8_t* data_;
  size_t size_;
  const char* format_;
};

// A BMP file ("BM" header first).
Image DecodeBmp(const uint8_t* data, size_t size);
// A device-independent bitmap as stored in an icon: info header at offset 0, colour bits,
// then the 1-bit AND mask; the header height counts both.
Image DecodeIconDib(const uint8_t* data, size_t size);
// An icon file; decodes the best entry (largest, then deepest).
Image DecodeIco(const uint8_t* data, size_t size);
Image DecodePng(const uint8_t* data, size_t size);
Image DecodeJpeg(const uint8_t* data, size_t size);

bool IsPng(const uint8_t* data, size_t size);

}  // namespace codec
