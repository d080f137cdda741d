#pragma once
// Messages the Wi-Fi Display sessions post to the Wi-Fi Display window (WM_USER plus an offset).
constexpr unsigned MSG_SOURCE_RECEIVE_WPDCONNECT = 1024 + 18;
constexpr unsigned MSG_SOURCE_SET_SESSIONID_TO_DRIVER = 1024 + 19;
constexpr unsigned MSG_SINK_SET_SESSIONID_TO_DRIVER = 1024 + 20;
constexpr unsigned MSG_SOURCE_PLAY_STREAM = 1024 + 21;
constexpr unsigned MSG_SOURCE_PAUSE_STREAM = 1024 + 22;
constexpr unsigned MSG_SOURCE_STOP_STREAM = 1024 + 23;
constexpr unsigned MSG_SOURCE_IDR = 1024 + 24;
constexpr unsigned MSG_SINK_ENABLE_UIBC = 1024 + 25;
constexpr unsigned MSG_SINK_DISABLE_UIBC = 1024 + 32;
constexpr unsigned MSG_GOIN_STANDBY = 1024 + 48;
constexpr unsigned MSG_SINK_RECEIVE_M7_OK = 1024 + 49;
constexpr unsigned MSG_SINK_SEND_PAUSE = 1024 + 50;
constexpr unsigned MSG_SINK_SEND_PLAY = 1024 + 51;
constexpr unsigned MSG_SINK_SEND_TEARDOWN = 1024 + 52;
constexpr unsigned MSG_SOURCE_CREATE_UIBC_THREAD = 1024 + 53;
constexpr unsigned MSG_SOURCE_START_SERVER = 1024 + 54;
constexpr unsigned MSG_SOURCE_STOP_SERVER = 1024 + 55;
constexpr unsigned MSG_SOURCE_KEEPALIVE = 1024 + 56;
constexpr unsigned MSG_WDP_P2P_DISCONNECT = 1024 + 57;
constexpr unsigned MSG_SOURCE_STOP_STANDBY = 1024 + 82;
