#include "core/Log.h"

#include <windows.h>
#include <shlwapi.h>
#include <cstdarg>
#include <cstring>

#include "core/WvwlLib.h"
#include "ui/Seams.h"

namespace {

const char* const kLevelPrefixes[] = {
    "[Wevo][F] ",    "[Wevo][E] ",    "[Wevo][W] ",    "[Wevo][Normal] ",
    "[Wevo][Func] ", "[Wevo][Info] ", "[Wevo][Temp] ", "[Wevo][Polling] ",
};

}  // namespace

int GetLogLevelPrefix(int level, char* dest, int* length)
{
    *length = 0;
    if (level < 1 || level > 8)
        return -1;
    const char* prefix = kLevelPrefixes[level - 1];
    *length = static_cast<int>(std::strlen(prefix));
    std::memcpy(dest, prefix, *length);
    return 0;
}

void PrintMessage(int level, const char* format, ...)
{
    char line[512] = {};
    char text[512] = {};
    int prefixLength = 0;
    GetLogLevelPrefix(level, line, &prefixLength);

    // The text is cut so that prefix, text and terminator fit the line.
    if (format) {
        va_list args;
        va_start(args, format);
        wvnsprintfA(text, static_cast<int>(sizeof line) - prefixLength, format, args);
        va_end(args);
    }
    text[sizeof text - 1] = '\0';
    std::memcpy(line + prefixLength, text, std::strlen(text) + 1);

    if (level <= VOZEZIV.nDebugMode)
        seams::Log(line);
    if (VOZEZIV.bDllLoaded == 1 && VOZEZIV.WVWL_OutPutUIWppLog)
        VOZEZIV.WVWL_OutPutUIWppLog(level, line);
}
