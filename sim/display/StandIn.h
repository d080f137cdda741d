#pragma once
// What the three Wi-Fi Display stand-ins share: a journal of calls and results, and results
// a test injects by entry name. Each DLL holds its own copy.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <string>

#define DISPLAY_API extern "C" __declspec(dllexport)

namespace display {

class StandIn {
public:
    static StandIn& Get()
    {
        static StandIn s;
        return s;
    }
    // Journals "name(args) -> result", with an injected result in place of answer.
    int Call(const char* name, const std::string& args, int answer)
    {
        std::lock_guard<std::mutex> lock(mu_);
        auto it = injected_.find(name);
        const bool inject = it != injected_.end();
        const int result = inject ? it->second : answer;
        journal_.push_back(std::string(name) + "(" + args + ") -> " + std::to_string(result) +
                           (inject ? " injected" : ""));
        if (journal_.size() > 5000)
            journal_.pop_front();
        return result;
    }
    void Inject(const char* name, int result)
    {
        std::lock_guard<std::mutex> lock(mu_);
        injected_[name] = result;
    }
    void ClearInjections()
    {
        std::lock_guard<std::mutex> lock(mu_);
        injected_.clear();
    }
    int Journal(char* out, int size)
    {
        std::lock_guard<std::mutex> lock(mu_);
        std::string text;
        for (const std::string& line : journal_)
            text += line + "\n";
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

private:
    std::mutex mu_;
    std::deque<std::string> journal_;
    std::map<std::string, int> injected_;
};

inline std::string Str(const char* text)
{
    return text ? "\"" + std::string(text, strnlen(text, 260)) + "\"" : "null";
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
