// Idle cost: calls into the adapter library and window-timer ticks per second while nothing
// happens, with the main window shown and with the program hidden in the notification area.
// Usage: BenchIdle [seconds]   (default 20 per case)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "WevoRun.h"
#include "wlapi/constants.h"

namespace {

// A counter shared with the message hook loaded into the program.
class TickCounter {
public:
    TickCounter()
    {
        mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG),
                                      "WevoBenchTimerTicks");
        if (mapping_)
            value_ = static_cast<volatile LONG*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
    }
    ~TickCounter()
    {
        if (hook_)
            UnhookWindowsHookEx(hook_);
        if (module_)
            FreeLibrary(module_);
        if (value_)
            UnmapViewOfFile(const_cast<LONG*>(value_));
        if (mapping_)
            CloseHandle(mapping_);
    }
    bool Attach(DWORD threadId)
    {
        module_ = LoadLibraryA("BenchTimerTicks.dll");
        auto proc = module_ ? reinterpret_cast<HOOKPROC>(GetProcAddress(module_, "TimerTicksHook")) : nullptr;
        hook_ = proc ? SetWindowsHookExA(WH_GETMESSAGE, proc, module_, threadId) : nullptr;
        return hook_ != nullptr && value_ != nullptr;
    }
    LONG Take() { return value_ ? InterlockedExchange(const_cast<LONG*>(value_), 0) : -1; }

private:
    HANDLE mapping_ = nullptr;
    volatile LONG* value_ = nullptr;
    HMODULE module_ = nullptr;
    HHOOK hook_ = nullptr;
};

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
    const bool hooked = ticks.Attach(GetWindowThreadProcessId(wevo.MainWindow(), nullptr));
    Sleep(500);
    ticks.Take();
    wevo.Sim("journal clear");
    Sleep(DWORD(seconds) * 1000);
    const LONG timerTicks = ticks.Take();
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
    if (hooked && timerTicks >= 0)
        std::printf("%7.2f timer ticks/s\n", double(timerTicks) / seconds);
    else
        std::printf("timer ticks n/a (hook not loaded)\n");
    for (const auto& [entry, n] : perEntry)
        std::printf("    %-40s %6.2f/s\n", entry.c_str(), double(n) / seconds);
    PostMessageA(wevo.MainWindow(), MSG_TRAY_EXIT, 0, 0);
    wevo.WaitForExit(20000);
}

}  // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    ProgramTurn turn;
    std::printf("idle cost over %d s (after 5 s of rest from start-up)\n", seconds);
    Measure("main window shown", "", seconds);
    Measure("hidden in the notification area", "-S", seconds);
    return 0;
}
