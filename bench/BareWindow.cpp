#include "BareWindow.h"

#include <psapi.h>

#include <algorithm>
#include <cctype>

#include "ProcessWindows.h"
#include "WevoRun.h"
#include "core/Settings.h"

namespace {

bool EndsWith(std::string text, const char* tail)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    const std::string end(tail);
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::vector<std::string> LoadedLibraries(HANDLE process)
{
    std::vector<HMODULE> modules(512);
    DWORD needed = 0;
    if (!EnumProcessModules(process, modules.data(), DWORD(modules.size() * sizeof(HMODULE)), &needed))
        return {};
    modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
    std::vector<std::string> found;
    for (HMODULE module : modules) {
        char path[MAX_PATH] = {};
        if (!GetModuleFileNameExA(process, module, path, MAX_PATH))
            continue;
        if (EndsWith(path, ".exe") || EndsWith(path, ".drv"))
            continue;
        found.push_back(path);
    }
    return found;
}

void SetBareWindowLibraries(const std::vector<std::string>& libraries)
{
    std::string joined;
    for (const std::string& library : libraries)
        joined += library + ";";
    SetEnvironmentVariableA(kBareWindowLibraries, joined.empty() ? nullptr : joined.c_str());
}

bool StartBareWindow(const std::vector<std::string>& libraries, PROCESS_INFORMATION& info)
{
    const std::string exe = ProgramFolder() + "BenchMinimalWindow.exe";
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    SetBareWindowLibraries(libraries);
    const BOOL started = CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &info);
    SetBareWindowLibraries({});
    if (!started)
        return false;
    CloseHandle(info.hThread);
    info.hThread = nullptr;
    WaitForInputIdle(info.hProcess, 15000);
    return WaitFor([&] { return WindowsOf(info.dwProcessId).topLevel > 0; });
}

void EndBareWindow(PROCESS_INFORMATION& info)
{
    if (!info.hProcess)
        return;
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hProcess);
    info.hProcess = nullptr;
}
