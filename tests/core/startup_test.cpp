#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "resources/UiStr.h"
#include "wlapi/constants.h"

// Start-up of the program itself: Wevo.exe is run as a separate process. The program's
// single-instance mutex is shared by every process, so these tests take turns.

namespace {

class StartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        turn_ = CreateMutexA(nullptr, FALSE, "WevoStartUpTests");
        WaitForSingleObject(turn_, 120000);
    }
    void TearDown() override
    {
        ReleaseMutex(turn_);
        CloseHandle(turn_);
    }

private:
    HANDLE turn_ = nullptr;
};

struct Process {
    HANDLE handle = nullptr;
    DWORD id = 0;
    ~Process()
    {
        if (handle) {
            TerminateProcess(handle, 1);
            CloseHandle(handle);
        }
    }
};

bool Start(const std::string& exe, const std::string& arguments, Process& process)
{
    // The simulated adapter keeps no state between these runs.
    SetEnvironmentVariableA("WEVO_SIM_STATE", "none");
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return false;
    CloseHandle(info.hThread);
    process.handle = info.hProcess;
    process.id = info.dwProcessId;
    return true;
}

DWORD WaitForExit(Process& process, DWORD ms)
{
    if (WaitForSingleObject(process.handle, ms) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.handle, &code);
    CloseHandle(process.handle);
    process.handle = nullptr;
    return code;
}

struct FoundWindow {
    DWORD processId;
    std::string caption;
    HWND window;
    int count;
};

BOOL CALLBACK CountProcessWindow(HWND window, LPARAM param)
{
    auto* f = reinterpret_cast<FoundWindow*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != f->processId)
        return TRUE;
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    if (!f->caption.empty() && f->caption != text)
        return TRUE;
    ++f->count;
    f->window = window;
    return TRUE;
}

// Visible or not, the top-level windows of the process with the caption (empty: any).
FoundWindow FindProcessWindow(DWORD processId, const std::string& caption)
{
    FoundWindow found{processId, caption, nullptr, 0};
    EnumWindows(CountProcessWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

BOOL CALLBACK TakeLibraryPathText(HWND child, LPARAM param)
{
    char part[1024] = {};
    GetWindowTextA(child, part, sizeof part);
    std::string value = part;
    if (value.find("VoZEZIV.dll") != std::string::npos)
        *reinterpret_cast<std::string*>(param) = value;
    return TRUE;
}

// Waits for the "Load dll fail" box of the process; returns its text and closes it.
std::string TakeLoadFailBox(const Process& process)
{
    for (int i = 0; i < 200; ++i) {
        FoundWindow box = FindProcessWindow(process.id, "Load dll fail");
        if (box.window) {
            std::string text;
            EnumChildWindows(box.window, TakeLibraryPathText, reinterpret_cast<LPARAM>(&text));
            PostMessageA(box.window, WM_COMMAND, IDOK, 0);
            return text;
        }
        Sleep(50);
    }
    return {};
}

}  // namespace

TEST_F(StartUp, MissingLibraryIsReportedWithItsPathAndEnds)
{
    TempFolder folder;
    ASSERT_TRUE(CopyFileA((TestProgramFolder() + "Wevo.exe").c_str(), folder.File("Wevo.exe").c_str(), FALSE));
    Process wevo;
    ASSERT_TRUE(Start(folder.File("Wevo.exe"), "", wevo));
    EXPECT_EQ(TakeLoadFailBox(wevo), folder.File("VoZEZIV.dll"));
    EXPECT_EQ(WaitForExit(wevo, 20000), 0u);
}

TEST_F(StartUp, LibraryPathBeyondThePlatformLimitIsRefused)
{
    TempFolder base;
    // The program's own path fits; the library's path beside it does not.
    std::string folder = base.Path();
    folder += std::string(249 - folder.size(), 'f');
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string exe = folder + "\\Wevo.exe";
    ASSERT_TRUE(CopyFileA((TestProgramFolder() + "Wevo.exe").c_str(), exe.c_str(), FALSE));
    Process wevo;
    ASSERT_TRUE(Start(exe, "", wevo));
    EXPECT_EQ(TakeLoadFailBox(wevo), folder + "\\VoZEZIV.dll");
    EXPECT_EQ(WaitForExit(wevo, 20000), 0u);
    DeleteFileA(exe.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(StartUp, SecondInstancePostsShowToTheRunningOneFoundByItsWholeTitle)
{
    // A copy of the program whose language file gives a title longer than 31 characters.
    TempFolder folder;
    ASSERT_TRUE(CopyFileA((TestProgramFolder() + "Wevo.exe").c_str(), folder.File("Wevo.exe").c_str(), FALSE));
    CreateDirectoryA(folder.File("Languages").c_str(), nullptr);
    const std::string title = "Wevo Wireless Utility for the long-titled test";
    folder.Write("Languages\\Wevo_en.ini", "[Strings]\nSTR_TARNWELL_CONFIG_TITLE=" + title + "\n");
    CUISTR strings;
    strings.LoadFrom(folder.Path(), "en", "US");
    ASSERT_EQ(strings.STR_TARNWELL_CONFIG_TITLE, title);

    // Stand in for the running instance: the mutex and a window with the program's title.
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "QN58");
    ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "another instance runs";
    HWND window = CreateWindowA("STATIC", title.c_str(), WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                nullptr);
    ASSERT_NE(window, nullptr);

    Process wevo;
    ASSERT_TRUE(Start(folder.File("Wevo.exe"), "", wevo));
    bool shown = false;
    for (int i = 0; i < 400 && !shown; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) {
            if (msg.message == MSG_UI_SHOW)
                shown = true;
            DispatchMessageA(&msg);
        }
        if (!shown)
            Sleep(25);
    }
    EXPECT_TRUE(shown);
    EXPECT_EQ(WaitForExit(wevo, 20000), 0u);
    DestroyWindow(window);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

namespace {

struct VisibleWindows {
    DWORD processId;
    std::vector<std::string> captions;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param)
{
    auto* v = reinterpret_cast<VisibleWindows*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == v->processId && IsWindowVisible(window)) {
        char text[512] = {};
        GetWindowTextA(window, text, sizeof text);
        v->captions.push_back(text);
    }
    return TRUE;
}

std::vector<std::string> VisibleCaptions(DWORD processId)
{
    VisibleWindows visible{processId, {}};
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&visible));
    return visible.captions;
}

