// VaZEDEVE.dll: the stand-in for the Wi-Fi Display session library. Every entry journals its
// arguments; the RTSP server keeps its running state, results can be injected, and a script
// of callback events is played to the program from a thread of the library.
#include <type_traits>

#include "EventScript.h"
#include "StandIn.h"
#include "wlapi/wfd_entries.h"

using display::Args;
using display::Ptr;
using display::Str;

namespace {

struct Session {
    std::mutex mu;
    PFN_WDP_SO_CALLBACK callback = nullptr;
    bool serverRunning = false;
    int sessionId = 12345678;
};

Session g_s;

display::StandIn& J()
{
    return display::StandIn::Get();
}

void Deliver(const display::ScriptEvent& e)
{
    PFN_WDP_SO_CALLBACK callback;
    {
        std::lock_guard<std::mutex> lock(g_s.mu);
        callback = g_s.callback;
    }
    if (callback)
        callback(e.code, e.hasAddress ? e.address.c_str() : nullptr, nullptr,
                 e.hasData ? const_cast<unsigned char*>(e.data.data()) : nullptr);
}

display::EventPlayer& Player()
{
    static display::EventPlayer player(Deliver);
    return player;
}

std::string DataText(int request, const void* data)
{
    if (!data)
        return "null";
    if (request == 20)
        return "h:" + display::Hex(data, 20);
    if (request == 10)
        return "h:" + display::Hex(data, 32);
    return std::to_string(*static_cast<const int*>(data));
}

// Pipe commands: "script EVENTS", "wait MS", "played", "sessionid N", "running".
std::string Command(const std::string& line)
{
    const std::string verb = line.substr(0, line.find(' '));
    const std::string rest = display::Rest(line);
    if (verb == "script")
        return std::to_string(Player().Queue(rest.c_str())) + "\n";
    if (verb == "wait")
        return Player().WaitIdle(rest.empty() ? 10000 : std::atoi(rest.c_str())) ? "ok\n" : "error: still busy\n";
    if (verb == "played")
        return Player().Played() + "\n";
    if (verb == "sessionid" && !rest.empty()) {
        std::lock_guard<std::mutex> lock(g_s.mu);
        g_s.sessionId = std::atoi(rest.c_str());
        return "ok\n";
    }
    if (verb == "running") {
        std::lock_guard<std::mutex> lock(g_s.mu);
        return g_s.serverRunning ? "1\n" : "0\n";
    }
    return {};
}

const bool g_served = J().ServeAs("VaZEDEVE", Command);

}  // namespace

DISPLAY_API int __stdcall WVWDP_Init(PFN_WDP_SO_CALLBACK callback, int reserved)
{
    {
        std::lock_guard<std::mutex> lock(g_s.mu);
        g_s.callback = callback;
    }
    return J().Call("WVWDP_Init", Ptr(reinterpret_cast<void*>(callback)) + ", " + std::to_string(reserved), 0);
}

// Start fails with 3 while the server runs (its port is taken); "start" and "stop" injections
// replace the result of each (a failed call leaves the state as it was).
DISPLAY_API int __stdcall WVWDP_StartOrStopRTSPServer(int start, const char* address, int port)
{
    std::lock_guard<std::mutex> lock(g_s.mu);
    int result = start && g_s.serverRunning ? 3 : 0;
    int injected = 0;
    if (J().Injected(start ? "start" : "stop", &injected))
        result = injected;
    if (result == 0)
        g_s.serverRunning = start != 0;
    return J().Call("WVWDP_StartOrStopRTSPServer", std::to_string(start) + ", " + Str(address) + ", " + std::to_string(port),
                    result);
}

DISPLAY_API int __stdcall WVWDP_GetRTSPURLPrefix(char* buffer, int length)
{
    if (buffer && length > 0)
        buffer[0] = 0;
    return J().Call("WVWDP_GetRTSPURLPrefix", Ptr(buffer) + ", " + std::to_string(length), 0);
}

