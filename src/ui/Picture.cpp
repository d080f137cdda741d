#include "ui/Picture.h"

#include "ui/codec_common.h"

#include <cstring>
#include <mutex>
#include <new>
#include <utility>

namespace {

constexpr uint64_t kMaxFileSize = 256u * 1024 * 1024;

HBITMAP CreateDib(int width, int height, uint32_t** bits) {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;  // top-down
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* p = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &p, nullptr, 0);
  if (!bitmap) throw EPictureError("cannot create a bitmap of " + std::to_string(width) + "x" + std::to_string(height));
  *bits = static_cast<uint32_t*>(p);
  return bitmap;
}

uint32_t Premultiplied(uint32_t p) {
  const unsigned a = p >> 24;
  if (a == 255) return p;
  auto scale = [a](unsigned c) { return (c * a + 127) / 255; };
  return (a << 24) | (scale((p >> 16) & 0xFF) << 16) | (scale((p >> 8) & 0xFF) << 8) | scale(p & 0xFF);
}

// Selects a bitmap into a memory DC for the lifetime of the object.
class TMemoryDC {
public:
  TMemoryDC(HDC target, HBITMAP bitmap) : dc_(CreateCompatibleDC(target)) {
    if (dc_) old_ = SelectObject(dc_, bitmap);
  }
  ~TMemoryDC() {
    if (!dc_) return;
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return dc_; }

private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

// The picture shared by copies of a TPicture. A built-in picture is decoded, and its bitmap
// and icon made, when first drawn or read; its size comes from the file header.
struct TPictureData {
  codec::Image image;  // straight alpha; kept only when the bitmap holds premultiplied pixels
  int width = 0;
  int height = 0;
  bool hasAlpha = false;
  bool isIcon = false;
  HBITMAP bitmap = nullptr;  // premultiplied when hasAlpha
  const uint32_t* bits = nullptr;
  HICON icon = nullptr;
  // Encoded bytes still to decode (resource memory, alive with the module).
  const uint8_t* source = nullptr;
  size_t sourceSize = 0;
  std::string label;
  std::mutex lock;
  bool ready = false;
  std::string failure;

  TPictureData() = default;
  TPictureData(const TPictureData&) = delete;
  TPictureData& operator=(const TPictureData&) = delete;
  ~TPictureData() {
    if (icon) DestroyIcon(icon);
    if (bitmap) DeleteObject(bitmap);
  }

  // Decodes (unless done), then makes the bitmap and icon; throws EPictureError on failure.
  void Ready() {
    std::lock_guard<std::mutex> guard(lock);
    if (ready) return;
    if (!failure.empty()) throw EPictureError(failure);
    try {
      if (source) {
        const int declaredWidth = width, declaredHeight = height;
        image = Decode(source, sourceSize, isIcon);
        if (image.width != declaredWidth || image.height != declaredHeight)
          throw EPictureError("size differs from its header");
      }
      hasAlpha = codec::AnyTransparent(image);
      MakeBitmap();
      if (isIcon) MakeIcon();
      DropOpaqueCopy();
      source = nullptr;
      ready = true;
    } catch (const EPictureError& e) {
      failure = label.empty() ? e.what() : label + ": " + e.what();
      image = codec::Image();
      throw EPictureError(failure);
    }
  }

  static codec::Image Decode(const uint8_t* p, size_t size, bool& isIcon) {
    try {
      if (size >= 2 && p[0] == 'B' && p[1] == 'M') return codec::DecodeBmp(p, size);
      if (size >= 4 && p[0] == 0 && p[1] == 0 && p[2] == 1 && p[3] == 0) {
        isIcon = true;
        return codec::DecodeIco(p, size);
      }
      if (codec::IsPng(p, size)) return codec::DecodePng(p, size);
      if (size >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF) return codec::DecodeJpeg(p, size);
    } catch (const codec::DecodeError& e) {
      throw EPictureError(e.what());
    } catch (const std::bad_alloc&) {
      throw EPictureError("out of memory decoding a picture");
    }
    throw EPictureError("unknown picture format");
  }

