// Memory: working set, GDI and USER objects after start and after N minutes of simulated
// link changes (signals moving, a network leaving and coming back, the radio switched). The
// working set after start is set against a bare window and a bare window that loads the same
// libraries, each measured the same way.
// Usage: BenchMemory [minutes]   (default 10)
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "BareWindow.h"
#include "ProcessWindows.h"
#include "WevoRun.h"
#include "wlapi/constants.h"

namespace {

struct Figures {
    double workingSetKb = -1;
    double privateKb = -1;
    DWORD gdi = 0;   // as the system reports them; 0 where it does not
    DWORD user = 0;
    int gdiTable = -1;  // read from the process's GDI handle table
    ProcessWindows windows;
};

double WorkingSetKb(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    return GetProcessMemoryInfo(process, &memory, sizeof memory) ? double(memory.WorkingSetSize) / 1024 : -1;
}

// The working set of the bare window with the libraries given, 5 s after its window shows.
double BareWorkingSetKb(const std::vector<std::string>& libraries)
{
    PROCESS_INFORMATION info{};
    double kb = -1;
    if (StartBareWindow(libraries, info)) {
        Sleep(5000);
        kb = WorkingSetKb(info.hProcess);
    }
    EndBareWindow(info);
    return kb;
}

void Ratio(const char* what, double program, double yardstick)
{
    if (program > 0 && yardstick > 0)
        std::printf("ratio %s %.2f\n", what, program / yardstick);
    else
        std::printf("ratio %s n/a\n", what);
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
    if (f.gdi == 0)
        f.gdiTable = GdiObjectsOf(wevo.Process(), wevo.Id());
    f.windows = WindowsOf(wevo.Id());
    return f;
}

std::string Gdi(const Figures& f)
{
    if (f.gdi > 0)
        return std::to_string(f.gdi) + " (GetGuiResources)";
    if (f.gdiTable >= 0)
        return std::to_string(f.gdiTable) + " (live entries of its GDI handle table, stock objects left out)";
    return "n/a (not reported, handle table unreadable)";
}

std::string User(const Figures& f)
{
    if (f.user > 0)
        return std::to_string(f.user) + " (GetGuiResources)";
    const ProcessWindows& w = f.windows;
    return std::to_string(w.Total()) + " (windows only: " + std::to_string(w.topLevel) + " top-level, " +
           std::to_string(w.children) + " child, " + std::to_string(w.messageOnly) + " message-only)";
}

void Print(const char* label, const Figures& f)
{
    std::printf("%s\n", label);
    std::printf("    working set   %8.0f KB\n", f.workingSetKb);
    if (f.privateKb > 0)
        std::printf("    private       %8.0f KB\n", f.privateKb);
    else
        std::printf("    private       n/a (not reported)\n");
    std::printf("    GDI objects   %s\n", Gdi(f).c_str());
    std::printf("    USER objects  %s\n", User(f).c_str());
}

// What the simulator accepted and what the program was seen to read back of it.
struct LinkTally {
    int steps = 0;
    int commands = 0;
    int refused = 0;
    int radioReadOff = 0;
    int radioReadOn = 0;
    std::set<long> levels;  // signal levels the program converted for display
    bool fast5gInRange = false;
    long fast5gLevel = 0;
    int listedInRange = 0, missedInRange = 0;      // list refreshes while Fast5G is in range
    int droppedOutOfRange = 0, keptOutOfRange = 0;  // and while it is out of range
};

// Fast5G comes into range for 30 s and leaves for 30 s, each time with a signal level no other
// network takes here, so the levels the program converts show whether its list holds it.
constexpr int kRangeCycle = 60;
long MarkerLevel(int step)
{
    return -21 - (step / kRangeCycle) % 19;
}

// The simulator's pipe can be between two clients for a moment; a command is sent again then.
std::string Ask(const WevoRun& wevo, const std::string& command)
{
    std::string reply = wevo.Sim(command);
    for (int attempt = 0; attempt < 10 && reply.empty(); ++attempt) {
        Sleep(100);
        reply = wevo.Sim(command);
    }
    return reply;
}

void Send(const WevoRun& wevo, const std::string& command, const std::string& expected, LinkTally& tally)
{
    ++tally.commands;
    if (Ask(wevo, command) != expected)
        ++tally.refused;
}

// One step of link changes every second: signals move, Fast5G comes and goes, and every
// twentieth step the radio goes off for five seconds.
void ChangeLink(const WevoRun& wevo, int step, LinkTally& tally)
{
    Send(wevo, "set CafeCorner RSSI=" + std::to_string(-40 - (step * 7) % 50), "1 changed\n", tally);
    Send(wevo, "set HomeNet RSSI=" + std::to_string(-45 - (step * 11) % 40), "1 changed\n", tally);
    if (step % kRangeCycle == 0) {
        tally.fast5gLevel = MarkerLevel(step);
        tally.fast5gInRange = true;
        Send(wevo, "set Fast5G RSSI=" + std::to_string(tally.fast5gLevel) + " InRange=1", "1 changed\n", tally);
    }
    if (step % kRangeCycle == kRangeCycle / 2) {
        tally.fast5gInRange = false;
        Send(wevo, "set Fast5G InRange=0", "1 changed\n", tally);
    }
    if (step % 20 == 10)
        Send(wevo, "radio sw off", "ok\n", tally);
    if (step % 20 == 15)
        Send(wevo, "radio sw on", "ok\n", tally);
}

// Reads what the program asked the adapter since the last look.
void ReadJournal(const WevoRun& wevo, LinkTally& tally)
{
    std::istringstream lines(Ask(wevo, "journal"));
    Ask(wevo, "journal clear");
    std::string line;
    bool refreshed = false, listed = false;
    while (std::getline(lines, line)) {
        if (line.rfind("WVWL_ReadRadioStatus() -> ", 0) == 0)
            ++(line.back() == '0' ? tally.radioReadOff : tally.radioReadOn);
        if (line.rfind("WVWL_RssiToPercent(", 0) == 0) {
            const long level = std::atol(line.c_str() + 19);
            tally.levels.insert(level);
            refreshed = true;
            listed = listed || level == tally.fast5gLevel;
        }
    }
    if (!refreshed)
        return;
    if (tally.fast5gInRange)
        ++(listed ? tally.listedInRange : tally.missedInRange);
    else
        ++(listed ? tally.keptOutOfRange : tally.droppedOutOfRange);
}

void PrintTally(const LinkTally& t)
{
    std::printf("link changes: %d steps, %d simulator commands, %d refused\n", t.steps, t.commands, t.refused);
    std::printf("    the program read the radio off %d times and on %d times\n", t.radioReadOff, t.radioReadOn);
    std::printf("    it converted %zu different signal levels for display\n", t.levels.size());
    std::printf("    its network list, refreshed while Fast5G was in range: listed it %d times, not %d times\n",
                t.listedInRange, t.missedInRange);
    std::printf("    and while Fast5G was out of range: dropped it %d times, still kept it %d times\n",
                t.droppedOutOfRange, t.keptOutOfRange);
}

// The program still runs and its main window answers within 5 s.
bool Answers(const WevoRun& wevo)
{
    HWND main = wevo.MainWindow();
    DWORD_PTR result = 0;
    return wevo.Running() && main && SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
}

}  // namespace