// Runs the installed program on a scenario of the simulated adapter until its start-up is over
// and tells whether any of its windows is visible. A program that shows no main window is
// given its time by the first window it shows, where the test expects one.
std::vector<std::string> VisibleWindowsAtStart(const std::string& arguments, const char* scenario,
                                               const std::string& folder = TestProgramFolder(),
                                               bool expectAWindow = false)
{
    SetEnvironmentVariableA("WEVO_SCENARIO", scenario);
    Process wevo;
    bool started = Start(folder + "Wevo.exe", arguments, wevo);
    SetEnvironmentVariableA("WEVO_SCENARIO", nullptr);
    if (!started)
        return {"not started"};
    CUISTR strings;
    strings.Load();
    // Start-up is over once the main window exists and the message loop waits.
    for (int i = 0; i < 300 && !FindProcessWindow(wevo.id, strings.STR_TARNWELL_CONFIG_TITLE).window; ++i)
        Sleep(50);
    for (int i = 0; expectAWindow && i < 2400 && VisibleCaptions(wevo.id).empty(); ++i)
        Sleep(50);
    WaitForInputIdle(wevo.handle, 15000);
    Sleep(1000);
    return VisibleCaptions(wevo.id);
}

bool ShowsAWindowAtStart(const std::string& arguments, const char* scenario)
{
    return !VisibleWindowsAtStart(arguments, scenario).empty();
}

}  // namespace

struct SwitchCase {
    const char* name;
    const char* arguments;
    bool shown;
};

void PrintTo(const SwitchCase& c, std::ostream* os)
{
    *os << "arguments [" << c.arguments << "]";
}

// One start of the program per case, so that each case takes one start's time.
class StartUpSwitch : public StartUp, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(StartUpSwitch, CommandLineSwitchAloneStartsHidden)
{
    const SwitchCase c = GetParam();
    EXPECT_EQ(ShowsAWindowAtStart(c.arguments, "default"), c.shown) << "\"" << c.arguments << "\"";
}

INSTANTIATE_TEST_SUITE_P(Arguments, StartUpSwitch,
                         ::testing::Values(SwitchCase{"Upper", "-S", false}, SwitchCase{"Lower", "-s", false},
                                           SwitchCase{"WithMore", "-S x", true}, SwitchCase{"None", "", true}),
                         [](const ::testing::TestParamInfo<SwitchCase>& info) { return info.param.name; });

TEST_F(StartUp, WithoutAdapterNothingIsShown)
{
    EXPECT_FALSE(ShowsAWindowAtStart("", "noadapter"));
}

TEST_F(StartUp, WiFiDirectOnlyModeOpensWiFiDirectInsteadOfTheMainWindow)
{
    // A copy of the installed program whose settings turn the stand-alone mode on.
    TempFolder folder;
    namespace fs = std::filesystem;
    const fs::path installed = TestProgramFolder();
    for (const char* name : {"Wevo.exe", "VoZEZIV.dll"})
        fs::copy_file(installed / name, fs::path(folder.Path()) / name);
    fs::copy(installed / "Languages", fs::path(folder.Path()) / "Languages", fs::copy_options::recursive);
    fs::copy(installed / "scenarios", fs::path(folder.Path()) / "scenarios", fs::copy_options::recursive);
    folder.Write("Wevo.ini", "[Settings]\nWiFiDirectStandAlone=1\n");

    CUISTR strings;
    strings.Load();
    auto captions = VisibleWindowsAtStart("", "default", folder.Path(), true);
    EXPECT_FALSE(captions.empty());
    for (const auto& caption : captions)
        EXPECT_NE(caption, strings.STR_TARNWELL_CONFIG_TITLE);
}
