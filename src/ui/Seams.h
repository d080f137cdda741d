#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <utility>

// Points where tests replace the outside world. Each defaults to the real behaviour.
namespace seams {

// Answer to a modal form or message box: when set, ShowModal and MessageBox return it
// without showing anything. The argument describes what would have been shown.
extern std::function<int(const std::string& what)> modalAnswer;

// Milliseconds since start (GetTickCount unless overridden) and sleeping.
extern std::function<DWORD()> clockOverride;
extern std::function<void(DWORD)> sleepOverride;
DWORD Now();
void Sleep(DWORD ms);

// The system's cryptographic random source (BCryptGenRandom unless overridden): fills the
// buffer and answers true, or answers false when no random bytes could be drawn.
extern std::function<bool(void* buffer, unsigned long size)> randomOverride;

// Language and country names of the user's locale, e.g. {"en", "US"}.
extern std::function<std::pair<std::string, std::string>()> localeOverride;
std::pair<std::string, std::string> LocaleNames();

// Every formatted log line; OutputDebugStringA when not set.
extern std::function<void(const char*)> logSink;
void Log(const char* line);

}  // namespace seams
