// WFDSource.dll: the stand-in for the screen-capture and encoding library. Every entry
// journals its arguments exactly (a window by its handle, a float by its bits, a wide text
// in UTF-8) and answers 0 unless a result is injected; nothing is captured or encoded.
#include <type_traits>

#include "StandIn.h"
#include "wlapi/wfd_entries.h"

namespace {
display::StandIn& J()
{
    return display::StandIn::Get();
}
const bool g_served = J().ServeAs("WFDSource", nullptr);
}  // namespace

DISPLAY_API int __stdcall WFD_LibraryInit(HWND window)
{
    // The window's title as it was at the call: the window can be gone when the journal is read.
    // Read from the window's own record, so the stand-in sends the window no message.
    wchar_t wide[128] = {};
    char title[128] = {};
    if (window && InternalGetWindowText(window, wide, 128) > 0)
        WideCharToMultiByte(CP_ACP, 0, wide, -1, title, sizeof title, nullptr, nullptr);
    char text[160];
    std::snprintf(text, sizeof text, "0x%08X \"%s\"", unsigned(reinterpret_cast<uintptr_t>(window)), title);
    return J().Call("WFD_LibraryInit", text, 0);
}

DISPLAY_API int __stdcall WFD_GetVideoFrameData(void* buffer, int length)
{
    return J().Call("WFD_GetVideoFrameData", display::Ptr(buffer) + ", " + std::to_string(length), 0);
}

DISPLAY_API int __stdcall WFD_GetAudioFrameData(void* buffer, int length)
{
    return J().Call("WFD_GetAudioFrameData", display::Ptr(buffer) + ", " + std::to_string(length), 0);
}

DISPLAY_API int __stdcall WFD_StartMpegtsCapture(int streamType, int reserved1, int reserved2)
{
    return J().Call("WFD_StartMpegtsCapture", display::Args(streamType, reserved1, reserved2), 0);
}

DISPLAY_API int __stdcall WFD_SetCaptureResolution(int width, int height)
{
    return J().Call("WFD_SetCaptureResolution", display::Args(width, height), 0);
}

DISPLAY_API int __stdcall WFD_GetCaptureResolution(int* width, int* height)
{
    if (width)
        *width = 0;
    if (height)
        *height = 0;
    return J().Call("WFD_GetCaptureResolution", display::Ptr(width) + ", " + display::Ptr(height), 0);
}

DISPLAY_API int __stdcall WFD_SetVideoCodecParameter(int profile, int level)
{
    return J().Call("WFD_SetVideoCodecParameter", display::Args(profile, level), 0);
}

DISPLAY_API int __stdcall WFD_SetIPInfo(int localPort, int sinkPort, const wchar_t* sinkAddress)
{
    std::string address = "null";
    if (sinkAddress) {
        const size_t length = wcsnlen(sinkAddress, 1024);
        std::string utf8(length * 3 + 1, '\0');
        const int n = WideCharToMultiByte(CP_UTF8, 0, sinkAddress, int(length), utf8.data(), int(utf8.size()), nullptr, nullptr);
        utf8.resize(size_t(n > 0 ? n : 0));
        address = "L\"" + utf8 + "\"";
    }
    return J().Call("WFD_SetIPInfo", display::Args(localPort, sinkPort) + ", " + address, 0);
}

DISPLAY_API int __stdcall WFD_SetBitRateRatio(float ratio)
{
    uint32_t bits;
    std::memcpy(&bits, &ratio, sizeof bits);
    char text[48];
    std::snprintf(text, sizeof text, "%g (0x%08X)", double(ratio), unsigned(bits));
    return J().Call("WFD_SetBitRateRatio", text, 0);
}

DISPLAY_API int __stdcall WFD_SetFPS(int value)
{
    return J().Call("WFD_SetFPS", display::Args(value), 0);
}

DISPLAY_API int __stdcall WFD_SetWFDDefaultVideoCodec(int value)
{
    return J().Call("WFD_SetWFDDefaultVideoCodec", display::Args(value), 0);
}

DISPLAY_API int __stdcall WFD_SetWFDDefaultAudioCodec(int value)
{
    return J().Call("WFD_SetWFDDefaultAudioCodec", display::Args(value), 0);
}

