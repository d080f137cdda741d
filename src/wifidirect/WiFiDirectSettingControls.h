#pragma once
// Small builders shared by the pages of the Wi-Fi Direct setting wizard, their placement from
// the skin file and the PIN texts they show.
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/Helpers.h"
#include "core/Settings.h"
#include "resources/WvImage.h"
#include "ui/IniFiles.h"
#include "ui/StdCtrls.h"

namespace wizard {

inline std::string Text(std::string CUISTR::*member) { return skin::UiText(member); }

constexpr int kLabelLeft = 16, kFieldLeft = 170, kFieldWidth = 150, kRowHeight = 21;

inline TLabel* MakeCaption(TWinControl* parent, int top, std::string CUISTR::*member)
{
    return skin::MakeLabel(parent, kLabelLeft, top + 4, kFieldLeft - kLabelLeft - 6, member);
}

inline TEdit* MakeEdit(TWinControl* parent, int left, int top, int width, int maxLength)
{
    auto* edit = new TEdit(parent);
    edit->SetParent(parent);
    edit->SetBounds(left, top, width, kRowHeight);
    edit->SetMaxLength(maxLength);
    return edit;
}

inline TRadioButton* MakeRadio(TWinControl* parent, int left, int top, int width, const std::string& caption)
{
    auto* radio = new TRadioButton(parent);
    radio->SetParent(parent);
    radio->SetBounds(left, top, width, 18);
    radio->SetCaption(caption);
    return radio;
}

inline TComboBox* MakeList(TWinControl* parent, int top)
{
    auto* list = new TComboBox(parent, csDropDownList);
    list->SetParent(parent);
    list->SetBounds(kFieldLeft, top, 80, kRowHeight);
    return list;
}

// Placement "visible,left,top" of a control from the skin file in the program folder.
inline void Place(TControl* control, const char* section, const char* key)
{
    TIniFile skinFile(ProgramFolder() + "RoVaza.ini");
    ApplyControlPlacement(control, skinFile.ReadString(section, key, "1,0,0"));
}

// A PIN number as the pages show it: eight digits when it has five to eight, else four.
inline std::string PinText(uint32_t pin)
{
    char text[16];
    std::snprintf(text, sizeof text, pin >= 10000 && pin <= 99999999 ? "%08u" : "%04u", unsigned(pin));
    return text;
}

// The PIN bytes as a decimal number, up to the first byte that is no digit.
inline uint32_t PinNumber(const uint8_t* pin, size_t size = 8)
{
    uint32_t n = 0;
    for (size_t i = 0; i < size && pin[i] >= '0' && pin[i] <= '9'; ++i)
        n = n * 10 + uint32_t(pin[i] - '0');
    return n;
}

// The PIN bytes as text, up to the first zero byte.
inline std::string PinBytesText(const uint8_t* pin, size_t size = 8)
{
    size_t n = 0;
    while (n < size && pin[n])
        ++n;
    return std::string(reinterpret_cast<const char*>(pin), n);
}

} // namespace wizard
