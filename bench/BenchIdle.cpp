// Idle cost: calls into the adapter library and window-timer ticks per second while nothing
// happens, with the main window shown and with the program hidden in the notification area.
// The tick count is first checked on a small program with a timer of known period; each tick is
// counted for its window and timer id, with the period seen between its ticks.
// Usage: BenchIdle [seconds]   (default 20 per case)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ProcessWindows.h"
#include "TimerTicks.h"
#include "WevoRun.h"
#include "core/Settings.h"
#include "wlapi/constants.h"

namespace {

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// Counts the WM_TIMER messages the window-owning threads of a process take from their queues:
// a message hook of BenchTimerTicks.dll, which the system loads into that process, adds them
// to a table shared by name.
class TickCounter {
public:
    TickCounter()
    {
        mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(TimerTable),
                                      kTimerTicksName);
        if (mapping_)
            table_ = static_cast<TimerTable*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(TimerTable)));
        module_ = LoadLibraryA("BenchTimerTicks.dll");
    }
    ~TickCounter()
    {
        Detach();
        if (module_)
            FreeLibrary(module_);
        if (table_)
            UnmapViewOfFile(table_);
        if (mapping_)
            CloseHandle(mapping_);
    }
    TickCounter(const TickCounter&) = delete;
    TickCounter& operator=(const TickCounter&) = delete;

    // Hooks every thread of the process that owns a window; the number hooked.
    int Attach(DWORD processId)
    {
        auto proc = module_ ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module_, "TimerTicksHook"))) : nullptr;
        if (!proc || !table_)
            return 0;
        for (DWORD thread : WindowsOf(processId).threads) {
            if (HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, proc, module_, thread))
                hooks_.push_back(hook);
        }
        return int(hooks_.size());
    }
    void Detach()
    {
        for (HHOOK hook : hooks_)
            UnhookWindowsHookEx(hook);
        hooks_.clear();
    }
    // The table as counted so far, and a fresh one from now on.
    TimerTable Take()
    {
        TimerTable taken{};
        if (!table_)
            return taken;
        LockTimerTable(table_);
        taken = *table_;
        table_->total = 0;
        table_->lost = 0;
        for (TimerSlot& slot : table_->slots)
            slot = TimerSlot{};
        UnlockTimerTable(table_);
        return taken;
    }

private:
    HANDLE mapping_ = nullptr;
    TimerTable* table_ = nullptr;
    HMODULE module_ = nullptr;
    std::vector<HHOOK> hooks_;
};

struct Ticks {
    double perSecond = -1;  // negative: nothing could be hooked
    double seconds = 0;
    TimerTable table{};
};

// Ticks over the given time.
Ticks CountTicks(TickCounter& ticks, int hooked, double seconds, const std::function<void()>& atStart = {})
{
    Ticks counted;
    if (hooked == 0)
        return counted;
    Sleep(500);  // the hook is in place from the thread's next message on
    ticks.Take();
    const double from = Now();
    if (atStart)
        atStart();
    Sleep(DWORD(seconds * 1000));
    counted.table = ticks.Take();
    counted.seconds = Now() - from;
    counted.perSecond = double(counted.table.total) / counted.seconds;
    return counted;
}

// Each timer that ticked: its window's class, its id, ticks per second and the period seen.
void PrintTimers(const Ticks& t)
{
    for (const TimerSlot& slot : t.table.slots) {
        if (slot.ticks == 0)
            break;
        HWND window = reinterpret_cast<HWND>(LONG_PTR(slot.window));
        char name[64] = "no window";
        if (window)
            GetClassNameA(window, name, sizeof name);
        std::printf("    timer %4ld of %-22s %6.2f ticks/s", slot.id, name, double(slot.ticks) / t.seconds);
        if (slot.ticks > 1)
            std::printf(", every %5.0f ms", double(slot.lastMs - slot.firstMs) / (slot.ticks - 1));
        std::printf("\n");
    }
    if (t.table.lost)
        std::printf("    %ld ticks of further timers not told apart\n", t.table.lost);
}

// The small program with a 100 ms window timer must count 10 ticks a second.
void Calibrate(int seconds)
{
    constexpr int kPeriodMs = 100;
    const std::string exe = ProgramFolder() + "BenchMinimalWindow.exe";
    std::string commandLine = "\"" + exe + "\" " + std::to_string(kPeriodMs);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        std::printf("calibration: the small program did not start\n");
        return;
    }
    CloseHandle(info.hThread);
    WaitForInputIdle(info.hProcess, 15000);
    WaitFor([&] { return WindowsOf(info.dwProcessId).topLevel > 0; });
    Ticks counted;
    {
        TickCounter ticks;
        counted = CountTicks(ticks, ticks.Attach(info.dwProcessId), seconds);
    }
    const double rate = counted.perSecond;
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hProcess);
    if (rate < 0)
        std::printf("calibration: the message hook could not be set\n");
    else
        std::printf("calibration: a %d ms window timer counted %.2f ticks/s (%.2f expected)\nratio timer ticks "
                    "counted to expected %.2f\n",
                    kPeriodMs, rate, 1000.0 / kPeriodMs, rate * kPeriodMs / 1000.0);
}

void Measure(const char* label, const std::string& arguments, int seconds)
{
    WevoRun wevo;
    if (!wevo.Start(arguments) || !WaitFor([&] { return wevo.MainWindow() != nullptr; }) ||
        !wevo.WaitForJournal("WVWL_Initial")) {
        std::printf("%-34s the program did not start\n", label);
        return;
    }
    // Start-up's own work (first scan, adapter bring-up) is over before counting.
    WaitForInputIdle(wevo.Process(), 15000);
    Sleep(5000);
    TickCounter ticks;
    const int hooked = ticks.Attach(wevo.Id());
    const Ticks counted = CountTicks(ticks, hooked, seconds, [&] { wevo.Sim("journal clear"); });
    const double timerTicks = counted.perSecond;
    ticks.Detach();
    const std::string journal = wevo.Journal();

    std::map<std::string, int> perEntry;
    int calls = 0;
    std::istringstream lines(journal);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("WVWL_", 0) != 0)
            continue;
        ++calls;
        ++perEntry[line.substr(0, line.find_first_of(" (:"))];
    }
    std::printf("%-34s %7.2f library calls/s   ", label, double(calls) / seconds);
    if (timerTicks >= 0)
        std::printf("%7.2f timer ticks/s (%d window-owning thread%s)\n", timerTicks, hooked, hooked == 1 ? "" : "s");
    else
        std::printf("timer ticks n/a (the message hook could not be set)\n");
    for (const auto& [entry, n] : perEntry)
        std::printf("    %-40s %6.2f/s\n", entry.c_str(), double(n) / seconds);
    if (timerTicks >= 0) {
        std::printf("  ticks per timer:\n");
        PrintTimers(counted);
    }
    PostMessageA(wevo.MainWindow(), MSG_TRAY_EXIT, 0, 0);
    wevo.WaitForExit(20000);
}

}  // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    ProgramTurn turn;
    std::printf("idle cost over %d s (after 5 s of rest from start-up)\n", seconds);
    Calibrate(std::min(seconds, 10));
    Measure("main window shown", "", seconds);
    Measure("hidden in the notification area", "-S", seconds);
    return 0;
}
