// The site survey's tick in a crowded place: for each count of networks in range, the simulated
// adapter plays a scene with that many networks and the program's survey window runs full ticks
// (query, merge into the repository, sort, rows and list) as after every completed scan. Prints
// the median time of a tick and of its steps, with the window hidden and shown, on a steady floor
// and on one where every network's signal changes before each tick, and the growth between counts.
//
// Usage: BenchSurvey [rounds] [count...]   (defaults: 15 rounds; 100 250 500 1000 networks)
// Each count runs in a process of its own (the program keeps its state in globals).
// The program grows its list buffers as the library asks; WEVO_BENCH_LIST_BYTES presets a
// larger repository instead, to measure a build whose buffers cannot grow.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/FormSiteSurvey.h"
#include "mainwindow/NetList.h"
#include "mainwindow/ProgramForms.h"
#include "ui/Forms.h"
#include "ui/Seams.h"

namespace {

// Messages the survey's list view received on this thread (counted by a hook).
HWND countedList = nullptr;
long listMessages = 0;

LRESULT CALLBACK CountListMessages(int code, WPARAM wp, LPARAM lp)
{
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && message->hwnd == countedList)
        ++listMessages;
    return CallNextHookEx(nullptr, code, wp, lp);
}

double Ms(LARGE_INTEGER from, LARGE_INTEGER to)
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The default scene without its networks, then `count` networks of mixed kinds.
std::string CrowdedScenario(int count)
{
    std::stringstream in(ReadText(ProgramFolder() + "scenarios\\default.ini"));
    std::string out, line;
    bool skipping = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            skipping = line.rfind("[Network.", 0) == 0;
        if (line.rfind("ScanTimeMs=", 0) == 0)
            line = "ScanTimeMs=100";
        if (!skipping)
            out += line + "\r\n";
    }
    static const int channels[] = {1, 6, 11, 3, 9, 36, 40, 44, 48, 149, 153, 157, 161};
    static const char* const kinds[][2] = {
        {"open", ""}, {"wpa2-psk", "aes"}, {"wpa-wpa2-psk", "tkip+aes"}, {"wpa2", "aes"}, {"wep", ""},
    };
    char text[512];
    for (int i = 0; i < count; ++i) {
        const auto& kind = kinds[i % 5];
        std::snprintf(text, sizeof text,
                      "[Network.Crowd%d]\r\nSSID=Crowd-%04d\r\nBSSID=02:C0:00:00:%02X:%02X\r\nChannel=%d\r\n"
                      "RSSI=%d\r\nSecurity=%s\r\n%s%s%sPassphrase=crowded place\r\nHT=%d\r\nWPS=%d\r\n",
                      i, (i * 7919) % 10000, (i >> 8) & 0xFF, i & 0xFF, channels[i % 13], -40 - (i * 37) % 50,
                      kind[0], kind[1][0] ? "Cipher=" : "", kind[1], kind[1][0] ? "\r\n" : "", i % 2, i % 7 == 0);
        out += text;
    }
    return out;
}

void Pump(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        Application->ProcessMessages();
        Sleep(2);
    } while (GetTickCount() - start < ms);
}

// Every network's signal moves (to a level it did not have the round before), then a scan
// brings the new levels in.
void ChurnSignals(int count, int round)
{
    using Command = int (*)(const char*, char*, int);
    static const auto command =
        reinterpret_cast<Command>(reinterpret_cast<void*>(GetProcAddress(VOZEZIV.hWLAPIDll, "SimCommand")));
    if (!command)
        return;
    char line[96], reply[64];
    for (int i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line, "set Crowd-%04d RSSI=%d", (i * 7919) % 10000, -40 - (i * 37 + round * 7) % 50);
        command(line, reply, sizeof reply);
    }
    FormSiteSurvey->BtnSiteSurveyRescanClick(nullptr);
    Pump(250);
}

struct Steps {
    std::vector<double> tick, paint, listPaint, messages, query, merge, sort, rows, fill;
};

