// The yardstick of the start-up figure: a Win32 program that shows one window and waits.
// With an argument it also runs a window timer of that many milliseconds, a known tick rate
// for the timer-tick count.
#include <windows.h>

#include <cstdlib>

namespace {

LRESULT CALLBACK MinimalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER)
        return 0;
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = MinimalProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "WevoBenchMinimal";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("WevoBenchMinimal", "Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 400,
                                300, nullptr, nullptr, instance, nullptr);
    if (const int periodMs = std::atoi(commandLine); periodMs > 0)
        SetTimer(window, 1, UINT(periodMs), nullptr);
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
