#pragma once
// Small builders shared by the link-information window, its pages and the About box.
#include <string>

#include "resources/FormResource.h"
#include "resources/UiStr.h"
#include "resources/WvImage.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

namespace linkinfo {

// An interface text of the repository, empty while there is none.
inline std::string Text(std::string CUISTR::*member)
{
    const CUISTR* s = FormResource ? FormResource->UI_Str.get() : nullptr;
    return s ? s->*member : std::string();
}

// A label of fixed width at (left, top); text from the string table when member is given.
inline TLabel* MakeLabel(TWinControl* parent, int left, int top, int width, std::string CUISTR::*member = nullptr,
                         TAlignment alignment = taLeftJustify)
{
    auto* label = new TLabel(parent);
    label->SetParent(parent);
    label->SetAutoSize(false);
    label->SetBounds(left, top, width, 13);
    label->SetAlignment(alignment);
    label->SetEllipsisPosition(epEndEllipsis);
    if (member)
        label->SetCaption(Text(member));
    return label;
}

// A picture of the repository placed at (left, top) and sized to it.
inline TImage* MakePicture(TWinControl* parent, int left, int top, const TImage* source)
{
    auto* image = new TImage(parent);
    image->SetParent(parent);
    const int w = source ? source->Picture().Width() : 0, h = source ? source->Picture().Height() : 0;
    image->SetBounds(left, top, w, h);
    if (source)
        image->SetPicture(source->Picture());
    return image;
}

// A picture button of the given style showing normal, with down while pressed or selected.
inline TWvImage* MakePictureButton(TWinControl* parent, int left, int top, TImage* normal, TImage* down,
                                   TWvImageStyle style)
{
    auto* button = new TWvImage(parent);
    button->SetParent(parent);
    const int w = normal ? normal->Picture().Width() : 16, h = normal ? normal->Picture().Height() : 16;
    button->SetBounds(left, top, w, h);
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

// The caption of a skinned window: white on its dark header.
inline void StyleCaption(TLabel* caption)
{
    caption->Font().SetColor(RGB(255, 255, 255));
    caption->Font().SetStyle(caption->Font().Style() | fsBold);
}

} // namespace linkinfo