DISPLAY_API int __stdcall WFD_SetFrameRatio(int value)
{
    return J().Call("WFD_SetFrameRatio", display::Args(value), 0);
}

DISPLAY_API int __stdcall WFD_SetEncodeType(int value)
{
    return J().Call("WFD_SetEncodeType", display::Args(value), 0);
}

DISPLAY_API int __stdcall WFD_SetLPCMByteSwap(int value)
{
    return J().Call("WFD_SetLPCMByteSwap", display::Args(value), 0);
}

DISPLAY_API int __stdcall WFD_SetLPCMPrivateHDR(int value)
{
    return J().Call("WFD_SetLPCMPrivateHDR", display::Args(value), 0);
}

DISPLAY_API int __stdcall WFD_SetCaptureExtend(int value)
{
    return J().Call("WFD_SetCaptureExtend", display::Args(value), 0);
}

DISPLAY_API int __stdcall WFD_SetCaptureCursor(int value)
{
    return J().Call("WFD_SetCaptureCursor", display::Args(value), 0);
}

DISPLAY_API int __stdcall WFD_SetCodecAsyncDepth(int value)
{
    return J().Call("WFD_SetCodecAsyncDepth", display::Args(value), 0);
}

DISPLAY_API int __stdcall WFD_SetSaveTsFile(int value)
{
    return J().Call("WFD_SetSaveTsFile", display::Args(value), 0);
}

DISPLAY_API int __stdcall WFD_LibraryDestroy()
{
    return J().Call("WFD_LibraryDestroy", "", 0);
}

DISPLAY_API int __stdcall WFD_StartCapture()
{
    return J().Call("WFD_StartCapture", "", 0);
}

DISPLAY_API int __stdcall WFD_StopCapture()
{
    return J().Call("WFD_StopCapture", "", 0);
}

DISPLAY_API int __stdcall WFD_GetCaptureType()
{
    return J().Call("WFD_GetCaptureType", "", 0);
}

DISPLAY_API int __stdcall WFD_GetFPS()
{
    return J().Call("WFD_GetFPS", "", 0);
}

DISPLAY_API int __stdcall WFD_IsHardwareEncode()
{
    return J().Call("WFD_IsHardwareEncode", "", 0);
}

DISPLAY_API int __stdcall WFD_IDRRequest()
{
    return J().Call("WFD_IDRRequest", "", 0);
}

// Control surface.
DISPLAY_API int CaptureJournal(char* out, int size) { return J().Journal(out, size); }
DISPLAY_API int CaptureJournalStamped(char* out, int size) { return J().Journal(out, size, true); }
DISPLAY_API void CaptureClearInjections() { J().ClearInjections(); }
DISPLAY_API void CaptureJournalClear() { J().ClearJournal(); }
DISPLAY_API void CaptureInject(const char* entry, int result) { J().Inject(entry, result); }

static_assert(std::is_same_v<decltype(&WFD_LibraryInit), PFN_WFD_LibraryInit>);
static_assert(std::is_same_v<decltype(&WFD_GetVideoFrameData), PFN_WFD_GetFrameData>);
static_assert(std::is_same_v<decltype(&WFD_StartMpegtsCapture), PFN_WFD_StartMpegtsCapture>);
static_assert(std::is_same_v<decltype(&WFD_SetCaptureResolution), PFN_WFD_SetCaptureResolution>);
static_assert(std::is_same_v<decltype(&WFD_GetCaptureResolution), PFN_WFD_GetCaptureResolution>);
static_assert(std::is_same_v<decltype(&WFD_SetVideoCodecParameter), PFN_WFD_SetVideoCodecParameter>);
static_assert(std::is_same_v<decltype(&WFD_SetIPInfo), PFN_WFD_SetIPInfo>);
static_assert(std::is_same_v<decltype(&WFD_SetBitRateRatio), PFN_WFD_SetBitRateRatio>);
static_assert(std::is_same_v<decltype(&WFD_SetFPS), PFN_WFD_Int>);
static_assert(std::is_same_v<decltype(&WFD_StopCapture), PFN_WFD_Void>);
