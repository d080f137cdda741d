#pragma once
// The counter BenchTimerTicks.dll's message hook keeps in the measured program, shared by name:
// WM_TIMER messages taken from the queue, per window and timer id.
#include <windows.h>

constexpr const char* kTimerTicksName = "WevoBenchTimerTicks";

struct TimerSlot {
    LONG window;  // the window's handle as a number
    LONG id;
    LONG ticks;  // 0: a free slot
    DWORD firstMs, lastMs;  // GetTickCount of the first and last tick counted
};

struct TimerTable {
    volatile LONG lock;
    LONG total;
    LONG lost;  // ticks of timers beyond the table
    TimerSlot slots[256];
};

// Takes the table's lock (a short spin; the hook holds it for a few instructions).
inline void LockTimerTable(TimerTable* table)
{
    while (InterlockedExchange(&table->lock, 1) != 0)
        Sleep(0);
}

inline void UnlockTimerTable(TimerTable* table)
{
    InterlockedExchange(&table->lock, 0);
}
