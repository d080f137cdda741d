// StreamDll.dll: the stand-in for the stream player. Every entry journals its arguments;
// GetHwnd answers a window only after Create, the player state follows Play and Stop, and
// scripted callback events are played to the program from a thread of the player.
#include <atomic>
#include <type_traits>

#include "EventScript.h"
#include "StandIn.h"
#include "wlapi/wfd_entries.h"

namespace {
std::atomic<PFN_SINK_CALLBACK> g_callback{nullptr};
std::atomic<bool> g_created{false};
// 0 nothing special; after Play the first question answers 1 (opening), later ones 3 (playing).
std::atomic<int> g_state{0};
std::atomic<bool> g_opening{false};
// The byte the player hands over with event 12 ("v:").
unsigned char g_watchByte = 0;

display::StandIn& J()
{
    return display::StandIn::Get();
}

void Deliver(const display::ScriptEvent& e)
{
    void* data = e.watchByte ? &g_watchByte : e.hasData ? const_cast<unsigned char*>(e.data.data()) : nullptr;
    if (PFN_SINK_CALLBACK callback = g_callback)
        callback(e.code, 0, 0, data);
}

display::EventPlayer& Player()
{
    static display::EventPlayer player(Deliver);
    return player;
}
std::string Options(int count, const char* const* options)
{
    std::string text = std::to_string(count);
    for (int i = 0; options && i < count && i < 16; ++i)
        text += ", " + display::Str(options[i]);
    return text;
}
// Pipe commands: "script EVENTS", "wait MS", "state N", "watchbyte".
std::string Command(const std::string& line)
{
    const std::string verb = line.substr(0, line.find(' '));
    const std::string rest = display::Rest(line);
    if (verb == "script")
        return std::to_string(Player().Queue(rest.c_str())) + "\n";
    if (verb == "wait")
        return Player().WaitIdle(rest.empty() ? 10000 : std::atoi(rest.c_str())) ? "ok\n" : "error: still busy\n";
    if (verb == "state" && !rest.empty()) {
        g_opening = false;
        g_state = std::atoi(rest.c_str());
        return "ok\n";
    }
    if (verb == "watchbyte")
        return std::to_string(g_watchByte) + "\n";
    return {};
}

const bool g_served = J().ServeAs("StreamDll", Command);
}  // namespace

DISPLAY_API int __stdcall Create(int a, int b, int c, int d, int e, int f, int optionCount, const char* const* options)
{
    g_created = true;
    return J().Call("Create", display::Args(a, b, c, d, e, f) + ", " + Options(optionCount, options), 0);
}

DISPLAY_API HWND __stdcall GetHwnd()
{
    const int window = J().Call("GetHwnd", "", g_created ? 0x1234 : 0);
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(window));
}

DISPLAY_API int __stdcall SetPath(const char* url, int optionCount, const char* const* options)
{
    return J().Call("SetPath", display::Str(url) + ", " + Options(optionCount, options), 0);
}

DISPLAY_API int __stdcall SetBindIP(const char* address, int caching)
{
    return J().Call("SetBindIP", display::Str(address) + ", " + std::to_string(caching), 0);
}

DISPLAY_API int __stdcall Set_UICallBack(PFN_SINK_CALLBACK callback)
{
    g_callback = callback;
    return J().Call("Set_UICallBack", display::Ptr(reinterpret_cast<void*>(callback)), 0);
}

DISPLAY_API int __stdcall Set_UIBCData(int kind, const char* hidcCapability, int genericCapability, int reserved)
{
    return J().Call("Set_UIBCData", std::to_string(kind) + ", " + display::Str(hidcCapability) + ", " +
                                        display::Args(genericCapability, reserved), 0);
}

DISPLAY_API int __stdcall RedirectEvent(HWND window, int event)
{
    return J().Call("RedirectEvent", display::Ptr(window) + ", " + std::to_string(event), 0);
}

DISPLAY_API int __stdcall Set_RTPPort(int port0, int port1)
{
    return J().Call("Set_RTPPort", display::Args(port0, port1), 0);
}

DISPLAY_API int __stdcall Set_SupportVideo(uint32_t cea, uint32_t vesa, uint32_t hh)
{
    return J().Call("Set_SupportVideo", display::Args(cea, vesa, hh), 0);
}

DISPLAY_API int __stdcall Release()
{
    return J().Call("Release", "", 0);
}

DISPLAY_API int __stdcall Play()
{
    g_opening = true;
    return J().Call("Play", "", 0);
}

