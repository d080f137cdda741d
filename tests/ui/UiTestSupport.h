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
