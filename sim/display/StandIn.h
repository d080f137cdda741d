#pragma once
// What the three Wi-Fi Display stand-ins share: a journal of calls and results, and results
// a test injects by entry name. Each DLL holds its own copy; every line carries the
// performance counter, so that the journals of the three can be merged in call order.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <sstream>
#include <string>

#include "ControlPipe.h"

#define DISPLAY_API extern "C" __declspec(dllexport)

namespace display {

class StandIn {
public:
    static StandIn& Get()
    {
        static StandIn s;
        return s;
    }
    // Names the library for its control pipe, with the commands of its own; the pipe starts
    // with the first call of an entry.
    bool ServeAs(const char* library, ControlPipe::Handler commands)
    {
        library_ = library;
        commands_ = std::move(commands);
        return true;
    }
    // Journals "name(args) -> result", with an injected result in place of answer.
    int Call(const char* name, const std::string& args, int answer)
    {
        if (library_)
            pipe_.Start(library_, [this](const std::string& line) { return Command(line); });
        std::lock_guard<std::mutex> lock(mu_);
        auto it = injected_.find(name);
        const bool inject = it != injected_.end();
        const int result = inject ? it->second : answer;
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        journal_.push_back({uint64_t(now.QuadPart), std::string(name) + "(" + args + ") -> " + std::to_string(result) +
                                                        (inject ? " injected" : "")});
        if (journal_.size() > 5000)
            journal_.pop_front();
        return result;
    }
    void Inject(const char* name, int result)
    {
        std::lock_guard<std::mutex> lock(mu_);
        injected_[name] = result;
    }
    // The result injected under key, when there is one.
    bool Injected(const std::string& key, int* result)
    {
        std::lock_guard<std::mutex> lock(mu_);
        auto it = injected_.find(key);
        if (it == injected_.end())
            return false;
        *result = it->second;
        return true;
    }
    void ClearInjections()
    {
        std::lock_guard<std::mutex> lock(mu_);
        injected_.clear();
    }
    // One line per call; with stamps, each line starts with the counter as 20 digits and a space.
    int Journal(char* out, int size, bool stamps = false)
    {
        std::lock_guard<std::mutex> lock(mu_);
        std::string text;
        for (const Line& line : journal_) {
            if (stamps) {
                char stamp[24];
                std::snprintf(stamp, sizeof stamp, "%020llu ", static_cast<unsigned long long>(line.stamp));
                text += stamp;
            }
            text += line.text + "\n";
        }
        if (out && size > 0) {
            const size_t n = std::min(text.size(), size_t(size) - 1);
            std::memcpy(out, text.data(), n);
            out[n] = 0;
        }
        return int(text.size());
    }
    void ClearJournal()
    {
        std::lock_guard<std::mutex> lock(mu_);
        journal_.clear();
    }

    // Commands every stand-in understands: "journal", "journal stamped", "journal clear", "inject ENTRY RESULT",
    // "clear" (the injections); the rest go to the library's own.
    std::string Command(const std::string& line)
    {
        std::istringstream words(line);
        std::string verb, a, b;
        words >> verb >> a >> b;
        if (verb == "journal" && (a.empty() || a == "stamped")) {
            const bool stamps = a == "stamped";
            std::string text(size_t(Journal(nullptr, 0, stamps)) + 1, '\0');
            text.resize(size_t(Journal(text.data(), int(text.size()), stamps)));
            return text;
        }
        if (verb == "journal" && a == "clear") {
            ClearJournal();
            return "ok\n";
        }
        if (verb == "inject" && !a.empty() && !b.empty()) {
            Inject(a.c_str(), std::atoi(b.c_str()));
            return "ok\n";
        }
        if (verb == "clear") {
            ClearInjections();
            return "ok\n";
        }
        std::string reply = commands_ ? commands_(line) : std::string();
        return reply.empty() ? "error: unknown command\n" : reply;
    }

private:
    struct Line {
        uint64_t stamp;
        std::string text;
    };
    std::mutex mu_;
    std::deque<Line> journal_;
    std::map<std::string, int> injected_;
    const char* library_ = nullptr;
    ControlPipe::Handler commands_;
    ControlPipe pipe_;
};

// The text after the first word of a command line.
inline std::string Rest(const std::string& line)
{
    const size_t space = line.find(' ');
    return space == std::string::npos ? std::string() : line.substr(space + 1);
}

inline std::string Str(const char* text)
{
    return text ? "\"" + std::string(text, strnlen(text, 260)) + "\"" : "null";
}

inline std::string Hex(const void* data, size_t size)
{
    std::string text;
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", p[i]);
        text += two;
    }
    return text;
}

inline std::string Ptr(const void* p)
{
    return p ? "ptr" : "null";
}

template <class... T>
std::string Args(T... values)
{
    std::string text;
    ((text += (text.empty() ? "" : ", ") + std::to_string(values)), ...);
    return text;
}

}  // namespace display
