#pragma once
#include "ui/Forms.h"
#include <windowsx.h>
#include <functional>

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

// A click at the centre of a control, delivered to the window that holds it (windowless
// controls such as picture buttons get their clicks through their parent).
inline void ClickControl(TControl* control)
{
    const RECT r = control->BoundsRect();
    ClickAt(control->Parent()->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
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
