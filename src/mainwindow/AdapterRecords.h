#pragma once
// Small operations on raw records that the adapter start-up touches.
#include <windows.h>

// Wi-Fi Display configuration (452 bytes): refreshes an enabled configuration
// for start-up: control port 7236, session available, no coupling, no service
// discovery, preferred connectivity TDLS when chosen, no content protection or
// time synchronisation; bits 0 to 3 of byte 6 set. Device type and bits 10-15
// stay as read.
constexpr int kWdpConfigBytes = 452;
constexpr WORD kWdpControlPort = 7236;
void PrepareStartupWdpConfig(BYTE* config, bool tdls);
WORD WdpDevInfo(const BYTE* config);
WORD WdpControlPort(const BYTE* config);
