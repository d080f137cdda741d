#include "ui/Picture.h"

struct TPictureData {
  int width = 0;
  int height = 0;
};

void TPicture::LoadFromFile(const std::string&) { throw EPictureError("not yet supported"); }
void TPicture::LoadFromMemory(const void*, size_t) { throw EPictureError("not yet supported"); }
void TPicture::LoadFromResource(HINSTANCE, const char*) { throw EPictureError("not yet supported"); }
void TPicture::Clear() { data_.reset(); }
bool TPicture::Empty() const { return !data_; }
int TPicture::Width() const { return data_ ? data_->width : 0; }
int TPicture::Height() const { return data_ ? data_->height : 0; }
bool TPicture::HasAlpha() const { return false; }
void TPicture::Draw(HDC, int, int) const {}
void TPicture::StretchDraw(HDC, const RECT&) const {}
COLORREF TPicture::Pixel(int, int) const { return 0; }
BYTE TPicture::Alpha(int, int) const { return 0; }
HBITMAP TPicture::Bitmap() const { return nullptr; }
HICON TPicture::Icon() const { return nullptr; }
bool TPicture::IsIcon() const { return false; }