// Full ticks: each one as after a completed scan, with the repaint it causes. The steps are
// timed on copies of the same buffers with the same functions the tick calls, right after.
// A last tick, not timed, counts the messages the list view receives (the hook slows them).
void RunTicks(int rounds, Steps& s, int churnCount = 0)
{
    static int churnRound = 0;
    TFormSiteSurvey& survey = *FormSiteSurvey;
    const auto tick = [&survey] {
        InterlockedExchange(&m_bSurveyComplete, 1);
        survey.TimerSiteSurvey->Tick();
        RedrawWindow(survey.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    for (int r = 0; r < rounds; ++r) {
        if (churnCount)
            ChurnSignals(churnCount, ++churnRound);
        std::vector<BYTE> list(VOZEZIV.nRepositBssidBufSize);
        InterlockedExchange(&m_bSurveyComplete, 1);
        LARGE_INTEGER t0 = Now();
        survey.TimerSiteSurvey->Tick();
        LARGE_INTEGER t1 = Now();
        UpdateWindow(survey.lvApList->Handle());
        const LARGE_INTEGER listPainted = Now();
        RedrawWindow(survey.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        const LARGE_INTEGER painted = Now();
        s.tick.push_back(Ms(t0, painted));
        s.paint.push_back(Ms(t1, painted));
        s.listPaint.push_back(Ms(t1, listPainted));

        unsigned long size = VOZEZIV.nRepositBssidBufSize;
        t0 = Now();
        VOZEZIV.WVWL_SiteSurveyQuery(reinterpret_cast<NDIS_802_11_BSSID_LIST_EX*>(list.data()), &size);
        t1 = Now();
        UpdateRepositBssidList(VOZEZIV, list.data());
        LARGE_INTEGER t2 = Now();
        std::memcpy(list.data(), VOZEZIV.pRepositBssidList, list.size());
        LARGE_INTEGER t3 = Now();
        ::SortBssidList(VOZEZIV, list.data(), DWORD(list.size()), survey.m_nSortBy);
        LARGE_INTEGER t4 = Now();
        survey.m_pApList = BuildSiteSurveyRows(VOZEZIV, list.data(), DWORD(list.size()), &survey.m_ParseCache);
        LARGE_INTEGER t5 = Now();
        survey.FillApList(survey.m_pApList);
        LARGE_INTEGER t6 = Now();
        s.query.push_back(Ms(t0, t1));
        s.merge.push_back(Ms(t1, t2));
        s.sort.push_back(Ms(t3, t4));
        s.rows.push_back(Ms(t4, t5));
        s.fill.push_back(Ms(t5, t6));
        Pump(20);
    }
    countedList = survey.lvApList->Handle();
    listMessages = 0;
    if (churnCount)
        ChurnSignals(churnCount, ++churnRound);
    if (HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountListMessages, nullptr, GetCurrentThreadId())) {
        tick();
        UnhookWindowsHookEx(hook);
    }
    s.messages.push_back(double(listMessages));
}

void Print(const char* window, int count, const Steps& s)
{
    std::printf("%5d networks, window %-14s: tick %8.2f ms (%.2f%% of 2 s), %5.0f list messages | paint %.2f "
                "(list view %.2f) query %.2f merge %.2f sort %.2f rows %.2f list %.2f\n",
                count, window, Median(s.tick), Median(s.tick) / 20.0, Median(s.messages), Median(s.paint),
                Median(s.listPaint),
                Median(s.query), Median(s.merge), Median(s.sort), Median(s.rows), Median(s.fill));
    std::fflush(stdout);
}

int RunOne(int count, int rounds)
{
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "wbs", 0, path);
    std::ofstream(path, std::ios::binary) << CrowdedScenario(count);
    SetEnvironmentVariableA("WEVO_SCENARIO", path);
    SetEnvironmentVariableA("WEVO_SIM_STATE", "none");
    SetEnvironmentVariableA("WEVO_SIM_PIPE", "none");
    VOZEZIV.nDebugMode = 0;
    if (!VOZEZIV.Load((ProgramFolder() + "VoZEZIV.dll").c_str())) {
        std::printf("cannot load the simulated adapter library\n");
        return 1;
    }
    VOZEZIV.nDebugMode = 0;
    char preset[32] = {};
    if (GetEnvironmentVariableA("WEVO_BENCH_LIST_BYTES", preset, sizeof preset)) {
        const unsigned bytes = unsigned(std::strtoul(preset, nullptr, 10));
        if (bytes > VOZEZIV.nRepositBssidBufSize) {
            VOZEZIV.pRepositBssidList = new BYTE[bytes]();
            VOZEZIV.nRepositBssidBufSize = bytes;
        }
    }
    relaunchExecOverride = [](const std::string&, UINT) { return 33u; };
    statusEventNameSuffix = "." + std::to_string(GetCurrentProcessId());
    CreateProgramForms();
    VOZEZIV.nDebugMode = 0;

    // The first scan brings every network into the repository.
    const DWORD start = GetTickCount();
    while (FormSiteSurvey->m_pApList.size() < size_t(count) && GetTickCount() - start < 60000) {
        FormSiteSurvey->BtnSiteSurveyRescanClick(nullptr);
        Pump(500);
        InterlockedExchange(&m_bSurveyComplete, 1);
        FormSiteSurvey->TimerSiteSurvey->Tick();
    }
    if (FormSiteSurvey->m_pApList.size() != size_t(count)) {
        std::printf("%5d networks: the list shows %u\n", count, unsigned(FormSiteSurvey->m_pApList.size()));
        return 1;
    }
    FormSiteSurvey->TimerSiteSurvey->SetEnabled(false);

    Steps hidden, shown, hiddenChurn, shownChurn;
    RunTicks(rounds, hidden);
    Print("hidden", count, hidden);
    RunTicks(rounds, hiddenChurn, count);
    Print("hidden-churn", count, hiddenChurn);
    FormSiteSurvey->Show();
    Pump(200);
    RunTicks(rounds, shown);
    Print("shown", count, shown);
    RunTicks(rounds, shownChurn, count);
    Print("shown-churn", count, shownChurn);
    DeleteFileA(path);
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 0);  // skips the windows' teardown
    return 0;
}

