#pragma once
#include "ui/Forms.h"
#include <windowsx.h>
#include <functional>

#include <gtest/gtest.h>

// Pumps messages until done() or the timeout; true when done() became true.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
    return true;
}

// Mouse input as the system delivers it to a window's client area.
inline void SendMouse(HWND hwnd, UINT msg, int x, int y, WPARAM keys = 0)
{
    POINT screen = {x, y};
    ClientToScreen(hwnd, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(hwnd, msg, keys, MAKELPARAM(x, y));
}

inline void ClickAt(HWND hwnd, int x, int y)
{
    SendMouse(hwnd, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    SendMouse(hwnd, WM_LBUTTONUP, x, y, 0);
}

// The window that takes a user's click on the control: its own for a windowed control, its
// parent's for a windowless one (picture buttons get their clicks through their parent).
inline HWND ClickWindow(TControl* control)
{
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        return windowed->Handle();
    return control->Parent() ? control->Parent()->Handle() : nullptr;
}

// The point at the centre of the control in the client coordinates of ClickWindow.
inline POINT ClickPoint(TControl* control)
{
    if (dynamic_cast<TWinControl*>(control))
        return {control->Width() / 2, control->Height() / 2};
    const RECT r = control->BoundsRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A user can click only a control that is on screen and enabled, in a window that is enabled.
inline bool UserCanClick(TControl* control)
{
    const HWND window = ClickWindow(control);
    const bool reachable = window && control->Visible() && control->Enabled() && IsWindowVisible(window) &&
                           IsWindowEnabled(window) && IsWindowEnabled(GetAncestor(window, GA_ROOT));
    if (!reachable)
        ADD_FAILURE() << "the control is hidden or disabled: a user could not click it";
    return reachable;
}

// A click at the centre of a control, delivered to the window that takes it; false when a user
// could not click it.
inline bool ClickControl(TControl* control)
{
    if (!UserCanClick(control))
        return false;
    const POINT p = ClickPoint(control);
    const HWND window = ClickWindow(control);
    SendMouse(window, WM_MOUSEMOVE, p.x, p.y);
    ClickAt(window, p.x, p.y);
    return true;
}

// A double click as the system sends it: a click, then the double-click press and its release at
// the same point.
inline void DoubleClickControl(TControl* control)
{
    const POINT p = ClickPoint(control);
    const HWND window = ClickWindow(control);
    if (!ClickControl(control))
        return;
    SendMouse(window, WM_LBUTTONDBLCLK, p.x, p.y, MK_LBUTTON);
    SendMouse(window, WM_LBUTTONUP, p.x, p.y, 0);
}

#include "ui/StdCtrls.h"

// An item of a drop-down list chosen as the user does: the list selects it and tells its parent.
inline void ChooseItem(TComboBox* box, int index)
{
    ASSERT_GE(index, 0) << "no such item";
    ASSERT_TRUE(UserCanClick(box));
    const HWND h = box->Handle();
    SendMessageA(h, CB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE), LPARAM(h));
}

#include "ui/Picture.h"
#include <vector>

// A 24-bit picture of w x h whose pixel (x, y) is color(x, y) (a COLORREF).
inline TPicture MakePicture(int w, int h, const std::function<COLORREF(int, int)>& color)
{
    const int stride = (w * 3 + 3) & ~3;
    const int imageSize = stride * h;
    std::vector<BYTE> bmp(14 + 40 + imageSize, 0);
    auto put32 = [&](size_t at, DWORD v) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = static_cast<BYTE>(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<DWORD>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    bmp[26] = 1;
    bmp[28] = 24;
    put32(34, imageSize);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = color(x, y);
            BYTE* p = &bmp[54 + (h - 1 - y) * stride + x * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    TPicture picture;
    picture.LoadFromMemory(bmp.data(), bmp.size());
    return picture;
}
