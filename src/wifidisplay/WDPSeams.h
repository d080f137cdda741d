#pragma once
// Points where tests replace what the Wi-Fi Display sessions read from the system.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace wdpseams {

struct DisplayMode {
    int width;
    int height;
    int bitsPerPixel;
    int frequency;
};

// Display modes of the primary display (EnumDisplaySettingsA unless overridden).
extern std::function<std::vector<DisplayMode>()> displayModesOverride;
std::vector<DisplayMode> DisplayModes();

// Screen width and height (GetSystemMetrics unless overridden).
extern std::function<SIZE()> screenSizeOverride;
SIZE ScreenSize();

// One row of the ARP table: the address bytes as stored and the physical address.
struct ArpRow {
    BYTE address[4];
    BYTE physical[8];
    DWORD physicalLength;
};

// The ARP table (GetIpNetTable unless overridden); false when it cannot be read.
extern std::function<bool(std::vector<ArpRow>&)> arpTableOverride;
bool ArpTable(std::vector<ArpRow>& rows);

// Sends one byte to the address and port from the local port (a UDP socket unless overridden).
extern std::function<int(const std::string& address, int port, int localPort)> udpSendOverride;
int SendUdpByte(const std::string& address, int port, int localPort);

// Opens a file with the shell's "open" verb in a normal window (ShellExecuteA unless overridden).
extern std::function<void(const std::string& path)> shellOpenOverride;
void ShellOpen(const std::string& path);

}  // namespace wdpseams