// Runs one count in a child process and returns its output.
std::string RunChild(int count, int rounds)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"" + std::string(self) + "\" --one " + std::to_string(count) + " " + std::to_string(rounds);
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    CreatePipe(&read, &write, &sa, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = write;
    si.hStdError = write;
    PROCESS_INFORMATION pi{};
    std::string output;
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(write);
        char buffer[1024];
        DWORD n = 0;
        while (::ReadFile(read, buffer, sizeof buffer, &n, nullptr) && n)
            output.append(buffer, n);
        WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    } else {
        CloseHandle(write);
    }
    CloseHandle(read);
    return output;
}

double TickOf(const std::string& output, const char* window)
{
    const size_t at = output.find(std::string("window ") + window + " ");
    if (at == std::string::npos)
        return 0;
    const size_t tick = output.find("tick", at);
    return tick == std::string::npos ? 0 : std::atof(output.c_str() + tick + 4);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "--one")
        return RunOne(std::atoi(argv[2]), argc >= 4 ? std::atoi(argv[3]) : 15);

    const int rounds = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<int> counts;
    for (int i = 2; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {100, 250, 500, 1000};

    std::printf("Site-survey tick after a completed scan, repaint included: medians of %d ticks\n", rounds);
    std::printf("(churn: every network's signal changed before each tick)\n");
    std::vector<double> hidden, shown, churn;
    for (int count : counts) {
        const std::string output = RunChild(count, rounds);
        std::fputs(output.c_str(), stdout);
        hidden.push_back(TickOf(output, "hidden"));
        shown.push_back(TickOf(output, "shown"));
        churn.push_back(TickOf(output, "shown-churn"));
    }
    // The goal: a tick of at most 20 ms.
    for (size_t i = 0; i < counts.size(); ++i) {
        std::printf("ratio survey tick to 20 ms, %d networks, shown, steady %.2f\n", counts[i], shown[i] / 20.0);
        std::printf("ratio survey tick to 20 ms, %d networks, shown, every signal changes %.2f\n", counts[i],
                    churn[i] / 20.0);
    }
    // Growth exponent between neighbouring counts: n log n gives about 1.1 to 1.2.
    for (size_t i = 1; i < counts.size(); ++i) {
        const double n = std::log(double(counts[i]) / counts[i - 1]);
        const double nlogn = std::log(counts[i] * std::log(double(counts[i])) / (counts[i - 1] * std::log(double(counts[i - 1]))));
        auto exponent = [n](double a, double b) { return a > 0 && b > 0 ? std::log(b / a) / n : 0.0; };
        std::printf("growth %d -> %d: hidden n^%.2f, shown n^%.2f, shown with churn n^%.2f (n log n: n^%.2f)\n",
                    counts[i - 1], counts[i], exponent(hidden[i - 1], hidden[i]), exponent(shown[i - 1], shown[i]),
                    exponent(churn[i - 1], churn[i]), nlogn / n);
    }
    return 0;
}
