#pragma once
// Entry points of the three Wi-Fi Display libraries that lie beside the program: the session
// library (VaZEDEVE.dll), the capture library (NetDisplayLib.dll or WFDSource.dll) and the
// stream player (StreamDll.dll). Shared by the program and the stand-ins.
#include <windows.h>

#include <cstdint>

// Session library. The callback runs on a thread of the library.
using PFN_WDP_SO_CALLBACK = void(__stdcall*)(int code, const char* address, void* unused, void* data);
using PFN_WVWDP_Init = int(__stdcall*)(PFN_WDP_SO_CALLBACK callback, int reserved);
using PFN_WVWDP_StartOrStopRTSPServer = int(__stdcall*)(int start, const char* address, int port);
using PFN_WVWDP_GetRTSPURLPrefix = int(__stdcall*)(char* buffer, int length);
using PFN_WVWDP_StartSessionSetup = int(__stdcall*)(const char* client);
using PFN_WVWDP_TriggerMethod = int(__stdcall*)(const char* client, int method);  // 0 pause, 1 play, 2 teardown
using PFN_WVWDP_GetSessionID = int(__stdcall*)(const char* sink);
using PFN_WVWDP_UIBC = int(__stdcall*)(const char* client, int enable);
using PFN_WVWDP_IsDoCouple = int(__stdcall*)(int couple);
using PFN_WVWDP_DoWork = int(__stdcall*)(const char* address, int request, void* data);

constexpr int WVWDP_ERROR_RTSP_SERVER_START_FAIL_PORT = 3;
constexpr int WVWDP_ERROR_RTSP_SERVER_STOP_TIMEOUT = 6;

// Capture library.
using PFN_WFD_LibraryInit = int(__stdcall*)(HWND window);
using PFN_WFD_Void = int(__stdcall*)();
using PFN_WFD_Int = int(__stdcall*)(int value);
using PFN_WFD_GetFrameData = int(__stdcall*)(void* buffer, int length);
using PFN_WFD_StartMpegtsCapture = int(__stdcall*)(int streamType, int reserved1, int reserved2);
using PFN_WFD_SetCaptureResolution = int(__stdcall*)(int width, int height);
using PFN_WFD_GetCaptureResolution = int(__stdcall*)(int* width, int* height);
using PFN_WFD_SetVideoCodecParameter = int(__stdcall*)(int profile, int level);
using PFN_WFD_SetIPInfo = int(__stdcall*)(int localPort, int sinkPort, const wchar_t* sinkAddress);
using PFN_WFD_SetBitRateRatio = int(__stdcall*)(float ratio);

// Stream player. The callback runs on the player's thread.
using PFN_SINK_CALLBACK = void(__stdcall*)(int code, int reserved1, int reserved2, void* data);
using PFN_SN_Create = int(__stdcall*)(int, int, int, int, int, int, int optionCount, const char* const* options);
using PFN_SN_Void = int(__stdcall*)();
using PFN_SN_Int = int(__stdcall*)(int value);
using PFN_SN_GetHwnd = HWND(__stdcall*)();
using PFN_SN_SetPath = int(__stdcall*)(const char* url, int optionCount, const char* const* options);
using PFN_SN_SetBindIP = int(__stdcall*)(const char* address, int caching);
using PFN_SN_Set_UICallBack = int(__stdcall*)(PFN_SINK_CALLBACK callback);
using PFN_SN_Set_UIBCData = int(__stdcall*)(int kind, const char* hidcCapability, int genericCapability, int reserved);
using PFN_SN_RedirectEvent = int(__stdcall*)(HWND window, int event);
using PFN_SN_Set_RTPPort = int(__stdcall*)(int port0, int port1);
using PFN_SN_Set_SupportVideo = int(__stdcall*)(uint32_t cea, uint32_t vesa, uint32_t hh);
