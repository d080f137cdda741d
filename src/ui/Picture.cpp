#include "ui/Picture.h"

#include "ui/codec_common.h"

#include <cstring>
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

// The decoded picture, shared by copies of a TPicture.
struct TPictureData {
  codec::Image image;  // straight alpha; kept only when the bitmap holds premultiplied pixels
  int width = 0;
  int height = 0;
  bool hasAlpha = false;
  bool isIcon = false;
  HBITMAP bitmap = nullptr;  // premultiplied when hasAlpha
  const uint32_t* bits = nullptr;
  HICON icon = nullptr;

  TPictureData() = default;
  TPictureData(const TPictureData&) = delete;
  TPictureData& operator=(const TPictureData&) = delete;
  ~TPictureData() {
    if (icon) DestroyIcon(icon);
    if (bitmap) DeleteObject(bitmap);
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
  try {
    if (size >= 2 && p[0] == 'B' && p[1] == 'M') {
      loaded->image = codec::DecodeBmp(p, size);
    } else if (size >= 4 && p[0] == 0 && p[1] == 0 && p[2] == 1 && p[3] == 0) {
      loaded->image = codec::DecodeIco(p, size);
      loaded->isIcon = true;
    } else if (codec::IsPng(p, size)) {
      loaded->image = codec::DecodePng(p, size);
    } else if (size >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF) {
      loaded->image = codec::DecodeJpeg(p, size);
    } else {
      throw EPictureError("unknown picture format");
    }
  } catch (const codec::DecodeError& e) {
    throw EPictureError(e.what());
  } catch (const std::bad_alloc&) {
    throw EPictureError("out of memory decoding a picture");
  }
  loaded->hasAlpha = codec::AnyTransparent(loaded->image);
  loaded->MakeBitmap();
  if (loaded->isIcon) loaded->MakeIcon();
  loaded->DropOpaqueCopy();
  data_ = std::move(loaded);
}

void TPicture::LoadFromResource(HINSTANCE module, const char* name) {
  const std::string label = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name)) : name;
  HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL handle = info ? LoadResource(module, info) : nullptr;
  const void* data = handle ? LockResource(handle) : nullptr;
  if (!data) throw EPictureError("picture resource " + label + " not found");
  try {
    LoadFromMemory(data, SizeofResource(module, info));
  } catch (const EPictureError& e) {
    throw EPictureError("picture resource " + label + ": " + e.what());
  }
}

void TPicture::Clear() { data_.reset(); }
bool TPicture::Empty() const { return !data_; }
int TPicture::Width() const { return data_ ? data_->width : 0; }
int TPicture::Height() const { return data_ ? data_->height : 0; }
bool TPicture::HasAlpha() const { return data_ && data_->hasAlpha; }

void TPicture::Draw(HDC dc, int x, int y) const {
  if (!data_) return;
  RECT r{x, y, x + Width(), y + Height()};
  StretchDraw(dc, r);
}

void TPicture::StretchDraw(HDC dc, const RECT& r) const {
  if (!data_) return;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
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
  const uint32_t p = data_->At(x, y);
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

BYTE TPicture::Alpha(int x, int y) const {
  if (!data_ || x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  return static_cast<BYTE>(data_->At(x, y) >> 24);
}

HBITMAP TPicture::Bitmap() const { return data_ ? data_->bitmap : nullptr; }
HICON TPicture::Icon() const { return data_ ? data_->icon : nullptr; }
bool TPicture::IsIcon() const { return data_ && data_->isIcon; }
