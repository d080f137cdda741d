// Run once before the tests with its output thrown away: Wine starts its desktop and RPC
// processes on the first window and OLE use, and those processes keep the standard output of
// whatever program started them open until the Wine server ends, which would hold a test open.
#include <windows.h>
#include <ole2.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    OleInitialize(nullptr);
    HWND window = CreateWindowA("STATIC", "warm-up", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    DestroyWindow(window);
    OleUninitialize();
    return 0;
}
