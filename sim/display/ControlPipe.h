#pragma once
// A named pipe through which a test drives a stand-in inside a running program: one command
// line in, its answer out, one client at a time. The name is the adapter simulator's pipe name
// (WEVO_SIM_PIPE, default \\.\pipe\WevoSim.<pid>) followed by "." and the library's name;
// WEVO_SIM_PIPE=none means no pipe. The thread runs until the process ends; the module is
// pinned for it.
#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace display {

class ControlPipe {
public:
    using Handler = std::function<std::string(const std::string& line)>;

    // Starts serving on first use; later calls do nothing.
    void Start(const char* library, Handler handler)
    {
        std::lock_guard<std::mutex> lock(mu_);
        if (started_)
            return;
        started_ = true;
        name_ = PipeName(library);
        if (name_.empty())
            return;
        handler_ = std::move(handler);
        HMODULE self = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<const char*>(&PipeName), &self);
        std::thread([this] { Serve(); }).detach();
    }

    static std::string PipeName(const char* library)
    {
        char base[256] = {};
        const DWORD n = GetEnvironmentVariableA("WEVO_SIM_PIPE", base, sizeof base);
        std::string name = n > 0 && n < sizeof base ? base : "\\\\.\\pipe\\WevoSim." + std::to_string(GetCurrentProcessId());
        if (_stricmp(name.c_str(), "none") == 0)
            return {};
        return name + "." + library;
    }

private:
    void Serve()
    {
        for (;;) {
            HANDLE pipe = CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT,
                                           PIPE_UNLIMITED_INSTANCES, 65536, 4096, 0, nullptr);
            if (pipe == INVALID_HANDLE_VALUE)
                return;
            if (ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED)
                Answer(pipe);
            DisconnectNamedPipe(pipe);
            CloseHandle(pipe);
        }
    }

    void Answer(HANDLE pipe)
    {
        std::string line;
        char buffer[512];
        DWORD got = 0;
        while (line.find('\n') == std::string::npos && line.size() < 65536 &&
               ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
            line.append(buffer, got);
        line = line.substr(0, line.find('\n'));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string reply = handler_(line);
        DWORD written = 0;
        WriteFile(pipe, reply.data(), DWORD(reply.size()), &written, nullptr);
        FlushFileBuffers(pipe);
    }

    std::mutex mu_;
    bool started_ = false;
    std::string name_;
    Handler handler_;
};

}  // namespace display
