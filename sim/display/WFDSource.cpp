// WFDSource.dll: the stand-in for the screen-capture and encoding library. Every entry
// journals its arguments and answers neutrally (0); nothing is captured.
#include <type_traits>

#include "StandIn.h"
#include "wlapi/wfd_entries.h"

namespace {
display::StandIn& J()
{
    return display::StandIn::Get();
}
}  // namespace

DISPLAY_API int __stdcall WFD_LibraryInit(HWND window)
{
    return J().Call("WFD_LibraryInit", display::Ptr(window), 0);
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
    char address[261] = {};
    if (sinkAddress)
        WideCharToMultiByte(CP_ACP, 0, sinkAddress, -1, address, sizeof address - 1, nullptr, nullptr);
    return J().Call("WFD_SetIPInfo", display::Args(localPort, sinkPort) + ", " + display::Str(sinkAddress ? address : nullptr), 0);
}

DISPLAY_API int __stdcall WFD_SetBitRateRatio(float ratio)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", double(ratio));
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
