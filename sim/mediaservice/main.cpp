// ViRuvuzOdiraz.exe: the media-server service. Reports running when the service manager starts
// it and stopped on the stop control; each start and stop goes to a journal file.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

std::string g_journal;
bool g_failStart = false;
SERVICE_STATUS_HANDLE g_status = nullptr;
HANDLE g_stop = nullptr;

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string s(path, n < MAX_PATH ? n : 0);
    return s.substr(0, s.find_last_of('\\') + 1);
}

void Journal(const std::string& line)
{
    HANDLE file = CreateFileA(g_journal.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + "\r\n";
    DWORD done = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &done, nullptr);
    CloseHandle(file);
}

void Report(DWORD state, DWORD specificError = 0)
{
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    status.dwWin32ExitCode = specificError ? ERROR_SERVICE_SPECIFIC_ERROR : NO_ERROR;
    status.dwServiceSpecificExitCode = specificError;
    SetServiceStatus(g_status, &status);
}

DWORD WINAPI Control(DWORD control, DWORD, void*, void* context)
{
    if (control == SERVICE_CONTROL_INTERROGATE)
        return NO_ERROR;
    if (control != SERVICE_CONTROL_STOP)
        return ERROR_CALL_NOT_IMPLEMENTED;
    Journal("stop " + *static_cast<std::string*>(context));
    Report(SERVICE_STOP_PENDING);
    SetEvent(g_stop);
    return NO_ERROR;
}

// The first argument is the service's name; the adapter library passes the friendly name and
// the folder after it.
void WINAPI ServiceMain(DWORD argc, char** argv)
{
    static std::string name;
    name = argc > 0 && argv[0] ? argv[0] : "";
    g_status = RegisterServiceCtrlHandlerExA(name.c_str(), Control, &name);
    if (!g_status)
        return;
    if (g_failStart) {
        Journal("start " + name + " failed");
        Report(SERVICE_STOPPED, 1);
        return;
    }
    std::string line = "start " + name;
    if (argc > 1)
        line += std::string(" name=") + argv[1];
    if (argc > 2)
        line += std::string(" folder=") + argv[2];
    Journal(line);
    Report(SERVICE_RUNNING);
    WaitForSingleObject(g_stop, INFINITE);
    Report(SERVICE_STOPPED);
}

}  // namespace

int main(int argc, char** argv)
{
    g_journal = OwnFolder() + "ViRuvuzOdiraz.journal";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--journal") == 0 && i + 1 < argc)
            g_journal = argv[++i];
        else if (std::strcmp(argv[i], "--fail-start") == 0)
            g_failStart = true;
    }
    g_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    // An own-process service: the manager ignores the name of the table's entry.
    char any[] = "";
    const SERVICE_TABLE_ENTRYA table[] = {{any, ServiceMain}, {nullptr, nullptr}};
    if (!StartServiceCtrlDispatcherA(table)) {
        Journal("no service manager");
        return 1;
    }
    return 0;
}