DISPLAY_API int __stdcall Pause()
{
    return J().Call("Pause", "", 0);
}

DISPLAY_API int __stdcall Stop()
{
    // A player still opening stays so (the program then releases it through the watch byte).
    if (g_opening.exchange(false) || g_state != 1)
        g_state = 5;
    return J().Call("Stop", "", 0);
}

DISPLAY_API int __stdcall IsPlaying()
{
    return J().Call("IsPlaying", "", 0);
}

DISPLAY_API int __stdcall GetPlayerState()
{
    int state = g_state;
    if (g_opening.exchange(false)) {
        state = 1;
        g_state = 3;
    }
    return J().Call("GetPlayerState", "", state);
}

DISPLAY_API int __stdcall Get_CoupleStatus()
{
    return J().Call("Get_CoupleStatus", "", 0);
}

DISPLAY_API int __stdcall Set_SupportPreferredDisplayMode(int value)
{
    return J().Call("Set_SupportPreferredDisplayMode", display::Args(value), 0);
}

DISPLAY_API int __stdcall DoWork(int value)
{
    return J().Call("DoWork", display::Args(value), 0);
}

DISPLAY_API int __stdcall Set_I2CPort(int value)
{
    return J().Call("Set_I2CPort", display::Args(value), 0);
}

DISPLAY_API int __stdcall Set_Role(int value)
{
    return J().Call("Set_Role", display::Args(value), 0);
}

DISPLAY_API int __stdcall Set_IsDoCouple(int value)
{
    return J().Call("Set_IsDoCouple", display::Args(value), 0);
}

DISPLAY_API int __stdcall Set_CoupleStatus(int value)
{
    return J().Call("Set_CoupleStatus", display::Args(value), 0);
}

DISPLAY_API int __stdcall Set_Fullscreen(int value)
{
    return J().Call("Set_Fullscreen", display::Args(value), 0);
}

DISPLAY_API int __stdcall Set_SupportEDID(int value)
{
    return J().Call("Set_SupportEDID", display::Args(value), 0);
}

DISPLAY_API int __stdcall Set_SupportI2C(int value)
{
    return J().Call("Set_SupportI2C", display::Args(value), 0);
}

DISPLAY_API int __stdcall Set_SupportStandby(int value)
{
    return J().Call("Set_SupportStandby", display::Args(value), 0);
}

// Control surface.
DISPLAY_API int PlayerJournal(char* out, int size) { return J().Journal(out, size); }
DISPLAY_API void PlayerJournalClear() { J().ClearJournal(); }
DISPLAY_API void PlayerInject(const char* entry, int result) { J().Inject(entry, result); }
DISPLAY_API void PlayerClearInjections() { J().ClearInjections(); }
// Sets the state GetPlayerState answers from now on.
DISPLAY_API void PlayerSetState(int state)
{
    g_opening = false;
    g_state = state;
}
// Queues callback events for the player's thread (see EventScript.h); -1 when malformed.
DISPLAY_API int PlayerScript(const char* script) { return Player().Queue(script); }
DISPLAY_API int PlayerWaitIdle(int ms) { return Player().WaitIdle(ms) ? 1 : 0; }
DISPLAY_API int PlayerWatchByte() { return g_watchByte; }
// Calls the program's callback on the caller's thread (data may be null).
DISPLAY_API void PlayerFireCallback(int code, void* data)
{
    if (PFN_SINK_CALLBACK callback = g_callback)
        callback(code, 0, 0, data);
}

static_assert(std::is_same_v<decltype(&Create), PFN_SN_Create>);
static_assert(std::is_same_v<decltype(&GetHwnd), PFN_SN_GetHwnd>);
static_assert(std::is_same_v<decltype(&SetPath), PFN_SN_SetPath>);
static_assert(std::is_same_v<decltype(&SetBindIP), PFN_SN_SetBindIP>);
static_assert(std::is_same_v<decltype(&Set_UICallBack), PFN_SN_Set_UICallBack>);
static_assert(std::is_same_v<decltype(&Set_UIBCData), PFN_SN_Set_UIBCData>);
static_assert(std::is_same_v<decltype(&RedirectEvent), PFN_SN_RedirectEvent>);
static_assert(std::is_same_v<decltype(&Set_RTPPort), PFN_SN_Set_RTPPort>);
static_assert(std::is_same_v<decltype(&Set_SupportVideo), PFN_SN_Set_SupportVideo>);
static_assert(std::is_same_v<decltype(&Play), PFN_SN_Void>);
static_assert(std::is_same_v<decltype(&DoWork), PFN_SN_Int>);
