#pragma once
#include <windows.h>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>

// A corrupt, truncated or unsupported picture.
class EPictureError : public std::runtime_error {
public:
  using runtime_error::runtime_error;
};

struct TPictureData;

// A BMP, ICO, PNG or JPEG picture. A value type: copies share the decoded image. A built-in
// picture is decoded when first drawn or read; a corrupt one throws EPictureError then.
class TPicture {
public:
  void LoadFromFile(const std::string& path);
  void LoadFromMemory(const void* data, size_t size);   // format by signature
  void LoadFromResource(HINSTANCE module, const char* name);  // RCDATA resource
  void Clear();

  bool Empty() const;
  int Width() const;
  int Height() const;
  bool HasAlpha() const;

  void Draw(HDC dc, int x, int y) const;  // alpha-blended when HasAlpha
  void StretchDraw(HDC dc, const RECT& r) const;

  COLORREF Pixel(int x, int y) const;  // 0x00BBGGRR; 0 outside the picture
  BYTE Alpha(int x, int y) const;      // 0 outside the picture

  HBITMAP Bitmap() const;  // 32-bit top-down DIB section owned by the picture, null if empty
  HICON Icon() const;      // icon handle for ICO pictures, else null; owned by the picture
  bool IsIcon() const;
  // True when both hold the same decoded image (or both are empty).
  bool SameAs(const TPicture& other) const { return data_ == other.data_; }

private:
  std::shared_ptr<TPictureData> data_;
};
