#include "resources/WvImage.h"
#include "resources/FormResource.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

namespace {

// The list's image at index as a picture (through a 32-bit bitmap file in memory).
TPicture PictureFromList(const TImageList& list, int index)
{
    const int w = list.Width(), h = list.Height();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    TPicture picture;
    if (dib && bits) {
        HGDIOBJ old = SelectObject(dc, dib);
        ImageList_Draw(list.Handle(), index, dc, 0, 0, ILD_NORMAL);
        GdiFlush();
        SelectObject(dc, old);
        const size_t pixels = size_t(w) * h * 4;
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        file.bfSize = DWORD(file.bfOffBits + pixels);
        std::vector<unsigned char> buffer(file.bfSize);
        std::memcpy(buffer.data(), &file, sizeof file);
        std::memcpy(buffer.data() + sizeof file, &info.bmiHeader, sizeof info.bmiHeader);
        std::memcpy(buffer.data() + file.bfOffBits, bits, pixels);
        picture.LoadFromMemory(buffer.data(), buffer.size());
    }
    if (dib)
        DeleteObject(dib);
    DeleteDC(dc);
    return picture;
}

}  // namespace

TWvImage::TWvImage(TComponent* AOwner) : TImage(AOwner) {}

TWvImage::~TWvImage() = default;

void TWvImage::ShowPictureOf(TImage* source)
{
    SetPicture(source->Picture());  // repaints only when the picture changes
}

TWvImage::TWvImage(const TControlArgs& Args) : TWvImage(Args.Parent)
{
    ApplyArgs(Args);
}

void TWvImage::SetImageIndex(int index)
{
    if (index < 0 || index >= kImageCount)
        return;
    if (ImageSource == gsrcImage) {
        if (!images_[index])
            return;
        ShowPictureOf(images_[index]);
        imageIndex_ = index;
    } else if (ImageSource == gsrcImageList) {
        if (!imageList_ || index >= imageList_->Count())
            return;
        SetPicture(PictureFromList(*imageList_, index));
        Invalidate();
        imageIndex_ = index;
    }
}

void TWvImage::SetImage0(TImage* image)
{
    if (!image)
        return;
    images_[0] = image;
    ShowPictureOf(image);
    SetImageIndex(0);
}

TImage* TWvImage::GetImage(int i) const
{
    return i >= 0 && i < kImageCount ? images_[i] : nullptr;
}

void TWvImage::SetImage(int i, TImage* image)
{
    if (i >= 0 && i < kImageCount)
        images_[i] = image;
}

void TWvImage::SetImageList(TImageList* list)
{
    imageList_ = list;
    SetImageIndex(0);
}

void TWvImage::Loaded()
{
    TImage::Loaded();
    if (ImageSource != gsrcImage)
        return;
    if (TImage* source = GetImage(imageIndex_))
        ShowPictureOf(source);
}

void TWvImage::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TImage::MouseDown(Button, Shift, X, Y);
    if (ImageStyle == gsPushButton) {
        if (Enabled())
            SetImageIndex(1);
    } else if (ImageStyle == gsTabButton) {
        SetImageIndex(1);
        TWinControl* parent = Parent();
        TWinControl* grandparent = parent ? parent->Parent() : nullptr;
        if (!grandparent)
            return;
        for (int i = 0; i < grandparent->ComponentCount(); ++i) {
            auto* tab = dynamic_cast<TWvImage*>(grandparent->Components(i));
            if (tab && tab != this && tab->ImageStyle == gsTabButton && tab->Tag == Tag)
                tab->SetImageIndex(0);
        }
    }
}

void TWvImage::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TImage::MouseUp(Button, Shift, X, Y);
    if (ImageStyle == gsPushButton && Enabled())
        SetImageIndex(0);
}

void TWvImage::CMMouseEnter()
{
    m_bMouseInside = true;
    if (!Enabled())
        return;
    if (MouseOverEffect)
        SetImageIndex(2);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TWvImage::CMMouseLeave()
{
    m_bMouseInside = false;
    if (!Enabled())
        return;
    if (MouseOverEffect)
        SetImageIndex(0);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TWvImage::SetEnabled(bool value)
{
    const bool changed = value != Enabled();
    TImage::SetEnabled(value);
    if (value) {
        SetImageIndex(MouseOverEffect && m_bMouseInside ? 1 : 0);
        if (changed)
            Invalidate();
    } else {
        SetImageIndex(3);
    }
}

void TWvImage::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_MOUSEENTER)
        CMMouseEnter();
    else if (Message.Msg == CM_MOUSELEAVE)
        CMMouseLeave();
}

TWvImage* MakePushButton(TWinControl* form, int left, int top, int width, int height, TImage* normal,
                         TImage* down, TImage* disabled)
{
    auto* button = new TWvImage({form, left, top, width, height});
    if (normal)
        button->SetImage0(normal);
    if (down)
        button->SetImage(1, down);
    if (disabled)
        button->SetImage(3, disabled);
    button->ImageStyle = gsPushButton;
    button->ImageSource = gsrcImage;
    button->SetShowHint(true);
    return button;
}

TWvImage* MakeTabButton(TWinControl* form, int left, int top, TImage* normal, TImage* down, TImage* disabled)
{
    const int width = normal ? normal->Picture().Width() : 24;
    const int height = normal ? normal->Picture().Height() : 26;
    TWvImage* tab = MakePushButton(form, left, top, width, height, normal, down, disabled);
    tab->ImageStyle = gsTabButton;
    tab->Cursor = crHandPoint;
    return tab;
}

namespace skin {

std::string UiText(std::string CUISTR::*member)
{
    const CUISTR* s = FormResource ? FormResource->UI_Str.get() : nullptr;
    return s && member ? s->*member : std::string();
}

TWvImage* MakePictureButton(TWinControl* parent, int left, int top, TImage* normal, TImage* down,
                            TWvImageStyle style)
{
    const int w = normal ? normal->Picture().Width() : 16, h = normal ? normal->Picture().Height() : 16;
    auto* button = new TWvImage({parent, left, top, w, h});
    button->ImageStyle = style;
    button->ImageSource = gsrcImage;
    if (down)
        button->SetImage(1, down);
    if (normal)
        button->SetImage0(normal);
    button->Cursor = crHandPoint;
    button->SetShowHint(true);
    return button;
}

TImage* MakePicture(TWinControl* parent, int left, int top, const TImage* source)
{
    const int w = source ? source->Picture().Width() : 0, h = source ? source->Picture().Height() : 0;
    auto* image = new TImage({parent, left, top, w, h});
    if (source)
        image->SetPicture(source->Picture());
    return image;
}

TLabel* MakeLabel(TWinControl* parent, int left, int top, int width, std::string CUISTR::*member,
                  TAlignment alignment)
{
    auto* label = new TLabel({parent, left, top, width, 13});
    label->SetAutoSize(false);
    label->SetAlignment(alignment);
    label->SetEllipsisPosition(epEndEllipsis);
    label->SetCaption(UiText(member));
    return label;
}

} // namespace skin
