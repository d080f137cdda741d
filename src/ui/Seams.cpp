#include "ui/Seams.h"

namespace seams {

std::function<int(const std::string&)> modalAnswer;
std::function<bool(void*, unsigned long)> randomOverride;
std::function<DWORD()> clockOverride;
std::function<void(DWORD)> sleepOverride;
std::function<std::pair<std::string, std::string>()> localeOverride;
std::function<void(const char*)> logSink;

DWORD Now()
{
    return clockOverride ? clockOverride() : GetTickCount();
}

void Sleep(DWORD ms)
{
    if (sleepOverride)
        sleepOverride(ms);
    else
        ::Sleep(ms);
}

std::pair<std::string, std::string> LocaleNames()
{
    if (localeOverride)
        return localeOverride();
    char lang[16] = {}, country[16] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, lang, sizeof lang);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, country, sizeof country);
    return {lang, country};
}

void Log(const char* line)
{
    if (logSink)
        logSink(line);
    else
        OutputDebugStringA(line);
}

}  // namespace seams
