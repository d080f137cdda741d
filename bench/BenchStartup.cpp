// Start-up time: from process start to the main window shown, for Wevo.exe on the simulated
// adapter and for two yardsticks, under the same system in one run, interleaved: a minimal
// program that shows one window, and the same program loading first the libraries Wevo.exe
// holds once its window shows (its system libraries and the stand-ins).
// Usage: BenchStartup [runs]   (default 5; the median of the runs is reported)
//        BenchStartup marks    starts of each, between named events the server's request
//                              trace shows (scripts/bench counts the requests between them)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BareWindow.h"
#include "WevoRun.h"
#include "core/Settings.h"
#include "wlapi/constants.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// A named event: a line in the server's request trace that marks a point of the run.
void Mark(const std::string& name)
{
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, name.c_str());
    if (event)
        CloseHandle(event);
}

struct Shown {
    DWORD processId;
    std::string className;
    std::string caption;
    HWND window = nullptr;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param)
{
    auto* s = reinterpret_cast<Shown*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != s->processId || !IsWindowVisible(window) || WindowClass(window) != s->className)
        return TRUE;
    if (!s->caption.empty() && WindowText(window) != s->caption)
        return TRUE;
    s->window = window;
    return FALSE;
}

// Starts the program and returns the seconds until its window is visible (negative: never);
// then closes it with the message given and waits for its end.
// The libraries of the shown program go to libraries when asked for; those given in load are
// loaded by the started program (the bare window) before its window.
double TimeToWindow(const std::string& exe, const std::string& className, const std::string& caption, UINT closeMessage,
                    const char* mark = nullptr, std::vector<std::string>* libraries = nullptr,
                    const std::vector<std::string>& load = {})
{
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER start, now;
    SetBareWindowLibraries(load);
    QueryPerformanceCounter(&start);
    const BOOL started =
        CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    SetBareWindowLibraries({});
    if (!started)
        return -1;
    CloseHandle(info.hThread);
    Shown shown{info.dwProcessId, className, caption};
    double seconds = -1;
    for (;;) {
        EnumWindows(FindShown, reinterpret_cast<LPARAM>(&shown));
        QueryPerformanceCounter(&now);
        if (shown.window) {
            seconds = Seconds(start, now);
            if (mark)
                Mark(std::string("WevoBenchShown-") + mark);
            break;
        }
        if (Seconds(start, now) > 60 || WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0)
            break;
        Sleep(1);
    }
    if (shown.window && libraries)
        *libraries = LoadedLibraries(info.hProcess);
    if (shown.window)
        PostMessageA(shown.window, closeMessage, 0, 0);
    if (WaitForSingleObject(info.hProcess, 20000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    return seconds;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

void Print(const char* name, const std::vector<double>& values)
{
    std::printf("%-22s median %7.1f ms   runs:", name, Median(values) * 1000);
    for (double v : values)
        std::printf(" %.1f", v * 1000);
    std::printf("\n");
}

void Ratio(const char* what, double program, double yardstick)
{
    if (program > 0 && yardstick > 0)
        std::printf("ratio %s %.2f\n", what, program / yardstick);
    else
        std::printf("ratio %s n/a (a window was not shown)\n", what);
}

}  // namespace

int main(int argc, char** argv)
{
    const bool marks = argc > 1 && std::string(argv[1]) == "marks";
    const int runs = argc > 1 && !marks ? std::max(1, std::atoi(argv[1])) : 5;
    ProgramTurn turn;
    SetEnvironmentVariableA("WEVO_SIM_STATE", "none");
    SetEnvironmentVariableA("WEVO_SIM_PIPE", "none");
    SetEnvironmentVariableA("WEVO_SCENARIO", "default");
    const std::string folder = ProgramFolder();
    const std::string bare = folder + "BenchMinimalWindow.exe", wevoExe = folder + "Wevo.exe";
    WevoRun names;  // only for the program's title
    // A first start of each warms the file cache and names the libraries; it is not counted.
    std::vector<std::string> libraries;
    TimeToWindow(bare, "WevoBenchMinimal", "", WM_CLOSE);
    TimeToWindow(wevoExe, "WevoForm", names.Title(), MSG_TRAY_EXIT, nullptr, &libraries);
    TimeToWindow(bare, "WevoBenchMinimal", "", WM_CLOSE, nullptr, nullptr, libraries);
    if (marks) {
        // The marks bracket process start and the window shown; the trace names the process.
        for (int i = 0; i < 3; ++i) {
            Mark("WevoBenchStart-minimal");
            const double m = TimeToWindow(bare, "WevoBenchMinimal", "", WM_CLOSE, "minimal");
            Mark("WevoBenchStart-libraries");
            const double l = TimeToWindow(bare, "WevoBenchMinimal", "", WM_CLOSE, "libraries", nullptr, libraries);
            Mark("WevoBenchStart-wevo");
            const double w = TimeToWindow(wevoExe, "WevoForm", names.Title(), MSG_TRAY_EXIT, "wevo");
            std::printf("marked run %d: minimal %.1f ms, same libraries %.1f ms, Wevo.exe %.1f ms\n", i + 1, m * 1000,
                        l * 1000, w * 1000);
        }
        return 0;
    }
    std::vector<double> wevo, minimal, same;
    for (int i = 0; i < runs; ++i) {
        minimal.push_back(TimeToWindow(bare, "WevoBenchMinimal", "", WM_CLOSE));
        same.push_back(TimeToWindow(bare, "WevoBenchMinimal", "", WM_CLOSE, nullptr, nullptr, libraries));
        wevo.push_back(TimeToWindow(wevoExe, "WevoForm", names.Title(), MSG_TRAY_EXIT));
    }
    std::printf("start-up, process start to main window shown (%d interleaved runs each)\n", runs);
    std::printf("the bare window with the same libraries loads %zu of them first\n", libraries.size());
    Print("minimal Win32 window", minimal);
    Print("same, with libraries", same);
    Print("Wevo.exe (simulated)", wevo);
    Ratio("start-up time, bare window", Median(wevo), Median(minimal));
    Ratio("start-up time, same libraries", Median(wevo), Median(same));
    return 0;
}
