#pragma once
// Small builders shared by the Hotspot 2.0 pages, and the bounded copies between the library's
// fixed text fields and strings.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "resources/WvImage.h"
#include "ui/StdCtrls.h"

namespace hotspot {

inline std::string Text(std::string CUISTR::*member) { return skin::UiText(member); }

constexpr int kLabelLeft = 16, kFieldLeft = 150, kFieldWidth = 200, kRowHeight = 21;

inline TEdit* MakeEdit(TWinControl* parent, int top, int maxLength, bool masked = false)
{
    auto* edit = new TEdit(parent);
    edit->SetParent(parent);
    edit->SetBounds(kFieldLeft, top, kFieldWidth, kRowHeight);
    edit->SetMaxLength(maxLength);
    if (masked)
        edit->SetPasswordChar('*');
    return edit;
}

inline TComboBox* MakeList(TWinControl* parent, int top, std::initializer_list<std::string CUISTR::*> items)
{
    auto* list = new TComboBox(parent, csDropDownList);
    list->SetParent(parent);
    list->SetBounds(kFieldLeft, top, kFieldWidth, kRowHeight);
    intptr_t code = 0;
    for (std::string CUISTR::*item : items)
        list->Items().AddObject(Text(item), reinterpret_cast<void*>(code++));
    if (list->Items().Count() > 0)
        list->SetItemIndex(0);
    return list;
}

inline TButton* MakeButton(TWinControl* parent, int left, int top, const std::string& caption, int width = 84)
{
    auto* button = new TButton(parent);
    button->SetParent(parent);
    button->SetBounds(left, top, width, 25);
    button->SetCaption(caption);
    return button;
}

// Copies text into a fixed field: zero-terminated when shorter, without terminator when it
// fills the field, cut to the field when longer. Returns the number of characters copied.
template <size_t N>
uint8_t PutField(char (&field)[N], const std::string& text)
{
    const size_t n = std::min(text.size(), N);
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), n);
    return uint8_t(n);
}

// The text of a field, never read past it: up to its first zero byte, its size, or the given
// length, whichever comes first.
template <size_t N>
std::string FieldText(const char (&field)[N], size_t length = N)
{
    return std::string(field, strnlen(field, std::min(length, N)));
}

} // namespace hotspot
