#pragma once
// Call counts and injected results by entry name, shared by the stand-in libraries. The
// owner holds its own lock around every use.
#include <map>
#include <string>
#include <vector>

namespace simcommon {

class CallInjections {
public:
    // Counts the call; true and the injected result when one is due for this call.
    bool Due(const std::string& entry, int& result)
    {
        const int call = ++calls_[entry];
        auto found = injections_.find(entry);
        if (found == injections_.end())
            return false;
        for (const Injection& each : found->second) {
            if (each.call == 0 || each.call == call) {
                result = each.result;
                return true;
            }
        }
        return false;
    }
    // call 0: every call; otherwise the n-th call only.
    void Add(const std::string& entry, int call, int result) { injections_[entry].push_back({call, result}); }
    int Count(const std::string& entry) const
    {
        auto found = calls_.find(entry);
        return found == calls_.end() ? 0 : found->second;
    }
    void Clear()
    {
        calls_.clear();
        injections_.clear();
    }

private:
    struct Injection {
        int call;
        int result;
    };
    std::map<std::string, int> calls_;
    std::map<std::string, std::vector<Injection>> injections_;
};

} // namespace simcommon
