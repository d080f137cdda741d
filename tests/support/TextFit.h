#pragma once
// Whether a text shows whole where the program puts it, measured in the control's own font.
#include <windows.h>

#include <string>

#include "ui/StdCtrls.h"

namespace textfit {

// Size of text in font: one line, or wrapped at words within width when width > 0.
inline SIZE Measure(HFONT font, const std::string& text, int width = 0)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r = {0, 0, width, 0};
    const UINT flags = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (width > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextA(dc, text.c_str(), int(text.size()), &r, flags);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {r.right - r.left, r.bottom - r.top};
}

// Empty when label shows text whole (its caption unless text is given), else what is wrong.
inline std::string LabelCuts(TLabel* label, const std::string& text)
{
    const SIZE need = Measure(label->Font().Handle(), text, label->WordWrap() ? label->Width() : 0);
    if (need.cx <= label->Width() && need.cy <= label->Height())
        return "";
    return "\"" + text + "\" needs " + std::to_string(need.cx) + "x" + std::to_string(need.cy) + ", " +
           label->Name + " has " + std::to_string(label->Width()) + "x" + std::to_string(label->Height());
}

inline std::string LabelCuts(TLabel* label)
{
    return LabelCuts(label, label->Caption());
}

// Empty when a multi-line box shows text whole, wrapped at words in its client area (the
// edit control keeps a few pixels of margin on each side).
inline std::string WrappedBoxCuts(HWND box, const std::string& text)
{
    RECT client;
    GetClientRect(box, &client);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0));
    const int width = client.right - 8;
    const SIZE need = Measure(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), text, width);
    if (need.cy <= client.bottom && need.cx <= width)
        return "";
    return "\"" + text + "\" needs " + std::to_string(need.cx) + "x" + std::to_string(need.cy) + ", the box has " +
           std::to_string(width) + "x" + std::to_string(client.bottom);
}

} // namespace textfit
