#include "WevoRun.h"

#include <commctrl.h>

#include <cstring>

#include "core/Settings.h"
#include "resources/UiStr.h"

ProgramTurn::ProgramTurn()
{
    mutex_ = CreateMutexA(nullptr, FALSE, "WevoStartUpTests");
    WaitForSingleObject(mutex_, 180000);
}

ProgramTurn::~ProgramTurn()
{
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

std::string WindowText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string WindowClass(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool ClickUntil(HWND window, POINT at, const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    do {
        ClickAt(window, at.x, at.y);
        if (WaitFor(condition, 5000))
            return true;
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

HWND WindowAt(HWND form, POINT& at)
{
    HWND top = form;
    for (;;) {
        HWND next = ChildWindowFromPointEx(top, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!next || next == top)
            return top;
        MapWindowPoints(top, next, &at, 1);
        top = next;
    }
}

bool OnTop(HWND form, HWND child)
{
    RECT box{};
    GetWindowRect(child, &box);
    POINT at = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    ScreenToClient(form, &at);
    return WindowAt(form, at) == child;
}

void ClickAt(HWND window, int x, int y)
{
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageA(window, WM_MOUSEMOVE, 0, at);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
}

namespace {

struct Search {
    DWORD processId;
    std::function<bool(HWND)> accept;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && search->accept(window))
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopWindows(DWORD processId, const std::function<bool(HWND)>& accept)
{
    Search search{processId, accept, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

WevoRun::WevoRun()
{
    CUISTR strings;
    strings.Load();
    title_ = strings.STR_TARNWELL_CONFIG_TITLE;
}

WevoRun::~WevoRun()
{
    if (!process_)
        return;
    if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 10000);
    }
    CloseHandle(process_);
}

bool WevoRun::Start(const std::string& arguments, const std::string& scenario)
{
    static int runs = 0;
    pipe_ = "\\\\.\\pipe\\WevoE2E." + std::to_string(GetCurrentProcessId()) + "." + std::to_string(++runs);
    SetEnvironmentVariableA("WEVO_SIM_STATE", "none");
    SetEnvironmentVariableA("WEVO_SIM_PIPE", pipe_.c_str());
    SetEnvironmentVariableA("WEVO_SCENARIO", scenario.c_str());
    const std::string exe = ProgramFolder() + "Wevo.exe";
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const BOOL started = CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &info);
    SetEnvironmentVariableA("WEVO_SIM_PIPE", nullptr);
    SetEnvironmentVariableA("WEVO_SCENARIO", nullptr);
    if (!started)
        return false;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    return WaitFor([this] { return !Sim("status").empty() || !Running(); }) && Running();
}

bool WevoRun::Running() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool WevoRun::WaitForExit(DWORD timeoutMs, DWORD* code)
{
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0)
        return false;
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process_, &exitCode);
    if (code)
        *code = exitCode;
    return true;
}

HWND WevoRun::MainWindow() const
{
    auto found = TopWindows(id_, [this](HWND w) { return WindowClass(w) == "WevoForm" && WindowText(w) == title_; });
    return found.empty() ? nullptr : found.front();
}

std::vector<HWND> WevoRun::VisibleWindows(const std::string& className) const
{
    return TopWindows(id_, [&className](HWND w) {
        return IsWindowVisible(w) && (className.empty() || WindowClass(w) == className);
    });
}

HWND WevoRun::WaitForNewForm(const std::vector<HWND>& before, DWORD timeoutMs) const
{
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND w : VisibleWindows()) {
                bool known = false;
                for (HWND b : before)
                    known = known || b == w;
                if (!known) {
                    found = w;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

std::string WevoRun::Sim(const std::string& command) const
{
    return Ask(pipe_, command);
}

std::string WevoRun::Display(const std::string& library, const std::string& command) const
{
    return Ask(pipe_ + "." + library, command);
}

std::string WevoRun::Ask(const std::string& name, const std::string& command) const
{
    // The simulator answers one client at a time and makes the pipe anew after each answer;
    // in between the name is busy or briefly gone, so a client tries again for a while.
    HANDLE pipe = INVALID_HANDLE_VALUE;
    const DWORD start = GetTickCount();
    while (pipe == INVALID_HANDLE_VALUE && GetTickCount() - start < 5000) {
        pipe = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (pipe != INVALID_HANDLE_VALUE)
            break;
        if (GetLastError() == ERROR_PIPE_BUSY)
            WaitNamedPipeA(name.c_str(), 1000);
        else if (!Running())
            return {};
        else
            Sleep(10);
    }
    if (pipe == INVALID_HANDLE_VALUE)
        return {};
    const std::string line = command + "\n";
    DWORD written = 0;
    WriteFile(pipe, line.data(), DWORD(line.size()), &written, nullptr);
    std::string reply;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        reply.append(buffer, got);
    CloseHandle(pipe);
    return reply;
}

int WevoRun::Calls(const std::string& entry) const
{
    const std::string reply = Sim("calls " + entry);
    return reply.empty() ? -1 : std::atoi(reply.c_str());
}

bool WevoRun::WaitForJournal(const std::string& text, DWORD timeoutMs) const
{
    return WaitFor([&] { return Journal().find(text) != std::string::npos; }, timeoutMs);
}

bool WevoRun::WaitForStatus(const std::string& text, DWORD timeoutMs) const
{
    return WaitFor([&] { return Sim("status").find(text) != std::string::npos; }, timeoutMs);
}

namespace {
constexpr size_t kTextOffset = sizeof(LVITEMA);
constexpr size_t kTextSize = 512;
}  // namespace

RemoteListView::RemoteListView(HANDLE process, HWND list) : process_(process), list_(list)
{
    remote_ = static_cast<char*>(
        VirtualAllocEx(process_, nullptr, kTextOffset + kTextSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
}

RemoteListView::~RemoteListView()
{
    if (remote_)
        VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
}

int RemoteListView::Count() const
{
    return int(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
}

std::string RemoteListView::Text(int row, int column) const
{
    if (!remote_)
        return {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = remote_ + kTextOffset;
    item.cchTextMax = int(kTextSize);
    SIZE_T done = 0;
    WriteProcessMemory(process_, remote_, &item, sizeof item, &done);
    SendMessageA(list_, LVM_GETITEMTEXTA, WPARAM(row), LPARAM(remote_));
    char text[kTextSize] = {};
    ReadProcessMemory(process_, remote_ + kTextOffset, text, sizeof text - 1, &done);
    return text;
}

int RemoteListView::Image(int row) const
{
    if (!remote_)
        return -1;
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SIZE_T done = 0;
    WriteProcessMemory(process_, remote_, &item, sizeof item, &done);
    if (!SendMessageA(list_, LVM_GETITEMA, 0, LPARAM(remote_)))
        return -1;
    ReadProcessMemory(process_, remote_, &item, sizeof item, &done);
    return item.iImage;
}

int RemoteListView::Find(int column, const std::string& text) const
{
    for (int row = 0; row < Count(); ++row) {
        if (Text(row, column) == text)
            return row;
    }
    return -1;
}

bool RemoteListView::Select(int row) const
{
    if (!remote_)
        return false;
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SIZE_T done = 0;
    WriteProcessMemory(process_, remote_, &item, sizeof item, &done);
    return SendMessageA(list_, LVM_SETITEMSTATE, WPARAM(row), LPARAM(remote_)) != 0;
}
