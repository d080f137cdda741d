// A message hook loaded into the measured program: counts the WM_TIMER messages its thread
// takes from the queue, in a named shared counter the benchmark reads.
#include <windows.h>

namespace {

volatile LONG* Counter()
{
    static volatile LONG* counter = [] {
        HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, "WevoBenchTimerTicks");
        if (!mapping)
            return static_cast<volatile LONG*>(nullptr);
        return static_cast<volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
    }();
    return counter;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK TimerTicksHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg->message == WM_TIMER) {
            if (volatile LONG* counter = Counter())
                InterlockedIncrement(counter);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