DISPLAY_API int __stdcall WVWDP_StartSessionSetup(const char* client)
{
    return J().Call("WVWDP_StartSessionSetup", Str(client), 0);
}

DISPLAY_API int __stdcall WVWDP_TriggerMethod(const char* client, int method)
{
    return J().Call("WVWDP_TriggerMethod", Str(client) + ", " + std::to_string(method), 0);
}

DISPLAY_API int __stdcall WVWDP_GetSessionID(const char* sink)
{
    int id;
    {
        std::lock_guard<std::mutex> lock(g_s.mu);
        id = g_s.sessionId;
    }
    return J().Call("WVWDP_GetSessionID", Str(sink), id);
}

DISPLAY_API int __stdcall WVWDP_UIBC(const char* client, int enable)
{
    return J().Call("WVWDP_UIBC", Str(client) + ", " + std::to_string(enable), 0);
}

DISPLAY_API int __stdcall WVWDP_IsDoCouple(int couple)
{
    return J().Call("WVWDP_IsDoCouple", Args(couple), 0);
}

DISPLAY_API int __stdcall WVWDP_DoWork(const char* address, int request, void* data)
{
    return J().Call("WVWDP_DoWork", Str(address) + ", " + std::to_string(request) + ", " + DataText(request, data), 0);
}

// Control surface (C calling convention).
DISPLAY_API int SessionJournal(char* out, int size) { return J().Journal(out, size); }
DISPLAY_API int SessionJournalStamped(char* out, int size) { return J().Journal(out, size, true); }
DISPLAY_API void SessionJournalClear() { J().ClearJournal(); }
// entry "start" or "stop" for the server, else an entry name; the result replaces the answer.
DISPLAY_API void SessionInject(const char* entry, int result) { J().Inject(entry, result); }
DISPLAY_API void SessionClearInjections() { J().ClearInjections(); }
DISPLAY_API void SessionSetSessionID(int id)
{
    std::lock_guard<std::mutex> lock(g_s.mu);
    g_s.sessionId = id;
}
// Queues the script's events for the library's thread; returns their number or -1 when malformed.
DISPLAY_API int SessionScript(const char* script) { return Player().Queue(script); }
// 1 when every queued event was delivered within ms.
DISPLAY_API int SessionWaitIdle(int ms) { return Player().WaitIdle(ms) ? 1 : 0; }
// The codes delivered so far, "0,10,11,...".
DISPLAY_API int SessionPlayed(char* out, int size)
{
    const std::string played = Player().Played();
    if (out && size > 0)
        std::snprintf(out, size_t(size), "%s", played.c_str());
    return int(played.size());
}
DISPLAY_API int SessionServerRunning()
{
    std::lock_guard<std::mutex> lock(g_s.mu);
    return g_s.serverRunning ? 1 : 0;
}

static_assert(std::is_same_v<decltype(&WVWDP_Init), PFN_WVWDP_Init>);
static_assert(std::is_same_v<decltype(&WVWDP_StartOrStopRTSPServer), PFN_WVWDP_StartOrStopRTSPServer>);
static_assert(std::is_same_v<decltype(&WVWDP_GetRTSPURLPrefix), PFN_WVWDP_GetRTSPURLPrefix>);
static_assert(std::is_same_v<decltype(&WVWDP_StartSessionSetup), PFN_WVWDP_StartSessionSetup>);
static_assert(std::is_same_v<decltype(&WVWDP_TriggerMethod), PFN_WVWDP_TriggerMethod>);
static_assert(std::is_same_v<decltype(&WVWDP_GetSessionID), PFN_WVWDP_GetSessionID>);
static_assert(std::is_same_v<decltype(&WVWDP_UIBC), PFN_WVWDP_UIBC>);
static_assert(std::is_same_v<decltype(&WVWDP_IsDoCouple), PFN_WVWDP_IsDoCouple>);
static_assert(std::is_same_v<decltype(&WVWDP_DoWork), PFN_WVWDP_DoWork>);