int main(int argc, char** argv)
{
    const double minutes = argc > 1 ? std::atof(argv[1]) : 10.0;
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
    const Figures started = Take(wevo);
    Print("after start", started);
    const std::vector<std::string> libraries = LoadedLibraries(wevo.Process());
    const double bare = BareWorkingSetKb({}), same = BareWorkingSetKb(libraries);
    std::printf("bare window after start: working set %.0f KB; with the same %zu libraries %.0f KB\n", bare,
                libraries.size(), same);
    Ratio("working set, bare window", started.workingSetKb, bare);
    Ratio("working set, same libraries", started.workingSetKb, same);
    LinkTally tally;
    wevo.Sim("journal clear");
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < DWORD(minutes * 60000) && wevo.Running()) {
        ChangeLink(wevo, tally.steps++, tally);
        Sleep(1000);
        ReadJournal(wevo, tally);
    }
    Ask(wevo, "radio sw on");
    Ask(wevo, "set Fast5G InRange=1");
    Sleep(3000);
    const bool answers = Answers(wevo);
    if (wevo.Running())
        Print("after link changes", Take(wevo));
    PrintTally(tally);
    std::printf("the program %s\n", answers ? "still runs and its main window answers" : "DID NOT SURVIVE the changes");
    PostMessageA(wevo.MainWindow(), MSG_TRAY_EXIT, 0, 0);
    wevo.WaitForExit(20000);
    return answers ? 0 : 1;
}
