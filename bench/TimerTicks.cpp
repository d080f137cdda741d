// A message hook loaded into the measured program: counts the WM_TIMER messages its thread
// takes from the queue, per window and timer id, in a named shared table the benchmark reads.
#include "TimerTicks.h"

namespace {

TimerTable* Table()
{
    static TimerTable* table = [] {
        HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kTimerTicksName);
        if (!mapping)
            return static_cast<TimerTable*>(nullptr);
        return static_cast<TimerTable*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(TimerTable)));
    }();
    return table;
}

void Count(const MSG& msg)
{
    TimerTable* table = Table();
    if (!table)
        return;
    const LONG window = LONG(reinterpret_cast<LONG_PTR>(msg.hwnd));
    const LONG id = LONG(msg.wParam);
    const DWORD now = GetTickCount();
    LockTimerTable(table);
    ++table->total;
    TimerSlot* slot = nullptr;
    for (TimerSlot& s : table->slots) {
        if (s.ticks == 0 || (s.window == window && s.id == id)) {
            slot = &s;
            break;
        }
    }
    if (!slot) {
        ++table->lost;
    } else {
        if (slot->ticks == 0) {
            slot->window = window;
            slot->id = id;
            slot->firstMs = now;
        }
        ++slot->ticks;
        slot->lastMs = now;
    }
    UnlockTimerTable(table);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK TimerTicksHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg->message == WM_TIMER)
            Count(*msg);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
