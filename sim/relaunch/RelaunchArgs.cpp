#include "RelaunchArgs.h"

#include <vector>

namespace {

std::vector<std::wstring> SplitArguments(const std::wstring& line)
{
    std::vector<std::wstring> args;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == L' ' || line[i] == L'\t'))
            ++i;
        if (i >= line.size())
            break;
        std::wstring arg;
        bool quoted = false;
        for (; i < line.size(); ++i) {
            wchar_t c = line[i];
            if (c == L'"') {
                quoted = !quoted;
                continue;
            }
            if (!quoted && (c == L' ' || c == L'\t'))
                break;
            arg += c;
        }
        args.push_back(arg);
    }
    return args;
}

bool IsBareFileName(const std::wstring& name)
{
    return !name.empty() && name.find_first_of(L"\\/:") == std::wstring::npos && name != L"." && name != L"..";
}

} // namespace

std::optional<RelaunchArgs> ParseRelaunchArgs(const std::wstring& commandLine)
{
    std::vector<std::wstring> args = SplitArguments(commandLine);
    if (args.size() < 2 || args.size() > 3)
        return std::nullopt;
    RelaunchArgs result{args[0], args[1], args.size() == 3 ? args[2] : std::wstring()};
    if (!IsBareFileName(result.program) || result.title.empty())
        return std::nullopt;
    if (args.size() == 3 && !IsBareFileName(result.next))
        return std::nullopt;
    return result;
}
