// VaZEDEVE.dll: the stand-in for the Wi-Fi Display session library. Every entry journals its
// arguments and answers neutrally (0, success); the callback is kept.
#include <type_traits>

#include "StandIn.h"
#include "wlapi/wfd_entries.h"

using display::Args;
using display::Ptr;
using display::Str;

namespace {
PFN_WDP_SO_CALLBACK g_callback = nullptr;
display::StandIn& J()
{
    return display::StandIn::Get();
}
}  // namespace

DISPLAY_API int __stdcall WVWDP_Init(PFN_WDP_SO_CALLBACK callback, int reserved)
{
    g_callback = callback;
    return J().Call("WVWDP_Init", Ptr(reinterpret_cast<void*>(callback)) + ", " + std::to_string(reserved), 0);
}

DISPLAY_API int __stdcall WVWDP_StartOrStopRTSPServer(int start, const char* address, int port)
{
    return J().Call("WVWDP_StartOrStopRTSPServer", std::to_string(start) + ", " + Str(address) + ", " + std::to_string(port), 0);
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
    return J().Call("WVWDP_GetSessionID", Str(sink), 0);
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
    std::string value = Ptr(data);
    if (data && request != 10 && request != 20)
        value = std::to_string(*static_cast<const int*>(data));
    return J().Call("WVWDP_DoWork", Str(address) + ", " + std::to_string(request) + ", " + value, 0);
}

// Control surface.
DISPLAY_API int SessionJournal(char* out, int size) { return J().Journal(out, size); }
DISPLAY_API void SessionJournalClear() { J().ClearJournal(); }
DISPLAY_API void SessionInject(const char* entry, int result) { J().Inject(entry, result); }
// Calls the program's callback as the library's thread would (data may be null).
DISPLAY_API void SessionFireCallback(int code, const char* address, void* data)
{
    if (g_callback)
        g_callback(code, address, nullptr, data);
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