  void MakeBitmap() {
    uint32_t* target = nullptr;
    width = image.width;
    height = image.height;
    bitmap = CreateDib(width, height, &target);
    bits = target;
    if (!hasAlpha) {
      std::memcpy(target, image.pixels.data(), image.pixels.size() * 4);
      return;
    }
    for (size_t i = 0; i < image.pixels.size(); ++i) target[i] = Premultiplied(image.pixels[i]);
  }

  // Opaque pictures read their pixels from the bitmap; only alpha pictures keep a second copy.
  void DropOpaqueCopy() {
    if (!hasAlpha) image = codec::Image();
  }

  uint32_t At(int x, int y) const {
    const size_t i = static_cast<size_t>(y) * width + x;
    return hasAlpha ? image.pixels[i] : bits[i];
  }

  // An icon from the pixels: 32-bit colour with straight alpha and an AND mask from alpha.
  void MakeIcon() {
    uint32_t* colourBits = nullptr;
    HBITMAP colour = CreateDib(image.width, image.height, &colourBits);
    std::memcpy(colourBits, image.pixels.data(), image.pixels.size() * 4);
    const size_t stride = ((image.width + 15) / 16) * 2;  // monochrome rows are word-aligned
    std::vector<uint8_t> maskBits(stride * image.height, 0);
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x) {
        const size_t i = static_cast<size_t>(y) * image.width + x;
        if (image.pixels[i] >> 24) continue;
        maskBits[stride * y + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        colourBits[i] = 0;  // black under a set mask bit leaves the screen as it is
      }
    HBITMAP mask = CreateBitmap(image.width, image.height, 1, 1, maskBits.data());
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour;
    info.hbmMask = mask;
    icon = mask ? CreateIconIndirect(&info) : nullptr;
    if (mask) DeleteObject(mask);
    DeleteObject(colour);
    if (!icon) throw EPictureError("cannot create an icon handle");
  }
};

void TPicture::LoadFromFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw EPictureError("cannot open picture file \"" + path + "\"");
  struct Closer {
    HANDLE h;
    ~Closer() { CloseHandle(h); }
  } closer{file};
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size) || static_cast<uint64_t>(size.QuadPart) > kMaxFileSize)
    throw EPictureError("picture file \"" + path + "\" is too large");
  std::vector<uint8_t> data(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!data.empty() && (!ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr) ||
                        read != data.size()))
    throw EPictureError("cannot read picture file \"" + path + "\"");
  try {
    LoadFromMemory(data.data(), data.size());
  } catch (const EPictureError& e) {
    throw EPictureError("\"" + path + "\": " + e.what());
  }
}

void TPicture::LoadFromMemory(const void* data, size_t size) {
  const auto* p = static_cast<const uint8_t*>(data);
  if (!p || size == 0) throw EPictureError("empty picture data");
  auto loaded = std::make_shared<TPictureData>();
  loaded->image = TPictureData::Decode(p, size, loaded->isIcon);
  loaded->Ready();
  data_ = std::move(loaded);
}

