// Memory: working set, GDI and USER objects after start and after N minutes of simulated
// link changes (networks moving in and out of range, signal changes, the radio switched).
// Usage: BenchMemory [minutes]   (default 1)
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "WevoRun.h"
#include "wlapi/constants.h"

namespace {

struct Figures {
    double workingSetKb = -1;
    double privateKb = -1;
    DWORD gdi = 0;
    DWORD user = 0;
    int windows = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM param)
{
    ++*reinterpret_cast<int*>(param);
    return TRUE;
}

struct WindowCount {
    DWORD processId;
    int count;
};

BOOL CALLBACK CountTop(HWND window, LPARAM param)
{
    auto* c = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != c->processId)
        return TRUE;
    ++c->count;
    EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&c->count));
    return TRUE;
}

Figures Take(const WevoRun& wevo)
{
    Figures f;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(wevo.Process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        f.workingSetKb = double(memory.WorkingSetSize) / 1024;
        f.privateKb = double(memory.PrivateUsage) / 1024;
    }
    f.gdi = GetGuiResources(wevo.Process(), GR_GDIOBJECTS);
    f.user = GetGuiResources(wevo.Process(), GR_USEROBJECTS);
    WindowCount count{wevo.Id(), 0};
    EnumWindows(CountTop, reinterpret_cast<LPARAM>(&count));
    f.windows = count.count;
    return f;
}

// A count of zero means the system does not report it (Wine answers 0 for these).
std::string Count(double value)
{
    return value > 0 ? std::to_string(static_cast<unsigned long>(value)) : "n/a";
}

void Print(const char* label, const Figures& f)
{
    std::printf("%-22s working set %8.0f KB  private %s KB  GDI objects %s  USER objects %s  windows %d\n", label,
                f.workingSetKb, Count(f.privateKb).c_str(), Count(f.gdi).c_str(), Count(f.user).c_str(), f.windows);
}

// One step of link changes every second: signals move, a network leaves and comes back, and
// every twentieth step the radio goes off and on again.
void ChangeLink(const WevoRun& wevo, int step)
{
    wevo.Sim("set CafeCorner RSSI=" + std::to_string(-40 - (step * 7) % 50));
    wevo.Sim("set HomeNet RSSI=" + std::to_string(-45 - (step * 11) % 40));
    wevo.Sim(std::string("set Fast5G InRange=") + (step % 4 < 2 ? "0" : "1"));
    if (step % 20 == 10)
        wevo.Sim("radio sw off");
    if (step % 20 == 15)
        wevo.Sim("radio sw on");
}

}  // namespace

int main(int argc, char** argv)
{
    const double minutes = argc > 1 ? std::atof(argv[1]) : 1.0;
    ProgramTurn turn;
    WevoRun wevo;
    if (!wevo.Start() || !WaitFor([&] { return wevo.MainWindow() != nullptr; }) ||
        !wevo.WaitForJournal("WVWL_Initial")) {
        std::printf("the program did not start\n");
        return 1;
    }
    WaitForInputIdle(wevo.Process(), 15000);
    Sleep(5000);
    std::printf("memory, main window shown; %.1f minute(s) of simulated link changes\n", minutes);
    Print("after start", Take(wevo));
    const DWORD end = GetTickCount() + DWORD(minutes * 60000);
    int step = 0;
    while (GetTickCount() < end) {
        ChangeLink(wevo, step++);
        Sleep(1000);
    }
    wevo.Sim("radio sw on");
    Sleep(3000);
    Print("after link changes", Take(wevo));
    std::printf("(%d change steps)\n", step);
    PostMessageA(wevo.MainWindow(), MSG_TRAY_EXIT, 0, 0);
    wevo.WaitForExit(20000);
    return 0;
}
