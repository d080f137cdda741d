#pragma once
// Scripted callback events, played from a thread of the stand-in: one event per line or ";",
// "CODE [ADDRESS|-] [DATA]" or "sleep MS". DATA is "i:N" an int, "w:A,B" two 16-bit numbers,
// "s:TEXT" a text, "h:HEX" bytes, "v:" the stand-in's own watch byte, or "-" none. Data is
// zero-padded to 288 bytes so that a record copied from it never reads beyond.
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace display {

struct ScriptEvent {
    int code = 0;
    int sleepMs = 0;
    bool hasAddress = false;
    std::string address;
    bool hasData = false;
    bool watchByte = false;
    std::vector<unsigned char> data;
};

inline bool ParseEventData(const std::string& token, ScriptEvent& e)
{
    if (token == "-")
        return true;
    if (token.size() < 2 || token[1] != ':')
        return false;
    const std::string value = token.substr(2);
    e.hasData = true;
    switch (token[0]) {
    case 'i': {
        const int n = std::stoi(value);
        e.data.assign(reinterpret_cast<const unsigned char*>(&n), reinterpret_cast<const unsigned char*>(&n) + 4);
        return true;
    }
    case 'w': {
        const size_t comma = value.find(',');
        if (comma == std::string::npos)
            return false;
        const uint16_t ports[2] = {uint16_t(std::stoul(value.substr(0, comma))),
                                   uint16_t(std::stoul(value.substr(comma + 1)))};
        e.data.assign(reinterpret_cast<const unsigned char*>(ports), reinterpret_cast<const unsigned char*>(ports) + 4);
        return true;
    }
    case 's':
        e.data.assign(value.begin(), value.end());
        e.data.push_back(0);
        return true;
    case 'h':
        if (value.size() % 2)
            return false;
        for (size_t i = 0; i < value.size(); i += 2)
            e.data.push_back(static_cast<unsigned char>(std::stoul(value.substr(i, 2), nullptr, 16)));
        return true;
    case 'v':
        e.watchByte = true;
        return true;
    default:
        return false;
    }
}

// The events of a script, or false when any line is malformed.
inline bool ParseEventScript(const std::string& script, std::vector<ScriptEvent>& events)
{
    std::string text = script;
    for (char& c : text)
        if (c == ';')
            c = '\n';
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string first, address, data;
        if (!(words >> first))
            continue;
        ScriptEvent e;
        try {
            if (first == "sleep") {
                e.code = -1;
                if (!(words >> e.sleepMs))
                    return false;
            } else {
                e.code = std::stoi(first);
                if (words >> address && address != "-") {
                    e.address = address;
                    e.hasAddress = true;
                }
                if (words >> data && !ParseEventData(data, e))
                    return false;
            }
        } catch (...) {
            return false;
        }
        if (e.hasData && e.data.size() < 288)
            e.data.resize(288, 0);
        events.push_back(std::move(e));
    }
    return true;
}

// Delivers queued events one by one on its own thread, which runs until the process ends;
// the stand-in's module is pinned for it.
class EventPlayer {
public:
    explicit EventPlayer(std::function<void(const ScriptEvent&)> deliver) : deliver_(std::move(deliver)) {}

    int Queue(const char* script)
    {
        std::vector<ScriptEvent> events;
        if (!script || !ParseEventScript(script, events))
            return -1;
        std::lock_guard<std::mutex> lock(mu_);
        Start();
        for (ScriptEvent& e : events)
            queue_.push_back(std::move(e));
        wake_.notify_all();
        return int(events.size());
    }
    bool WaitIdle(int ms)
    {
        std::unique_lock<std::mutex> lock(mu_);
        return wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return queue_.empty() && !busy_; });
    }
    std::string Played()
    {
        std::lock_guard<std::mutex> lock(mu_);
        return played_;
    }

private:
    void Start()
    {
        if (started_)
            return;
        HMODULE self = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<const char*>(&ParseEventScript), &self);
        std::thread([this] { Run(); }).detach();
        started_ = true;
    }
    void Run()
    {
        for (;;) {
            ScriptEvent e;
            {
                std::unique_lock<std::mutex> lock(mu_);
                wake_.wait(lock, [this] { return !queue_.empty(); });
                e = std::move(queue_.front());
                queue_.pop_front();
                busy_ = true;
            }
            if (e.code < 0)
                Sleep(DWORD(e.sleepMs));
            else
                deliver_(e);
            std::lock_guard<std::mutex> lock(mu_);
            if (e.code >= 0)
                played_ += (played_.empty() ? "" : ",") + std::to_string(e.code);
            busy_ = false;
            wake_.notify_all();
        }
    }

    std::function<void(const ScriptEvent&)> deliver_;
    std::mutex mu_;
    std::condition_variable wake_;
    std::deque<ScriptEvent> queue_;
    bool busy_ = false;
    bool started_ = false;
    std::string played_;
};

}  // namespace display
