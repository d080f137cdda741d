// Started before the tests with its output thrown away: Wine starts its desktop and RPC
// processes on the first window and OLE use, and those processes keep the standard output of
// whatever program started them open until they end. With "keep" it stays (a hidden window
// and a message loop) until the test run ends it, so the desktop never restarts under a test;
// without it, it warms up, waits up to 30 s for the keeper's window and ends.
#include <windows.h>
#include <ole2.h>

#include <cstring>

namespace {

const char kKeeperTitle[] = "wevo-test-keeper";

void WarmUp(HINSTANCE instance)
{
    OleInitialize(nullptr);
    HWND window = CreateWindowA("STATIC", "warm-up", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    DestroyWindow(window);
    OleUninitialize();
}

int Keep(HINSTANCE instance)
{
    HWND window = CreateWindowA("STATIC", kKeeperTitle, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

void WaitForKeeper()
{
    for (int i = 0; i < 300 && !FindWindowA("STATIC", kKeeperTitle); ++i)
        Sleep(100);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    WarmUp(instance);
    if (std::strstr(commandLine, "keep"))
        return Keep(instance);
    if (std::strstr(commandLine, "wait"))
        WaitForKeeper();
    return 0;
}
