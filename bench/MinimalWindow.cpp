// The yardstick of the start-up figure: a Win32 program that shows one window and waits.
// With an argument it also runs a window timer of that many milliseconds, a known tick rate
// for the timer-tick count. With WEVO_BENCH_LOAD set (full paths separated by ';') it first
// loads those libraries, the bare window with the same libraries as the measured program.
#include <windows.h>

#include <cstdlib>
#include <string>

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

void LoadLibraries()
{
    char list[32768];
    const DWORD size = GetEnvironmentVariableA("WEVO_BENCH_LOAD", list, sizeof list);
    if (size == 0 || size >= sizeof list)
        return;
    const std::string text(list, size);
    for (size_t from = 0; from < text.size();) {
        size_t end = text.find(';', from);
        if (end == std::string::npos)
            end = text.size();
        if (end > from)
            LoadLibraryA(text.substr(from, end - from).c_str());
        from = end + 1;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    LoadLibraries();
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
