#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "RelaunchArgs.h"

TEST(RelaunchArgs, CommandLineForms)
{
    struct Case {
        const wchar_t* line;
        bool valid;
        const wchar_t* program;
        const wchar_t* title;
        const wchar_t* start;
    };
    const Case cases[] = {
        {L" Wevo.exe \"Wevo Wireless Utility\" ApUI.exe", true, L"Wevo.exe", L"Wevo Wireless Utility", L"ApUI.exe"},
        {L" Wevo.exe \"Wevo Wireless Utility\" Wevo.exe", true, L"Wevo.exe", L"Wevo Wireless Utility", L"Wevo.exe"},
        {L" Wevo.exe \"Wevo Wireless Utility\"", true, L"Wevo.exe", L"Wevo Wireless Utility", L"Wevo.exe"},
        {L"\tWevo.exe   \"A\"  ", true, L"Wevo.exe", L"A", L"Wevo.exe"},
        {L"", false},
        {L" Wevo.exe", false},
        {L" Wevo.exe \"\"", false},
        {L" C:\\evil\\Wevo.exe \"T\"", false},
        {L" Wevo.exe \"T\" ..\\other.exe", false},
        {L" Wevo.exe \"T\" a.exe b.exe", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line: " << std::string(c.line, c.line + wcslen(c.line)).c_str());
        std::optional<RelaunchArgs> args = ParseRelaunchArgs(c.line);
        ASSERT_EQ(args.has_value(), c.valid);
        if (!c.valid)
            continue;
        EXPECT_EQ(args->program, c.program);
        EXPECT_EQ(args->title, c.title);
        EXPECT_EQ(args->ProgramToStart(), c.start);
    }
}

namespace {

HWND WaitForWindow(const char* title, DWORD ms)
{
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (HWND w = FindWindowA(nullptr, title))
            return w;
        Sleep(50);
    }
    return nullptr;
}

DWORD RunAndWait(const std::string& commandLine)
{
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 0xFFFFFFFF;
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The fixture's log file (emptied) and window caption, handed over in its environment.
std::string PrepareFixture(const char* title)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string log = std::string(temp) + "relaunch_" + std::to_string(GetCurrentProcessId()) + ".log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("WEVO_FIXTURE_LOG", log.c_str());
    SetEnvironmentVariableA("WEVO_FIXTURE_TITLE", title);
    return log;
}

// Sends the exit message to the fixture's window and waits for its process to end.
void EndInstance(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageA(window, WM_USER + 14, 0, 0);
    if (process) {
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
    }
}

} // namespace

TEST(Relaunch, EndsTheRunningInstanceThenStartsTheProgramAgain)
{
    const char* title = "Relaunch fixture window";
    const std::string log = PrepareFixture(title);

    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    char first[] = "relaunch_fixture.exe";
    ASSERT_TRUE(CreateProcessA(nullptr, first, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    ASSERT_NE(WaitForWindow(title, 10000), nullptr);

    EXPECT_EQ(RunAndWait("WevoReLaunch.exe relaunch_fixture.exe \"Relaunch fixture window\""), 0u);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0) << "the old instance has ended";
    CloseHandle(pi.hProcess);

    HWND second = WaitForWindow(title, 10000);
    ASSERT_NE(second, nullptr) << "the program was started again";
    EndInstance(second);
    EXPECT_EQ(ReadFile(log), "start\nexit\nstart\nexit\n");
    DeleteFileA(log.c_str());
}

TEST(Relaunch, RefusesAFolderInTheProgramName)
{
    EXPECT_EQ(RunAndWait("WevoReLaunch.exe C:\\windows\\notepad.exe \"No such window\""), 2u);
}

// The program starts the helper with WinExec from its window thread: WinExec must come back at
// once so that the program can handle the exit message, and afterwards exactly one new instance
// runs.
TEST(Relaunch, WinExecReturnsAtOnceAndExactlyOneInstanceRunsAfterwards)
{
    const char* title = "Relaunch caller window";
    const std::string log = PrepareFixture(title);

    DWORD start = GetTickCount();
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    char first[] = "relaunch_fixture.exe relaunch";
    ASSERT_TRUE(CreateProcessA(nullptr, first, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 40000), WAIT_OBJECT_0) << "the first instance got the exit message";
    CloseHandle(pi.hProcess);

    HWND next = WaitForWindow(title, 10000);
    ASSERT_NE(next, nullptr) << "the helper started the program again";
    std::printf("from start to the new window: %lu ms\n", GetTickCount() - start);
    Sleep(500);
    EXPECT_EQ(FindWindowExA(nullptr, next, nullptr, title), nullptr) << "a second new window";
    EndInstance(next);
    std::string text = ReadFile(log);
    unsigned long inWinExec = 0;
    ASSERT_EQ(std::sscanf(text.c_str(), "start\nwinexec %lu\n", &inWinExec), 1) << text;
    std::printf("WinExec of the helper took %lu ms\n", inWinExec);
    // Starting a process takes a few seconds on a loaded emulator; a helper that is waited for
    // holds WinExec for its whole 30-second time-out.
    EXPECT_LT(inWinExec, 15000u) << "WinExec kept the caller waiting";
    EXPECT_EQ(text.substr(text.find("exit")), "exit\nstart\nexit\n") << "exactly one new instance ran";
    DeleteFileA(log.c_str());
}
