// WevoReLaunch.exe: asks the running program to exit, waits until its process has ended, then
// starts the next program (or the same one again) from this program's own folder. The waiting
// is done by a copy of this program, so that the one the caller started ends at once.
#include <windows.h>

#include <string>

#include "RelaunchArgs.h"

namespace {

constexpr UINT MSG_TRAY_EXIT = WM_USER + 14;
constexpr DWORD kFindWindowMs = 5000;
constexpr DWORD kExitWaitMs = 30000;
constexpr const wchar_t* kWorkerVariable = L"WEVO_RELAUNCH_WORKER";

std::wstring OwnFolder()
{
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return {};
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// Posts the exit message to the window with the given caption and waits for its process to end.
void EndRunningInstance(const std::wstring& title)
{
    HWND window = nullptr;
    for (DWORD waited = 0; waited < kFindWindowMs && !window; waited += 100) {
        window = FindWindowW(nullptr, title.c_str());
        if (!window)
            Sleep(100);
    }
    if (!window)
        return;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = pid ? OpenProcess(SYNCHRONIZE, FALSE, pid) : nullptr;
    PostMessageW(window, MSG_TRAY_EXIT, 0, 0);
    if (!process)
        return;
    WaitForSingleObject(process, kExitWaitMs);
    CloseHandle(process);
}

bool StartProgram(const std::wstring& folder, const std::wstring& name)
{
    std::wstring path = folder + name;
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

// The command line after this program's own name.
std::wstring ArgumentText()
{
    std::wstring line = GetCommandLineW();
    size_t i = 0;
    if (!line.empty() && line[0] == L'"') {
        i = line.find(L'"', 1);
        i = (i == std::wstring::npos) ? line.size() : i + 1;
    } else {
        while (i < line.size() && line[i] != L' ' && line[i] != L'\t')
            ++i;
    }
    return line.substr(i);
}

// The caller starts this program with WinExec from its window thread, and WinExec waits until
// the new process is idle for input. So the program hands the work to a copy of itself and ends
// at once: the caller goes on at once and can handle the exit message the copy sends it.
bool StartWorker()
{
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return false;
    std::wstring commandLine = L"\"" + std::wstring(path, n) + L"\"" + ArgumentText();
    SetEnvironmentVariableW(kWorkerVariable, L"1");
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    const bool started = CreateProcessW(path, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableW(kWorkerVariable, nullptr);
    if (!started)
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

bool IsWorker()
{
    wchar_t value[4] = {};
    return GetEnvironmentVariableW(kWorkerVariable, value, 4) > 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::optional<RelaunchArgs> args = ParseRelaunchArgs(ArgumentText());
    if (!args)
        return 2;
    if (!IsWorker())
        return StartWorker() ? 0 : 1;
    // The program started next must not take itself for a worker when it relaunches again.
    SetEnvironmentVariableW(kWorkerVariable, nullptr);
    EndRunningInstance(args->title);
    return StartProgram(OwnFolder(), args->ProgramToStart()) ? 0 : 1;
}