namespace {

uint32_t BigEndian16(const uint8_t* p) { return (uint32_t(p[0]) << 8) | p[1]; }
uint32_t BigEndian32(const uint8_t* p) { return (BigEndian16(p) << 16) | BigEndian16(p + 2); }

// The size a PNG or JPEG header declares; false when the header does not tell it plainly.
bool HeaderSize(const uint8_t* p, size_t size, int& width, int& height) {
  int64_t w = 0, h = 0;
  if (codec::IsPng(p, size)) {
    if (size < 24 || std::memcmp(p + 12, "IHDR", 4) != 0) return false;
    w = BigEndian32(p + 16);
    h = BigEndian32(p + 20);
  } else if (size >= 4 && p[0] == 0xFF && p[1] == 0xD8) {
    size_t i = 2;
    for (;;) {
      if (i + 4 > size || p[i] != 0xFF) return false;
      const uint8_t marker = p[i + 1];
      if (marker == 0xFF) {
        ++i;
        continue;
      }
      if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
        i += 2;
        continue;
      }
      const size_t length = BigEndian16(p + i + 2);
      if (length < 2) return false;
      const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
      if (frame) {
        if (length < 7 || i + 9 > size) return false;
        h = BigEndian16(p + i + 5);
        w = BigEndian16(p + i + 7);
        break;
      }
      i += 2 + length;
    }
  } else {
    return false;
  }
  if (w <= 0 || h <= 0 || w > codec::kMaxDimension || h > codec::kMaxDimension || w * h > codec::kMaxPixels)
    return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

}  // namespace

void TPicture::LoadFromResource(HINSTANCE module, const char* name) {
  const std::string label = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name)) : name;
  HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL handle = info ? LoadResource(module, info) : nullptr;
  const void* data = handle ? LockResource(handle) : nullptr;
  if (!data) throw EPictureError("picture resource " + label + " not found");
  const auto* bytes = static_cast<const uint8_t*>(data);
  const size_t size = SizeofResource(module, info);
  auto loaded = std::make_shared<TPictureData>();
  loaded->label = "picture resource " + label;
  if (HeaderSize(bytes, size, loaded->width, loaded->height)) {
    // Resource memory lives as long as the module: decoded when first used.
    loaded->source = bytes;
    loaded->sourceSize = size;
    data_ = std::move(loaded);
    return;
  }
  try {
    // Icons and other formats: pixels now, bitmap and icon handle when first used.
    loaded->image = TPictureData::Decode(bytes, size, loaded->isIcon);
  } catch (const EPictureError& e) {
    throw EPictureError(loaded->label + ": " + e.what());
  }
  loaded->width = loaded->image.width;
  loaded->height = loaded->image.height;
  data_ = std::move(loaded);
}

void TPicture::Clear() { data_.reset(); }
bool TPicture::Empty() const { return !data_; }
int TPicture::Width() const { return data_ ? data_->width : 0; }
int TPicture::Height() const { return data_ ? data_->height : 0; }
bool TPicture::HasAlpha() const { return data_ && (data_->Ready(), data_->hasAlpha); }

void TPicture::Draw(HDC dc, int x, int y) const {
  if (!data_) return;
  RECT r{x, y, x + Width(), y + Height()};
  StretchDraw(dc, r);
}

void TPicture::StretchDraw(HDC dc, const RECT& r) const {
  if (!data_) return;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  data_->Ready();
  TMemoryDC source(dc, data_->bitmap);
  if (!source.Get()) return;
  const int sw = Width(), sh = Height();
  if (data_->hasAlpha) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, r.left, r.top, w, h, source.Get(), 0, 0, sw, sh, blend);
  } else if (w == sw && h == sh) {
    BitBlt(dc, r.left, r.top, w, h, source.Get(), 0, 0, SRCCOPY);
  } else {
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, r.left, r.top, w, h, source.Get(), 0, 0, sw, sh, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
  }
}

COLORREF TPicture::Pixel(int x, int y) const {
  if (!data_ || x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  data_->Ready();
  const uint32_t p = data_->At(x, y);
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

BYTE TPicture::Alpha(int x, int y) const {
  if (!data_ || x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  data_->Ready();
  return static_cast<BYTE>(data_->At(x, y) >> 24);
}

HBITMAP TPicture::Bitmap() const {
  if (!data_) return nullptr;
  data_->Ready();
  return data_->bitmap;
}

HICON TPicture::Icon() const {
  if (!data_) return nullptr;
  data_->Ready();
  return data_->icon;
}

bool TPicture::IsIcon() const { return data_ && data_->isIcon; }
